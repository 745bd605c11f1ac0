// detect, memory, event, get, set and lists: commands for single units or the chain.
#include "commands.h"

#include "command_line.h"
#include "sync/wall_detection.h"

#include <cstdio>

namespace mlctl {
namespace {

constexpr const char* kNoDevicesWarning = "No devices found on the selected serial port!\r\nPlease verify "
                                          "connections and serial port settings then "
                                          "try again";

std::optional<int> deviceId(Session& session, int min) {
    const auto& flags = session.line().flags;
    const auto found = flags.find("--id");
    if (found == flags.end()) {
        complain("--id ID is needed: the device ID of the unit");
        return std::nullopt;
    }
    const auto id = parseInteger(found->second, min, 255);
    if (!id)
        complain("--id needs a device ID from " + std::to_string(min) + " to 255, not \"" + found->second +
                 "\"");
    return id;
}

void printGrid(const mlc::WallShape& shape, const mlc::DetectedIds& ids) {
    std::printf("grid: %d x %d (columns x rows)\n", shape.columns, shape.rows);
    for (int row = 1; row <= shape.rows; ++row) {
        std::printf("  row %2d:", row);
        for (int column = 1; column <= shape.columns; ++column)
            std::printf(" %3d", ids[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)]);
        std::printf("\n");
    }
}

bool saveDetectedWall(Session& session, const mlc::WallShape& shape, const mlc::DetectedIds& ids) {
    auto& model = session.model();
    model.WallColumns = shape.columns;
    model.WallRows = shape.rows;
    for (int column = 1; column <= shape.columns; ++column)
        for (int row = 1; row <= shape.rows; ++row) {
            const auto id = ids[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
            model.Monitors.at(column, row).DeviceId = id;
            model.DeviceState.at(column, row).DeviceId = id;
        }
    auto ini = mlc::loadIniFile(session.settingsPath()).value_or(mlc::IniFile{});
    mlc::writeSettings(session.settings(), model, ini);
    if (!mlc::saveIniFile(session.settingsPath(), ini)) {
        complain("cannot write the settings file " + session.settingsPath());
        return false;
    }
    std::printf("saved to %s\n", session.settingsPath().c_str());
    return true;
}

// Which way an operation's value reads: a set in test mode with an identifier no
// list holds tells, without a byte on the line.
enum class ValueForm { Percent, Identifier };
std::optional<ValueForm> valueForm(Session& session, const std::string& op, const std::string& target) {
    const std::uint8_t result =
        session.dryRun([&] { return session.binding().SetOperationIdentifier(op, target, "\x01"); });
    switch (result) {
    case LV_RESULT_STRING_NOT_ACCEPTED:
        return ValueForm::Percent;
    case LV_RESULT_UNKNOWN_VALUE:
    case LV_RESULT_DEVICE_OK:
        return ValueForm::Identifier;
    case LV_RESULT_EXECUTE_ONLY:
        complain(op + " has no value: it can only be executed");
        return std::nullopt;
    default:
        session.succeeded(result);
        return std::nullopt;
    }
}

} // namespace

int runDetect(Session& session) {
    if (!checkWords(session, 0, 0))
        return kExitUsage;
    if (!session.openPort())
        return kExitFailed;
    const mlc::ProbeResult probe = session.chain().DetectWall();
    if (probe.found() == 0) {
        session.op().showMessage(mlc::MessageKind::Warning, kNoDevicesWarning);
        return kExitFailed;
    }
    std::printf("%d Marlune devices found:", probe.found());
    for (const auto id : probe.presentIds)
        std::printf(" %d", id);
    std::printf("\n");
    const bool save = session.line().hasFlag("--save");
    const mlc::WallShape shape =
        save ? session.chain().ShapeWall(probe.found()) : mlc::HorizontalShape(probe.found());
    const mlc::DetectedIds ids = mlc::AssignDetectedIds(shape, probe.presentIds);
    printGrid(shape, ids);
    if (save && !saveDetectedWall(session, shape, ids))
        return kExitFailed;
    return kExitOk;
}

int runMemory(Session& session) {
    if (!checkWords(session, 2, 2))
        return kExitUsage;
    const std::string& action = session.line().words[0];
    const auto memory = parseInteger(session.line().words[1], 1, mlc::kMemoryCount);
    if ((action != "store" && action != "recall") || !memory) {
        complain("usage: mlctl memory store N | memory recall N, with N from 1 to 16");
        return kExitUsage;
    }
    if (!session.openPort())
        return kExitFailed;
    const bool store = action == "store";
    if (!(store ? session.chain().MemoryStore(*memory) : session.chain().MemoryRecall(*memory)))
        return kExitFailed;
    std::printf("memory %d %s\n", *memory, store ? "stored" : "recalled");
    return kExitOk;
}

int runEvent(Session& session) {
    if (!checkWords(session, 1, 1))
        return kExitUsage;
    const std::string& name = session.line().words[0];
    if (!session.succeeded(session.dryRun([&] { return session.binding().SendEventByName(name); })))
        return kExitUsage;
    if (!session.openPort() || !session.chain().SendRemoteEvent(name))
        return kExitFailed;
    std::printf("event %s sent to all units\n", name.c_str());
    return kExitOk;
}

int runGet(Session& session) {
    if (!checkWords(session, 1, 2))
        return kExitUsage;
    const auto& words = session.line().words;
    const std::string& op = words[0];
    const std::string target = words.size() > 1 ? words[1] : "";
    const auto id = deviceId(session, 1);
    if (!id)
        return kExitUsage;
    const auto form = valueForm(session, op, target);
    if (!form)
        return kExitUsage;
    auto& binding = session.binding();
    if (!session.openPort() || !session.succeeded(binding.SelectDevice(static_cast<std::uint8_t>(*id))))
        return kExitFailed;
    if (*form == ValueForm::Percent) {
        std::int32_t percent = 0;
        if (!session.succeeded(binding.GetOperationPercent(op, target, percent)))
            return kExitFailed;
        std::printf("%s\n", formatPercent(percent).c_str());
    } else {
        std::string text;
        if (!session.succeeded(binding.GetOperationIdentifier(op, target, text)))
            return kExitFailed;
        std::printf("%s\n", text.c_str());
    }
    return kExitOk;
}

int runSet(Session& session) {
    if (!checkWords(session, 2, 3))
        return kExitUsage;
    const auto& words = session.line().words;
    const std::string& op = words[0];
    const std::string target = words.size() > 2 ? words[1] : "";
    const std::string& value = words.back();
    const auto id = deviceId(session, 0);
    if (!id)
        return kExitUsage;
    auto& binding = session.binding();
    const auto percent = parsePercent(value);
    if (!percent && !value.empty() && value.back() == '%') {
        complain("\"" + value + "\" is not a percentage: 0% to 100%, with at most three decimals");
        return kExitUsage;
    }
    auto set = [&] {
        return percent ? binding.SetOperationPercent(op, target, *percent)
                       : binding.SetOperationIdentifier(op, target, value);
    };
    if (!session.succeeded(session.dryRun(set)))
        return kExitUsage;
    if (!session.openPort() || !session.succeeded(binding.SelectDevice(static_cast<std::uint8_t>(*id))) ||
        !session.succeeded(set()))
        return kExitFailed;
    std::printf("%s%s%s = %s on unit %d\n", op.c_str(), target.empty() ? "" : " ", target.c_str(),
                value.c_str(), *id);
    return kExitOk;
}

int runLists(Session& session) {
    if (!checkWords(session, 0, 0))
        return kExitUsage;
    const auto& lists = session.lists();
    const std::pair<const char*, const mlc::MatchListPair*> pairs[] = {
        {"InputSources", &lists.InputSources},     {"ColorTemp", &lists.ColorTemp},
        {"ScaleMode", &lists.ScaleMode},           {"InputFilter", &lists.InputFilter},
        {"KeystoningMode", &lists.KeystoningMode}, {"FrameLock", &lists.FrameLock},
        {"Interpolation", &lists.Interpolation},   {"ScreenColors", &lists.ScreenColors},
        {"OutputDisplays", &lists.OutputDisplays}, {"HD15Sync", &lists.HD15Sync},
        {"TestPattern", &lists.TestPattern},       {"Language", &lists.Language},
    };
    for (const auto& [name, pair] : pairs) {
        std::printf("%s:\n", name);
        for (std::size_t i = 0; i < pair->Ids.size(); ++i)
            std::printf("  %2zu  %-28s %s\n", i, pair->Ids[i].c_str(),
                        i < pair->Names.size() ? pair->Names[i].c_str() : "");
    }
    return kExitOk;
}

} // namespace mlctl
