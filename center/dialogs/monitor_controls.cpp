#include "dialogs/monitor_controls.h"

#include "wall/wall_state.h"

#include <cstring>

namespace mlc {

const std::array<const char*, kSettingsBoxCount> kSettingsBoxItems = {
    "Zoom and panning", "Image quality",   "Color quality",    "RGB inputs",
    "Video inputs",     "Digital effects", "On-screen display"};
const std::array<const char*, kSettingsBoxCount> kSettingsBoxCaptions = {
    " Zoom and panning ", " Image quality ",   " Color quality ",    " RGB Inputs ",
    " Video inputs ",     " Digital effects ", " On-screen display "};

namespace {

using S = TMonitorSettings;
using L = MatchLists;
using B = SettingsBox;
using K = ControlKind;
using R = ControlRule;

#define NUMBER(expr) [](S& s) -> std::int32_t& { return s.expr; }
#define FLAG(expr) [](S& s) -> bool& { return s.expr; }
#define LIST(pair) [](const L& l) -> const MatchListPair& { return l.pair; }

MonitorControl percent(const char* name, const char* label, B box, std::int32_t& (*field)(S&),
                       R rule = R::Always) {
    return {name, label, box, K::Percent, rule, field, nullptr, nullptr};
}
MonitorControl list(const char* name, const char* label, B box, std::int32_t& (*field)(S&),
                    const MatchListPair& (*items)(const L&), R rule = R::Always) {
    return {name, label, box, K::List, rule, field, nullptr, items};
}
MonitorControl check(const char* name, const char* label, B box, bool& (*field)(S&), R rule = R::Always) {
    return {name, label, box, K::Check, rule, nullptr, field, nullptr};
}

} // namespace

const std::array<MonitorControl, kMonitorControlCount> kMonitorControls = {{
    list("InputSource", " Active in&put ", B::None, NUMBER(SourceInput), LIST(InputSources)),

    percent("Brightness", "&Brightness:", B::ImageQuality, NUMBER(Brightness)),
    percent("Contrast", "Co&ntrast:", B::ImageQuality, NUMBER(Contrast)),
    percent("Sharpness", "&Sharpness:", B::ImageQuality, NUMBER(Sharpness), R::ShownForVideo),
    list("Filter", "&Sharpness:", B::ImageQuality, NUMBER(Filter), LIST(InputFilter), R::ShownForRgb),

    list("ColorTemp", "Color &temperature:", B::ColorQuality, NUMBER(ColorTemperature), LIST(ColorTemp)),
    percent("RedTemp", "User &red color temperature:", B::ColorQuality, NUMBER(RedUserTemp),
            R::EnabledForManual),
    percent("GreenTemp", "User &green color temperature:", B::ColorQuality, NUMBER(GreenUserTemp),
            R::EnabledForManual),
    percent("BlueTemp", "User &blue color temperature:", B::ColorQuality, NUMBER(BlueUserTemp),
            R::EnabledForManual),
    percent("Gamma", "Ga&mma:", B::ColorQuality, NUMBER(Gamma)),
    percent("Saturation", "S&aturation (composite / S-VHS):", B::ColorQuality, NUMBER(Saturation),
            R::EnabledForVideo),
    percent("Hue", "&Hue (composite / S-VHS):", B::ColorQuality, NUMBER(Hue), R::EnabledForVideo),

    percent("Phase", "Ph&ase:", B::RgbInputs, NUMBER(Phase), R::EnabledForRgb),
    percent("Frequency", "&Frequency:", B::RgbInputs, NUMBER(Frequency), R::EnabledForRgb),
    percent("HInputPos", "&Horizontal sampling position:", B::RgbInputs, NUMBER(HSamplingPos),
            R::EnabledForRgb),
    percent("VInputPos", "&Vertical sampling position:", B::RgbInputs, NUMBER(VSamplingPos),
            R::EnabledForRgb),
    list("HD15Sync", "&RGB sync type:", B::RgbInputs, NUMBER(HD15Sync), LIST(HD15Sync), R::AlwaysHidden),

    check("Video11Term", "75 ohm termination, video input 1/&1", B::VideoInputs, FLAG(Termination[0]),
          R::AlwaysHidden),
    check("Video12Term", "75 ohm termination, video input 1/&2", B::VideoInputs, FLAG(Termination[1]),
          R::AlwaysHidden),
    check("Video21Term", "&75 ohm termination, video input 2/1", B::VideoInputs, FLAG(Termination[2]),
          R::AlwaysHidden),
    check("Video22Term", "7&5 ohm termination, video input 2/2", B::VideoInputs, FLAG(Termination[3]),
          R::AlwaysHidden),

    list("ScalerMode", "&Format (overrides zoom and panning):", B::DigitalEffects, NUMBER(ScalerMode),
         LIST(ScaleMode), R::AlwaysHidden),
    check("Freeze", "Free&ze image", B::DigitalEffects, FLAG(Freeze)),
    percent("HStretch", "&Horizontal stretch:", B::DigitalEffects, NUMBER(HStretch), R::AlwaysHidden),
    percent("VStretch", "&Vertical stretch:", B::DigitalEffects, NUMBER(VStretch), R::AlwaysHidden),
    list("KeystoneMode", "Keystone &mode:", B::DigitalEffects, NUMBER(KeystoneMode), LIST(KeystoningMode)),
    percent("Keystone", "&Keystone:", B::DigitalEffects, NUMBER(Keystone)),
    list("FrameLock", "Fr&ame locking:", B::DigitalEffects, NUMBER(FrameLock), LIST(FrameLock)),
    list("Interpolation", "I&nterpolation type:", B::DigitalEffects, NUMBER(Interpolation),
         LIST(Interpolation)),

    list("S1", "Bind S&1 key to:", B::OnScreenDisplay, NUMBER(BindKey[0]), LIST(InputSources)),
    list("S2", "Bind S&2 key to:", B::OnScreenDisplay, NUMBER(BindKey[1]), LIST(InputSources)),
    list("S3", "Bind S&3 key to:", B::OnScreenDisplay, NUMBER(BindKey[2]), LIST(InputSources)),
    list("S4", "Bind S&4 key to:", B::OnScreenDisplay, NUMBER(BindKey[3]), LIST(InputSources)),
    list("BlankColor", "Blan&k color:", B::OnScreenDisplay, NUMBER(BlankColor), LIST(ScreenColors)),
    list("TestPattern", "&Test pattern:", B::OnScreenDisplay, NUMBER(TestPattern), LIST(TestPattern)),
}};

#undef NUMBER
#undef FLAG
#undef LIST

const MonitorControl* FindMonitorControl(const char* name) {
    for (const MonitorControl& control : kMonitorControls)
        if (std::strcmp(control.name, name) == 0)
            return &control;
    return nullptr;
}

std::size_t MonitorControlIndex(const MonitorControl& control) {
    return static_cast<std::size_t>(&control - kMonitorControls.data());
}

ControlValues LoadControls(const TMonitorSettings& settings, const MatchLists& lists) {
    TMonitorSettings record = settings; // the accessors hand out references
    ControlValues values{};
    for (std::size_t i = 0; i < kMonitorControlCount; ++i) {
        const MonitorControl& control = kMonitorControls[i];
        switch (control.kind) {
        case ControlKind::Percent:
            values[i] = ShownPercent(control.number(record));
            break;
        case ControlKind::List:
            values[i] = OpeningListPosition(control.number(record), control.list(lists).Names.size());
            break;
        case ControlKind::Check:
            values[i] = control.flag(record) ? 1 : 0;
            break;
        }
    }
    return values;
}

void StoreControls(const ControlValues& values, TMonitorSettings& settings) {
    for (std::size_t i = 0; i < kMonitorControlCount; ++i) {
        const MonitorControl& control = kMonitorControls[i];
        switch (control.kind) {
        case ControlKind::Percent:
            control.number(settings) = StoredPercent(values[i]);
            break;
        case ControlKind::List:
            if (values[i] >= 0)
                control.number(settings) = static_cast<std::int32_t>(values[i]);
            break;
        case ControlKind::Check:
            control.flag(settings) = values[i] != 0;
            break;
        }
    }
}

TMonitorSettings CollectMonitorSettings(TMonitorSettings base, const Enlargement& enlargement,
                                        const ControlValues& values, int routerInput) {
    base.XPosition = enlargement.XPosition;
    base.YPosition = enlargement.YPosition;
    base.XZoom = enlargement.XZoom;
    base.YZoom = enlargement.YZoom;
    if (routerInput >= 0 && routerInput <= 255)
        base.VideoMatrixSource = static_cast<std::uint8_t>(routerInput);
    StoreControls(values, base);
    return base;
}

namespace {

// The colour temperature the three user sliders set: the definitions' ctUSER,
// wherever they list it; a list without it keeps its user setting last.
int userTemperaturePosition(const MatchListPair& temperatures) {
    const int named = temperatures.indexOf(kUserColorTemperature);
    return named >= 0 ? named : static_cast<int>(temperatures.Names.size()) - 1;
}

} // namespace

MonitorControlStates UpdateControlStates(const MatchLists& lists, int inputPosition, int colorTempPosition) {
    return {IsAnalogRgbSource(lists, inputPosition),
            colorTempPosition >= 0 && colorTempPosition == userTemperaturePosition(lists.ColorTemp)};
}

ControlState StateOf(ControlRule rule, const MonitorControlStates& states) {
    switch (rule) {
    case ControlRule::Always:
        return {};
    case ControlRule::ShownForVideo:
        return {!states.rgb, true};
    case ControlRule::ShownForRgb:
        return {states.rgb, true};
    case ControlRule::EnabledForRgb:
        return {true, states.rgb};
    case ControlRule::EnabledForVideo:
        return {true, !states.rgb};
    case ControlRule::EnabledForManual:
        return {true, states.manual};
    case ControlRule::AlwaysHidden:
        return {false, true};
    }
    return {};
}

} // namespace mlc
