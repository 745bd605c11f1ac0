// The file dialogs the core asks for (open, save). The window takes them through
// this interface so that tests can answer them without a dialog.
#pragma once

#include "app/user_interface.h"

#include <QStringList>

#include <optional>
#include <string>

class QWidget;

namespace mlgui {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest& request,
                                                        QWidget* parent) = 0;
    virtual std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest& request,
                                                        QWidget* parent) = 0;
};

// The toolkit's dialogs. Filters match extensions in either case, since files
// come from systems that do not tell case apart.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest& request,
                                                QWidget* parent) override;
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest& request,
                                                QWidget* parent) override;
};

// Why a file chosen in a save dialog cannot be written (the folder is missing or
// cannot be written, the file is read-only), in the operator's words; empty when
// it can. The dialog asks again rather than let the save fail without a word.
QString saveTargetProblem(const QString& path);

// "Videowall settings (*.MLV)|*.MLV|..." as the toolkit's name filters: the
// description as shown, the patterns in upper and lower case.
QStringList nameFilters(const std::string& filter);

} // namespace mlgui
