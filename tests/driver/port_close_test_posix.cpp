// Closing the port must not throw away what was written: a wall write ends with a
// broadcast that nobody acknowledges, and the program may close the port at once.
#include "driver_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace drivertest {
namespace {

// A pseudo-terminal whose far side reads nothing until asked to.
class IdlePty {
public:
    IdlePty() {
        char name[256];
        termios raw{};
        cfmakeraw(&raw);
        EXPECT_EQ(openpty(&master_, &slave_, name, &raw, nullptr), 0);
        path_ = name;
    }
    ~IdlePty() {
        ::close(master_);
        ::close(slave_);
    }
    const std::string& path() const { return path_; }
    Bytes drain() {
        Bytes bytes;
        std::uint8_t buffer[256];
        pollfd entry{master_, POLLIN, 0};
        while (::poll(&entry, 1, 20) > 0 && (entry.revents & POLLIN)) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

TEST(PortClose, WhatWasWrittenBeforeClosingStillArrives) {
    IdlePty pty;
    ScopedEnv ports("LVDRIVER_PORTS", pty.path().c_str());
    ScopedEnv definitions("LVDRIVER_DEFINITIONS", "");
    testsupport::PluginLibrary plugin;
    LvCell wait = 0;
    ASSERT_EQ(plugin.executeByNumber(LV_CMD_SET_ANSWER_RX_STATUS, &wait, nullptr, nullptr, nullptr),
              LV_RESULT_OK);
    auto first = makePacket(LV_PACKET_TYPE_OPERATION, Bytes(25, 0x11));
    auto second = makePacket(LV_PACKET_TYPE_OPERATION, Bytes(25, 0x22));
    // Losing the tail depends on timing; many rounds make a fault show.
    for (int round = 0; round < 40; ++round) {
        ASSERT_EQ(plugin.openHardwarePort(1), LV_RESULT_OK);
        EXPECT_EQ(plugin.sendPacket(first.get()) & 0xFFu, LV_LINK_ACK);
        EXPECT_EQ(plugin.sendPacket(second.get()) & 0xFFu, LV_LINK_ACK);
        ASSERT_EQ(plugin.closeHardwarePort(), LV_RESULT_OK);
        ASSERT_EQ(pty.drain(), concat(lineBytes(*first), lineBytes(*second))) << "round " << round;
    }
}

} // namespace
} // namespace drivertest
