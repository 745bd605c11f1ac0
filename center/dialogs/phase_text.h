// The phase editor's rules: reading the operator's text as a 16-bit phase value,
// the text the box shows afterwards, and the service packet that carries it.
#pragma once

#include "lvdriver.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mlc {

inline constexpr std::size_t kPhasePayloadSize = 17;

// Reads a decimal number, or a hexadecimal one after "0x", "x" or "$" (any case),
// with an optional sign and surrounding blanks, and keeps its low 16 bits (two's
// complement for a negative number). A number of any length reads; text that is no
// number gives 0.
std::uint16_t ParsePhaseText(std::string_view text);

// "0x" and four upper-case hexadecimal digits: 0x1234 -> "0x1234".
std::string PhaseText(std::uint16_t phase);

// The payload of the vertical lock phase packet; the phase goes last, low byte first.
std::array<std::uint8_t, kPhasePayloadSize> PhasePayload(std::uint16_t phase);

// Fills a packet record (which the caller zeroed) with the phase packet: sync word,
// type 11, length 17, checksum left 0 for the driver, payload.
void BuildPhasePacket(Packet& packet, std::uint16_t phase);

} // namespace mlc
