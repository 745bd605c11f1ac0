#include "files/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace mlc {

const std::array<const char*, kPasteSpecialFlagCount> kPasteSpecialKeys{"XPosition",
                                                                        "YPosition",
                                                                        "XZoom",
                                                                        "YZoom",
                                                                        "VideoMatrixSource",
                                                                        "SourceInput",
                                                                        "HSamplingPos",
                                                                        "VSamplingPos",
                                                                        "Termination1",
                                                                        "Termination2",
                                                                        "Termination3",
                                                                        "Termination4",
                                                                        "Freeze",
                                                                        "FrameLock",
                                                                        "Interpolation",
                                                                        "Brightness",
                                                                        "Contrast",
                                                                        "Sharpness",
                                                                        "Filter",
                                                                        "Phase",
                                                                        "Frequency",
                                                                        "ColorTemperature",
                                                                        "RedUserTemp",
                                                                        "GreenUserTemp",
                                                                        "BlueUserTemp",
                                                                        "Saturation",
                                                                        "Hue",
                                                                        "Gamma",
                                                                        "ScalerMode",
                                                                        "HStretch",
                                                                        "VStretch",
                                                                        "KeystoneMode",
                                                                        "Keystone",
                                                                        "BlankColor",
                                                                        "HD15Sync",
                                                                        "TestPattern",
                                                                        "BindKey1",
                                                                        "BindKey2",
                                                                        "BindKey3",
                                                                        "BindKey4"};

const std::array<bool, kPasteSpecialFlagCount> kPasteSpecialDefaults{
    true,  true,  true,  true,  true,  true, // enlargement, router input, active input
    false, false,                            // sampling positions
    true,  true,  true,  true,               // terminations
    true,  false, true,                      // freeze, frame lock, interpolation
    false, false, false, false, false, false, false, false, false, false, false,
    false, false, false, false, false, false, false, false, false, false, // Brightness .. TestPattern
    false, false, false, false};                                          // bound keys

namespace {

constexpr const char* kGeneral = "General";
constexpr const char* kHardware = "Hardware";
constexpr const char* kVideowall = "Videowall";
constexpr const char* kSequencer = "Sequencer";
constexpr const char* kPasteSpecial = "PasteSpecial";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

class Reader {
public:
    explicit Reader(const IniFile& ini) : ini_(ini) {}
    std::int32_t integer(const char* section, const std::string& key, std::int32_t fallback) const {
        const auto text = ini_.value(section, key);
        const auto value = text ? parseSettingsInteger(*text) : std::nullopt;
        return value.value_or(fallback);
    }
    bool boolean(const char* section, const std::string& key, bool fallback) const {
        return integer(section, key, fallback ? 1 : 0) != 0;
    }
    double real(const char* section, const std::string& key, double fallback) const {
        const auto text = ini_.value(section, key);
        const auto value = text ? parseSettingsFloat(*text) : std::nullopt;
        return value.value_or(fallback);
    }
    std::string string(const char* section, const std::string& key) const {
        return ini_.value(section, key).value_or(std::string());
    }
    bool has(const char* section, const std::string& key) const {
        return ini_.value(section, key).has_value();
    }

private:
    const IniFile& ini_;
};

class Writer {
public:
    explicit Writer(IniFile& ini) : ini_(ini) {}
    void integer(const char* section, const std::string& key, std::int64_t value) {
        ini_.set(section, key, std::to_string(value));
    }
    void boolean(const char* section, const std::string& key, bool value) {
        ini_.set(section, key, value ? "1" : "0");
    }
    void real(const char* section, const std::string& key, double value) {
        ini_.set(section, key, formatSettingsFloat(value));
    }
    void string(const char* section, const std::string& key, const std::string& value) {
        ini_.set(section, key, value);
    }

private:
    IniFile& ini_;
};

int clampWallSize(std::int32_t value) {
    return std::clamp<std::int32_t>(value, 1, 16);
}

void readDeviceIds(const Reader& in, WallModel& wall) {
    for (int r = 1; r <= kMaxRows; ++r)
        for (int c = 1; c <= kMaxColumns; ++c) {
            TWallMonitor& monitor = wall.Monitors.at(c, r);
            const std::string key = in.has(kVideowall, unambiguousMonitorIdKey(r, c))
                                        ? unambiguousMonitorIdKey(r, c)
                                        : monitorIdKey(r, c);
            const auto id = static_cast<std::uint8_t>(in.integer(kVideowall, key, monitor.DeviceId));
            monitor.DeviceId = id;
            wall.DeviceState.at(c, r).DeviceId = id;
        }
}

} // namespace

std::string monitorIdKey(int row, int column) {
    return "MonitorID" + std::to_string(row) + std::to_string(column);
}

std::string unambiguousMonitorIdKey(int row, int column) {
    return "MonitorID_" + std::to_string(row) + "_" + std::to_string(column);
}

