#include "checksum.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

std::vector<std::uint8_t> lineBytes(const Packet& packet) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&packet);
    return {bytes, bytes + LV_PACKET_HEADER_SIZE + packet.length};
}

TEST(Checksum, DetectionPacketIsSealedByteForByte) {
    auto packet = std::make_unique<Packet>();
    std::memset(packet.get(), 0, sizeof(Packet));
    packet->type = LV_PACKET_TYPE_DETECT;
    packet->length = 5;
    packet->payload[0] = 6;
    lv::sealPacket(*packet);
    const std::vector<std::uint8_t> expected{0xBE, 0xEF, 0x01, 0x05, 0x00, 0xA9,
                                             0x4E, 0x06, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(lineBytes(*packet), expected);
    EXPECT_TRUE(lv::packetChecksumValid(*packet));
    packet->payload[4] ^= 1;
    EXPECT_FALSE(lv::packetChecksumValid(*packet));

    // The same bytes built from type and payload alone, as the units' side does.
    const std::vector<std::uint8_t> payload{6, 0, 0, 0, 0};
    auto frame = lv::encodeFrame(LV_PACKET_TYPE_DETECT, payload);
    EXPECT_EQ(frame, expected);
    EXPECT_TRUE(lv::frameChecksumValid(frame));
    frame[11] ^= 1;
    EXPECT_FALSE(lv::frameChecksumValid(frame));
    EXPECT_FALSE(lv::frameChecksumValid(std::vector<std::uint8_t>{0xBE, 0xEF}));
}

TEST(Checksum, ModbusCheckValue) {
    const char* text = "123456789";
    EXPECT_EQ(lv::crc16Modbus(reinterpret_cast<const std::uint8_t*>(text), 9), 0x4B37);
}

} // namespace
