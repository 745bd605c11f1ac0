// Little-endian reading and writing of the integers and floats that our files hold.
// Values are assembled byte by byte, so the files never depend on the host's layout.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace mlc::bytes {

inline void putU32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void putI32(std::uint8_t* out, std::int32_t value) {
    putU32(out, static_cast<std::uint32_t>(value));
}
inline void putF64(std::uint8_t* out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

inline std::uint32_t getU32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return value;
}
inline std::int32_t getI32(const std::uint8_t* in) {
    return static_cast<std::int32_t>(getU32(in));
}
inline double getF64(const std::uint8_t* in) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

} // namespace mlc::bytes
