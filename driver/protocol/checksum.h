// CRC-16/MODBUS over packets of the serial line.
#pragma once

#include "lvdriver.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lv {

// CRC-16/MODBUS (reflected polynomial 0xA001, initial 0xFFFF, no final XOR).
std::uint16_t crc16Modbus(const std::uint8_t* data, std::size_t size);

// The checksum of a packet: the CRC over its first length + 7 bytes with the
// checksum bytes taken as zero.
std::uint16_t packetChecksum(const Packet& packet);

// Stores the sync word and the checksum (high byte first) into the packet.
void sealPacket(Packet& packet);

// True when the stored checksum equals the computed one.
bool packetChecksumValid(const Packet& packet);

// The same for a packet as the line carries it (header and payload bytes).
std::uint16_t frameChecksum(std::span<const std::uint8_t> frame);
bool frameChecksumValid(std::span<const std::uint8_t> frame);

// The line bytes of a packet: sync word, type, length, checksum, payload.
std::vector<std::uint8_t> encodeFrame(std::uint8_t type, std::span<const std::uint8_t> payload);

} // namespace lv
