// The far end of a serial line for tests: the master side of a real
// pseudo-terminal, served by a thread. The plug-in opens the slave side
// (path()) like a serial device. Under Wine the pseudo-terminal is made and
// relayed by wine_native_helper.py and path() is the COM port it is linked to. The peer records every byte it
// receives, splits the stream into packets by their header, and answers each packet with the next queued
// reply (or the default reply, or silence).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

class PtyPeer {
public:
    // Bytes sent after a pause.
    struct Chunk {
        int delayMs = 0;
        Bytes bytes;
    };
    using Reply = std::vector<Chunk>;

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // The slave device path, for LVDRIVER_PORTS.
    const std::string& path() const { return path_; }

    // The reply to the next packet that arrives; replies are used in order.
    void replyNext(Bytes bytes) { replyNextInChunks(Reply{Chunk{0, std::move(bytes)}}); }
    void replyNextInChunks(Reply reply);
    // The reply to packets for which none is queued; silence when unset.
    void setDefaultReply(std::optional<Bytes> bytes);

    // Every byte received so far, after waiting (up to the limit) until at least
    // atLeast bytes arrived.
    Bytes received(std::size_t atLeast = 0, std::chrono::milliseconds limit = std::chrono::seconds(5));
    // The complete packets received so far, after waiting for at least atLeast.
    std::vector<Bytes> packets(std::size_t atLeast = 0,
                               std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Forgets what was received.
    void clearReceived();

private:
    void serve();
    void consume();
    void answer(const Reply& reply);
    // The line itself, in pty_peer_<platform>.cpp: waits up to 10 ms for bytes.
    std::size_t readSome(std::uint8_t* buffer, std::size_t size);
    void writeAll(const Bytes& bytes);

    int master_ = -1;
    int slave_ = -1; // held so that the master never sees a hang-up
    struct Native;   // under Wine: the native relay and the COM port it takes
    std::unique_ptr<Native> native_;
    std::string path_;

    std::mutex mutex_;
    std::condition_variable arrived_;
    Bytes received_;
    Bytes pending_;
    std::vector<Bytes> packets_;
    std::deque<Reply> replies_;
    std::optional<Bytes> defaultReply_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace testsupport