std::optional<std::int32_t> parseSettingsInteger(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value)) : value;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(std::min<std::uint64_t>(magnitude, 1ull << 40))
                 : static_cast<std::int64_t>(std::min<std::uint64_t>(magnitude, 1ull << 40));
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseSettingsFloat(std::string_view text) {
    std::string copy(trimmed(text));
    std::replace(copy.begin(), copy.end(), ',', '.');
    const char* begin = copy.data();
    if (!copy.empty() && copy.front() == '+')
        ++begin;
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, copy.data() + copy.size(), value);
    if (error != std::errc() || end != copy.data() + copy.size() || begin == end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatSettingsFloat(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void readSettings(const IniFile& ini, std::size_t inputSourceCount, ProgramSettings& s, WallModel& wall) {
    const Reader in(ini);
    const ProgramSettings d;
    const WallModel w;
    s.RunWizardAtStartup = in.boolean(kGeneral, "RunWizardAtStartup", d.RunWizardAtStartup);
    s.SerialPortNumber = static_cast<std::uint8_t>(in.integer(kHardware, "LumivanePort", d.SerialPortNumber));
    s.ActivateVideoRouter = in.boolean(kHardware, "ActivateVideoRouter", d.ActivateVideoRouter);
    s.InhibitSerialCommunication =
        in.boolean(kHardware, "InhibitSerialCommunication", d.InhibitSerialCommunication);
    s.DisableSourceInfo = in.boolean(kHardware, "DisableSourceInfo", d.DisableSourceInfo);
    s.DemoImageFiles.clear();
    for (std::size_t i = 0; i < inputSourceCount; ++i)
        s.DemoImageFiles.push_back(in.string(kVideowall, "DemoImage" + std::to_string(i)));
    wall.WallColumns = clampWallSize(in.integer(kVideowall, "Width", w.WallColumns));
    wall.WallRows = clampWallSize(in.integer(kVideowall, "Height", w.WallRows));
    s.DisplayGrid = in.boolean(kVideowall, "DisplayGrid", d.DisplayGrid);
    s.ShowDeviceId = in.boolean(kVideowall, "ShowDeviceId", d.ShowDeviceId);
    s.HighlightType = in.integer(kVideowall, "HighlightType", d.HighlightType);
    wall.AutoEnlargeReset = in.boolean(kVideowall, "AutoEnlargeReset", w.AutoEnlargeReset);
    s.ShowIdBackground = in.boolean(kVideowall, "ShowIdBackground", d.ShowIdBackground);
    s.IdBackgroundColor = in.integer(kVideowall, "IdBackgroundColor", d.IdBackgroundColor);
    readDeviceIds(in, wall);
    wall.XMarginSize = in.real(kVideowall, "XMarginSize", w.XMarginSize);
    wall.YMarginSize = in.real(kVideowall, "YMarginSize", w.YMarginSize);
    wall.XMonitorSize = in.real(kVideowall, "XMonitorSize", w.XMonitorSize);
    wall.YMonitorSize = in.real(kVideowall, "YMonitorSize", w.YMonitorSize);
    wall.EnableMarginCorrection = in.boolean(kVideowall, "EnableMarginCorrection", w.EnableMarginCorrection);
    s.SequencerVisible = in.boolean(kSequencer, "Visible", d.SequencerVisible);
    s.SequencerLoop = in.boolean(kSequencer, "Loop", d.SequencerLoop);
    s.AutoStartSequence = in.string(kSequencer, "AutoStartSequence");
    s.PasteSpecialUnselected = in.integer(kPasteSpecial, "Unselected", d.PasteSpecialUnselected);
    for (std::size_t i = 0; i < kPasteSpecialFlagCount; ++i)
        s.PasteSpecial[i] = in.boolean(kPasteSpecial, kPasteSpecialKeys[i], kPasteSpecialDefaults[i]);
}

void writeSettings(const ProgramSettings& s, const WallModel& wall, IniFile& ini) {
    Writer out(ini);
    out.boolean(kGeneral, "RunWizardAtStartup", s.RunWizardAtStartup);
    out.integer(kHardware, "LumivanePort", s.SerialPortNumber);
    out.boolean(kHardware, "ActivateVideoRouter", s.ActivateVideoRouter);
    out.boolean(kHardware, "InhibitSerialCommunication", s.InhibitSerialCommunication);
    out.boolean(kHardware, "DisableSourceInfo", s.DisableSourceInfo);
    for (std::size_t i = 0; i < s.DemoImageFiles.size(); ++i)
        out.string(kVideowall, "DemoImage" + std::to_string(i), s.DemoImageFiles[i]);
    out.integer(kVideowall, "Width", wall.WallColumns);
    out.integer(kVideowall, "Height", wall.WallRows);
    out.boolean(kVideowall, "DisplayGrid", s.DisplayGrid);
    out.boolean(kVideowall, "ShowDeviceId", s.ShowDeviceId);
    out.integer(kVideowall, "HighlightType", s.HighlightType);
    out.boolean(kVideowall, "AutoEnlargeReset", wall.AutoEnlargeReset);
    out.boolean(kVideowall, "ShowIdBackground", s.ShowIdBackground);
    out.integer(kVideowall, "IdBackgroundColor", s.IdBackgroundColor);
    for (int r = 1; r <= kMaxRows; ++r)
        for (int c = 1; c <= kMaxColumns; ++c)
            out.integer(kVideowall, monitorIdKey(r, c), wall.Monitors.at(c, r).DeviceId);
    for (int r = 1; r <= kMaxRows; ++r)
        for (int c = 1; c <= kMaxColumns; ++c)
            out.integer(kVideowall, unambiguousMonitorIdKey(r, c), wall.Monitors.at(c, r).DeviceId);
    out.real(kVideowall, "XMarginSize", wall.XMarginSize);
    out.real(kVideowall, "YMarginSize", wall.YMarginSize);
    out.real(kVideowall, "XMonitorSize", wall.XMonitorSize);
    out.real(kVideowall, "YMonitorSize", wall.YMonitorSize);
    out.boolean(kVideowall, "EnableMarginCorrection", wall.EnableMarginCorrection);
    out.boolean(kSequencer, "Visible", s.SequencerVisible);
    out.boolean(kSequencer, "Loop", s.SequencerLoop);
    out.string(kSequencer, "AutoStartSequence", s.AutoStartSequence);
    out.integer(kPasteSpecial, "Unselected", s.PasteSpecialUnselected);
    for (std::size_t i = 0; i < kPasteSpecialFlagCount; ++i)
        out.boolean(kPasteSpecial, kPasteSpecialKeys[i], s.PasteSpecial[i]);
}

} // namespace mlc
