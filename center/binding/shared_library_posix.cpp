#include "binding/shared_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace mlc {

const char* const kDriverFileName = "LVDRIVER.so";

SharedLibrary::~SharedLibrary() {
    close();
}

bool SharedLibrary::open(const std::string& path) {
    close();
    error_.clear();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        error_ = reason ? reason : "unknown error";
        return false;
    }
    return true;
}

bool SharedLibrary::close() {
    if (!handle_)
        return false;
    dlclose(handle_);
    handle_ = nullptr;
    return true;
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

std::string ProgramDirectory() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return ".";
    return program.parent_path().string();
}

} // namespace mlc
