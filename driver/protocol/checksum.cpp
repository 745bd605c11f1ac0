#include "checksum.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

// MODBUS over serial lines computes the CRC with two 256-entry
// tables (high and low byte); one reflected table gives the same results.
constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001u)
                             : static_cast<std::uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr auto kTable = makeTable();

std::uint16_t update(std::uint16_t crc, std::uint8_t byte) {
    return static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ byte) & 0xFFu]);
}

} // namespace

std::uint16_t crc16Modbus(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i)
        crc = update(crc, data[i]);
    return crc;
}

std::uint16_t packetChecksum(const Packet& packet) {
    const auto* header = reinterpret_cast<const std::uint8_t*>(&packet);
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < 5; ++i)
        crc = update(crc, header[i]);
    crc = update(update(crc, 0), 0); // the checksum field counts as zero
    for (std::size_t i = 0; i < packet.length; ++i)
        crc = update(crc, packet.payload[i]);
    return crc;
}

void sealPacket(Packet& packet) {
    packet.sync = LV_PACKET_SYNC;
    const std::uint16_t crc = packetChecksum(packet);
    packet.checksum[0] = static_cast<std::uint8_t>(crc >> 8);
    packet.checksum[1] = static_cast<std::uint8_t>(crc & 0xFFu);
}

bool packetChecksumValid(const Packet& packet) {
    const std::uint16_t crc = packetChecksum(packet);
    return packet.checksum[0] == static_cast<std::uint8_t>(crc >> 8) &&
           packet.checksum[1] == static_cast<std::uint8_t>(crc & 0xFFu);
}

std::uint16_t frameChecksum(std::span<const std::uint8_t> frame) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < frame.size(); ++i)
        crc = update(crc, i == 5 || i == 6 ? 0 : frame[i]); // the checksum field counts as zero
    return crc;
}

bool frameChecksumValid(std::span<const std::uint8_t> frame) {
    if (frame.size() < LV_PACKET_HEADER_SIZE)
        return false;
    const std::uint16_t crc = frameChecksum(frame);
    return frame[5] == static_cast<std::uint8_t>(crc >> 8) &&
           frame[6] == static_cast<std::uint8_t>(crc & 0xFFu);
}

std::vector<std::uint8_t> encodeFrame(std::uint8_t type, std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> frame(LV_PACKET_HEADER_SIZE + payload.size(), 0);
    frame[0] = static_cast<std::uint8_t>(LV_PACKET_SYNC & 0xFFu);
    frame[1] = static_cast<std::uint8_t>(LV_PACKET_SYNC >> 8);
    frame[2] = type;
    frame[3] = static_cast<std::uint8_t>(payload.size());
    frame[4] = static_cast<std::uint8_t>(payload.size() >> 8);
    std::copy(payload.begin(), payload.end(), frame.begin() + LV_PACKET_HEADER_SIZE);
    const std::uint16_t crc = frameChecksum(frame);
    frame[5] = static_cast<std::uint8_t>(crc >> 8);
    frame[6] = static_cast<std::uint8_t>(crc & 0xFFu);
    return frame;
}

} // namespace lv
