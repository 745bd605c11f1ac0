// The videowall file: the settings of all 256 monitor places.
//
// Layout: "MLVF", an unsigned 32-bit block length (43008), then 256 records of
// 168 bytes, column by column (column c, row r at 8 + placeIndex(c, r) * 168).
//
// Reading takes no length at its word: a block longer than 43008 bytes is cut to
// 43008, and a complete file announcing a shorter block fills only the start of the
// buffer; the places it does not reach keep what the buffer held. A file that ends
// before the block it announces (as far as 43008 bytes) is damaged: Truncated, and
// the buffer is left as it was.
#pragma once

#include "files/load_status.h"
#include "operator.h"
#include "wall/wall_grid.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mlc {

inline constexpr std::size_t kWallBlockSize = kMonitorSettingsRecordSize * kMaxColumns * kMaxRows; // 43008
inline constexpr std::size_t kWallFileSize = 8 + kWallBlockSize;                                   // 43016

// The settings of every place of a grid, in file order.
WallSettings wallSettingsOf(const WallGrid& grid);
// Puts settings into every place of a grid; device IDs and Synced stay.
void applyWallSettings(const WallSettings& settings, WallGrid& grid);

std::vector<std::uint8_t> encodeVideowall(const WallSettings& settings);
// WrongMagic or Truncated (buffer untouched) for a file without the magic, without
// a length field or shorter than its length field says.
LoadStatus decodeVideowall(std::span<const std::uint8_t> file, WallSettings& buffer);

// With the overwrite question and an atomic write.
bool saveVideowallFile(Operator& op, const std::string& path, const WallSettings& settings);
// Shows no message: false with the reason when the file is missing, unreadable or
// not a wall file.
LoadStatus loadVideowallFile(const std::string& path, WallSettings& buffer);

} // namespace mlc
