// The settings file mlcenter.INI: what it holds, read at start and written at the end.
//
// Device IDs are stored under two keys per monitor. "MonitorID" + row + column
// (MonitorID11, MonitorID1016) is the form older files have; it is ambiguous, as
// row 1 column 12 and row 11 column 2 both give MonitorID112. It is still written,
// row by row, for programs that read only it. "MonitorID_" + row + "_" + column
// (MonitorID_11_2) is unambiguous, written as well and read first when present.
#pragma once

#include "files/ini_file.h"
#include "remote_api/remote_settings.h"
#include "wall/wall_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mlc {

// The paste-special selection: one flag per stored monitor setting.
inline constexpr std::size_t kPasteSpecialFlagCount = 40;
extern const std::array<const char*, kPasteSpecialFlagCount> kPasteSpecialKeys;
extern const std::array<bool, kPasteSpecialFlagCount> kPasteSpecialDefaults;

struct ProgramSettings {
    bool RunWizardAtStartup = true;
    std::uint8_t SerialPortNumber = 1;
    bool ActivateVideoRouter = false;
    bool InhibitSerialCommunication = false;
    bool DisableSourceInfo = true;
    // Our additions for large and unattended walls (see sync/device_sync.h).
    bool QuickSync = false;                  // a wall write passes over monitors with nothing to send
    bool CacheUnitRanges = false;            // the plug-in remembers each unit's ranges
    bool VerifyWrites = false;               // a wall write checks that every unit applied its queue
    std::vector<std::string> DemoImageFiles; // one per input source
    bool DisplayGrid = true;
    bool ShowDeviceId = true;
    std::int32_t HighlightType = 0;
    bool ShowIdBackground = true;
    std::int32_t IdBackgroundColor = 16777215; // 0x00BBGGRR
    bool SequencerVisible = true;
    bool SequencerLoop = false;
    std::string AutoStartSequence;
    std::int32_t PasteSpecialUnselected = 0;
    std::array<bool, kPasteSpecialFlagCount> PasteSpecial = kPasteSpecialDefaults;
    RemoteSettings Remote; // the network interface for control systems (our addition)
};

std::string monitorIdKey(int row, int column);            // MonitorID112
std::string unambiguousMonitorIdKey(int row, int column); // MonitorID_11_2

// Reads every setting (defaults for missing or unreadable values), the wall size
// clamped to 1..16 and the device IDs of Monitors and DeviceState. Reads one
// DemoImage key per input source.
void readSettings(const IniFile& ini, std::size_t inputSourceCount, ProgramSettings& settings,
                  WallModel& wall);
// Writes every key in the file's order; keys the program does not know stay.
void writeSettings(const ProgramSettings& settings, const WallModel& wall, IniFile& ini);

// Integers as the settings file has them: decimal with an optional sign, or
// hexadecimal after "$" or "0x"; within 32 bits.
std::optional<std::int32_t> parseSettingsInteger(std::string_view text);
// Decimal text with a point (a comma is accepted too); finite values only.
std::optional<double> parseSettingsFloat(std::string_view text);
// Shortest text that reads back as the same double, always with a point.
std::string formatSettingsFloat(double value);

} // namespace mlc
