#include "command_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace lv {
namespace {

struct ParameterText {
    std::uint8_t kind;
    const char* text;
};

struct CommandText {
    const char* name;
    const char* description;
    std::array<ParameterText, 4> parameters;
};

constexpr const char* kUnusedText = "Unused (supplied value returns unchanged)";
constexpr ParameterText kUnused{LV_PT_UNUSED, kUnusedText};
constexpr ParameterText kOperationName{LV_PT_PCHAR, "(IN) Name of the operation to be generated"};
constexpr ParameterText kTarget{LV_PT_PCHAR, "(IN) Operation target (set to NIL if not used)"};
constexpr ParameterText kValueKind{
    LV_PT_UNSIGNED_INT8,
    "(IN) Value kind (0=Immediate [ptSignedInt32], 1=Percentage [0..100000], 2=String identifier [ptPChar])"};
constexpr ParameterText kVariable{LV_PT_PCHAR, "(IN) Variable identifier"};
constexpr ParameterText kMatchTable{LV_PT_PCHAR, "(IN) Match table name"};
constexpr const char* kStepDescription = "Decrement the required value by a specified step";

constexpr std::array<CommandText, LV_COMMAND_COUNT> kCommands{{
    {"QueryParam",
     "Query the plugin about parameters of each command",
     {{{LV_PT_UNSIGNED_INT32, "(IN) Command number"},
       {LV_PT_POINTER, "(OUT) Pointer to command parameters description record"},
       kUnused,
       kUnused}}},
    {"SendEvent",
     "Send an event command to the device",
     {{{LV_PT_PCHAR, "(IN) Identifier of the event to generate"},
       {LV_PT_UNSIGNED_INT32, "(IN) Additional parameter for the event to generate"},
       kUnused,
       kUnused}}},
    {"SendOpSetValue",
     "Request change of an internal value",
     {{kOperationName,
       kTarget,
       {LV_PT_VARIANT, "(IN) New value to be set (Integer, percentage or string)"},
       kValueKind}}},
    {"SendOpGetValue",
     "Request current setting of an internal value",
     {{kOperationName,
       kTarget,
       {LV_PT_VARIANT, "(OUT) Value read from device (Integer, percentage or string)"},
       kValueKind}}},
    {"SendOpIncValue",
     "Increment the required value by a specified step",
     {{kOperationName, kTarget, {LV_PT_SIGNED_INT32, "(IN) Increment quantity"}, kUnused}}},
    {"SendOpDecValue",
     kStepDescription,
     {{kOperationName, kTarget, {LV_PT_SIGNED_INT32, "(IN) Decrement quantity"}, kUnused}}},
    {"SendOpExecute", kStepDescription, {{kOperationName, kTarget, kUnused, kUnused}}},
    {"SendOpIsAvail",
     kStepDescription,
     {{kOperationName, kTarget, {LV_PT_UNSIGNED_INT16, "(OUT) Flags returned by the command"}, kUnused}}},
    {"SendOpRangeQuery",
     kStepDescription,
     {{kOperationName,
       kTarget,
       {LV_PT_SIGNED_INT32, "(OUT) Maximum usable value returned by the device"},
       {LV_PT_SIGNED_INT32, "(OUT) Minimum usable value returned by the device"}}}},
    {"DetectPort",
     "Detect on which port the selected device is attached and open it for communication (does not work if "
     "more than one devices are selected)",
     {{{LV_PT_UNSIGNED_INT8, "(OUT) Port on which the device has been found (0=not detected)"},
       kUnused,
       kUnused,
       kUnused}}},
    {"SendOEM",
     "Send a custom OEM message",
     {{{LV_PT_UNSIGNED_INT16, "(IN) Custom OEM operation ID"},
       {LV_PT_UNSIGNED_INT16, "(IN) Data block size"},
       {LV_PT_POINTER,
        "(IN/OUT) Pointer to data block area; you must always allocate 65535 bytes for this buffer"},
       kUnused}}},
    {"VariableGet",
     "Get current value of the specified variable",
     {{kVariable, {LV_PT_BOOLEAN, "(OUT) Queried value"}, kUnused, kUnused}}},
    {"VariableSet",
     "Set a new value for the specified variable",
     {{kVariable, {LV_PT_BOOLEAN, "(IN) New value"}, kUnused, kUnused}}},
    {"VariableClear",
     "Set a new value of FALSE for the specified variable",
     {{kVariable, kUnused, kUnused, kUnused}}},
    {"VariableToogle",
     "Change the value of the specified variable",
     {{kVariable, kUnused, kUnused, kUnused}}},
    {"SetAnswerRxStatus",
     "Sets the library to wait or not answers from the device",
     {{{LV_PT_BOOLEAN, "(IN) Wait for answers (TRUE=Yes)"}, kUnused, kUnused, kUnused}}},
    {"GetMatchListItemCount",
     "Returns the number of items in a given match table",
     {{kMatchTable, {LV_PT_UNSIGNED_INT32, "(OUT) Number of items in the match table"}, kUnused, kUnused}}},
    {"GetMatchListItem",
     "Returns one item of a given match table",
     {{kMatchTable,
       {LV_PT_UNSIGNED_INT32, "(IN) Number of the requested item"},
       {LV_PT_PCHAR, "(OUT) Item string code"},
       {LV_PT_PCHAR, "(OUT) Item description"}}}},
    {"GetLastPackets",
     "Returns the last sent and received data packets from and to the device",
     {{{LV_PT_POINTER, "(IN) A pointer to a Marlune packet structure that receives last sent packet"},
       {LV_PT_POINTER, "(IN) A pointer to a Marlune packet structure that receives last received packet"},
       kUnused,
       kUnused}}},
    {"SetTestModeStatus",
     "Sets the library if to enter test mode or not: test mode behaves normally except that does not send "
     "data "
     "on the serial link",
     {{{LV_PT_BOOLEAN, "(IN) Disable serial transmission/reception (TRUE=Yes)"}, kUnused, kUnused, kUnused}}},
}};

struct AddedCommandName {
    const char* name;
    AddedCommand number;
};

constexpr AddedCommandName kAddedCommands[] = {
    {LV_COMMAND_SET_RANGE_CACHE_STATUS, kSetRangeCacheStatus},
    {LV_COMMAND_SET_TRAFFIC_TAP, kSetTrafficTap},
};

struct Tables {
    PluginInfo info{};
    std::array<CommandDescription, LV_COMMAND_COUNT> commands{};

