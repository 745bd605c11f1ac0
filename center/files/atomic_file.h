// Whole-file reading and writing for the program's own files.
//
// Writes go to a temporary file in the destination's folder, are flushed to the
// disk, and only then renamed over the destination. A write that fails part-way
// therefore never touches the previous file.
#pragma once

#include "files/load_status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mlc {

bool fileExists(const std::string& path);

// The whole file: Missing, Unreadable, or TooLarge when it holds more than maxBytes.
Loaded<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes);
// The file's first maxBytes bytes (all of a shorter file); what follows is not read.
Loaded<std::vector<std::uint8_t>> readFileStart(const std::string& path, std::size_t maxBytes);

// Replaces (or creates) path with exactly `bytes`; false leaves any old file as it was.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether an existing file could be replaced: the folder and the file are writable.
bool canReplaceFile(const std::string& path);

// Removes a file; true when it is gone afterwards.
bool removeFile(const std::string& path);

// Test seam: every chunk of file data goes through this call, which behaves like
// write(2). Tests install one that fails part-way to play a full disk or a pulled
// medium; while the guard lives, writes use it.
using WriteCall = std::function<long(int fd, const void* data, std::size_t size)>;
class ScopedWriteCall {
public:
    explicit ScopedWriteCall(WriteCall call);
    ~ScopedWriteCall();
    ScopedWriteCall(const ScopedWriteCall&) = delete;
    ScopedWriteCall& operator=(const ScopedWriteCall&) = delete;

private:
    WriteCall previous_;
};

} // namespace mlc
