#include "main/tool_bar_flow.h"

#include <QEvent>
#include <QMainWindow>
#include <QToolBar>

namespace mlgui {

ToolBarFlow::ToolBarFlow(QMainWindow& window, std::vector<QToolBar*> bars)
    : QObject(&window), window_(window), bars_(std::move(bars)) {
    window_.installEventFilter(this);
    for (QToolBar* bar : bars_) {
        bar->setMovable(false);
        bar->installEventFilter(this);
    }
    reflow();
}

void ToolBarFlow::reflow() {
    const int width = window_.width();
    int rowWidth = 0;
    for (QToolBar* bar : bars_) {
        // A bar the operator hid takes no room.
        const int barWidth = bar->isHidden() ? 0 : bar->sizeHint().width();
        const bool rowStart = rowWidth > 0 && barWidth > 0 && rowWidth + barWidth > width;
        if (rowStart != window_.toolBarBreak(bar)) {
            if (rowStart)
                window_.insertToolBarBreak(bar);
            else
                window_.removeToolBarBreak(bar);
        }
        rowWidth = rowStart ? barWidth : rowWidth + barWidth;
    }
}

bool ToolBarFlow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == &window_)
            reflow();
        break;
    // A bar's width changes once it has taken the change in: after this event.
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
    case QEvent::ActionChanged:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched != &window_ && !reflowQueued_) {
            reflowQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    reflowQueued_ = false;
                    reflow();
                },
                Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mlgui
