// Enlargement arithmetic: the part of the input picture each monitor of a rectangle
// shows, with bezel correction, and the conversions to and from device values.
#pragma once

#include "wall/wall_model.h"

#include <cstdint>
#include <optional>

namespace mlc {

// A rectangle of wall places, 1-based and inclusive, Left <= Right, Top <= Bottom.
struct WallRect {
    int Left = 1;
    int Top = 1;
    int Right = 1;
    int Bottom = 1;
};

// Sets position and zoom of every monitor in the rectangle (after resetting it to
// DefaultSettings when AutoEnlargeReset is set) and marks the wall modified. Synced
// flags stay: the next write compares with DeviceState. Sending, repainting and the
// caption are the caller's. A rectangle that is not within 1..16 both ways or whose
// sides are the wrong way round changes nothing: false.
bool AutosetEnlargement(WallModel& model, const WallRect& rect);

// The device's zoom value for a zoom in percent of the picture: the magnification
// 100 / zoom within 0.75..16 as a percentage. A zoom of 0 (or not a number) has no
// device value: nullopt, and the caller leaves it unsent. Results beyond the 32-bit
// range (a zoom very near 0) are clamped to it.
std::optional<std::int32_t> ZoomToDevice(double zoom);
// Zoom in percent for a device value (clamped to 0..100000 first, the range the
// driver reports).
double DeviceToZoom(std::int32_t value);
// The device's pan value: the position within the free travel 100 - zoom.
std::int32_t PanToDevice(double zoom, double position);
double DeviceToPan(double zoom, std::int32_t value);

} // namespace mlc
