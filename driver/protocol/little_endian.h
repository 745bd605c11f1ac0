// Little-endian fields, assembled byte by byte, so that nothing depends on the
// host's layout: packet payloads on the line and the program's files use them.
#pragma once

#include <bit>
#include <cstdint>

namespace lv {

inline void putLe16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putLe32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void putLe32(std::uint8_t* at, std::int32_t value) {
    putLe32(at, static_cast<std::uint32_t>(value));
}

inline void putLeF64(std::uint8_t* at, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

inline std::uint16_t getLe16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

inline std::uint32_t getLe32(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

inline std::int32_t getLe32Signed(const std::uint8_t* at) {
    return static_cast<std::int32_t>(getLe32(at));
}

inline double getLeF64(const std::uint8_t* at) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

} // namespace lv
