#include "sync/chain_commands.h"

#include "sync/progress.h"
#include "wall/wall_state.h"

namespace mlc {
namespace {

constexpr const char* kMemoryStoreQuestion =
    "You are about to write current settings into the internal Marlune effect memory.\r\n\r\n"
    "Are you sure you want to proceed?";

bool succeeded(std::uint8_t result) {
    return result == LV_RESULT_OK || result == LV_RESULT_DEVICE_OK;
}

} // namespace

std::string MemoryIdentifier(int memory) {
    return "gc16CHANNEL" + std::to_string(memory);
}

ChainCommands::ChainCommands(WallModel& model, DriverBinding& binding, Operator& op)
    : model_(model), binding_(binding), op_(op) {}

bool ChainCommands::ok(std::uint8_t result) {
    return !binding_.ShowDriverResult(op_, result);
}

bool ChainCommands::selectMemory(int memory) {
    return ok(binding_.SelectDevice(0)) &&
           ok(binding_.SetOperationIdentifier("op_IP_LCRST_USERPARMSET", "", MemoryIdentifier(memory)));
}

bool ChainCommands::MemoryStore(int memory) {
    if (op_.ask(QuestionIcon::Warning, Buttons::YesNo, kMemoryStoreQuestion) != Answer::Yes)
        return false;
    return storeMemory(memory);
}

bool ChainCommands::storeMemory(int memory) {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    return selectMemory(memory) && ok(binding_.ExecuteOperation("op_IP_LCRST_SAVEUSERPARMSET", ""));
}

bool ChainCommands::MemoryRecall(int memory) {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    if (!selectMemory(memory) || !ok(binding_.ExecuteOperation("op_IP_LCRST_RESTOREUSERSET", "")))
        return false;
    SetAllSynced(model_, false);
    return true;
}

bool ChainCommands::SendRemoteEvent(const std::string& event) {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return false;
    return ok(binding_.SelectDevice(0)) && ok(binding_.SendEventByName(event));
}

ProbeResult ChainCommands::DetectWall() {
    auto scope = binding_.Exchanges().tryEnter(op_);
    if (!scope || !binding_.IsLoaded())
        return {};
    ProbeResult result;
    {
        ProgressWindow progress(op_);
        progress.setRange(kFirstProbedId, kLastProbedId);
        progress.setText("Examining connected videowall");
        result = ProbeWall([&](std::uint8_t id) { return succeeded(binding_.SelectDevice(id)); },
                           [&](int id) { progress.setPosition(id); });
    }
    if (!result.unconfirmedIds.empty())
        op_.showMessage(MessageKind::Warning, UnconfirmedIdsText(result.unconfirmedIds));
    return result;
}

WallShape ChainCommands::ShapeWall(int found) {
    const WallShape shape = HorizontalShape(found);
    if (found <= 0 || IsPerfectSquare(found))
        return shape;
    const bool vertical =
        op_.ask(QuestionIcon::Question, Buttons::YesNo, VerticalQuestionText(shape)) == Answer::Yes;
    return vertical ? Transposed(shape) : shape;
}

} // namespace mlc
