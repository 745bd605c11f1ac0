// Files on Windows. A save writes a temporary file beside the destination, held
// open without sharing, flushes it to the disk and puts it in place with
// ReplaceFile (which keeps the old file's attributes and security) or, for a new
// file, MoveFileEx. A temporary file that can be deleted is no longer held by
// anybody: a killed save left it behind.
#include "files/atomic_file.h"

#include "files/file_descriptors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <random>
#include <share.h>
#include <sys/stat.h>
#include <utility>

#include <windows.h>

namespace mlc {

namespace {

using files::kTemporaryInfix;
using files::kTemporarySuffixLength;

std::string temporaryName(const std::string& destination) {
    static std::mt19937 generator{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = destination + kTemporaryInfix;
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i)
        name += kLetters[generator() % (sizeof kLetters - 1)];
    return name;
}

// Deletes the temporary files of `path` that killed saves left behind; one that
// a running save holds cannot be deleted and stays.
void removeStaleTemporaries(const std::string& path) {
    files::forEachTemporaryOf(path, [](const std::filesystem::path& temporary) {
        std::error_code error;
        if (std::filesystem::is_regular_file(temporary, error))
            ::DeleteFileA(temporary.string().c_str());
    });
}

DWORD attributesOf(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

} // namespace

bool fileExists(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty())
        return false;
    removeStaleTemporaries(path);
    files::TemporaryFile temp(path);
    if (!temp.opened())
        return false;
    if (!files::writeAll(temp.fd(), bytes) || ::_commit(temp.fd()) != 0 || !temp.close())
        return false;
    const bool replaced = fileExists(path)
                              ? ::ReplaceFileA(path.c_str(), temp.path().c_str(), nullptr,
                                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                              : ::MoveFileExA(temp.path().c_str(), path.c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced)
        return false;
    temp.keep();
    return true;
}

bool canReplaceFile(const std::string& path) {
    const DWORD folder = attributesOf(files::folderOf(path));
    const DWORD file = attributesOf(path);
    return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) &&
           file != INVALID_FILE_ATTRIBUTES && !(file & FILE_ATTRIBUTE_READONLY);
}

bool removeFile(const std::string& path) {
    ::DeleteFileA(path.c_str());
    return attributesOf(path) == INVALID_FILE_ATTRIBUTES;
}

namespace files {

int openForReading(const std::string& path, LoadStatus& failure) {
    int fd = -1;
    if (::_sopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYNO, 0) != 0)
        failure = errno == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable;
    return fd;
}

long readChunk(int fd, void* data, std::size_t size) {
    return ::_read(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

long writeChunk(int fd, const void* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

bool closeFile(int fd) {
    return ::_close(fd) == 0;
}

TemporaryFile::TemporaryFile(const std::string& destination) {
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        path_ = temporaryName(destination);
        ::_sopen_s(&fd_, path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                   _S_IREAD | _S_IWRITE);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    created_ = fd_ >= 0;
}

} // namespace files

} // namespace mlc
