// The plug-in's constant records: its info record and the 20-command table.
#pragma once

#include "lvdriver.h"

#include <cstdint>
#include <string_view>

namespace lv {

// Stores a text as length byte + characters, cut to 255; the rest of the field is zeroed.
void setText(LvText& field, std::string_view text);

// The info record with every constant filled in; the port count is left 0.
const PluginInfo& pluginInfoTemplate();

// Commands 0..19 in number order.
const CommandDescription& commandDescription(std::uint32_t number);

// The command whose name equals the given one without regard to letter case,
// searching 1..19 (QueryParam, number 0, is reachable by number only); -1 when none.
int commandNumberByName(std::string_view name);

} // namespace lv
