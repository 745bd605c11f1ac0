#include "pty_peer.h"

#include "wine_native.h"

namespace testsupport {

struct PtyPeer::Native {
    WinePort port;
    NativeHelper relay{{"relay", port.link()}};
};

PtyPeer::PtyPeer() : native_(std::make_unique<Native>()) {
    std::uint8_t ready = 0;
    if (native_->relay.receive(&ready, 1, 20000) != 1 || ready != 'R')
        throw std::runtime_error("the pseudo-terminal relay did not start");
    path_ = native_->port.name();
    thread_ = std::thread([this] { serve(); });
}

PtyPeer::~PtyPeer() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

std::size_t PtyPeer::readSome(std::uint8_t* buffer, std::size_t size) {
    return native_->relay.receive(buffer, size, 10);
}

void PtyPeer::writeAll(const Bytes& bytes) {
    native_->relay.send(bytes.data(), bytes.size());
}

} // namespace testsupport
