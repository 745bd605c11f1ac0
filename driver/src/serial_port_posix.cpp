// The serial port on POSIX systems: termios in raw mode, poll for the time-outs.
#include "serial_port.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace lv {
namespace {

using Clock = std::chrono::steady_clock;

long long millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : left;
}

Clock::time_point after(long long ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

// What a hung-up line reports: the far end is gone, as the system says when a
// terminal is used after its hang-up.
SerialPortError hungUp(SerialErrorCode failure) {
    return SerialPortError(failure, EIO, ": the line hung up");
}

// A device refused for lack of permission: who may open it and how to join them.
// On Debian the serial devices belong to the group dialout, which a new user is
// not in yet. Nothing to add when the device's group may not read and write it.
std::string permissionAdvice(const std::string& devicePath) {
    struct stat node {};
    if (::stat(devicePath.c_str(), &node) != 0 || (node.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    char buffer[4096];
    group groupEntry{};
    group* owner = nullptr;
    if (::getgrgid_r(node.st_gid, &groupEntry, buffer, sizeof buffer, &owner) != 0 || !owner)
        return {};
    const std::string groupName = owner->gr_name;
    char userBuffer[4096];
    passwd userEntry{};
    passwd* self = nullptr;
    const bool known =
        ::getpwuid_r(::getuid(), &userEntry, userBuffer, sizeof userBuffer, &self) == 0 && self;
    const std::string user = known ? self->pw_name : "$USER";
    return ": members of the group " + groupName + " may use it; add " + user + " to it (sudo adduser " +
           user + " " + groupName + ") and log in again";
}

enum class Readiness { Ready, TimedOut };

// Waits until the descriptor is ready or the deadline passes. A line whose far
// end has hung up can never become ready: that is a port failure, not a wait.
Readiness waitReady(int fd, short events, Clock::time_point deadline, SerialErrorCode failure) {
    for (;;) {
        const long long left = millisecondsUntil(deadline);
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left > 60000 ? 60000 : left));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw SerialPortError(failure, errno);
        }
        if (ready == 0) {
            if (left == 0)
                return Readiness::TimedOut;
            continue;
        }
        if (entry.revents & POLLNVAL)
            throw SerialPortError(failure, EBADF);
        // Bytes that arrived before a hang-up are still read; the transfer itself
        // reports an error condition.
        if (entry.revents & (events | POLLERR))
            return Readiness::Ready;
        throw hungUp(failure);
    }
}

class PosixSerialPort final : public SerialPort {
public:
    ~PosixSerialPort() override {
        if (fd_ >= 0)
            release();
    }

