#include "sync/progress.h"

#include <algorithm>

namespace mlc {

ProgressWindow::ProgressWindow(Operator& op) : op_(op) {
    view_.text = "Working...";
    op_.progressOpened();
    op_.progressChanged(view_);
}

ProgressWindow::~ProgressWindow() {
    op_.progressClosed();
}

void ProgressWindow::setText(const std::string& text) {
    if (text == view_.text)
        return;
    view_.text = text;
    op_.progressChanged(view_);
    op_.processPendingEvents();
}

void ProgressWindow::setRange(std::int32_t minimum, std::int32_t maximum) {
    if (minimum == minimum_ && maximum == maximum_)
        return;
    minimum_ = minimum;
    maximum_ = maximum;
    redraw();
}

void ProgressWindow::setPosition(std::int32_t position) {
    if (position == position_)
        return;
    position_ = position;
    redraw();
}

void ProgressWindow::redraw() {
    view_.barVisible = position_ != -1;
    view_.percent = view_.barVisible ? ProgressPercent(minimum_, maximum_, position_) : 0;
    op_.progressChanged(view_);
    op_.processPendingEvents();
}

int ProgressPercent(std::int32_t minimum, std::int32_t maximum, std::int32_t position) {
    const std::int64_t span = static_cast<std::int64_t>(maximum) - minimum;
    if (span == 0)
        return 0;
    const std::int64_t percent = (static_cast<std::int64_t>(position) - minimum) * 100 / span;
    return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100));
}

} // namespace mlc
