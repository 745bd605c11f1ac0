#include "binding/shared_library.h"

#include <cstdio>
#include <filesystem>

#include <windows.h>

namespace mlc {

const char* const kDriverFileName = "LVDRIVER.DLL";

SharedLibrary::~SharedLibrary() {
    close();
}

bool SharedLibrary::open(const std::string& path) {
    close();
    error_.clear();
    handle_ = ::LoadLibraryA(path.c_str());
    if (!handle_) {
        char text[160];
        std::snprintf(text, sizeof text, "LoadLibrary failed for %s (win error code: %lu)", path.c_str(),
                      ::GetLastError());
        error_ = text;
        return false;
    }
    return true;
}

bool SharedLibrary::close() {
    if (!handle_)
        return false;
    ::FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
    return true;
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ ? reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

std::string ProgramDirectory() {
    char path[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return ".";
    return std::filesystem::path(std::string(path, length)).parent_path().string();
}

} // namespace mlc