    void open(const std::string& devicePath, const LineTimeouts& timeouts) override {
        if (fd_ >= 0)
            close();
        const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            if (error == EACCES)
                throw SerialPortError(SerialErrorCode::Open, " " + devicePath + " (" +
                                                                 systemErrorText(error) + ")" +
                                                                 permissionAdvice(devicePath));
            throw SerialPortError(SerialErrorCode::Open, error, " " + devicePath);
        }
        // Another process holding the port makes the open fail, as on systems
        // where serial devices open exclusively.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            throw SerialPortError(SerialErrorCode::Open, error,
                                  " " + devicePath + ": another program holds it");
        }
        if (!isatty(fd)) {
            const int error = errno == 0 ? ENOTTY : errno;
            ::close(fd);
            throw SerialPortError(SerialErrorCode::Open, error, " " + devicePath);
        }
        fd_ = fd;
        ::ioctl(fd_, TIOCEXCL); // best effort: keeps other unprivileged openers out
        try {
            configureLine();
        } catch (...) {
            release();
            throw;
        }
        timeouts_ = timeouts;
    }

    void close() override {
        if (fd_ < 0)
            return;
        // What was written still goes out (writes wait until it has left the
        // output queue, and a pseudo-terminal would throw away what its far side
        // has not read yet): a wall write ends with a broadcast nobody
        // acknowledges, and the port may be closed right after it. Only unread
        // input is discarded. A line that has hung up (EIO: a USB adapter pulled)
        // has none to discard and closes all the same, or its port could never
        // be opened again once the adapter is back.
        if (::tcflush(fd_, TCIFLUSH) != 0 && errno != EIO)
            throw SerialPortError(SerialErrorCode::Purge, errno);
        release();
    }

    bool isOpen() const override { return fd_ >= 0; }

    std::size_t write(const std::uint8_t* data, std::size_t n) override {
        if (fd_ < 0)
            throw SerialPortError(SerialErrorCode::Write, EBADF);
        const auto deadline = after(timeouts_.writeTotalMs(n));
        std::size_t done = 0;
        while (done < n) {
            const ssize_t written = ::write(fd_, data + done, n - done);
            if (written > 0) {
                done += static_cast<std::size_t>(written);
                continue;
            }
            if (written < 0 && errno != EAGAIN && errno != EINTR)
                throw SerialPortError(SerialErrorCode::Write, errno);
            if (millisecondsUntil(deadline) == 0 ||
                waitReady(fd_, POLLOUT, deadline, SerialErrorCode::Write) == Readiness::TimedOut)
                break;
        }
        if (done == n)
            waitUntilTransmitted(deadline);
        return done;
    }

    std::size_t read(std::uint8_t* data, std::size_t n) override {
        if (fd_ < 0)
            throw SerialPortError(SerialErrorCode::Read, EBADF);
        const auto totalDeadline = after(timeouts_.readTotalMs(n));
        auto deadline = totalDeadline;
        std::size_t done = 0;
        while (done < n) {
            if (waitReady(fd_, POLLIN, deadline, SerialErrorCode::Read) == Readiness::TimedOut)
                break;
            const ssize_t got = ::read(fd_, data + done, n - done);
            if (got > 0) {
                done += static_cast<std::size_t>(got);
                // The line counts as fallen silent this long after the last byte.
                deadline = std::min(totalDeadline, after(timeouts_.readIntervalMs()));
                continue;
            }
            // End of file on a terminal that reported data: it has hung up.
            if (got == 0)
                throw hungUp(SerialErrorCode::Read);
            if (errno != EAGAIN && errno != EINTR)
                throw SerialPortError(SerialErrorCode::Read, errno);
            // A readiness that yields nothing must not outlast the deadline.
            if (millisecondsUntil(deadline) == 0)
                break;
        }
        return done;
    }

    void purgeReceive() override {
        // On a closed port this fails with EBADF, the same error every exchange
        // on a closed port reports.
        if (::tcflush(fd_, TCIFLUSH) != 0)
            throw SerialPortError(SerialErrorCode::Purge, errno);
    }

private:
    void configureLine() {
        termios settings{};
        if (::tcgetattr(fd_, &settings) != 0)
            throw SerialPortError(SerialErrorCode::LineSettings, errno);
        ::cfmakeraw(&settings);
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
        settings.c_cflag |= CS8 | CLOCAL | CREAD;
        settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK | IGNBRK);
        settings.c_cc[VMIN] = 0;
        settings.c_cc[VTIME] = 0;
        if (::cfsetispeed(&settings, B19200) != 0 || ::cfsetospeed(&settings, B19200) != 0 ||
            ::tcsetattr(fd_, TCSANOW, &settings) != 0)
            throw SerialPortError(SerialErrorCode::LineSettings, errno);
        holdModemLinesInactive();
    }

    // A write is complete once the bytes have left the system's output queue, as
    // a completed write on the line means; otherwise closing the port right after
    // a packet sent without waiting for an answer would discard its tail.
    // Pseudo-terminals hand bytes over at once and report an empty queue.
    void waitUntilTransmitted(Clock::time_point deadline) const {
        for (;;) {
            int queued = 0;
            if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0 || millisecondsUntil(deadline) == 0)
                return;
            struct timespec pause {
                0, 1000 * 1000
            };
            nanosleep(&pause, nullptr);
        }
    }

    // DTR and RTS stay inactive. Devices without modem lines (pseudo-terminals)
    // refuse the request; that only means there is nothing to hold.
    void holdModemLinesInactive() {
        int lines = TIOCM_DTR | TIOCM_RTS;
        ::ioctl(fd_, TIOCMBIC, &lines);
    }

    void release() {
        ::ioctl(fd_, TIOCNXCL);
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
    LineTimeouts timeouts_;
};

} // namespace

std::string systemErrorText(int systemError) {
    char buffer[128] = "";
    // GNU's strerror_r returns the text, the POSIX one fills the buffer.
    struct Pick {
        const char* buffer;
        const char* operator()(const char* text) const { return text; }
        const char* operator()(int) const { return buffer; }
    };
    const char* text = Pick{buffer}(::strerror_r(systemError, buffer, sizeof buffer));
    char message[192];
    std::snprintf(message, sizeof message, "errno %d: %s", systemError, text);
    return message;
}

std::unique_ptr<SerialPort> createSerialPort() {
    return std::make_unique<PosixSerialPort>();
}

} // namespace lv
