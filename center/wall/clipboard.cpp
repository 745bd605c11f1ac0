#include "wall/clipboard.h"

#include "wall/wall_rect.h"
#include "wall/wall_state.h"

namespace mlc {

#define FIELD(text, member)                                                                                  \
    PasteField {                                                                                             \
        text, [](TMonitorSettings& to, const TMonitorSettings& from) { to.member = from.member; }            \
    }

const std::array<PasteField, kPasteFieldCount> kPasteFields{{
    FIELD("Horizontal panning", XPosition),
    FIELD("Vertical panning", YPosition),
    FIELD("Horizontal zoom", XZoom),
    FIELD("Vertical zoom", YZoom),
    FIELD("Video source", VideoMatrixSource),
    FIELD("Active input", SourceInput),
    FIELD("Horizontal sampling position", HSamplingPos),
    FIELD("Vertical sampling position", VSamplingPos),
    FIELD("Video 1/1 75 ohm termination", Termination[0]),
    FIELD("Video 1/2 75 ohm termination", Termination[1]),
    FIELD("Video 2/1 75 ohm termination", Termination[2]),
    FIELD("Video 2/2 75 ohm termination", Termination[3]),
    FIELD("Freeze", Freeze),
    FIELD("Frame locking", FrameLock),
    FIELD("Interpolation", Interpolation),
    FIELD("Brightness", Brightness),
    FIELD("Contrast", Contrast),
    FIELD("Sharpness", Sharpness),
    FIELD("RGB filter", Filter),
    FIELD("Phase", Phase),
    FIELD("Frequency", Frequency),
    FIELD("Color temperature", ColorTemperature),
    FIELD("User temperature (Red)", RedUserTemp),
    FIELD("User temperature (Green)", GreenUserTemp),
    FIELD("User temperature (Blue)", BlueUserTemp),
    FIELD("Saturation", Saturation),
    FIELD("Hue", Hue),
    FIELD("Gamma", Gamma),
    FIELD("Scaler mode", ScalerMode),
    FIELD("Horizontal strerch", HStretch),
    FIELD("Vertical stretch", VStretch),
    FIELD("Keystoning mode", KeystoneMode),
    FIELD("Keystone", Keystone),
    FIELD("Blank color", BlankColor),
    FIELD("RGB Synchronism type", HD15Sync),
    FIELD("Test pattern", TestPattern),
    FIELD("S1 key binding", BindKey[0]),
    FIELD("S2 key binding", BindKey[1]),
    FIELD("S3 key binding", BindKey[2]),
    FIELD("S4 key binding", BindKey[3]),
}};

#undef FIELD

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
                kPasteFields[field].copy(to, from);
    });
}

void takeOverDeviceState(WallModel& model) {
    for (int r = 1; r <= UsedRows(model); ++r)
        for (int c = 1; c <= UsedColumns(model); ++c)
            model.Monitors.at(c, r).Settings = model.DeviceState.at(c, r).Settings;
    model.VideowallModified = true;
}

} // namespace mlc
