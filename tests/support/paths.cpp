#include "paths.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace testsupport {

std::string binDir() {
    return MARLUNE_BIN_DIR;
}
std::string binPath(const std::string& name) {
    return binDir() + "/" + name;
}
std::string sourcePath(const std::string& relative) {
    return std::string(MARLUNE_SOURCE_DIR) + "/" + relative;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "marlune-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testsupport
