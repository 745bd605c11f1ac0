#include "driver_context.h"

#include <windows.h>

namespace lv {

std::string hostProgramPath() {
    char path[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

} // namespace lv
