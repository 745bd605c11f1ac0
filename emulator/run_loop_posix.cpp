#include "run_loop_posix.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <stdexcept>
#include <sys/signalfd.h>
#include <unistd.h>

namespace mlemu {

int takeOverSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        throw std::runtime_error("sigprocmask failed");
    const int fd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0)
        throw std::runtime_error("signalfd failed");
    return fd;
}

int runLoop(int masterFd, int signalFd, Session& session, const std::function<void()>& onStateRequest) {
    using Clock = Session::Clock;
    std::vector<std::uint8_t> unwritten; // due bytes the terminal would not take yet
    std::vector<std::uint8_t> buffer(65536);
    for (;;) {
        Clock::time_point now = Clock::now();
        session.advance(now);
        std::vector<std::uint8_t> due = session.takeOutput(now);
        if (unwritten.size() + due.size() <= Session::kMaxPendingOutput)
            unwritten.insert(unwritten.end(), due.begin(), due.end());
        while (!unwritten.empty()) {
            const ssize_t n = ::write(masterFd, unwritten.data(), unwritten.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            unwritten.erase(unwritten.begin(), unwritten.begin() + n);
        }

        pollfd fds[2] = {{signalFd, POLLIN, 0}, {masterFd, 0, 0}};
        if (!session.inputBacklogged())
            fds[1].events |= POLLIN;
        if (!unwritten.empty())
            fds[1].events |= POLLOUT;
        timespec timeout{};
        timespec* wait = nullptr;
        if (const auto wake = session.nextWake()) {
            const auto left = std::max(Clock::duration::zero(), *wake - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
            timeout.tv_nsec = static_cast<long>(ns % 1000000000);
            wait = &timeout;
        }
        if (::ppoll(fds, 2, wait, nullptr) < 0 && errno != EINTR)
            throw std::runtime_error("ppoll failed");

        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info{};
            while (::read(signalFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
                if (info.ssi_signo == SIGUSR1)
                    onStateRequest();
                else
                    return static_cast<int>(info.ssi_signo);
            }
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(masterFd, buffer.data(), buffer.size());
            if (n > 0)
                session.receive(std::span(buffer.data(), static_cast<std::size_t>(n)), Clock::now());
        }
    }
}

} // namespace mlemu
