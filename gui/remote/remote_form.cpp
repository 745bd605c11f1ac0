#include "remote/remote_form.h"

#include "dialogs/remote_keys.h"
#include "remote/remote_layout.h"
#include "remote/remote_picture.h"
#include "sync/chain_commands.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

namespace mlgui {
namespace {

constexpr QColor kOutline{0x2b, 0x34, 0x40};
constexpr QColor kBody{0xee, 0xf1, 0xf5};

// A key: an area over the picture with a hand cursor and a hint. Over the picture
// it only darkens while pressed; without a picture it draws itself plainly.
class RemoteKeyArea : public QAbstractButton {
public:
    RemoteKeyArea(const QString& name, const QString& hint, const QRect& area, bool plain, QWidget* parent)
        : QAbstractButton(parent), plain_(plain) {
        setObjectName(name);
        setToolTip(hint);
        setAccessibleName(hint);
        setText(hint);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(area);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
        if (plain_) {
            painter.setPen(QPen(kOutline, 2));
            painter.setBrush(isDown() ? kBody.darker(115) : QColor(Qt::white));
            painter.drawRoundedRect(box, 6, 6);
            QFont small = font();
            small.setPixelSize(8);
            painter.setFont(small);
            painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
        } else if (isDown()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, 60));
            painter.drawRoundedRect(box, 6, 6);
        }
    }

private:
    bool plain_;
};

} // namespace

TRemoteFRM::TRemoteFRM(mlc::ChainCommands& chain, QWidget* parent, const QString& picturePath)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), chain_(chain),
      picture_(loadRemotePicture(picturePath)) {
    setObjectName("RemoteFRM");
    setWindowTitle("Lumivane virtual remote");
    setFixedSize(hasPicture() ? picture_.size() : remotePictureSize());

    background_ = new QLabel(this);
    background_->setObjectName("Background");
    background_->setAccessibleName("Virtual remote control");
    background_->setGeometry(rect());
    if (hasPicture()) {
        // On a high-density screen the drawing is rendered sharper for display;
        // the shape always comes from the picture at its own size. The window's
        // own background shows the outline colour where the two differ at the edge.
        const qreal density = devicePixelRatioF();
        const QImage shown = density > 1.0 ? loadRemotePicture(picturePath, density) : picture_;
        background_->setPixmap(QPixmap::fromImage(shown.isNull() ? picture_ : shown));
        QPalette edge = palette();
        edge.setColor(QPalette::Window, kOutline);
        setPalette(edge);
        setAutoFillBackground(true);
        setMask(pictureShape(picture_));
    }
    addKeys();
}

void TRemoteFRM::addKeys() {
    const bool plain = !hasPicture();
    for (const mlc::RemoteKey& key : mlc::RemoteKeys()) {
        auto* area = new RemoteKeyArea(key.control, key.hint, remoteKeyArea(key.tag), plain, this);
        area->setProperty("tag", key.tag);
        connect(area, &QAbstractButton::clicked, this, [this, area] { RemoteClick(area); });
    }
    auto* close = new RemoteKeyArea("CloseBTN", "Close", remoteCloseArea(), plain, this);
    connect(close, &QAbstractButton::clicked, this, &TRemoteFRM::CloseBTNClick);
}

void TRemoteFRM::RemoteClick(QObject* sender) {
    if (!qobject_cast<QWidget*>(sender))
        return;
    bool isNumber = false;
    const int tag = sender->property("tag").toInt(&isNumber);
    const mlc::RemoteKey* key = isNumber ? mlc::RemoteKeyByTag(tag) : nullptr;
    if (!key)
        return;
    chain_.SendRemoteEvent(key->event);
}

void TRemoteFRM::CloseBTNClick() {
    close();
}

void TRemoteFRM::mousePressEvent(QMouseEvent* event) {
    // Presses on a key never arrive here: the key takes them.
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragOffset_ = pos() - event->globalPosition().toPoint();
}

void TRemoteFRM::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() + *dragOffset_);
    else
        QWidget::mouseMoveEvent(event);
}

void TRemoteFRM::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void TRemoteFRM::paintEvent(QPaintEvent*) {
    if (hasPicture())
        return; // the background label shows the picture
    QPainter painter(this);
    painter.fillRect(rect(), kBody);
    painter.setPen(QPen(kOutline, 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace mlgui
