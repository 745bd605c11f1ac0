#include "sequencer/sequencer_controller.h"

#include "sequencer/sequencer_panel.h"

#include <QLayout>
#include <QToolBar>

namespace mlgui {

SequencerController::SequencerController(const MainActions& actions, SequencerContext context)
    : actions_(actions), context_(std::move(context)),
      panel_(new SequencerPanel(context_.sequencer, context_.clock, &context_.area)) {
    context_.area.layout()->addWidget(panel_);
    panel_->setContextMenu(&context_.contextMenu);
    for (QAction* entry : sequencerMenuEntries(actions)) {
        if (entry)
            panel_->toolBar()->addAction(entry);
        else
            panel_->toolBar()->addSeparator();
    }

    mlc::Sequencer& s = context_.sequencer;
    run(actions.NewItemACTN, [&s] { s.newItem(); });
    run(actions.AddItemACTN, [&s] { s.addItem(); });
    run(actions.RemoveItemACTN, [&s] { s.removeItems(); });
    run(actions.MoveUpACTN, [&s] { s.moveUp(); });
    run(actions.MoveDownACTN, [&s] { s.moveDown(); });
    run(actions.EditItemDetailsACTN, [&s] { s.editItemDetails(); });
    run(actions.ExecuteItemACTN, [&s] { s.executeItem(); });
    run(actions.PlayACTN, [this] { context_.sequencer.togglePlay(context_.clock()); });
    run(actions.LoopSequenceACTN, [&s] { s.toggleLoop(); });
    connect(actions.ShowSequencerACTN, &QAction::triggered, this, [this](bool on) {
        context_.sequencer.setVisible(on);
        context_.area.setVisible(on);
    });
    connect(panel_, &SequencerPanel::changed, this, &SequencerController::updateActions);
    connect(panel_, &SequencerPanel::lineActivated, actions.EditItemDetailsACTN, &QAction::trigger);
    panel_->refresh();
}

void SequencerController::run(QAction* action, std::function<void()> body) {
    connect(action, &QAction::triggered, this, [this, body = std::move(body)] {
        body();
        panel_->refresh();
    });
}

void SequencerController::refresh() {
    panel_->refresh();
}

void SequencerController::showAsConfigured() {
    context_.area.setVisible(context_.sequencer.visible());
    actions_.ShowSequencerACTN->setChecked(context_.sequencer.visible());
}

void SequencerController::updateActions() {
    const mlc::SequencerActionStates& states = context_.sequencer.actionStates();
    actions_.RemoveItemACTN->setEnabled(states.remove);
    actions_.MoveUpACTN->setEnabled(states.moveUp);
    actions_.MoveDownACTN->setEnabled(states.moveDown);
    actions_.ExecuteItemACTN->setEnabled(states.execute);
    actions_.PlayACTN->setEnabled(states.play);
    actions_.PlayACTN->setChecked(context_.sequencer.playing());
    actions_.LoopSequenceACTN->setChecked(context_.sequencer.loop());
}

} // namespace mlgui
