#include "emulator_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {

using namespace std::chrono_literals;

// Reads one line from fd, waiting at most timeout in all.
std::string readLine(int fd, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms)
            return line;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n <= 0 || c == '\n')
            return line;
        line += c;
    }
}

} // namespace

struct EmulatorProcess::Native {}; // mlemu is a child process of the test

EmulatorProcess::EmulatorProcess(const std::string& ids, const std::vector<std::string>& extraArgs,
                                 const std::string& definitions)
    : link_(dir_.file("wall")), logPath_(dir_.file("mlemu.log")), statePath_(dir_.file("mlemu.state")) {
    std::vector<std::string> args = {binPath("mlemu"), "--definitions", definitions, "--ids",  ids,
                                     "--link",         link_,           "--log",     logPath_, "--state",
                                     statePath_};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        // A test that dies leaves no emulator behind.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    // Generous: a sanitizer build on a busy machine starts slowly.
    std::string banner = readLine(out[0], 20s);
    ::close(out[0]);
    takeBanner(std::move(banner));
}

EmulatorProcess::~EmulatorProcess() {
    stop();
}

int EmulatorProcess::stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        pid_ = -1;
    }
    return exitStatus_;
}

bool EmulatorProcess::running() const {
    return pid_ > 0;
}

void EmulatorProcess::requestState() {
    ::kill(pid_, SIGUSR1);
}

} // namespace testsupport
