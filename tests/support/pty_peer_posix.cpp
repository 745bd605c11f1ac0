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

void makeRaw(int fd) {
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
}

} // namespace

struct PtyPeer::Native {}; // the pseudo-terminal is the test's own

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

std::size_t PtyPeer::readSome(std::uint8_t* buffer, std::size_t size) {
    pollfd entry{master_, POLLIN, 0};
    if (poll(&entry, 1, 10) <= 0 || !(entry.revents & POLLIN))
        return 0;
    const ssize_t got = read(master_, buffer, size);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
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
