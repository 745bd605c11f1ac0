// TRemoteFRM: the virtual remote control, a frameless floating window drawn as a
// picture of the units' hand-held remote. Each of its 35 keys sends its event to
// every unit of the chain; the close key hides the window. Pressing the picture
// anywhere but on a key drags the window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <optional>

class QLabel;

namespace mlc {
class ChainCommands;
}

namespace mlgui {

inline constexpr const char* kRemotePicture = ":/remote/remote.svg";

class TRemoteFRM : public QWidget {
    Q_OBJECT
public:
    // picturePath: the remote's picture; when it cannot be loaded the window shows
    // plain key areas in a rectangular window.
    explicit TRemoteFRM(mlc::ChainCommands& chain, QWidget* parent = nullptr,
                        const QString& picturePath = kRemotePicture);

    // Sends the event of the key whose tag `sender` carries; anything that is no
    // control, or a tag outside 1..35, sends nothing.
    void RemoteClick(QObject* sender);
    void CloseBTNClick();

    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void addKeys();

    mlc::ChainCommands& chain_;
    QImage picture_;
    QLabel* background_ = nullptr;
    // Where the window's top-left corner lies from the pointer while the window
    // moves itself (where the window system does not move it).
    std::optional<QPoint> dragOffset_;
};

} // namespace mlgui
