// One timeline item: when it fires, and the settings of every monitor place.
#pragma once

#include "wall/wall_grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mlc {

enum TimeMode : std::uint8_t { FromMidnight = 0, FromStart = 1, FromLastEvent = 2 };

inline constexpr std::size_t kMaxItemNameLength = 255;

// Field order follows the 43272-byte stored record; sequence_file.* writes it
// field by field.
struct TSequenceItem {
    std::uint8_t Hours = 0; // 0..99
    std::uint8_t Minutes = 0;
    std::uint8_t Seconds = 1;
    std::uint8_t TimeMode = FromLastEvent;
    WallSettings Settings;
    // Length-prefixed name; only the first NameLength characters mean anything.
    std::uint8_t NameLength = 0;
    std::array<char, kMaxItemNameLength> NameChars{};

    std::string name() const { return std::string(NameChars.data(), NameLength); }
    // Stores at most 255 bytes, never cutting a UTF-8 character in two.
    void setName(std::string_view name);
};

inline constexpr std::size_t kSequenceItemSize = 43272;

// A new item: due one second after the previous one, unnamed, and with the
// enlargement of every place zeroed (callers fill the settings).
std::unique_ptr<TSequenceItem> NewSequenceItem();

// The text cut to at most `limit` bytes at a UTF-8 character boundary.
std::string cutText(std::string_view text, std::size_t limit);

using SequenceItems = std::vector<std::unique_ptr<TSequenceItem>>;

} // namespace mlc
