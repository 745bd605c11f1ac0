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
    if (std::FILE* file = std::fopen(path.c_str(), "a")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

std::vector<std::string> inputNames() {
    return splitList(envText("MATRIXSW_INPUTS"));
}

uint8_t answer(const char* function, const std::string& arguments) {
    const bool accepted = accepts(function);
    logCall(std::string(function) + arguments + " -> " + (accepted ? "1" : "0"));
    return accepted ? 1 : 0;
}

} // namespace

extern "C" {

uint8_t MATRIXSW_API LVDRIVER_SetDeviceUsage(uint8_t deviceId, uint8_t inUse) {
    return answer("SetDeviceUsage", " " + std::to_string(deviceId) + " " + std::to_string(inUse));
}

uint8_t MATRIXSW_API LVDRIVER_SetNewInput(uint8_t deviceId, uint8_t input) {
    return answer("SetNewInput", " " + std::to_string(deviceId) + " " + std::to_string(input));
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
}

void MATRIXSW_API MATRIXSW_ResetScript(void) {
    scriptState().seenScript.clear();
    scriptState().acceptedCalls = 0;
}

} // extern "C"
