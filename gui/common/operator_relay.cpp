#include "common/operator_relay.h"

namespace mlgui {

void OperatorRelay::report(mlc::MessageKind kind, const std::string& text) {
    target_->report(kind, text);
    if (onReport)
        onReport(kind, text);
}

void OperatorRelay::progressOpened() {
    target_->progressOpened();
    if (depth_++ == 0 && onProgressShown)
        onProgressShown(true);
}

void OperatorRelay::progressClosed() {
    target_->progressClosed();
    if (depth_ > 0 && --depth_ == 0 && onProgressShown)
        onProgressShown(false);
}

} // namespace mlgui
