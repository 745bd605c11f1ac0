// The defaults file: the settings given to new monitors.
//
// Layout: "MLDF", an unsigned 32-bit record length (168), then one 168-byte record.
// Reading takes no length at its word: a longer record is cut to 168 bytes and a
// shorter one (or a file that ends early) replaces only the start of the record,
// keeping the rest of the settings passed in.
#pragma once

#include "files/load_status.h"
#include "wall/monitor_settings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mlc {

inline constexpr std::size_t kDefaultsFileSize = 8 + kMonitorSettingsRecordSize; // 176

std::vector<std::uint8_t> encodeDefaults(const TMonitorSettings& settings);
// WrongMagic or Truncated (settings untouched) for a file without the magic or
// without a length field.
LoadStatus decodeDefaults(std::span<const std::uint8_t> file, TMonitorSettings& settings);

// Replaces any existing file without asking; the write is atomic.
bool saveDefaultsFile(const std::string& path, const TMonitorSettings& settings);
LoadStatus loadDefaultsFile(const std::string& path, TMonitorSettings& settings);

} // namespace mlc
