// The sequencer panel in LeftPNL, its actions and the item details dialog.
#include "main/main_form.h"

#include "sequencer/item_details_dialog.h"
#include "sequencer/sequencer_panel.h"

#include <QLayout>

namespace mlgui {

void TMainFRM::connectSequencerActions() {
    auto* panel = new SequencerPanel(
        center_->sequencer(), [this] { return center_->clocks(); }, leftPanel_);
    leftPanel_->layout()->addWidget(panel);
    panel->setContextMenu(sequencerPopup_);
    panel->attachActions(this);
    addRefreshHook([panel] { panel->refresh(); });
}

bool TMainFRM::runItemDetailsDialog(mlc::ItemDetails& details) {
    return TItemDetailsFRM::edit(details, this);
}

} // namespace mlgui
