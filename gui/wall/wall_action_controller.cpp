#include "wall/wall_action_controller.h"

#include "wall/panning_dialog.h"
#include "wall/paste_special_dialog.h"

#include <QAction>
#include <QSpinBox>
#include <QWidget>

namespace mlgui {

WallActionController::WallActionController(WallActionContext context, QWidget* window)
    : QObject(window), context_(std::move(context)), window_(window),
      chain_(std::make_unique<mlc::ChainCommands>(context_.model, context_.binding, context_.op)),
      actions_(std::make_unique<mlc::WallActions>(context_.model, *chain_, context_.binding.Exchanges(),
                                                  context_.op, context_.hooks)) {
    on("ClipboardCopyACTN", &WallActionController::copy);
    on("ClipboardPasteACTN", &WallActionController::paste);
    on("PasteSpecialACTN", &WallActionController::pasteSpecial);
    on("CopyVideowallACTN", &WallActionController::copyFromVideowall);
    on("ResyncVideowallACTN", &WallActionController::resync);
    on("MemoryStoreACTN", &WallActionController::memoryStore);
    on("MemoryRecallACTN", &WallActionController::memoryRecall);
    on("AutosetEnlargmentACTN", &WallActionController::autosetEnlargement);
    on("GlobalPanACTN", &WallActionController::globalPanning);
    for (int memory = 1; memory <= mlc::kMemoryCount; ++memory) {
        QAction* recall = action(QString("MemRead%1ACTN").arg(memory));
        if (!recall)
            continue;
        recall->setData(memory); // the action's tag
        if (recall->shortcut().isEmpty())
            recall->setShortcut(memory <= 8 ? QKeySequence(Qt::Key_F1 + memory - 1)
                                            : QKeySequence(Qt::SHIFT | (Qt::Key_F1 + memory - 9)));
        // In no menu: the window carries it so that its key works.
        if (recall->associatedObjects().isEmpty())
            window_->addAction(recall);
        connect(recall, &QAction::triggered, this, [this, memory] { quickRecall(memory); });
    }
    updatePasteActions();
}

WallActionController::~WallActionController() = default;

QAction* WallActionController::action(const QString& name) const {
    return window_->findChild<QAction*>(name);
}

void WallActionController::on(const QString& name, void (WallActionController::*slot)()) {
    if (QAction* a = action(name))
        connect(a, &QAction::triggered, this, slot);
}

void WallActionController::updatePasteActions() {
    for (const char* name : {"ClipboardPasteACTN", "PasteSpecialACTN"})
        if (QAction* a = action(name))
            a->setEnabled(actions_->canPaste());
}

int WallActionController::memoryNumber() const {
    const auto* box = window_->findChild<QSpinBox*>("MemoryTOOL");
    return box ? box->value() : 1;
}

void WallActionController::copy() {
    actions_->copy(context_.selection());
    updatePasteActions();
}

void WallActionController::paste() {
    actions_->paste(context_.selection());
}

void WallActionController::pasteSpecial() {
    if (!actions_->canPaste())
        return;
    TPasteSpecialFRM dialog(context_.settings, window_);
    if (dialog.exec() == QDialog::Accepted)
        actions_->pasteSpecial(context_.selection(), mlc::pasteSpecialMaskOf(context_.settings));
}

void WallActionController::copyFromVideowall() {
    actions_->copyFromVideowall();
}

void WallActionController::resync() {
    actions_->resync();
}

void WallActionController::memoryStore() {
    actions_->memoryStore(memoryNumber());
}

void WallActionController::memoryRecall() {
    actions_->memoryRecall(memoryNumber());
}

void WallActionController::quickRecall(int memory) {
    if (auto* box = window_->findChild<QSpinBox*>("MemoryTOOL"))
        box->setValue(memory);
    actions_->memoryRecall(memory);
}

void WallActionController::autosetEnlargement() {
    actions_->autosetEnlargement(context_.selection());
}

void WallActionController::globalPanning() {
    TPanningFRM dialog(context_.model, context_.selection(), context_.hooks.writeWall, context_.repaint,
                       window_);
    dialog.exec();
}

} // namespace mlgui
