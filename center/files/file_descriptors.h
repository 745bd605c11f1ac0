// What the shared file code (atomic_file.cpp) needs of the platform, defined in
// atomic_file_<platform>.cpp: file descriptors opened, read, written and closed
// in binary, and the names of a save's temporary files.
#pragma once

#include "files/load_status.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace mlc::files {

// A descriptor for reading, or -1 with `failure` set (Missing or Unreadable).
int openForReading(const std::string& path, LoadStatus& failure);
// As read(2) and write(2): bytes moved, 0 at the end of a file, -1 on failure.
long readChunk(int fd, void* data, std::size_t size);
long writeChunk(int fd, const void* data, std::size_t size);
bool closeFile(int fd);

// The whole span through the test seam of ScopedWriteCall; false on a failure.
bool writeAll(int fd, std::span<const std::uint8_t> bytes);
// The folder of a file's path ("." for a bare name).
std::string folderOf(const std::string& path);

// A save's temporary file is named after its destination: "wall.MLV.tmp-" and
// six characters.
inline constexpr const char* kTemporaryInfix = ".tmp-";
inline constexpr std::size_t kTemporarySuffixLength = 6;
// Calls `visit` with each file in the destination's folder named as a temporary
// file of a save of `path`.
void forEachTemporaryOf(const std::string& path,
                        const std::function<void(const std::filesystem::path&)>& visit);

// A save's temporary file beside its destination, held open while it lives; the
// file is removed when it goes unless kept. The constructor is the platform's: it
// creates the file so that no other save can take it.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& destination);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool opened() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close();
    void keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    bool kept_ = false;
};

} // namespace mlc::files
