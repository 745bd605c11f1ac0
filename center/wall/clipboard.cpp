#include "wall/clipboard.h"

#include "wall/wall_rect.h"
#include "wall/wall_state.h"

namespace mlc {

const std::array<const char*, kPasteFieldCount> kPasteFieldTexts{
    "Horizontal panning",
    "Vertical panning",
    "Horizontal zoom",
    "Vertical zoom",
    "Video source",
    "Active input",
    "Horizontal sampling position",
    "Vertical sampling position",
    "Video 1/1 75 ohm termination",
    "Video 1/2 75 ohm termination",
    "Video 2/1 75 ohm termination",
    "Video 2/2 75 ohm termination",
    "Freeze",
    "Frame locking",
    "Interpolation",
    "Brightness",
    "Contrast",
    "Sharpness",
    "RGB filter",
    "Phase",
    "Frequency",
    "Color temperature",
    "User temperature (Red)",
    "User temperature (Green)",
    "User temperature (Blue)",
    "Saturation",
    "Hue",
    "Gamma",
    "Scaler mode",
    "Horizontal strerch",
    "Vertical stretch",
    "Keystoning mode",
    "Keystone",
    "Blank color",
    "RGB Synchronism type",
    "Test pattern",
    "S1 key binding",
    "S2 key binding",
    "S3 key binding",
    "S4 key binding",
};

void copyPasteField(TMonitorSettings& to, const TMonitorSettings& from, std::size_t field) {
    if (field >= 8 && field <= 11) {
        to.Termination[field - 8] = from.Termination[field - 8];
        return;
    }
    if (field >= 36 && field <= 39) {
        to.BindKey[field - 36] = from.BindKey[field - 36];
        return;
    }
    switch (field) {
    case 0:
        to.XPosition = from.XPosition;
        break;
    case 1:
        to.YPosition = from.YPosition;
        break;
    case 2:
        to.XZoom = from.XZoom;
        break;
    case 3:
        to.YZoom = from.YZoom;
        break;
    case 4:
        to.VideoMatrixSource = from.VideoMatrixSource;
        break;
    case 5:
        to.SourceInput = from.SourceInput;
        break;
    case 6:
        to.HSamplingPos = from.HSamplingPos;
        break;
    case 7:
        to.VSamplingPos = from.VSamplingPos;
        break;
    case 12:
        to.Freeze = from.Freeze;
        break;
    case 13:
        to.FrameLock = from.FrameLock;
        break;
    case 14:
        to.Interpolation = from.Interpolation;
        break;
    case 15:
        to.Brightness = from.Brightness;
        break;
    case 16:
        to.Contrast = from.Contrast;
        break;
    case 17:
        to.Sharpness = from.Sharpness;
        break;
    case 18:
        to.Filter = from.Filter;
        break;
    case 19:
        to.Phase = from.Phase;
        break;
    case 20:
        to.Frequency = from.Frequency;
        break;
    case 21:
        to.ColorTemperature = from.ColorTemperature;
        break;
    case 22:
        to.RedUserTemp = from.RedUserTemp;
        break;
    case 23:
        to.GreenUserTemp = from.GreenUserTemp;
        break;
    case 24:
        to.BlueUserTemp = from.BlueUserTemp;
        break;
    case 25:
        to.Saturation = from.Saturation;
        break;
    case 26:
        to.Hue = from.Hue;
        break;
    case 27:
        to.Gamma = from.Gamma;
        break;
    case 28:
        to.ScalerMode = from.ScalerMode;
        break;
    case 29:
        to.HStretch = from.HStretch;
        break;
    case 30:
        to.VStretch = from.VStretch;
        break;
    case 31:
        to.KeystoneMode = from.KeystoneMode;
        break;
    case 32:
        to.Keystone = from.Keystone;
        break;
    case 33:
        to.BlankColor = from.BlankColor;
        break;
    case 34:
        to.HD15Sync = from.HD15Sync;
        break;
    case 35:
        to.TestPattern = from.TestPattern;
        break;
    default:
        break;
    }
}

void WallClipboard::copy(const WallGrid& monitors, const WallRect& selection) {
    const auto rect = clippedRect(selection);
    filled_ = rect.has_value();
    if (!filled_)
        return;
    monitors_ = monitors;
    rect_ = *rect;
}

const TMonitorSettings& WallClipboard::source(const WallRect& selection, int column, int row) const {
    // The copied block is within the array (copy clipped it), and so is every
    // source cell, whatever the selection or the wall's size has become since.
    const int dc = column - selection.Left;
    const int dr = row - selection.Top;
    const int w = rectColumns(rect_);
    const int h = rectRows(rect_);
    const int c = rect_.Left + ((dc % w) + w) % w;
    const int r = rect_.Top + ((dr % h) + h) % h;
    return monitors_.at(c, r).Settings;
}

template <typename Apply>
bool WallClipboard::forEachPlace(WallModel& model, const WallRect& selection, Apply apply) const {
    const auto target = clippedRect(selection);
    if (!filled_ || !target)
        return false;
    for (int r = target->Top; r <= target->Bottom; ++r)
        for (int c = target->Left; c <= target->Right; ++c)
            apply(model.Monitors.at(c, r).Settings, source(*target, c, r));
    model.VideowallModified = true;
    return true;
}

bool WallClipboard::paste(WallModel& model, const WallRect& selection) const {
    return forEachPlace(model, selection,
                        [](TMonitorSettings& to, const TMonitorSettings& from) { to = from; });
}

bool WallClipboard::pasteSpecial(WallModel& model, const WallRect& selection,
                                 const PasteSpecialMask& mask) const {
    return forEachPlace(model, selection, [&](TMonitorSettings& to, const TMonitorSettings& from) {
        if (mask.Unselected == ResetUnselected)
            to = model.DefaultSettings;
        for (std::size_t field = 0; field < kPasteFieldCount; ++field)
            if (mask.Flags[field])
                copyPasteField(to, from, field);
    });
}

void takeOverDeviceState(WallModel& model) {
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            model.Monitors.at(c, r).Settings = model.DeviceState.at(c, r).Settings;
    model.VideowallModified = true;
}

} // namespace mlc
