// The plug-in's constant records: its info record and the 20-command table, and
// the commands added after those twenty.
//
// An added command is found by name only. Its number goes on from
// LV_COMMAND_COUNT inside the plug-in but is refused by
// ExecutePluginFunctionByNumber and QueryParam, as every number from 20 on is, and
// the info record keeps its count of 20: a host that does not know the command
// sees the plug-in as it always was. To add one: a row in kAddedCommands, its
// number in AddedCommand, its case in the dispatch, and its name and cells in
// lvdriver.h.
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

// The numbers of the added commands.
enum AddedCommand : std::uint32_t {
    kSetRangeCacheStatus = LV_COMMAND_COUNT,
    kSetTrafficTap,
};

// The command whose name equals the given one without regard to letter case,
// searching 1..19 (QueryParam, number 0, is reachable by number only), then the
// added commands; -1 when none.
int commandNumberByName(std::string_view name);

} // namespace lv
