// TPasteSpecialFRM: which settings a paste special takes from the copied monitors,
// and what happens to the others. Shows and edits the choice the settings keep.
#pragma once

#include "app/wall_actions.h"
#include "files/settings_file.h"

#include <QDialog>

class QListWidget;
class QRadioButton;

namespace mlgui {

class TPasteSpecialFRM : public QDialog {
    Q_OBJECT
public:
    // Shows the choice held in `settings`; Ok writes it back before closing.
    explicit TPasteSpecialFRM(mlc::ProgramSettings& settings, QWidget* parent = nullptr);

    // The choice the dialog shows now.
    mlc::PasteSpecialMask mask() const;

    void accept() override;

private:
    void display(const mlc::PasteSpecialMask& mask);
    void checkAll(bool checked);

    mlc::ProgramSettings& settings_;
    QListWidget* pasteWhat_ = nullptr;
    QRadioButton* leave_ = nullptr;
    QRadioButton* reset_ = nullptr;
};

} // namespace mlgui
