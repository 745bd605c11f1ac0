#include "pty_posix.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace mlemu {

namespace {
std::runtime_error systemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}
} // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0)
        throw systemError("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        throw systemError("unlockpt");
    }
    char name[256];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        ::close(master_);
        throw systemError("ptsname");
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        ::close(master_);
        throw systemError("open " + slavePath_);
    }
    // Raw: no echo, no line editing, no translation of bytes in either direction.
    termios settings{};
    if (::tcgetattr(slave_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B19200);
        ::tcsetattr(slave_, TCSANOW, &settings);
    }
}

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

SymbolicLink::SymbolicLink(const std::string& path, const std::string& target) : path_(path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode))
            throw std::runtime_error(path + " exists and is not a symbolic link");
        ::unlink(path.c_str());
    }
    if (::symlink(target.c_str(), path.c_str()) != 0)
        throw systemError("symlink " + path);
}

SymbolicLink::~SymbolicLink() {
    ::unlink(path_.c_str());
}

} // namespace mlemu
