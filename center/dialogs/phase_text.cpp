#include "dialogs/phase_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

namespace mlc {
namespace {

constexpr std::uint8_t kPhasePacketType = 0x0B;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<unsigned> digitValue(char c, unsigned base) {
    const unsigned char u = static_cast<unsigned char>(c);
    unsigned value = 0;
    if (std::isdigit(u))
        value = static_cast<unsigned>(u - '0');
    else if (base == 16 && std::isxdigit(u))
        value = static_cast<unsigned>(std::tolower(u) - 'a' + 10);
    else
        return std::nullopt;
    return value;
}

// The digits modulo 2^16: only the low bits matter, so any length reads.
std::optional<std::uint16_t> lowBits(std::string_view digits, unsigned base) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const auto digit = digitValue(c, base);
        if (!digit)
            return std::nullopt;
        value = (value * base + *digit) & 0xFFFFu;
    }
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::uint16_t ParsePhaseText(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == 'x' || text[0] == 'X' || text[0] == '$')) {
        base = 16;
        text.remove_prefix(1);
    }
    const auto value = lowBits(text, base);
    if (!value)
        return 0;
    return negative ? static_cast<std::uint16_t>(0x10000u - *value) : *value;
}

std::string PhaseText(std::uint16_t phase) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(phase));
    return text;
}

std::array<std::uint8_t, kPhasePayloadSize> PhasePayload(std::uint16_t phase) {
    return {0x02,
            0x00,
            0x00,
            0x00,
            0x00,
            0x00,
            0x00,
            0x00,
            0x00,
            0x2C,
            0xF2,
            0x0F,
            0x00,
            0x01,
            0x00,
            static_cast<std::uint8_t>(phase & 0xFF),
            static_cast<std::uint8_t>(phase >> 8)};
}

void BuildPhasePacket(Packet& packet, std::uint16_t phase) {
    packet.sync = LV_PACKET_SYNC;
    packet.type = kPhasePacketType;
    packet.length = kPhasePayloadSize;
    packet.checksum[0] = 0;
    packet.checksum[1] = 0;
    const auto payload = PhasePayload(phase);
    std::copy(payload.begin(), payload.end(), packet.payload);
}

} // namespace mlc
