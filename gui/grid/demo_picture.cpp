#include "grid/demo_picture.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace mlgui {

namespace {

// Point sizes as a 96-dpi screen shows them, whatever the image's own resolution.
QFont demoFont(const char* family, int points) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize((points * 96 + 36) / 72);
    font.setBold(true);
    return font;
}

void drawLine(QPainter& painter, int line, const QString& text, const QColor& color, const QColor& shadow) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int y = line * metrics.height(); // the height of "H" in this font
    const int x = (kDemoPictureWidth - metrics.horizontalAdvance(text)) / 2;
    painter.setPen(shadow);
    painter.drawText(x + 1, y + 1 + metrics.ascent(), text);
    painter.setPen(color);
    painter.drawText(x, y + metrics.ascent(), text);
}

} // namespace

QImage generateDemoPicture() {
    QImage picture(kDemoPictureWidth, kDemoPictureHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    static const QRgb bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    for (int i = 0; i < 8; ++i)
        painter.fillRect(i * 80, 0, 80, kDemoPictureHeight, QColor::fromRgb(bars[i]));
    painter.setFont(demoFont("Courier New", 24));
    drawLine(painter, 1, QStringLiteral("Marlune Control Center"), Qt::white, Qt::black);
    painter.setFont(demoFont("Times New Roman", 16));
    drawLine(painter, 4, QStringLiteral("Auto-generated demo image"), Qt::yellow, Qt::blue);
    drawLine(painter, 5, QStringLiteral("You can load your own image here"), Qt::yellow, Qt::blue);
    return picture;
}

std::vector<std::string> DemoPictures::load(const std::vector<std::string>& files, std::size_t inputCount) {
    std::vector<std::string> unreadable;
    pictures_.assign(inputCount, QImage());
    for (std::size_t i = 0; i < inputCount; ++i) {
        const QString file = i < files.size() ? QString::fromStdString(files[i]) : QString();
        if (!file.isEmpty() && QFileInfo(file).isFile()) {
            QImage loaded(file);
            if (!loaded.isNull()) {
                // One format for every picture keeps the stretched copies fast.
                pictures_[i] = loaded.convertToFormat(QImage::Format_RGB32);
                continue;
            }
            unreadable.push_back(files[i]);
        }
        pictures_[i] = generated(); // shared, not copied
    }
    return unreadable;
}

const QImage& DemoPictures::picture(int input) const {
    if (input >= 0 && static_cast<std::size_t>(input) < pictures_.size())
        return pictures_[static_cast<std::size_t>(input)];
    return generated();
}

const QImage& DemoPictures::generated() const {
    if (generated_.isNull())
        generated_ = generateDemoPicture();
    return generated_;
}

} // namespace mlgui
