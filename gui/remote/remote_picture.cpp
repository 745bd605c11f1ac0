#include "remote/remote_picture.h"

#include "dialogs/window_shape.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <vector>

// The picture lives in the static GUI library, whose resources the linker keeps
// only when something refers to them.
static void initRemoteResources() {
    Q_INIT_RESOURCE(remote);
}

namespace mlgui {
namespace {

// The outline colour of the drawing: a half-covered edge pixel is drawn in it.
constexpr QRgb kEdgeColour = qRgb(0x2b, 0x34, 0x40);

QImage renderSvg(const QString& path, qreal scale) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || renderer.defaultSize().isEmpty())
        return {};
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    // The window shape is all or nothing per pixel: an edge pixel either belongs
    // to the window, fully drawn, or is the transparent colour.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha < 128) {
                line[x] = 0;
            } else if (alpha < 255) {
                const auto blend = [alpha](int c, int edge) {
                    return (c * alpha + edge * (255 - alpha)) / 255;
                };
                line[x] =
                    qRgb(blend(qRed(line[x]), qRed(kEdgeColour)), blend(qGreen(line[x]), qGreen(kEdgeColour)),
                         blend(qBlue(line[x]), qBlue(kEdgeColour)));
            }
        }
    }
    image.setDevicePixelRatio(scale);
    return image;
}

} // namespace

QImage loadRemotePicture(const QString& path, qreal scale) {
    initRemoteResources();
    if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0)
        return renderSvg(path, std::max<qreal>(scale, 1.0));
    QImage image(path);
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
}

QRegion pictureShape(const QImage& picture) {
    if (picture.isNull())
        return {};
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    const mlc::PixelGrid grid{reinterpret_cast<const std::uint32_t*>(pixels.constBits()), pixels.width(),
                              pixels.height(), static_cast<int>(pixels.bytesPerLine() / 4)};
    const std::vector<mlc::ShapeRun> runs = mlc::WindowShapeRuns(grid);
    std::vector<QRect> rects;
    rects.reserve(runs.size());
    for (const auto& run : runs)
        rects.emplace_back(run.x1, run.y, run.x2 - run.x1, 1);
    // The runs come sorted by row, then column, never touching side by side: the
    // order a region takes whole, without merging rectangle by rectangle.
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

} // namespace mlgui
