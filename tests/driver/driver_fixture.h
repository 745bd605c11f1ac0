// A loaded plug-in whose COM1 is the slave side of a pseudo-terminal served by a
// test peer.
#pragma once

#include "checksum.h"
#include "lvdriver.h"
#include "paths.h"
#include "plugin_library.h"
#include "pty_peer.h"
#include "scoped_env.h"
#include "test_timeouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace drivertest {

using testsupport::Bytes;
using testsupport::textCell;

inline std::unique_ptr<Packet> makePacket(std::uint8_t type, const Bytes& payload) {
    auto packet = std::make_unique<Packet>();
    packet->type = type;
    packet->length = static_cast<std::uint16_t>(payload.size());
    std::copy(payload.begin(), payload.end(), packet->payload);
    return packet;
}

// The bytes a packet puts on the line.
inline Bytes lineBytes(const Packet& packet) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&packet);
    return Bytes(bytes, bytes + LV_PACKET_HEADER_SIZE + packet.length);
}

// A packet as a unit sends it, checksum included.
inline Bytes sealedBytes(std::uint8_t type, const Bytes& payload) {
    auto packet = makePacket(type, payload);
    lv::sealPacket(*packet);
    return lineBytes(*packet);
}

inline Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using testsupport::ScopedEnv;

// What differs between the platforms in the plug-in's messages: the system's
// error ("errno 2: No such file or directory", "win error code: 2") and the
// device names.
inline std::string onPlatform(const std::string& posix, const std::string& windows) {
#ifdef _WIN32
    (void)posix;
    return windows;
#else
    (void)windows;
    return posix;
#endif
}

class DriverOnPty : public ::testing::Test {
protected:
    // Short time-outs: a silent peer costs 120 ms instead of 1.2 s.
    explicit DriverOnPty(const std::string& timeoutScale = testsupport::timeoutScale(0.1))
        : ports_("LVDRIVER_PORTS", peer.path().c_str()), scale_("LVDRIVER_TIMEOUT_SCALE", timeoutScale),
          noDefinitions_("LVDRIVER_DEFINITIONS", ""), plugin(std::make_unique<testsupport::PluginLibrary>()) {
    }

    void openPort() { ASSERT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK); }

    // Loads the plug-in afresh, reading its definitions from the given file.
    void reloadWithDefinitions(const std::string& path) {
        plugin.reset();
        ScopedEnv definitions("LVDRIVER_DEFINITIONS", path.c_str());
        plugin = std::make_unique<testsupport::PluginLibrary>();
    }

    std::uint8_t setFlag(std::uint32_t command, bool on) {
        LvCell flag = on ? 1 : 0;
        return plugin->executeByNumber(command, &flag, nullptr, nullptr, nullptr);
    }

    std::unique_ptr<Packet> lastPacket(bool received) {
        auto sent = std::make_unique<Packet>();
        auto got = std::make_unique<Packet>();
        LvCell p1 = reinterpret_cast<LvCell>(sent.get());
        LvCell p2 = reinterpret_cast<LvCell>(got.get());
        EXPECT_EQ(plugin->executeByNumber(LV_CMD_GET_LAST_PACKETS, &p1, &p2, nullptr, nullptr), LV_RESULT_OK);
        return received ? std::move(got) : std::move(sent);
    }

    testsupport::PtyPeer peer;

private:
    ScopedEnv ports_;
    ScopedEnv scale_;
    ScopedEnv noDefinitions_; // empty tables unless a test loads a file

protected:
    std::unique_ptr<testsupport::PluginLibrary> plugin;
};

} // namespace drivertest
