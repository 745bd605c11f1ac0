// Which part of an input picture a monitor shows, and where it lands: the monitor
// dialog's preview draws it into its frame, stretched.
#pragma once

#include "dialogs/slider_values.h"

namespace mlc {

// A rectangle of pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

// The preview frame inside the 100 x 70 preview picture.
inline constexpr PixelRect kPreviewFrame{7, 7, 93, 63};
inline constexpr int kPreviewWidth = 100;
inline constexpr int kPreviewHeight = 70;

struct ShownPart {
    PixelRect source;      // in the picture
    PixelRect destination; // in the frame's coordinates
    bool empty() const { return source.empty() || destination.empty(); }
};

// With pct(n, x) = n / 100 x x truncated: the source starts at (pct(W, XPosition),
// pct(H, YPosition)); with XZoom 100 or less it is pct(W, XZoom) wide, otherwise it
// runs to W and the frame is inset by pct(frame width, XZoom - 100) / 2 on either
// side; the same vertically. A source reaching outside the picture is cut to it and
// the destination cut in proportion, so nothing outside the picture is read.
ShownPart ShownPartOf(int pictureWidth, int pictureHeight, const Enlargement& enlargement,
                      const PixelRect& frame);

} // namespace mlc
