// The sequencer panel in LeftPNL, its actions and the item details dialog. Not
// built yet: the actions stay disabled with their hints.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectSequencerActions() {
    MainActions& a = actions_;
    for (QAction* action : {a.NewItemACTN, a.AddItemACTN, a.RemoveItemACTN, a.MoveUpACTN, a.MoveDownACTN,
                            a.EditItemDetailsACTN, a.PlayACTN, a.ExecuteItemACTN, a.LoopSequenceACTN})
        action->setEnabled(false);
}

bool TMainFRM::runItemDetailsDialog(mlc::ItemDetails&) {
    return false;
}

} // namespace mlgui
