// A serial port held the way the plug-in holds one, as another program would:
// while the object lives, the plug-in cannot open it.
#pragma once

#include <string>

namespace testsupport {

// Whether a held port is kept from other openers here. Wine does not keep a COM
// port to one opener: its serial devices are plain Unix files, and an open
// without sharing does not exclude another one on them.
bool heldPortsExcludeOthers();

class HeldPort {
public:
    // device: what LVDRIVER_PORTS lists for the port (a path, or "COM3" on Windows).
    explicit HeldPort(const std::string& device);
    ~HeldPort();
    HeldPort(const HeldPort&) = delete;
    HeldPort& operator=(const HeldPort&) = delete;
    bool held() const { return held_; }

private:
    bool held_ = false;
    long long handle_ = -1;
};

} // namespace testsupport
