#include "fake_plugin.h"

#include <cstring>

namespace fakeplugin {

namespace {

std::string text(LvCell cell) {
    return cell ? std::string(reinterpret_cast<const char*>(cell)) : std::string("-");
}

void writeOutput(LvCell cell, const std::string& value) {
    // As the plug-in does: characters at offsets 1..n, nothing else touched.
    std::memcpy(reinterpret_cast<std::uint8_t*>(cell) + 1, value.data(), value.size());
}

std::uint8_t answer(const std::string& line, std::uint8_t success) {
    script().calls.push_back(line);
    const auto failure = script().failures.find(line);
    return failure == script().failures.end() ? success : failure->second;
}

std::uint8_t operation(const std::string& command, LvCell* p1, LvCell* p2, LvCell* p3, LvCell* p4) {
    const std::string op = text(*p1);
    const std::string target = text(*p2);
    const auto kind = static_cast<std::uint8_t>(*p4);
    std::string line = command + " " + op + " " + target + " ";
    if (command == "SendOpSetValue") {
        line +=
            kind == LV_VALUE_PERCENTAGE ? "%" + std::to_string(static_cast<std::int32_t>(*p3)) : text(*p3);
        return answer(line, 128);
    }
    line += kind == LV_VALUE_PERCENTAGE ? "%" : "$";
    const std::uint8_t result = answer(line, 128);
    const std::string key = op + " " + target;
    if (kind == LV_VALUE_PERCENTAGE) {
        const auto found = script().percents.find(key);
        if (found != script().percents.end())
            *p3 = static_cast<LvCell>(static_cast<std::uint32_t>(found->second));
    } else {
        const auto found = script().identifiers.find(key);
        if (found != script().identifiers.end())
            writeOutput(*p3, found->second);
    }
    return result;
}

std::uint8_t byName(const uint8_t* name, LvCell* p1, LvCell* p2, LvCell* p3, LvCell* p4) {
    const std::string command(reinterpret_cast<const char*>(name + 1), name[0]);
    Script& s = script();
    if (command == "SendOpSetValue" || command == "SendOpGetValue")
        return operation(command, p1, p2, p3, p4);
    if (command == "SendOpExecute")
        return answer(command + " " + text(*p1) + " " + text(*p2), 128);
    if (command == "SendEvent")
        return answer(command + " " + text(*p1), 128);
    if (command == "SetAnswerRxStatus" || command == "SetTestModeStatus" || command == "SetRangeCacheStatus")
        return answer(command + " " + std::to_string(*p1), 0);
    if (command == "GetMatchListItemCount") {
        const auto found = s.lists.find(text(*p1));
        *p2 = found == s.lists.end() ? 0 : found->second.size();
        return 0;
    }
    if (command == "GetMatchListItem") {
        const auto found = s.lists.find(text(*p1));
        if (found == s.lists.end() || *p2 >= found->second.size())
            return LV_RESULT_INDEX_OUT_OF_RANGE;
        const auto failure = s.failures.find("GetMatchListItem " + text(*p1) + " " + std::to_string(*p2));
        if (failure != s.failures.end())
            return failure->second;
        writeOutput(*p3, found->second[*p2].first);
        writeOutput(*p4, found->second[*p2].second);
        return 0;
    }
    return LV_RESULT_UNSUPPORTED_COMMAND;
}

std::uint8_t byNumber(uint32_t, LvCell*, LvCell*, LvCell*, LvCell*) {
    return LV_RESULT_UNSUPPORTED_COMMAND;
}
std::uint8_t supportInfo(LvCell*) {
    return 0;
}
std::uint8_t openPort(uint32_t) {
    return 0;
}
std::uint8_t closePort() {
    return 0;
}
uint32_t sendPacket(Packet*) {
    return LV_LINK_ACK;
}
std::uint8_t lastErrorText(uint8_t* buffer) {
    const std::string& message = script().lastError;
    buffer[0] = static_cast<uint8_t>(message.size());
    std::memcpy(buffer + 1, message.data(), message.size());
    return 0;
}

} // namespace

Script& script() {
    static Script instance;
    return instance;
}

void reset() {
    script() = Script{};
}

mlc::DriverExports exports() {
    mlc::DriverExports e;
    e.GetPluginSupportInfo = supportInfo;
    e.OpenHardwarePort = openPort;
    e.CloseHardwarePort = closePort;
    e.ExecutePluginFunctionByNumber = byNumber;
    e.ExecutePluginFunctionByName = byName;
    e.SendPacket = sendPacket;
    e.GetLastErrorText = lastErrorText;
    return e;
}

} // namespace fakeplugin
