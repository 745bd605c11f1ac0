#include "monitor/demo_preview.h"

#include "dialogs/preview_geometry.h"

#include <QPainter>

namespace mlgui {

namespace {
QRect toQt(const mlc::PixelRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}
} // namespace

DemoPreview::DemoPreview(QWidget* parent)
    : QWidget(parent), canvas_(mlc::kPreviewWidth, mlc::kPreviewHeight, QImage::Format_RGB32) {
    setObjectName("Demo");
    setAccessibleName("Preview of the shown part");
    setFixedSize(mlc::kPreviewWidth, mlc::kPreviewHeight);
    canvas_.fill(palette().color(QPalette::Window));
}

void DemoPreview::DrawPreview(const QImage& picture, const mlc::Enlargement& enlargement) {
    canvas_.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas_);
    painter.fillRect(toQt(mlc::kPreviewFrame), Qt::black);
    const mlc::ShownPart part =
        mlc::ShownPartOf(picture.width(), picture.height(), enlargement, mlc::kPreviewFrame);
    if (!picture.isNull() && !part.empty())
        painter.drawImage(toQt(part.destination), picture, toQt(part.source));
    painter.end();
    update();
}

void DemoPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

} // namespace mlgui
