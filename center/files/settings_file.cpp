#include "files/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <variant>

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
    RemoteSettings remote() const { return readRemoteSettings(ini_); }

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
    bool has(const char* section, const std::string& key) const {
        return ini_.value(section, key).has_value();
    }
    void remote(const RemoteSettings& settings) { writeRemoteSettings(settings, ini_); }

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

// What one key of the file holds: a field of the program's settings or of the
// wall model. Its default is the field's value in a freshly made object.
struct WallSize {
    int WallModel::*field; // read clamped to 1..16: start-up uses it before anything else clamps
};
// A switch of our own that is off by default. It is written only when on or when
// the file has it already, so a file whose program never used it stays as it was.
struct Addition {
    bool ProgramSettings::*field;
};
using SettingField =
    std::variant<bool ProgramSettings::*, std::int32_t ProgramSettings::*, std::uint8_t ProgramSettings::*,
                 std::string ProgramSettings::*, bool WallModel::*, double WallModel::*, WallSize, Addition>;
struct SettingKey {
    const char* section;
    const char* key;
    SettingField field;
};
// Keys that come in numbered families, written where they stand in the table.
enum class KeyFamily { DemoImages, DeviceIds, PasteSpecialFlags, Remote };
using SettingEntry = std::variant<SettingKey, KeyFamily>;

using P = ProgramSettings;
using W = WallModel;

// Every setting in the file's order.
const SettingEntry kSettings[] = {
    SettingKey{kGeneral, "RunWizardAtStartup", &P::RunWizardAtStartup},
    SettingKey{kHardware, "LumivanePort", &P::SerialPortNumber},
    SettingKey{kHardware, "ActivateVideoRouter", &P::ActivateVideoRouter},
    SettingKey{kHardware, "InhibitSerialCommunication", &P::InhibitSerialCommunication},
    SettingKey{kHardware, "DisableSourceInfo", &P::DisableSourceInfo},
    SettingKey{kHardware, "QuickSync", Addition{&P::QuickSync}},
    SettingKey{kHardware, "CacheUnitRanges", Addition{&P::CacheUnitRanges}},
    SettingKey{kHardware, "VerifyWrites", Addition{&P::VerifyWrites}},
    KeyFamily::DemoImages,
    SettingKey{kVideowall, "Width", WallSize{&W::WallColumns}},
    SettingKey{kVideowall, "Height", WallSize{&W::WallRows}},
    SettingKey{kVideowall, "DisplayGrid", &P::DisplayGrid},
    SettingKey{kVideowall, "ShowDeviceId", &P::ShowDeviceId},
    SettingKey{kVideowall, "HighlightType", &P::HighlightType},
    SettingKey{kVideowall, "AutoEnlargeReset", &W::AutoEnlargeReset},
    SettingKey{kVideowall, "ShowIdBackground", &P::ShowIdBackground},
    SettingKey{kVideowall, "IdBackgroundColor", &P::IdBackgroundColor},
    KeyFamily::DeviceIds,
    SettingKey{kVideowall, "XMarginSize", &W::XMarginSize},
    SettingKey{kVideowall, "YMarginSize", &W::YMarginSize},
    SettingKey{kVideowall, "XMonitorSize", &W::XMonitorSize},
    SettingKey{kVideowall, "YMonitorSize", &W::YMonitorSize},
    SettingKey{kVideowall, "EnableMarginCorrection", &W::EnableMarginCorrection},
    SettingKey{kSequencer, "Visible", &P::SequencerVisible},
    SettingKey{kSequencer, "Loop", &P::SequencerLoop},
    SettingKey{kSequencer, "AutoStartSequence", &P::AutoStartSequence},
    SettingKey{kPasteSpecial, "Unselected", &P::PasteSpecialUnselected},
    KeyFamily::PasteSpecialFlags,
    KeyFamily::Remote,
};

template <typename... F> struct Overloaded : F... { using F::operator()...; };
// Spelt out for clang 14 (the fuzz build), which does not deduce it for an aggregate.
template <typename... F> Overloaded(F...) -> Overloaded<F...>;

