#include "common/busy_animation.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>

#include <cmath>

namespace mlgui {

namespace {

constexpr int kFrames = 32;
constexpr int kFrameMs = 60;
const QColor kOutline(0x2b, 0x34, 0x40);
const QColor kAccent(0x2f, 0x7f, 0xd8);

} // namespace

BusyAnimation::BusyAnimation(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Animation"));
    setAccessibleName(QStringLiteral("Working"));
    setFixedSize(sizeHint());
}

void BusyAnimation::showEvent(QShowEvent*) {
    timer_.start(kFrameMs, this);
}

void BusyAnimation::hideEvent(QHideEvent*) {
    timer_.stop();
}

void BusyAnimation::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId())
        return QWidget::timerEvent(event);
    frame_ = (frame_ + 1) % kFrames;
    update();
}

void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Three monitors on a line; the one under the glass lights up.
    const double sweep = 0.5 - 0.5 * std::cos(2 * M_PI * frame_ / kFrames); // 0..1..0
    const double glassX = 14 + sweep * (width() - 28);
    for (int i = 0; i < 3; ++i) {
        const QRectF screen(6 + i * 30, 8, 24, 17);
        const bool lit = std::abs(screen.center().x() - glassX) < 12;
        painter.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(lit ? kAccent : QColor(0xe8, 0xec, 0xf1));
        painter.drawRoundedRect(screen, 2, 2);
        painter.drawLine(QPointF(screen.center().x(), screen.bottom() + 1), QPointF(screen.center().x(), 30));
    }
    // The glass.
    const QPointF centre(glassX, 20);
    painter.setPen(QPen(kOutline, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(255, 255, 255, 90));
    painter.drawEllipse(centre, 8, 8);
    painter.drawLine(centre + QPointF(5.7, 5.7), centre + QPointF(11, 11));
}

} // namespace mlgui
