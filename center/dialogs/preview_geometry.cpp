#include "dialogs/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace mlc {

namespace {

// n / 100 x percent truncated toward zero, kept far inside the int range whatever
// a file held.
double pct(int n, double percent) {
    if (std::isnan(percent))
        return 0;
    return std::trunc(std::clamp(n / 100.0 * percent, -1e7, 1e7));
}

// One direction: the source span [from, to) and the destination span [at, end).
struct Span {
    double from, to;
    double at, end;
};

Span spanOf(int size, double position, double zoom, int frameFrom, int frameTo) {
    Span s{pct(size, position), 0, static_cast<double>(frameFrom), static_cast<double>(frameTo)};
    if (!(zoom > 100)) {
        s.to = s.from + pct(size, zoom);
    } else {
        s.to = size;
        const double inset = std::trunc(pct(frameTo - frameFrom, zoom - 100) / 2);
        s.at += inset;
        s.end -= inset;
    }
    // Cut the source to the picture, the destination in proportion.
    if (s.to > s.from && s.end > s.at) {
        const double scale = (s.end - s.at) / (s.to - s.from);
        if (s.from < 0) {
            s.at += (0 - s.from) * scale;
            s.from = 0;
        }
        if (s.to > size) {
            s.end -= (s.to - size) * scale;
            s.to = size;
        }
    }
    return s;
}

} // namespace

ShownPart ShownPartOf(int pictureWidth, int pictureHeight, const Enlargement& e, const PixelRect& frame) {
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    const Span x = spanOf(pictureWidth, e.XPosition, e.XZoom, frame.left, frame.right);
    const Span y = spanOf(pictureHeight, e.YPosition, e.YZoom, frame.top, frame.bottom);
    auto px = [](double v) { return static_cast<int>(std::lround(v)); };
    ShownPart part{{px(x.from), px(y.from), px(x.to), px(y.to)}, {px(x.at), px(y.at), px(x.end), px(y.end)}};
    if (part.empty())
        return {};
    return part;
}

} // namespace mlc
