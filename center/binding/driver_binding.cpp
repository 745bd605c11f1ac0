#include "binding/driver_binding.h"

#include "binding/driver_result.h"
#include "binding/text_buffer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

namespace mlc {

namespace {

LvCell textCell(const std::string& text) {
    return reinterpret_cast<LvCell>(text.c_str());
}
LvCell optionalTextCell(const std::string& text) {
    return text.empty() ? 0 : textCell(text);
}
LvCell numberCell(std::int32_t value) {
    return static_cast<LvCell>(static_cast<std::uint32_t>(value));
}
std::int32_t cellNumber(LvCell cell) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(cell));
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::string DeviceSelectionIdentifier(std::uint8_t id) {
    if (id == 0)
        return "envNotEnabled";
    if (id == 1)
        return "envEnable";
    if (id < 10)
        return "env0" + std::to_string(id);
    return "env" + std::to_string(id);
}

bool DriverBinding::LoadDriverLibrary() {
    return LoadDriverLibrary(ProgramDirectory() + "/" + kDriverFileName);
}

bool DriverBinding::LoadDriverLibrary(const std::string& path) {
    if (IsLoaded())
        return false;
    loadError_.clear();
    if (!library_.open(path)) {
        loadError_ = library_.error();
        return false;
    }
    DriverExports exports;
    exports.GetPluginSupportInfo =
        reinterpret_cast<GetPluginSupportInfoFn>(library_.symbol("GetPluginSupportInfo"));
    exports.OpenHardwarePort = reinterpret_cast<OpenHardwarePortFn>(library_.symbol("OpenHardwarePort"));
    exports.CloseHardwarePort = reinterpret_cast<CloseHardwarePortFn>(library_.symbol("CloseHardwarePort"));
    exports.ExecutePluginFunctionByNumber =
        reinterpret_cast<ExecutePluginFunctionByNumberFn>(library_.symbol("ExecutePluginFunctionByNumber"));
    exports.ExecutePluginFunctionByName =
        reinterpret_cast<ExecutePluginFunctionByNameFn>(library_.symbol("ExecutePluginFunctionByName"));
    exports.SendPacket = reinterpret_cast<SendPacketFn>(library_.symbol("SendPacket"));
    exports.GetLastErrorText = reinterpret_cast<GetLastErrorTextFn>(library_.symbol("GetLastErrorText"));
    if (!bind(exports, path)) {
        library_.close();
        return false;
    }
    return true;
}

bool DriverBinding::BindExports(const DriverExports& exports) {
    if (IsLoaded())
        return false;
    loadError_.clear();
    return bind(exports, "bound exports");
}

bool DriverBinding::bind(const DriverExports& exports, const std::string& origin) {
    // A library without one of the six exports would crash the first call of it.
    const std::pair<const char*, bool> required[] = {
        {"GetPluginSupportInfo", exports.GetPluginSupportInfo != nullptr},
        {"OpenHardwarePort", exports.OpenHardwarePort != nullptr},
        {"CloseHardwarePort", exports.CloseHardwarePort != nullptr},
        {"ExecutePluginFunctionByNumber", exports.ExecutePluginFunctionByNumber != nullptr},
        {"ExecutePluginFunctionByName", exports.ExecutePluginFunctionByName != nullptr},
        {"SendPacket", exports.SendPacket != nullptr},
    };
    for (const auto& [name, found] : required) {
        if (!found) {
            loadError_ = origin + ": the export " + name + " is missing";
            return false;
        }
    }
    exports_ = exports;
    return true;
}

bool DriverBinding::UnloadDriverLibrary() {
    if (!IsLoaded())
        return false;
    library_.close();
    exports_ = DriverExports{};
    return true;
}

void DriverBinding::ReportLoadFailure(Operator& op) const {
    op.showMessage(MessageKind::Error, "The driver library could not be loaded:\r\n" + loadError_ +
                                           "\r\nThe program goes on without access to the devices.");
}

std::uint8_t DriverBinding::OpenHardwarePort(std::uint32_t port) {
    return IsLoaded() ? exports_.OpenHardwarePort(port) : kDriverNotLoaded;
}

std::uint8_t DriverBinding::CloseHardwarePort() {
    return IsLoaded() ? exports_.CloseHardwarePort() : kDriverNotLoaded;
}

std::uint32_t DriverBinding::PortCount() {
    if (!IsLoaded())
        return 0;
    auto info = std::make_unique<PluginInfo>();
    LvCell cell = reinterpret_cast<LvCell>(info.get());
    exports_.GetPluginSupportInfo(&cell);
    return info->portCount;
}

std::uint32_t DriverBinding::SendPacket(Packet& packet) {
    return IsLoaded() ? exports_.SendPacket(&packet) : static_cast<std::uint32_t>(LV_LINK_NO_REPLY);
}

std::string DriverBinding::LastErrorText() {
    if (!IsLoaded() || !exports_.GetLastErrorText)
        return {};
    DriverTextBuffer buffer;
    exports_.GetLastErrorText(buffer.data());
    return buffer.text();
}

std::uint8_t DriverBinding::call(const char* command, Cells& cells) {
    if (!IsLoaded())
        return kDriverNotLoaded;
    const std::string name(command);
    std::array<std::uint8_t, 256> lengthPrefixed{};
    lengthPrefixed[0] = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
    std::copy_n(name.begin(), lengthPrefixed[0], lengthPrefixed.begin() + 1);
    return exports_.ExecutePluginFunctionByName(lengthPrefixed.data(), &cells[0], &cells[1], &cells[2],
                                                &cells[3]);
}

std::uint8_t DriverBinding::call(const char* command, LvCell p1, LvCell p2, LvCell p3, LvCell p4) {
    Cells cells{p1, p2, p3, p4};
    return call(command, cells);
}

std::uint8_t DriverBinding::SendEventByName(const std::string& name) {
    return call("SendEvent", textCell(name), 0, 0, 0);
}

std::uint8_t DriverBinding::SetOperationPercent(const std::string& op, const std::string& target,
                                                std::int32_t percent) {
    return call("SendOpSetValue", textCell(op), optionalTextCell(target), numberCell(percent),
                LV_VALUE_PERCENTAGE);
}

std::uint8_t DriverBinding::SetOperationIdentifier(const std::string& op, const std::string& target,
                                                   const std::string& value) {
    return call("SendOpSetValue", textCell(op), optionalTextCell(target), textCell(value),
                LV_VALUE_IDENTIFIER);
}

std::uint8_t DriverBinding::GetOperationPercent(const std::string& op, const std::string& target,
                                                std::int32_t& percent) {
    Cells cells{textCell(op), optionalTextCell(target), 0, LV_VALUE_PERCENTAGE};
    const std::uint8_t result = call("SendOpGetValue", cells);
    percent = cellNumber(cells[2]);
    return result;
}

std::uint8_t DriverBinding::GetOperationIdentifier(const std::string& op, const std::string& target,
                                                   std::string& text) {
    DriverTextBuffer buffer;
    const std::uint8_t result = call("SendOpGetValue", textCell(op), optionalTextCell(target),
                                     reinterpret_cast<LvCell>(buffer.data()), LV_VALUE_IDENTIFIER);
    text = buffer.text();
    return result;
}

std::uint8_t DriverBinding::ExecuteOperation(const std::string& op, const std::string& target) {
    return call("SendOpExecute", textCell(op), optionalTextCell(target), 0, 0);
}

std::uint8_t DriverBinding::SetAnswerWait(bool wait) {
    return call("SetAnswerRxStatus", wait ? 1 : 0, 0, 0, 0);
}

std::uint8_t DriverBinding::GetMatchListCount(const std::string& list, std::uint32_t& count) {
    Cells cells{textCell(list), 0, 0, 0};
    const std::uint8_t result = call("GetMatchListItemCount", cells);
    count = static_cast<std::uint32_t>(cells[1]);
    return result;
}

std::uint8_t DriverBinding::GetMatchListEntry(const std::string& list, std::uint32_t index, std::string& code,
                                              std::string& description) {
    DriverTextBuffer codeBuffer;
    DriverTextBuffer descriptionBuffer;
    const std::uint8_t result =
        call("GetMatchListItem", textCell(list), index, reinterpret_cast<LvCell>(codeBuffer.data()),
             reinterpret_cast<LvCell>(descriptionBuffer.data()));
    code = codeBuffer.text();
    description = descriptionBuffer.text();
    return result;
}

std::uint8_t DriverBinding::SetTestMode(bool on) {
    return call("SetTestModeStatus", on ? 1 : 0, 0, 0, 0);
}

std::uint8_t DriverBinding::SetRangeCacheStatus(bool on) {
    return call(LV_COMMAND_SET_RANGE_CACHE_STATUS, on ? 1 : 0, 0, 0, 0);
}

std::uint8_t DriverBinding::SetTrafficTap(LvTrafficTap tap, void* context) {
    return call(LV_COMMAND_SET_TRAFFIC_TAP, reinterpret_cast<LvCell>(tap), reinterpret_cast<LvCell>(context),
                0, 0);
}

std::uint8_t DriverBinding::SelectDevice(std::uint8_t id) {
    // Several units would answer a broadcast at once, so none is waited for.
    SetAnswerWait(id > 0);
    return SetOperationIdentifier("op_IP_MISC_DEVICESELECTION", "slmIMMEXCLUSIVE",
                                  DeviceSelectionIdentifier(id));
}

std::uint8_t DriverBinding::LoadMatchList(std::vector<std::string>& codes,
                                          std::vector<std::string>& descriptions, const std::string& list,
                                          const std::string& exclude) {
    codes.clear();
    descriptions.clear();
    std::uint32_t count = 0;
    GetMatchListCount(list, count);
    if (count == 0)
        return 0;
    std::string excluded = upper(exclude);
    if (!excluded.empty() && excluded.back() != ',')
        excluded += ',';
    for (std::uint32_t index = 0; index < count; ++index) {
        std::string code;
        std::string description;
        const std::uint8_t result = GetMatchListEntry(list, index, code, description);
        if (!IsDriverSuccess(result))
            return result;
        if (excluded.find(upper(code) + ",") == std::string::npos) {
            codes.push_back(code);
            descriptions.push_back(description);
        }
    }
    return 0;
}

bool DriverBinding::ShowDriverResult(Operator& op, std::uint8_t code, bool showSuccess) {
    const std::string text = ResultMessage(code, showSuccess);
    if (text.empty())
        return false;
    op.showMessage(MessageKind::Error, text);
    return true;
}

std::string DriverBinding::ResultMessage(std::uint8_t code, bool showSuccess) {
    // Port failures carry the port layer's own message; the plug-in clears it at
    // every call, so it belongs to this result.
    const bool portFailure = code == LV_RESULT_IO_ERROR || code == LV_RESULT_CANNOT_OPEN_PORT ||
                             code == LV_RESULT_CANNOT_CLOSE_PORT;
    const std::string detail = portFailure ? LastErrorText() : std::string();
    portFailed_ = !detail.empty();
    return DriverResultMessage(code, showSuccess, detail);
}

} // namespace mlc
