#include "grid/cell_painting.h"

#include "grid/grid_geometry.h"

#include <QFontMetrics>

namespace mlgui {

namespace {

QColor inverted(const QColor& color) {
    return QColor::fromRgb(~color.rgb() & 0xFFFFFFu);
}

// Draws text centred the way the grid always has: integer halves of the spare room.
void drawCentredText(QPainter& painter, const QRect& rect, const QString& text, const QColor* background) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int x = rect.left() + (rect.width() - width) / 2;
    const int y = rect.top() + (rect.height() - height) / 2;
    if (background)
        painter.fillRect(QRect(x, y, width, height), *background);
    painter.drawText(x, y + metrics.ascent(), text);
}

// Copies the slice of the picture into its destination, clipped to the picture;
// what lies outside the picture stays black.
void drawSlice(QPainter& painter, const QImage& picture, const PictureSlice& slice) {
    const IntRect& s = slice.source;
    const IntRect& d = slice.destination;
    if (s.empty() || d.empty())
        return;
    const IntRect inside{std::max(s.left, 0), std::max(s.top, 0), std::min(s.right, picture.width()),
                         std::min(s.bottom, picture.height())};
    if (inside.empty())
        return;
    const double scaleX = double(d.width()) / s.width();
    const double scaleY = double(d.height()) / s.height();
    const QRectF target(d.left + (inside.left - s.left) * scaleX, d.top + (inside.top - s.top) * scaleY,
                        inside.width() * scaleX, inside.height() * scaleY);
    painter.drawImage(target, picture, QRectF(inside.left, inside.top, inside.width(), inside.height()));
}

} // namespace

Highlight highlightFromSetting(int value) {
    switch (value) {
    case 1:
        return Highlight::Black;
    case 2:
        return Highlight::White;
    default:
        return Highlight::Invert;
    }
}

QString deviceIdText(int id) {
    return QStringLiteral("%1").arg(id, 2, 10, QLatin1Char('0'));
}

QColor colorFromSetting(int value) {
    const auto v = static_cast<unsigned>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int settingFromColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void paintFixedCell(QPainter& painter, const QRect& rect, const QString& text, const QColor& fixedColor,
                    const QColor& textColor) {
    painter.fillRect(rect, fixedColor);
    painter.setPen(Qt::white);
    const QPoint bottomLeft(rect.left(), rect.bottom() - 1);
    painter.drawLine(bottomLeft, rect.topLeft());
    painter.drawLine(rect.topLeft(), rect.topRight());
    if (text.isEmpty())
        return;
    painter.setPen(textColor);
    drawCentredText(painter, rect, text, nullptr);
}

void paintMonitorCell(QPainter& painter, const QRect& rect, const mlc::TWallMonitor& monitor,
                      const MonitorCellLook& look) {
    const mlc::TMonitorSettings& s = monitor.Settings;
    if (s.XZoom == 0 || s.YZoom == 0) {
        QColor fill = look.gridColor;
        if (look.selected)
            fill = look.highlight == Highlight::Invert  ? inverted(look.gridColor)
                   : look.highlight == Highlight::Black ? QColor(Qt::black)
                                                        : QColor(Qt::white);
        painter.fillRect(rect, fill);
    } else {
        painter.fillRect(rect, Qt::black);
        const IntRect cell{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
        const int w = look.picture ? look.picture->width() : 0;
        const int h = look.picture ? look.picture->height() : 0;
        const PictureSlice slice = sliceForCell(w, h, cell, s.XPosition, s.YPosition, s.XZoom, s.YZoom);
        const QRect d(slice.destination.left, slice.destination.top, slice.destination.width(),
                      slice.destination.height());
        if (look.selected && look.highlight != Highlight::Invert) {
            painter.fillRect(d, look.highlight == Highlight::Black ? Qt::black : Qt::white);
        } else {
            if (look.picture)
                drawSlice(painter, *look.picture, slice);
            if (look.selected) {
                // Every colour bit flipped, as the inverting copy does.
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                painter.fillRect(d, Qt::white);
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
        }
    }
    if (look.focused) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (look.showDeviceId) {
        painter.setPen(look.idText);
        drawCentredText(painter, rect, deviceIdText(monitor.DeviceId),
                        look.showIdBackground ? &look.idBackground : nullptr);
    }
}

} // namespace mlgui
