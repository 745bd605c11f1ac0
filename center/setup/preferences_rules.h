// The preferences dialog without widgets: what its controls show when it opens,
// which controls depend on which, and how OK stores them.
#pragma once

#include "files/settings_file.h"
#include "operator.h"
#include "setup/monitor_types.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mlc {

inline constexpr const char* kMarginCorrectionWarning =
    "One or more monitor measurements are ZERO or less. Since it is not possible to use\r\nmonitor border "
    "correction this way, the option will be disabled";

// Shown in place of a port choice when the driver lists no serial port.
inline constexpr const char* kNoPortNotice =
    "No serial port is available: connect the videowall to a serial port of this computer, then open the "
    "preferences again.";

// The autostart check box's caption, in the words of the platform.
const char* autoRunCaption();

// What the dialog's controls hold.
struct PreferencesForm {
    std::vector<std::string> ports; // "COM1" ...
    int portIndex = 0;
    int columns = 1;
    int rows = 1;
    bool inhibitTransmission = false;
    int highlight = 0;
    std::vector<std::string> imageSources; // one row per input source
    std::vector<std::string> imageFiles;
    bool idBackground = true;
    std::int32_t idBackgroundColor = 0; // 0x00BBGGRR
    bool enlargementReset = false;
    bool autoRun = false;
    std::string autoRunSequence;
    bool useVideoMatrix = false;
    bool marginCorrection = true;
    int monitorType = kCustomMonitorType;
    MeasureTexts measures;
    bool startWizard = true;
    bool disableSourceInfo = true;
    // " Synchronisation ": QuickSync, CacheUnitRanges, VerifyWrites.
    bool quickSync = false;
    bool cacheRanges = false;
    bool verifyWrites = false;
    // " Remote control ": the network interface for control systems.
    RemoteSettings remote;
};

PreferencesForm loadPreferences(const ProgramSettings& settings, const WallModel& wall,
                                const MatchLists& lists, int portCount, bool autoRunEntryExists);

// Which controls are enabled for what the others hold.
struct PreferencesEnabling {
    bool autoRunSequence = false; // the edit box and its browse button
    bool routerButton = false;
    bool autodetectButton = false; // a port to probe, and the link switched on
    bool monitorType = false;
    bool measures = false; // the four boxes, their labels and the custom group
};
PreferencesEnabling preferencesEnabling(const PreferencesForm& form);

// The monitor type or the correction switch changed: a type other than the custom
// one puts its values into the boxes.
void applyMonitorType(PreferencesForm& form);

// What OK reaches besides the model and the settings.
struct PreferencesServices {
    std::function<void()> configureRouter;
    std::function<void(bool)> setTestMode; // the driver's, when the link switch is stored
    std::string autostartPath;             // the entry the autostart box stands for
    std::string programPath;               // what the entry starts
    std::string configDir;                 // the settings folder it starts on
};

// Stores every control in order. With border correction on and a measurement of
// 0 or less it warns once, leaves the correction off and unchecks the form's box.
void storePreferences(PreferencesForm& form, ProgramSettings& settings, WallModel& wall,
                      const PreferencesServices& services, Operator& op);

} // namespace mlc
