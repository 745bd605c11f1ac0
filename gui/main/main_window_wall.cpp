// Wall editing: clipboard, paste special, device memory and quick recall,
// resynchronisation, automatic enlargement and global panning. Not built yet:
// the actions stay disabled with their hints.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectWallActions() {
    MainActions& a = actions_;
    for (QAction* action : {a.CopyVideowallACTN, a.ClipboardCopyACTN, a.ClipboardPasteACTN,
                            a.PasteSpecialACTN, a.AutosetEnlargmentACTN, a.GlobalPanACTN, a.MemoryStoreACTN,
                            a.MemoryRecallACTN, a.ResyncVideowallACTN})
        action->setEnabled(false);
    for (QAction* action : a.MemReadACTN)
        action->setEnabled(false);
}

} // namespace mlgui