    Tables() {
        setText(info.name, "Lumivane");
        setText(info.codeName, "LUMIVANE");
        setText(info.vendor, "Norventa");
        info.reserved = 0;
        info.magic99 = 99;
        info.portCount = 0;
        setText(info.legalNotice, "Copyright (C) 2001 Norventa. All rights reserved.");
        setText(info.version, "v1.8");
        setText(info.date, "09/01/2001");
        info.commandCount = LV_COMMAND_COUNT;
        for (std::size_t n = 0; n < kCommands.size(); ++n) {
            setText(commands[n].name, kCommands[n].name);
            setText(commands[n].description, kCommands[n].description);
            for (std::size_t k = 0; k < 4; ++k) {
                commands[n].parameters[k].kind = kCommands[n].parameters[k].kind;
                setText(commands[n].parameters[k].text, kCommands[n].parameters[k].text);
            }
        }
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

void setText(LvText& field, std::string_view text) {
    const std::size_t length = std::min<std::size_t>(text.size(), sizeof field.chars);
    std::memset(&field, 0, sizeof field);
    field.length = static_cast<std::uint8_t>(length);
    std::memcpy(field.chars, text.data(), length);
}

const PluginInfo& pluginInfoTemplate() {
    return tables().info;
}

const CommandDescription& commandDescription(std::uint32_t number) {
    return tables().commands.at(number);
}

int commandNumberByName(std::string_view name) {
    for (std::uint32_t n = 1; n < LV_COMMAND_COUNT; ++n) {
        const LvText& stored = tables().commands[n].name;
        if (equalIgnoringCase(name, std::string_view(stored.chars, stored.length)))
            return static_cast<int>(n);
    }
    for (const AddedCommandName& added : kAddedCommands)
        if (equalIgnoringCase(name, added.name))
            return static_cast<int>(added.number);
    return -1;
}

} // namespace lv
