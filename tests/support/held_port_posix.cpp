#include "held_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace testsupport {

bool heldPortsExcludeOthers() {
    return true;
}

HeldPort::HeldPort(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    handle_ = fd;
    held_ = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

HeldPort::~HeldPort() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

} // namespace testsupport
