// Pieces every dialog shares: the caption, bold headings, label texts for
// accessible names, text from the core, and the Loading flag's scope.
#pragma once

#include <QString>

#include <string>

class QLabel;
class QWidget;

namespace mlgui {

// "Marlune Control Center - " followed by the dialog's name.
QString dialogCaption(const char* name);
// A bold label: a group's heading, or a value shown in bold.
QLabel* heading(const QString& text, QWidget* parent);
// A label's text without its mnemonic marker and surrounding blanks, for accessible names.
QString plainText(const char* label);
// Text the core holds (UTF-8) as the widgets show it.
inline QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Sets a dialog's loading flag for a scope and clears it on every way out, so that
// the change handlers ignore what the dialog itself puts into its controls.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingScope() { flag_ = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& flag_;
};

} // namespace mlgui
