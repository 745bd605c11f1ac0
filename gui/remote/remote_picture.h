// The remote control's picture and the window shape it gives.
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

namespace mlgui {

// Loads an SVG (rendered at its own size) or any picture Qt reads. An SVG is
// rendered onto a transparent background and its soft outer edge is made hard, so
// the picture holds one transparent colour (at its bottom-right pixel) and
// otherwise opaque pixels. A null image when the file cannot be read.
// scale > 1 renders an SVG that many times larger for a high-density screen (the
// image then carries that device pixel ratio); other pictures ignore it.
QImage loadRemotePicture(const QString& path, qreal scale = 1.0);

// The region of the picture's pixels that differ from its bottom-right pixel,
// built from the rows' runs; empty for a null picture.
QRegion pictureShape(const QImage& picture);

} // namespace mlgui
