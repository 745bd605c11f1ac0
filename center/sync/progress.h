// The progress window's behaviour: text, range and position, shown through the
// Operator. Every change of text or position redraws the window and lets pending
// window messages run; setting what is already shown does neither.
#pragma once

#include "operator.h"

#include <cstdint>
#include <string>

namespace mlc {

class ProgressWindow {
public:
    // Opens the window: "Working...", range 0..100, position -1 (no bar).
    explicit ProgressWindow(Operator& op);
    // Closes it.
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void setText(const std::string& text);
    void setRange(std::int32_t minimum, std::int32_t maximum);
    // -1 hides the bar and the percentage.
    void setPosition(std::int32_t position);

    const ProgressView& view() const { return view_; }
    std::int32_t position() const { return position_; }

private:
    void redraw();

    Operator& op_;
    ProgressView view_;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 100;
    std::int32_t position_ = -1;
};

// The bar's percentage for a position, truncated toward zero; 0 for an empty range,
// kept within 0..100 for a position outside the range.
int ProgressPercent(std::int32_t minimum, std::int32_t maximum, std::int32_t position);

} // namespace mlc
