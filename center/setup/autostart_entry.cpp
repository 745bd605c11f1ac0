// What the start-at-login entry does alike on every platform: its folder, its
// removal.
#include "setup/autostart_entry.h"

#include "files/atomic_file.h"

#include <filesystem>
#include <system_error>

namespace mlc {

bool writeAutostartEntry(const std::string& entryPath, const std::string& programPath,
                         const std::string& configDir, std::string& error) {
    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(entryPath).parent_path(), failure);
    if (failure) {
        error = failure.message();
        return false;
    }
    return saveAutostartEntry(entryPath, programPath, configDir, error);
}

bool removeAutostartEntry(const std::string& entryPath) {
    return !fileExists(entryPath) || removeFile(entryPath);
}

} // namespace mlc
