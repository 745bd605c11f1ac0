// The monitor settings dialog's controls as data: name, label, settings box, kind,
// the record field each one edits and the match list a list control shows. The
// dialog builds its widgets from this table and loads and stores through it, so a
// field is named once for the widget, the loading and the storing.
//
// The zoom and pan sliders, the preview and the router input are not in the table:
// the dialog edits them through Enlargement (slider_values.h) and the router list.
#pragma once

#include "dialogs/slider_values.h"
#include "wall/match_lists.h"
#include "wall/monitor_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace mlc {

// The seven settings boxes, in the selector's order.
enum class SettingsBox {
    ZoomAndPanning,
    ImageQuality,
    ColorQuality,
    RgbInputs,
    VideoInputs,
    DigitalEffects,
    OnScreenDisplay,
    None
};
inline constexpr int kSettingsBoxCount = 7;
// The selector's item texts and the boxes' captions, by box.
extern const std::array<const char*, kSettingsBoxCount> kSettingsBoxItems;
extern const std::array<const char*, kSettingsBoxCount> kSettingsBoxCaptions;

enum class ControlKind { Percent, List, Check };

// When a control is shown and enabled (see MonitorControlStates).
enum class ControlRule {
    Always,           // shown and enabled
    ShownForVideo,    // Sharpness: shown for sources that are not analog RGB
    ShownForRgb,      // Filter: shown for analog RGB sources, in Sharpness's place
    EnabledForRgb,    // the RGB sampling sliders
    EnabledForVideo,  // saturation and hue
    EnabledForManual, // the user colour temperatures
    AlwaysHidden,     // stored and copied, never shown
};

struct MonitorControl {
    const char* name;  // the widget's object name
    const char* label; // with its mnemonic
    SettingsBox box;   // None: outside the boxes
    ControlKind kind;
    ControlRule rule;
    std::int32_t& (*number)(TMonitorSettings&);      // Percent and List
    bool& (*flag)(TMonitorSettings&);                // Check
    const MatchListPair& (*list)(const MatchLists&); // List: its display texts are the items
};

inline constexpr std::size_t kMonitorControlCount = 35;
extern const std::array<MonitorControl, kMonitorControlCount> kMonitorControls;

// The table entry of a control name, or nullptr.
const MonitorControl* FindMonitorControl(const char* name);
// Its place in the table, which is also its place in ControlValues.
std::size_t MonitorControlIndex(const MonitorControl& control);

// What the controls show, one value per control in table order: a percentage for
// percent sliders, a position for lists (-1: nothing selected), 0 or 1 for check boxes.
using ControlValues = std::array<double, kMonitorControlCount>;

// Values for a record: percentages / 1000, positions with OpeningListPosition
// (a position the list lacks shows its first item), booleans.
ControlValues LoadControls(const TMonitorSettings& settings, const MatchLists& lists);
// Stores values into a record: percentages truncated x 1000, positions as they are,
// booleans. A list with nothing selected (an empty list) leaves its field as it was.
void StoreControls(const ControlValues& values, TMonitorSettings& settings);

// The record the dialog's values make: `base` with the enlargement, the router
// input when there is one, and every control of the table.
TMonitorSettings CollectMonitorSettings(TMonitorSettings base, const Enlargement& enlargement,
                                        const ControlValues& values, int routerInput);

// The identifier of the user colour temperature, set by the three user sliders.
inline constexpr const char* kUserColorTemperature = "ctUSER";

// The state of the control rules for the selected input and colour temperature.
struct MonitorControlStates {
    bool rgb = false;    // the input is one of the analog RGB inputs
    bool manual = false; // the user colour temperature is selected (the last item
                         // when the list has no kUserColorTemperature)
};
MonitorControlStates UpdateControlStates(const MatchLists& lists, int inputPosition, int colorTempPosition);

struct ControlState {
    bool visible = true;
    bool enabled = true;
};
ControlState StateOf(ControlRule rule, const MonitorControlStates& states);

} // namespace mlc
