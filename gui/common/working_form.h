// The progress window every long device operation shows: a text, a percentage
// bar with its number, and a running animation. The core decides what it shows
// (mlc::ProgressWindow); this window only draws it.
#pragma once

#include "operator.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace mlgui {

class BusyAnimation;

class TWorkingFRM : public QDialog {
    Q_OBJECT
public:
    explicit TWorkingFRM(QWidget* parent = nullptr);

    // Shows a view: the text, and the bar with its percentage unless it is hidden.
    void showView(const mlc::ProgressView& view);
    // Centres the window on its parent's screen and shows it without waiting.
    void present();

    QString text() const;
    bool barShown() const;
    int percent() const;
    QString percentText() const;

protected:
    void closeEvent(QCloseEvent* event) override; // the operation closes it, not the operator
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* operation_;
    QProgressBar* progress_;
    QLabel* percentage_;
    BusyAnimation* animation_;
};

} // namespace mlgui
