// The progress window's animation: a magnifying glass sweeping over a row of
// monitors, drawn by the program itself.
#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace mlgui {

class BusyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit BusyAnimation(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {96, 40}; }
    int frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer_;
    int frame_ = 0;
};

} // namespace mlgui
