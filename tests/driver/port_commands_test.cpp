// Port detection and OEM messages on the line.
#include "driver_fixture.h"

#include <vector>

namespace drivertest {
namespace {

const Bytes kDetection{0xBE, 0xEF, 0x01, 0x05, 0x00, 0xA9, 0x4E, 0x06, 0x00, 0x00, 0x00, 0x00};

class PortDetection : public DriverOnPty {};

TEST_F(PortDetection, FindsTheOnlyPortThatAnswers) {
    testsupport::PtyPeer second;
    second.replyNext(Bytes{LV_LINK_ACK});
    ScopedEnv ports("LVDRIVER_PORTS", testsupport::portList({peer.path(), second.path()}));
    LvCell found = 99;
    EXPECT_EQ(plugin->run("DetectPort", &found), LV_RESULT_OK);
    EXPECT_EQ(found, 2u);
    EXPECT_EQ(peer.received(kDetection.size()), kDetection) << "silent first port was tried";
    EXPECT_EQ(second.received(kDetection.size()), kDetection);

    // The port found stays open.
    second.replyNext(Bytes{LV_LINK_ACK});
    EXPECT_EQ(plugin->openHardwarePort(2), LV_RESULT_PORT_ALREADY_OPEN);
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK);
}

TEST_F(PortDetection, NoAnswerLeavesThePortClosed) {
    ASSERT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK);
    LvCell found = 99;
    EXPECT_EQ(plugin->run("DetectPort", &found), LV_RESULT_OK);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(plugin->closeHardwarePort(), LV_RESULT_PORT_ALREADY_CLOSED);

#ifndef _WIN32 // Windows keeps no empty variable: the registry's ports, which other tests use meanwhile,
               // count
    ScopedEnv none("LVDRIVER_PORTS", "");
    found = 99;
    EXPECT_EQ(plugin->run("DetectPort", &found), LV_RESULT_OK);
    EXPECT_EQ(found, 0u);
#endif
}

TEST_F(PortDetection, InTestModeTheFirstPortThatOpensCounts) {
    ScopedEnv ports("LVDRIVER_PORTS", testsupport::portList({"/nonexistent", peer.path()}));
    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), LV_RESULT_OK);
    LvCell found = 0;
    EXPECT_EQ(plugin->run("DetectPort", &found), LV_RESULT_OK);
    EXPECT_EQ(found, 2u);
}

class OemMessages : public DriverOnPty {
protected:
    void SetUp() override { openPort(); }

    std::uint8_t sendOem(std::uint32_t id, std::uint32_t size) {
        LvCell p1 = id, p2 = size, p3 = reinterpret_cast<LvCell>(buffer.data());
        return plugin->run("SendOEM", &p1, &p2, &p3);
    }

    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(65535, 0);
};

TEST_F(OemMessages, SizeLimitsAndMissingData) {
    EXPECT_EQ(sendOem(1, 65532), LV_RESULT_OEM_TOO_LARGE);
    EXPECT_EQ(sendOem(1, 0x1FFFF), LV_RESULT_OEM_TOO_LARGE) << "only the low 16 bits count";
    LvCell p1 = 1, p2 = 4, p3 = 0;
    EXPECT_EQ(plugin->run("SendOEM", &p1, &p2, &p3), LV_RESULT_OEM_DATA_MISSING);
    EXPECT_TRUE(peer.received().empty());

    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<std::uint8_t>(i * 7);
    peer.replyNext(Bytes{LV_LINK_ACK});
    EXPECT_EQ(sendOem(0x10ABCD, 65531), LV_RESULT_DEVICE_OK);
    Bytes payload{0xCD, 0xAB, 0xFB, 0xFF};
    payload.insert(payload.end(), buffer.begin(), buffer.begin() + 65531);
    EXPECT_EQ(peer.received(65542), sealedBytes(LV_PACKET_TYPE_OEM, payload));
}

TEST_F(OemMessages, ReplyDataIsCopiedOnlyAsFarAsItGoes) {
    // The reply claims 200 bytes but carries 3.
    peer.replyNext(
        concat({LV_LINK_PACKET}, sealedBytes(LV_PACKET_TYPE_OEM, {0x05, 0x00, 200, 0, 'a', 'b', 'c'})));
    std::fill(buffer.begin(), buffer.end(), 0xEE);
    EXPECT_EQ(sendOem(5, 2), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{'a', 'b', 'c', 0xEE}));
    EXPECT_EQ(peer.received(14),
              concat(sealedBytes(LV_PACKET_TYPE_OEM, {5, 0, 2, 0, 0xEE, 0xEE}), {LV_LINK_ACK}));

    // A size field below what is carried copies that many.
    peer.replyNext(concat({LV_LINK_PACKET}, sealedBytes(LV_PACKET_TYPE_OEM, {0x05, 0x00, 1, 0, 'x', 'y'})));
    EXPECT_EQ(sendOem(5, 0), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 2), (Bytes{'x', 'b'}));

    peer.replyNext(Bytes{LV_LINK_NAK});
    EXPECT_EQ(sendOem(5, 0), LV_RESULT_IO_ERROR);
}

} // namespace
} // namespace drivertest
