#include "pty_peer.h"

namespace testsupport {
namespace {

constexpr std::uint8_t kSyncLow = 0xBE, kSyncHigh = 0xEF;
constexpr std::size_t kHeaderSize = 7;

} // namespace

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
        std::uint8_t buffer[4096];
        const std::size_t got = readSome(buffer, sizeof buffer);
        if (got == 0)
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

} // namespace testsupport
