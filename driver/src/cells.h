// Reading and writing the caller's parameter cells. A cell is pointer-sized;
// numbers use its low 32 bits and are written back over the whole cell. A null
// cell address reads as 0 and swallows writes, so a careless host cannot crash
// the plug-in through an unused or forgotten cell.
#pragma once

#include "lvdriver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv::cells {

inline std::uint32_t unsignedValue(const LvCell* cell) {
    return cell ? static_cast<std::uint32_t>(*cell) : 0u;
}
inline std::int32_t signedValue(const LvCell* cell) {
    return static_cast<std::int32_t>(unsignedValue(cell));
}
inline void* address(const LvCell* cell) {
    return cell ? reinterpret_cast<void*>(*cell) : nullptr;
}

// Zero-extends.
inline void putUnsigned(LvCell* cell, std::uint32_t value) {
    if (cell)
        *cell = static_cast<LvCell>(value);
}
// Sign-extends.
inline void putSigned(LvCell* cell, std::int32_t value) {
    if (cell)
        *cell = static_cast<LvCell>(static_cast<std::intptr_t>(value));
}

// The zero-terminated text the cell points to, at most 255 characters; a null
// address gives no text.
std::optional<std::string> inputText(const LvCell* cell);

// Writes the text's characters at offsets 1..n of the 256-byte buffer the cell
// points to, cut to 255; offset 0 and the bytes after n stay untouched.
void writeOutputText(const LvCell* cell, std::string_view text);

} // namespace lv::cells
