// One exchange on the line: what goes out, which reply gives which result, and
// the copies of the last packets.
#include "driver_fixture.h"

namespace drivertest {
namespace {

const Bytes kDetection{0xBE, 0xEF, 0x01, 0x05, 0x00, 0xA9, 0x4E, 0x06, 0x00, 0x00, 0x00, 0x00};

class Link : public DriverOnPty {
protected:
    void SetUp() override { openPort(); }

    std::uint32_t sendDetection() {
        request = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
        return plugin->sendPacket(request.get());
    }

    std::unique_ptr<Packet> request;
};

TEST_F(Link, DetectionPacketGoesOutByteForByte) {
    peer.replyNext(Bytes{LV_LINK_ACK});
    EXPECT_EQ(sendDetection(), LV_LINK_ACK);
    EXPECT_EQ(peer.received(kDetection.size()), kDetection);
    EXPECT_EQ(lineBytes(*lastPacket(false)), kDetection);
}

struct ReplyCase {
    const char* name;
    Bytes reply;
    std::uint32_t result;
};

TEST_F(Link, ReplyBytesGiveTheirLinkCodes) {
    const ReplyCase cases[] = {
        {"acknowledge", {6}, 6},
        {"refusal", {21}, 21},
        {"value reply, low byte first", {28, 0x34, 0x12}, 0x1234001Cu},
        {"value reply cut short", {28, 0x34}, 255},
        {"unexpected byte", {0x41}, 253},
        {"silence", {}, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.reply.empty())
            peer.replyNext(c.reply);
        EXPECT_EQ(sendDetection(), c.result);
    }
    // Nothing but the six packets went out: no byte is sent back after a reply byte.
    EXPECT_EQ(peer.received(6 * kDetection.size()).size(), 6 * kDetection.size());
}

TEST_F(Link, ReplyPacketIsAcknowledgedAndKept) {
    const Bytes reply = sealedBytes(3, {2, 0x10, 0x00, 0, 0, 0, 0, 0, 0, 0x2A, 0, 0, 0});
    peer.replyNext(concat({LV_LINK_PACKET}, reply));
    EXPECT_EQ(sendDetection(), LV_LINK_PACKET);
    EXPECT_EQ(lineBytes(*request), reply) << "the caller's record holds the reply";
    EXPECT_EQ(peer.received(kDetection.size() + 1), concat(kDetection, {LV_LINK_ACK}));
    EXPECT_EQ(lineBytes(*lastPacket(true)), reply);
    EXPECT_EQ(lineBytes(*lastPacket(false)), kDetection);
}

TEST_F(Link, EmptyReplyPacketIsValid) {
    const Bytes reply = sealedBytes(7, {});
    peer.replyNext(concat({LV_LINK_PACKET}, reply));
    EXPECT_EQ(sendDetection(), LV_LINK_PACKET);
    EXPECT_EQ(peer.received(kDetection.size() + 1), concat(kDetection, {LV_LINK_ACK}));
    EXPECT_EQ(lineBytes(*lastPacket(true)), reply);
}

TEST_F(Link, FaultyReplyPacketsAreRefusedOrDropped) {
    // A good reply first, so that "unchanged" is visible.
    const Bytes good = sealedBytes(3, {1, 2, 3});
    peer.replyNext(concat({LV_LINK_PACKET}, good));
    ASSERT_EQ(sendDetection(), LV_LINK_PACKET);
    peer.received(kDetection.size() + 1);
    peer.clearReceived();

    Bytes badChecksum = sealedBytes(3, {9, 9, 9});
    badChecksum[6] ^= 0xFF;
    peer.replyNext(concat({LV_LINK_PACKET}, badChecksum));
    EXPECT_EQ(sendDetection(), LV_LINK_NAK);
    EXPECT_EQ(peer.received(kDetection.size() + 1), concat(kDetection, {LV_LINK_NAK}));
    peer.clearReceived();

    Bytes shortPayload = sealedBytes(3, {1, 2, 3, 4});
    shortPayload.pop_back();
    peer.replyNext(concat({LV_LINK_PACKET}, shortPayload));
    EXPECT_EQ(sendDetection(), LV_LINK_NO_REPLY);
    EXPECT_EQ(peer.received(kDetection.size() + 1), concat(kDetection, {LV_LINK_NAK}));
    peer.clearReceived();

    peer.replyNext(Bytes{LV_LINK_PACKET, 0xBE, 0xEE, 3, 0, 0, 0, 0});
    EXPECT_EQ(sendDetection(), LV_LINK_SHORT_WRITE) << "wrong sync word";
    peer.replyNext(Bytes{LV_LINK_PACKET, 0xBE, 0xEF, 3, 0});
    EXPECT_EQ(sendDetection(), LV_LINK_NO_REPLY) << "header cut short";
    EXPECT_EQ(peer.received(2 * kDetection.size()), concat(kDetection, kDetection)) << "nothing sent back";

    EXPECT_EQ(lineBytes(*lastPacket(true)), good);
}

TEST_F(Link, WithoutWaitingTheWrittenPacketCounts) {
    ASSERT_EQ(setFlag(LV_CMD_SET_ANSWER_RX_STATUS, false), LV_RESULT_OK);
    EXPECT_EQ(sendDetection(), LV_LINK_ACK);
    EXPECT_EQ(peer.received(kDetection.size()), kDetection);
}

TEST_F(Link, TestModeKeepsTheLineQuiet) {
    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), LV_RESULT_OK);
    auto packet = makePacket(LV_PACKET_TYPE_OPERATION, Bytes(25, 0));
    packet->sync = 0;
    packet->checksum[0] = packet->checksum[1] = 0x55;
    EXPECT_EQ(plugin->sendPacket(packet.get()), LV_LINK_ACK);
    auto expected = makePacket(LV_PACKET_TYPE_OPERATION, Bytes(25, 0));
    lv::sealPacket(*expected);
    EXPECT_EQ(lineBytes(*lastPacket(false)), lineBytes(*expected));
    EXPECT_EQ(lineBytes(*packet), lineBytes(*expected)) << "the caller's record is sealed";

    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, false), LV_RESULT_OK);
    peer.replyNext(Bytes{LV_LINK_ACK});
    EXPECT_EQ(sendDetection(), LV_LINK_ACK);
    EXPECT_EQ(peer.received(kDetection.size()), kDetection) << "only the packet sent outside test mode";
}

TEST_F(Link, BytesArrivingBetweenExchangesAreDiscarded) {
    peer.replyNext(Bytes{LV_LINK_ACK, 21, 21, 21});
    ASSERT_EQ(sendDetection(), LV_LINK_ACK);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    peer.replyNext(Bytes{LV_LINK_ACK});
    EXPECT_EQ(sendDetection(), LV_LINK_ACK);
}

} // namespace
} // namespace drivertest
