#include "paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

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

std::string portList(const std::vector<std::string>& entries) {
#ifdef _WIN32
    const char separator = ';';
#else
    const char separator = ':';
#endif
    std::string list;
    for (std::size_t i = 0; i < entries.size(); ++i)
        list += (i > 0 ? std::string(1, separator) : std::string()) + entries[i];
    return list;
}

TempDir::TempDir() {
    static std::mt19937_64 generator{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "marlune-test-%08llx",
                      static_cast<unsigned long long>(generator() & 0xFFFFFFFFu));
        std::error_code error;
        // Creating a folder that exists fails: the name is ours alone.
        if (std::filesystem::create_directory(base / name, error))
            path_ = (base / name).generic_string();
    }
    if (path_.empty())
        throw std::runtime_error("no temporary folder could be created");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testsupport
