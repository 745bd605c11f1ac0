#include "driver_context.h"

#include <filesystem>
#include <system_error>

namespace lv {

std::string hostProgramPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

} // namespace lv
