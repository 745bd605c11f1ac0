#include "wall/wall_action_controller.h"

#include "wall/panning_dialog.h"
#include "wall/paste_special_dialog.h"

#include <QSpinBox>

namespace mlgui {

WallActionController::WallActionController(const MainActions& actions, WallActionContext context)
    : actions_(actions), context_(std::move(context)),
      chain_(std::make_unique<mlc::ChainCommands>(context_.model, context_.binding, context_.op)),
      wallActions_(std::make_unique<mlc::WallActions>(context_.model, context_.history, *chain_,
                                                      context_.binding.Exchanges(), context_.op,
                                                      context_.hooks)) {
    mlc::WallActions& wall = *wallActions_;
    const auto selection = context_.selection;
    QSpinBox& memory = context_.memoryBox;
    connect(actions.ClipboardCopyACTN, &QAction::triggered, this, &WallActionController::copy);
    connect(actions.ClipboardPasteACTN, &QAction::triggered, this,
            [&wall, selection] { wall.paste(selection()); });
    connect(actions.PasteSpecialACTN, &QAction::triggered, this, &WallActionController::pasteSpecial);
    connect(actions.CopyVideowallACTN, &QAction::triggered, this, [&wall] { wall.copyFromVideowall(); });
    connect(actions.ResyncVideowallACTN, &QAction::triggered, this, [&wall] { wall.resync(); });
    connect(actions.MemoryStoreACTN, &QAction::triggered, this,
            [&wall, &memory] { wall.memoryStore(memory.value()); });
    connect(actions.MemoryRecallACTN, &QAction::triggered, this,
            [&wall, &memory] { wall.memoryRecall(memory.value()); });
    connect(actions.AutosetEnlargmentACTN, &QAction::triggered, this,
            [&wall, selection] { wall.autosetEnlargement(selection()); });
    connect(actions.GlobalPanACTN, &QAction::triggered, this, &WallActionController::globalPanning);
    for (QAction* recall : actions.MemReadACTN)
        connect(recall, &QAction::triggered, this, [this, recall] { quickRecall(recall->data().toInt()); });
    updatePasteActions();
}

WallActionController::~WallActionController() = default;

void WallActionController::updatePasteActions() {
    for (QAction* paste : {actions_.ClipboardPasteACTN, actions_.PasteSpecialACTN})
        paste->setEnabled(wallActions_->canPaste());
}

void WallActionController::copy() {
    wallActions_->copy(context_.selection());
    updatePasteActions();
}

void WallActionController::pasteSpecial() {
    if (!wallActions_->canPaste())
        return;
    TPasteSpecialFRM dialog(context_.settings, &context_.window);
    if (dialog.exec() == QDialog::Accepted)
        wallActions_->pasteSpecial(context_.selection(), mlc::pasteSpecialMaskOf(context_.settings));
}

// The key's memory becomes the box's number, as if the operator had set it first.
void WallActionController::quickRecall(int memory) {
    context_.memoryBox.setValue(memory);
    wallActions_->memoryRecall(memory);
}

void WallActionController::globalPanning() {
    TPanningFRM dialog(context_.model, context_.history, context_.selection(), context_.hooks.writeWall,
                       context_.hooks.updateCaption, &context_.window);
    dialog.exec();
}

} // namespace mlgui
