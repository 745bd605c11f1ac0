#include "app/wall_actions.h"

#include "app/control_center.h"
#include "wall/enlargement.h"
#include "wall/wall_arrangement.h"
#include "wall/wall_rect.h"
#include "wall/wall_state.h"

#include <algorithm>

namespace mlc {

static_assert(kPasteFieldCount == kPasteSpecialFlagCount);

PasteSpecialMask pasteSpecialMaskOf(const ProgramSettings& settings) {
    return {settings.PasteSpecialUnselected == ResetUnselected ? ResetUnselected : LeaveUnselected,
            settings.PasteSpecial};
}

void storePasteSpecialMask(ProgramSettings& settings, const PasteSpecialMask& mask) {
    settings.PasteSpecialUnselected = mask.Unselected;
    settings.PasteSpecial = mask.Flags;
}

int memoryNumberWithinRange(int memory) {
    return std::clamp(memory, 1, kMemoryCount);
}

using Step = WallHistory::EditStep;
using Sending = WallHistory::Sending;

WallActions::WallActions(WallModel& model, WallHistory& history, ChainCommands& chain,
                         const ExchangeGate& exchanges, Operator& op, WallActionHooks hooks)
    : model_(model), history_(history), chain_(chain), exchanges_(exchanges), op_(op),
      hooks_(std::move(hooks)) {}

void WallActions::updateCaption() {
    if (hooks_.updateCaption)
        hooks_.updateCaption();
}

void WallActions::changedAndSent() {
    updateCaption();
    if (hooks_.writeWall) {
        hooks_.writeWall();
        // The write decides which monitors are synced: the status bar follows it.
        updateCaption();
    }
}

void WallActions::copy(const WallRect& selection) {
    clipboard_.copy(model_.Monitors, selection);
}

void WallActions::paste(const WallRect& selection) {
    Step step(history_, "paste", Sending::Sent);
    if (clipboard_.paste(model_, selection))
        changedAndSent();
}

void WallActions::pasteSpecial(const WallRect& selection, const PasteSpecialMask& mask) {
    Step step(history_, "paste special", Sending::Sent);
    if (clipboard_.pasteSpecial(model_, selection, mask))
        changedAndSent();
}

void WallActions::copyFromVideowall() {
    if (model_.VideowallModified) {
        const Answer answer = op_.ask(QuestionIcon::Question, Buttons::YesNoCancel, kWallNotSavedQuestion);
        if (answer == Answer::Cancel)
            return;
        if (answer == Answer::Yes && hooks_.saveWall)
            hooks_.saveWall();
    }
    Step step(history_, "copy from videowall", Sending::NotSent);
    if (!IsWallSynced(model_)) {
        if (hooks_.resyncVideowall)
            hooks_.resyncVideowall();
        updateCaption();
    }
    // Whatever the read gave: DeviceState is the last known state of the units.
    takeOverDeviceState(model_);
    // The caption shows the wall as changed.
    updateCaption();
}

void WallActions::resync() {
    if (exchanges_.refuse(op_))
        return;
    // What the units hold is read afresh: the steps before it are not taken back.
    history_.clear();
    if (hooks_.resyncVideowall)
        hooks_.resyncVideowall();
    updateCaption();
}

bool WallActions::memoryStore(int memory) {
    return chain_.MemoryStore(memoryNumberWithinRange(memory));
}

bool WallActions::memoryRecall(int memory) {
    const bool recalled = chain_.MemoryRecall(memoryNumberWithinRange(memory));
    if (recalled)
        updateCaption();
    return recalled;
}

void WallActions::autosetEnlargement(const WallRect& selection) {
    const auto rect = clippedRect(selection, UsedColumns(model_), UsedRows(model_));
    if (!rect)
        return;
    Step step(history_, "autoset enlargment", Sending::Sent);
    AutosetEnlargement(model_, *rect);
    changedAndSent();
}

void WallActions::moveColumn(int from, int to) {
    rearrange(MoveWallColumn, "column move", from, to);
}

void WallActions::moveRow(int from, int to) {
    rearrange(MoveWallRow, "row move", from, to);
}

// A number dropped on its own place changes nothing, so it is never refused.
void WallActions::rearrange(bool (*move)(WallModel&, int, int), const char* name, int from, int to) {
    if (from != to && exchanges_.refuse(op_))
        return;
    Step step(history_, name, Sending::Sent);
    if (move(model_, from, to)) {
        updateCaption(); // the grid shows the move while the wall is sent
        if (hooks_.writeWall)
            hooks_.writeWall();
        model_.VideowallModified = true;
    }
    updateCaption();
}

void WallActions::numberSequentially() {
    renumber(NumberDevicesSequentially, "sequential numbering");
}

void WallActions::numberByRowAndColumn() {
    renumber(NumberDevicesByRowAndColumn, "numbering by row and column");
}

void WallActions::renumber(void (*number)(WallModel&), const char* name) {
    if (exchanges_.refuse(op_))
        return;
    {
        Step step(history_, name, Sending::NotSent);
        number(model_);
    }
    if (hooks_.configureRouter)
        hooks_.configureRouter();
    updateCaption();
}

void WallActions::changeMonitorId(int column, int row, std::uint8_t id) {
    if (exchanges_.refuse(op_))
        return;
    Step step(history_, "monitor ID change", Sending::NotSent);
    if (ChangeMonitorId(model_, column, row, id))
        updateCaption();
}

} // namespace mlc
