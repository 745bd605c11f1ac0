#include "pty_peer.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace testsupport {
namespace {

constexpr std::uint8_t kSyncLow = 0xBE, kSyncHigh = 0xEF;
constexpr std::size_t kHeaderSize = 7;

void makeRaw(int fd) {
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
}

} // namespace

PtyPeer::PtyPeer() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    path_ = name;
    makeRaw(master_);
    makeRaw(slave_);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { serve(); });
}

PtyPeer::~PtyPeer() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    close(slave_);
    close(master_);
}

void PtyPeer::replyNextInChunks(Reply reply) {
    std::lock_guard lock(mutex_);
    replies_.push_back(std::move(reply));
}

void PtyPeer::setDefaultReply(std::optional<Bytes> bytes) {
    std::lock_guard lock(mutex_);
    defaultReply_ = std::move(bytes);
}

Bytes PtyPeer::received(std::size_t atLeast, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, limit, [&] { return received_.size() >= atLeast; });
    return received_;
}

std::vector<Bytes> PtyPeer::packets(std::size_t atLeast, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, limit, [&] { return packets_.size() >= atLeast; });
    return packets_;
}

void PtyPeer::clearReceived() {
    std::lock_guard lock(mutex_);
    received_.clear();
    packets_.clear();
}

void PtyPeer::serve() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
        }
        pollfd entry{master_, POLLIN, 0};
        if (poll(&entry, 1, 10) <= 0 || !(entry.revents & POLLIN))
            continue;
        std::uint8_t buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0)
            continue;
        {
            std::lock_guard lock(mutex_);
            received_.insert(received_.end(), buffer, buffer + got);
            pending_.insert(pending_.end(), buffer, buffer + got);
        }
        consume();
    }
}

// Splits the pending bytes into packets (answered) and single bytes such as the
// acknowledge after a reply packet (recorded only).
void PtyPeer::consume() {
    for (;;) {
        std::optional<Reply> reply;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty())
                break;
            if (pending_[0] != kSyncLow || (pending_.size() >= 2 && pending_[1] != kSyncHigh)) {
                pending_.erase(pending_.begin());
                arrived_.notify_all();
                continue;
            }
            if (pending_.size() < kHeaderSize)
                break;
            const std::size_t size = kHeaderSize + (pending_[3] | (pending_[4] << 8));
            if (pending_.size() < size)
                break;
            packets_.emplace_back(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(size));
            if (!replies_.empty()) {
                reply = std::move(replies_.front());
                replies_.pop_front();
            } else if (defaultReply_) {
                reply = Reply{Chunk{0, *defaultReply_}};
            }
        }
        arrived_.notify_all();
        if (reply)
            answer(*reply);
    }
    arrived_.notify_all();
}

void PtyPeer::answer(const Reply& reply) {
    for (const Chunk& chunk : reply) {
        if (chunk.delayMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(chunk.delayMs));
        writeAll(chunk.bytes);
    }
}

void PtyPeer::writeAll(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(master_, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd entry{master_, POLLOUT, 0};
            poll(&entry, 1, 10);
        }
    }
}

} // namespace testsupport
