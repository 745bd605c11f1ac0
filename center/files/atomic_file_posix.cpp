#include "files/atomic_file.h"

#include "files/file_descriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace mlc {

namespace {

// The temporary files of a save are locked by the process that writes one until
// it has been renamed, so a temporary file that nobody holds a lock on was left
// behind by a save that was killed: this removes those of `path`.
void removeStaleTemporaries(const std::string& path) {
    files::forEachTemporaryOf(path, [](const std::filesystem::path& temporary) {
        const int fd = ::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(temporary.c_str());
        ::close(fd);
    });
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd); // best effort: some file systems refuse it on folders
        ::close(fd);
    }
}

} // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty())
        return false;
    removeStaleTemporaries(path);
    files::TemporaryFile temp(path);
    if (!temp.opened())
        return false;
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(temp.fd(), mode);
    if (!files::writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0)
        return false;
    // Renamed while still locked, so that no sweep takes it for a stale one; the
    // data is on the disk already, so closing it cannot lose any.
    if (::rename(temp.path().c_str(), path.c_str()) != 0)
        return false;
    temp.keep();
    temp.close();
    syncFolder(files::folderOf(path));
    return true;
}

bool canReplaceFile(const std::string& path) {
    return ::access(files::folderOf(path).c_str(), W_OK) == 0 && ::access(path.c_str(), W_OK) == 0;
}

bool removeFile(const std::string& path) {
    ::unlink(path.c_str());
    return ::access(path.c_str(), F_OK) != 0;
}

namespace files {

int openForReading(const std::string& path, LoadStatus& failure) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        failure = errno == ENOENT ? LoadStatus::Missing : LoadStatus::Unreadable;
    return fd;
}

long readChunk(int fd, void* data, std::size_t size) {
    return static_cast<long>(::read(fd, data, size));
}

long writeChunk(int fd, const void* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

bool closeFile(int fd) {
    return ::close(fd) == 0;
}

TemporaryFile::TemporaryFile(const std::string& destination)
    : path_(destination + kTemporaryInfix + std::string(kTemporarySuffixLength, 'X')) {
    fd_ = ::mkstemp(path_.data());
    created_ = fd_ >= 0;
    // Taken at once: a stale-file sweep of another save that locks it first
    // would remove it, so such a file is given up.
    if (created_ && ::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        close();
}

} // namespace files

} // namespace mlc
