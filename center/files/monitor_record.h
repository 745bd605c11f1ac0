// The 168-byte stored form of TMonitorSettings, shared by the wall, defaults and
// sequence files. Fields are written one by one, little-endian; padding is zero.
#pragma once

#include "wall/monitor_settings.h"

#include <cstddef>
#include <cstdint>

namespace mlc {

// Writes the record into out[0..167].
void encodeMonitorSettings(const TMonitorSettings& settings, std::uint8_t* out);

// Reads a whole record from in[0..167]. Any non-zero byte reads as true.
TMonitorSettings decodeMonitorSettings(const std::uint8_t* in);

// Reads a record of which only the first `available` bytes are present (at most
// 168 are looked at): those bytes replace the start of `settings`' stored form, the
// rest keeps the values `settings` already holds.
void decodeMonitorSettingsPrefix(const std::uint8_t* in, std::size_t available, TMonitorSettings& settings);

} // namespace mlc
