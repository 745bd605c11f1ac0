#include "dialogs/slider_values.h"

#include "wall/enlargement.h"

#include <algorithm>
#include <cmath>

namespace mlc {

double ShownPercent(std::int32_t stored) {
    return stored / 1000.0;
}

std::int32_t StoredPercent(double shown) {
    if (std::isnan(shown))
        return 0;
    const double millionths = std::round(std::clamp(shown, 0.0, 100.0) * 1e6);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(millionths) / 1000);
}

double ShownMagnification(double zoom) {
    if (std::isnan(zoom))
        return 1.0;
    if (zoom <= 0)
        return kMaxMagnification;
    return std::clamp(100.0 / zoom, kMinMagnification, kMaxMagnification);
}

double ZoomFromMagnification(double magnification) {
    return 100.0 / std::clamp(magnification, kMinMagnification, kMaxMagnification);
}

double ShownPan(double zoom, double position) {
    return PanToDevice(zoom, position) / 1000.0;
}

double PositionFromPan(double zoom, double shownPan) {
    if (!(zoom < 100.0))
        return 0.0;
    return DeviceToPan(zoom, StoredPercent(shownPan));
}

int OpeningListPosition(std::int32_t stored, std::size_t count) {
    if (count == 0)
        return -1;
    return stored >= 0 && static_cast<std::size_t>(stored) < count ? stored : 0;
}

Enlargement EnlargementOf(const TMonitorSettings& s) {
    return {s.XPosition, s.YPosition, s.XZoom, s.YZoom};
}

ZoomPanShown ShownZoomPan(const Enlargement& e) {
    return {ShownMagnification(e.XZoom), ShownMagnification(e.YZoom), ShownPan(e.XZoom, e.XPosition),
            ShownPan(e.YZoom, e.YPosition)};
}

void ZoomSliderMoved(Enlargement& e, Axis axis, double magnification, double shownPan) {
    double& zoom = axis == Axis::Horizontal ? e.XZoom : e.YZoom;
    zoom = ZoomFromMagnification(magnification);
    PanSliderMoved(e, axis, shownPan);
}

void PanSliderMoved(Enlargement& e, Axis axis, double shownPan) {
    if (axis == Axis::Horizontal)
        e.XPosition = PositionFromPan(e.XZoom, shownPan);
    else
        e.YPosition = PositionFromPan(e.YZoom, shownPan);
}

} // namespace mlc
