// File actions: open, the four save actions and exit. The core runs them with
// their dialogs and questions; the window only refreshes.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectFileActions() {
    MainActions& a = actions_;
    connect(a.LoadACTN, &QAction::triggered, this, [this] { center_->openAction(); });
    connect(a.VideowallSaveACTN, &QAction::triggered, this, [this] { center_->videowallSaveAction(); });
    connect(a.VideowallSaveAsACTN, &QAction::triggered, this, [this] { center_->videowallSaveAsAction(); });
    connect(a.SequenceSaveACTN, &QAction::triggered, this, [this] { center_->sequenceSaveAction(); });
    connect(a.SequenceSaveAsACTN, &QAction::triggered, this, [this] { center_->sequenceSaveAsAction(); });
    connect(a.QuitACTN, &QAction::triggered, this, &QWidget::close);
}

} // namespace mlgui
