// The platform-independent part of reading and saving files, over the calls of
// files/file_descriptors.h.
#include "files/atomic_file.h"

#include "files/file_descriptors.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

namespace mlc {

namespace {

WriteCall& currentWriteCall() {
    static WriteCall call;
    return call;
}

// Reads up to limit bytes; `more` tells whether the file goes on beyond them.
Loaded<std::vector<std::uint8_t>> readUpTo(const std::string& path, std::size_t limit, bool& more) {
    LoadStatus failure = LoadStatus::Unreadable;
    const int fd = files::openForReading(path, failure);
    if (fd < 0)
        return failure.reason();
    // Read straight into the result, growing it as the file goes on. One byte
    // beyond the limit tells whether there is more.
    const std::size_t wanted = limit + 1;
    std::vector<std::uint8_t> data(std::min<std::size_t>(wanted, 64 * 1024));
    std::size_t done = 0;
    bool ok = true;
    while (done < wanted) {
        if (done == data.size())
            data.resize(std::min(wanted, data.size() * 2));
        const long n = files::readChunk(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    files::closeFile(fd);
    if (!ok)
        return LoadStatus::Unreadable;
    more = done > limit;
    data.resize(std::min(done, limit));
    return data;
}

} // namespace

namespace files {

TemporaryFile::~TemporaryFile() {
    close();
    if (created_ && !kept_)
        removeFile(path_);
}

bool TemporaryFile::close() {
    if (fd_ < 0)
        return true;
    const bool ok = closeFile(fd_);
    fd_ = -1;
    return ok;
}

void forEachTemporaryOf(const std::string& path,
                        const std::function<void(const std::filesystem::path&)>& visit) {
    namespace fs = std::filesystem;
    const std::string prefix = fs::path(path).filename().string() + kTemporaryInfix;
    std::error_code error;
    for (fs::directory_iterator it(folderOf(path), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + kTemporarySuffixLength &&
            name.compare(0, prefix.size(), prefix) == 0)
            visit(it->path());
    }
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    const WriteCall& call = currentWriteCall();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t size = std::min<std::size_t>(bytes.size() - done, 1u << 30);
        const long n = call ? call(fd, bytes.data() + done, size) : writeChunk(fd, bytes.data() + done, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

} // namespace files

Loaded<std::vector<std::uint8_t>> readFile(const std::string& path, std::size_t maxBytes) {
    bool more = false;
    auto data = readUpTo(path, maxBytes, more);
    if (more)
        return LoadStatus::TooLarge;
    return data;
}

Loaded<std::vector<std::uint8_t>> readFileStart(const std::string& path, std::size_t maxBytes) {
    bool more = false;
    return readUpTo(path, maxBytes, more);
}

ScopedWriteCall::ScopedWriteCall(WriteCall call) : previous_(std::move(currentWriteCall())) {
    currentWriteCall() = std::move(call);
}
ScopedWriteCall::~ScopedWriteCall() {
    currentWriteCall() = std::move(previous_);
}

} // namespace mlc
