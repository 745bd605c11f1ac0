// Lays the main window's tool bars out in rows: in their order, as many to a row
// as fit the window's width, the next one beginning a new row. So every button and
// the memory box stay in sight down to the window's minimum width instead of
// going behind a bar's overflow chevron, and a bar that gains buttons counts with
// its new width at once. The bars are not movable: the rows are this layout's.
#pragma once

#include <QObject>

#include <vector>

class QMainWindow;
class QToolBar;

namespace mlgui {

class ToolBarFlow : public QObject {
public:
    // The bars are the window's, in the top area, in this order.
    ToolBarFlow(QMainWindow& window, std::vector<QToolBar*> bars);

    // Puts the row breaks where the window's width asks for them now.
    void reflow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& window_;
    std::vector<QToolBar*> bars_;
    bool reflowQueued_ = false;
};

} // namespace mlgui
