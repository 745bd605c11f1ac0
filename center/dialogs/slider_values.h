// What the settings dialogs' sliders show and what they store.
//
// Percent sliders show 0..100 while the record holds thousandths of a percent.
// Zoom sliders show a magnification 0.75..16 while the record holds the width (or
// height) of the shown part in percent of the picture, 100 / magnification. Pan
// sliders show the position within the free travel as a percentage, the device's
// pan value / 1000.
#pragma once

#include "wall/monitor_settings.h"

#include <cstddef>
#include <cstdint>

namespace mlc {

inline constexpr double kMinMagnification = 0.75;
inline constexpr double kMaxMagnification = 16.0;

// stored / 1000.
double ShownPercent(std::int32_t stored);
// shown x 1000 truncated toward zero, within 0..100000. The product is taken to a
// millionth first, so that a shown 50.196 (not exact in binary) stores 50196.
std::int32_t StoredPercent(double shown);

// The magnification a zoom slider shows for a zoom field: 100 / zoom within
// 0.75..16 (a zoom of 0 or less shows 16; not a number shows 1).
double ShownMagnification(double zoom);
// The zoom field for a magnification: 100 / magnification.
double ZoomFromMagnification(double magnification);

// The pan slider for a position and zoom: PanToDevice / 1000 (0 with no free travel).
double ShownPan(double zoom, double position);
// The position for a pan slider: DeviceToPan of the stored percentage. With no
// free travel (zoom 100 or more) the position is 0, not a negative edge.
double PositionFromPan(double zoom, double shownPan);

// The position a list control selects for a stored one: the stored position when
// the list has it, else the first item; -1 (nothing) for an empty list.
int OpeningListPosition(std::int32_t stored, std::size_t count);

// The four enlargement values the zoom and pan sliders edit.
struct Enlargement {
    double XPosition = 0.0;
    double YPosition = 0.0;
    double XZoom = 100.0;
    double YZoom = 100.0;

    bool operator==(const Enlargement&) const = default;
};

// The enlargement a record holds.
Enlargement EnlargementOf(const TMonitorSettings& settings);

enum class Axis { Horizontal, Vertical };

// What the four sliders show for an enlargement.
struct ZoomPanShown {
    double XMagnification = 1.0;
    double YMagnification = 1.0;
    double XPan = 0.0;
    double YPan = 0.0;
};
ZoomPanShown ShownZoomPan(const Enlargement& e);

// The zoom slider of one direction moved: that direction's zoom follows it and its
// position is taken again from its pan slider. The other direction is untouched.
void ZoomSliderMoved(Enlargement& e, Axis axis, double magnification, double shownPan);
// The pan slider of one direction moved: that direction's position follows it, its
// zoom stays as it was (the slider shows it rounded).
void PanSliderMoved(Enlargement& e, Axis axis, double shownPan);

} // namespace mlc