void readKey(const Reader& in, const SettingKey& key, ProgramSettings& s, WallModel& w) {
    static const ProgramSettings ds;
    static const WallModel dw;
    const char* section = key.section;
    const std::string name = key.key;
    std::visit(
        Overloaded{
            [&](bool P::*f) { s.*f = in.boolean(section, name, ds.*f); },
            [&](std::int32_t P::*f) { s.*f = in.integer(section, name, ds.*f); },
            [&](std::uint8_t P::*f) { s.*f = static_cast<std::uint8_t>(in.integer(section, name, ds.*f)); },
            [&](std::string P::*f) { s.*f = in.string(section, name); },
            [&](bool W::*f) { w.*f = in.boolean(section, name, dw.*f); },
            [&](double W::*f) { w.*f = in.real(section, name, dw.*f); },
            [&](WallSize size) { w.*size.field = clampWallSize(in.integer(section, name, dw.*size.field)); },
            [&](Addition a) { s.*a.field = in.boolean(section, name, false); },
        },
        key.field);
}

void writeKey(Writer& out, const SettingKey& key, const ProgramSettings& s, const WallModel& w) {
    const char* section = key.section;
    const std::string name = key.key;
    std::visit(Overloaded{
                   [&](bool P::*f) { out.boolean(section, name, s.*f); },
                   [&](std::int32_t P::*f) { out.integer(section, name, s.*f); },
                   [&](std::uint8_t P::*f) { out.integer(section, name, s.*f); },
                   [&](std::string P::*f) { out.string(section, name, s.*f); },
                   [&](bool W::*f) { out.boolean(section, name, w.*f); },
                   [&](double W::*f) { out.real(section, name, w.*f); },
                   [&](WallSize size) { out.integer(section, name, w.*size.field); },
                   [&](Addition a) {
                       if (s.*a.field || out.has(section, name))
                           out.boolean(section, name, s.*a.field);
                   },
               },
               key.field);
}

void readFamily(const Reader& in, KeyFamily family, std::size_t inputSourceCount, ProgramSettings& s,
                WallModel& wall) {
    switch (family) {
    case KeyFamily::DemoImages:
        s.DemoImageFiles.clear();
        for (std::size_t i = 0; i < inputSourceCount; ++i)
            s.DemoImageFiles.push_back(in.string(kVideowall, "DemoImage" + std::to_string(i)));
        break;
    case KeyFamily::DeviceIds:
        readDeviceIds(in, wall);
        break;
    case KeyFamily::PasteSpecialFlags:
        for (std::size_t i = 0; i < kPasteSpecialFlagCount; ++i)
            s.PasteSpecial[i] = in.boolean(kPasteSpecial, kPasteSpecialKeys[i], kPasteSpecialDefaults[i]);
        break;
    case KeyFamily::Remote:
        s.Remote = in.remote();
        break;
    }
}

void writeFamily(Writer& out, KeyFamily family, const ProgramSettings& s, const WallModel& wall) {
    switch (family) {
    case KeyFamily::DemoImages:
        for (std::size_t i = 0; i < s.DemoImageFiles.size(); ++i)
            out.string(kVideowall, "DemoImage" + std::to_string(i), s.DemoImageFiles[i]);
        break;
    case KeyFamily::DeviceIds:
        for (int r = 1; r <= kMaxRows; ++r)
            for (int c = 1; c <= kMaxColumns; ++c)
                out.integer(kVideowall, monitorIdKey(r, c), wall.Monitors.at(c, r).DeviceId);
        for (int r = 1; r <= kMaxRows; ++r)
            for (int c = 1; c <= kMaxColumns; ++c)
                out.integer(kVideowall, unambiguousMonitorIdKey(r, c), wall.Monitors.at(c, r).DeviceId);
        break;
    case KeyFamily::PasteSpecialFlags:
        for (std::size_t i = 0; i < kPasteSpecialFlagCount; ++i)
            out.boolean(kPasteSpecial, kPasteSpecialKeys[i], s.PasteSpecial[i]);
        break;
    case KeyFamily::Remote:
        out.remote(s.Remote);
        break;
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
    for (const SettingEntry& entry : kSettings) {
        if (const auto* key = std::get_if<SettingKey>(&entry))
            readKey(in, *key, s, wall);
        else
            readFamily(in, std::get<KeyFamily>(entry), inputSourceCount, s, wall);
    }
}

void writeSettings(const ProgramSettings& s, const WallModel& wall, IniFile& ini) {
    Writer out(ini);
    for (const SettingEntry& entry : kSettings) {
        if (const auto* key = std::get_if<SettingKey>(&entry))
            writeKey(out, *key, s, wall);
        else
            writeFamily(out, std::get<KeyFamily>(entry), s, wall);
    }
}

} // namespace mlc
