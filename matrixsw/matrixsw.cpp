// The default video matrix router: accepts every call, has no inputs. Environment
// settings let tests make it refuse calls, name inputs and log every call
// (docs/matrixsw.md). The settings are read at each call, so a test can change
// them between calls.
#define MATRIXSW_BUILDING
#include "matrixsw.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string envText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        items.push_back(text.substr(start, end - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return items;
}

// Calls of refusable functions since the script last changed or was reset.
struct ScriptState {
    std::string seenScript;
    long acceptedCalls = 0;
};
ScriptState& scriptState() {
    static ScriptState state;
    return state;
}

// Whether a refusable function accepts this call: refused when it is named in
// MATRIXSW_REFUSE and more than MATRIXSW_REFUSE_AFTER of the named calls came before.
bool accepts(const char* function) {
    const std::string refuse = envText("MATRIXSW_REFUSE");
    const std::string after = envText("MATRIXSW_REFUSE_AFTER");
    ScriptState& state = scriptState();
    const std::string script = refuse + "|" + after;
    if (script != state.seenScript) {
        state.seenScript = script;
        state.acceptedCalls = 0;
    }
    const auto names = splitList(refuse);
    if (std::find(names.begin(), names.end(), function) == names.end())
        return true;
    const long limit = after.empty() ? 0 : std::strtol(after.c_str(), nullptr, 10);
    if (state.acceptedCalls < limit) {
        ++state.acceptedCalls;
        return true;
    }
    return false;
}

void logCall(const std::string& line) {
    const std::string path = envText("MATRIXSW_LOG");
    if (path.empty())
        return;
    // Binary: the same bytes on every system.
    if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

std::vector<std::string> inputNames() {
    return splitList(envText("MATRIXSW_INPUTS"));
}

// What the router has been told: the registered devices and the input feeding each.
struct RouterState {
    std::map<int, int> feeds; // device ID -> router input (-1 before any switch)
    MatrixSwDialogHandler handler = nullptr;
    void* handlerContext = nullptr;
};
RouterState& routerState() {
    static RouterState state;
    return state;
}

std::string inputText(int input, const std::vector<std::string>& names) {
    std::string text = "input " + std::to_string(input + 1);
    if (input >= 0 && static_cast<std::size_t>(input) < names.size())
        text += " (" + names[static_cast<std::size_t>(input)] + ")";
    return text;
}

std::string configurationText() {
    const auto names = inputNames();
    const auto& feeds = routerState().feeds;
    std::string text;
    if (names.empty()) {
        text = "No video matrix is attached.\n\n"
               "This is the default router library: it accepts every request of the control program and "
               "has no inputs. A site with a video matrix installs its own router library in its place.\n\n";
    } else {
        text = "Router inputs:\n";
        for (std::size_t i = 0; i < names.size(); ++i)
            text += "  " + std::to_string(i + 1) + ". " + names[i] + "\n";
        text += "\n";
    }
    if (feeds.empty())
        return text + "No devices are registered.";
    text += "Devices registered (" + std::to_string(feeds.size()) + "):";
    if (names.empty()) {
        for (const auto& feed : feeds)
            text += " " + std::to_string(feed.first);
        return text;
    }
    for (const auto& [device, input] : feeds)
        text += "\n  ID " + std::to_string(device) + ": " +
                (input < 0 ? std::string("no input switched yet") : inputText(input, names));
    return text;
}

uint8_t answer(const char* function, const std::string& arguments) {
    const bool accepted = accepts(function);
    logCall(std::string(function) + arguments + " -> " + (accepted ? "1" : "0"));
    return accepted ? 1 : 0;
}

} // namespace

extern "C" {

uint8_t MATRIXSW_API LVDRIVER_SetDeviceUsage(uint8_t deviceId, uint8_t inUse) {
    const uint8_t accepted =
        answer("SetDeviceUsage", " " + std::to_string(deviceId) + " " + std::to_string(inUse));
    auto& feeds = routerState().feeds;
    if (accepted && inUse)
        feeds.emplace(deviceId, -1);
    else if (accepted)
        feeds.erase(deviceId);
    return accepted;
}

uint8_t MATRIXSW_API LVDRIVER_SetNewInput(uint8_t deviceId, uint8_t input) {
    const uint8_t accepted =
        answer("SetNewInput", " " + std::to_string(deviceId) + " " + std::to_string(input));
    // Only a registered device is shown with its feed.
    if (auto feed = routerState().feeds.find(deviceId); accepted && feed != routerState().feeds.end())
        feed->second = input;
    return accepted;
}

uint8_t MATRIXSW_API LVDRIVER_CommitChanges(void) {
    return answer("CommitChanges", "");
}

void MATRIXSW_API LVDRIVER_ResyncVideowall(void) {
    logCall("ResyncVideowall");
}

uint32_t MATRIXSW_API LVDRIVER_GetInputCount(void) {
    const auto count = static_cast<uint32_t>(inputNames().size());
    logCall("GetInputCount -> " + std::to_string(count));
    return count;
}

void MATRIXSW_API LVDRIVER_GetInputName(uint8_t* buffer, int32_t index) {
    logCall("GetInputName " + std::to_string(index));
    if (!buffer)
        return;
    const auto names = inputNames();
    std::string name;
    if (index >= 0 && static_cast<std::size_t>(index) < names.size())
        name = names[static_cast<std::size_t>(index)];
    const std::size_t length = std::min<std::size_t>(name.size(), 255);
    buffer[0] = static_cast<uint8_t>(length);
    std::memcpy(buffer + 1, name.data(), length);
}

void MATRIXSW_API LVDRIVER_ConfigurePlugin(void) {
    logCall("ConfigurePlugin");
    const std::string text = configurationText();
    const RouterState& state = routerState();
    if (state.handler)
        state.handler(state.handlerContext, "Video matrix router", text.c_str());
    else
        std::fprintf(stderr, "Video matrix router\n%s\n", text.c_str());
}

void MATRIXSW_API MATRIXSW_SetDialogHandler(MatrixSwDialogHandler handler, void* context) {
    routerState().handler = handler;
    routerState().handlerContext = handler ? context : nullptr;
}

void MATRIXSW_API MATRIXSW_ResetScript(void) {
    scriptState().seenScript.clear();
    scriptState().acceptedCalls = 0;
}

} // extern "C"
