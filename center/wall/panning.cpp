#include "wall/panning.h"

#include "wall/wall_rect.h"
#include "wall/wall_state.h"

#include <charconv>
#include <cmath>

namespace mlc {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Only digits with at most one point: no sign, exponent, "inf" or "nan".
bool isPlainDecimal(std::string_view text) {
    bool point = false;
    bool digit = false;
    for (const char c : text) {
        if (c == '.' && !point)
            point = true;
        else if (c >= '0' && c <= '9')
            digit = true;
        else
            return false;
    }
    return digit;
}

template <typename Body> void forEachPlace(const WallRect& area, Body body) {
    for (int r = area.Top; r <= area.Bottom; ++r)
        for (int c = area.Left; c <= area.Right; ++c)
            body(c, r);
}

} // namespace

double parsePanningSpeed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    if (!isPlainDecimal(text))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0.0)
        return 0.0;
    return value;
}

std::optional<WallRect> panningArea(const WallModel& model, PanTarget target, const WallRect& selection) {
    const WallRect whole{1, 1, UsedColumns(model), UsedRows(model)};
    return clippedRect(target == PanTarget::All ? whole : selection, UsedColumns(model), UsedRows(model));
}

bool panAllowed(const WallModel& model, const WallRect& area, double step, PanButton button) {
    if (!(step > 0.0))
        return false;
    bool allowed = true;
    forEachPlace(area, [&](int c, int r) {
        const TMonitorSettings& s = model.Monitors.at(c, r).Settings;
        switch (button) {
        case PanButton::Left:
            allowed = allowed && s.XPosition != 0.0;
            break;
        case PanButton::Up:
            allowed = allowed && s.YPosition != 0.0;
            break;
        case PanButton::Right:
            allowed = allowed && !(100.0 - s.XZoom <= s.XPosition);
            break;
        case PanButton::Down:
            allowed = allowed && !(100.0 - s.YZoom <= s.YPosition);
            break;
        }
    });
    return allowed;
}

void panArea(WallModel& model, const WallRect& area, double step, PanButton button) {
    forEachPlace(area, [&](int c, int r) {
        TMonitorSettings& s = model.Monitors.at(c, r).Settings;
        switch (button) {
        case PanButton::Down:
            s.YPosition += step;
            break;
        case PanButton::Right:
            s.XPosition += step;
            break;
        case PanButton::Left:
            s.XPosition -= step;
            break;
        case PanButton::Up:
            s.YPosition -= step;
            break;
        }
        if (s.XPosition < 0.0)
            s.XPosition = 0.0;
        if (s.YPosition < 0.0)
            s.YPosition = 0.0;
        if (s.XPosition > 100.0 - s.XZoom)
            s.XPosition = 100.0 - s.XZoom;
        if (s.YPosition > 100.0 - s.YZoom)
            s.YPosition = 100.0 - s.YZoom;
    });
}

GlobalPanning::GlobalPanning(WallModel& model, WallHistory& history, const WallRect& selection,
                             std::function<bool()> writeWall)
    : model_(model), history_(history), session_(history.newSession()), selection_(selection),
      writeWall_(std::move(writeWall)) {
    update();
}

void GlobalPanning::setTarget(PanTarget target) {
    target_ = target;
    update();
}

void GlobalPanning::setSpeedText(std::string_view text) {
    step_ = parsePanningSpeed(text);
    update();
}

bool GlobalPanning::enabled(PanButton button) const {
    return enabled_[static_cast<std::size_t>(button)];
}

void GlobalPanning::update() {
    area_ = panningArea(model_, target_, selection_);
    for (const PanButton button : kPanButtons)
        enabled_[static_cast<std::size_t>(button)] = area_ && panAllowed(model_, *area_, step_, button);
}

void GlobalPanning::pan(PanButton button) {
    if (sending_ || !area_ || !enabled(button))
        return;
    {
        WallHistory::EditStep step(history_, "global panning", WallHistory::Sending::Sent, session_);
        panArea(model_, *area_, step_, button);
        sending_ = true;
        if (writeWall_)
            writeWall_();
        sending_ = false;
    }
    update();
}

} // namespace mlc
