// Where the fields of each packet payload lie, shared by the plug-in's commands,
// its traffic log and the emulator. Multi-byte fields are little-endian
// (little_endian.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace lv {

// Operation packet: 25 bytes.
namespace op_payload {
inline constexpr std::size_t kSize = 25;
inline constexpr std::size_t kStep = 0;       // 1 byte: the sub-operation, below
inline constexpr std::size_t kCode = 1;       // 16 bits: the operation's code
inline constexpr std::size_t kFlags = 3;      // 16 bits: availability flags of an answer
inline constexpr std::size_t kTarget = 5;     // 32 bits: the target's value
inline constexpr std::size_t kValue = 9;      // 32 bits: the value set or read
inline constexpr std::size_t kMinimum = 13;   // 32 bits: a range answer's minimum
inline constexpr std::size_t kMaximum = 17;   // 32 bits: and maximum
inline constexpr std::size_t kIncrement = 21; // 32 bits: the step of an increment or decrement
} // namespace op_payload

// The sub-operations of an operation packet.
enum class OpStep : std::uint8_t {
    Set = 1,
    Get = 2,
    Increment = 3,
    Decrement = 4,
    Execute = 5,
    IsAvailable = 6,
    RangeQuery = 7,
};

// Event packet: 6 bytes.
namespace event_payload {
inline constexpr std::size_t kSize = 6;
inline constexpr std::size_t kCode = 0;      // 16 bits
inline constexpr std::size_t kParameter = 2; // 32 bits
} // namespace event_payload

// Variable packet: 6 bytes.
namespace variable_payload {
inline constexpr std::size_t kSize = 6;
inline constexpr std::size_t kStep = 0;  // 1 byte: get, set, clear, toggle
inline constexpr std::size_t kClass = 1; // 1 byte: the variable's class flag
inline constexpr std::size_t kCode = 2;  // 16 bits
inline constexpr std::size_t kValue = 4; // 16 bits: 0 or 0xFFFF
} // namespace variable_payload

// OEM packet: a 4-byte header, then the data.
namespace oem_payload {
inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::size_t kId = 0;   // 16 bits
inline constexpr std::size_t kSize = 2; // 16 bits: how many data bytes follow
} // namespace oem_payload

// Names of the sub-operations as traffic logs print them: "set", "get", "inc",
// "dec", "exec", "avail", "range"; "?" for any other value.
const char* opStepName(std::uint8_t step);
// "get", "set", "clear", "toggle"; "?" for any other value.
const char* variableStepName(std::uint8_t step);

} // namespace lv
