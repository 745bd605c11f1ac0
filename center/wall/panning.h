// Global panning: moving the shown part of the picture on all monitors, or on the
// selected ones, in small steps, each sent to the units at once. Panning changes
// only XPosition and YPosition and does not mark the wall modified. The steps of
// one dialog session are one step of the wall's history.
#pragma once

#include "wall/enlargement.h"
#include "wall/wall_history.h"
#include "wall/wall_model.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mlc {

enum class PanTarget { All = 0, Selected = 1 };

// The arrow buttons by their tags. Each is named after the way the shown region
// moves over the source; the picture on the wall moves the other way, which is
// what the hints say: PanUp sits at the bottom with the hint "Pan down".
enum class PanButton { Up = 1, Left = 2, Right = 3, Down = 4 };
inline constexpr std::array<PanButton, 4> kPanButtons{PanButton::Up, PanButton::Left, PanButton::Right,
                                                      PanButton::Down};

// The step in percent for a speed text: blanks around it removed, then one final
// "%" dropped, the rest a decimal number with a point. 0 for anything else, and for
// numbers that are not positive or not finite.
double parsePanningSpeed(std::string_view text);

// The monitors a step moves: the whole used wall, or the selection within it.
// Nothing when the selection lies outside the used wall.
std::optional<WallRect> panningArea(const WallModel& model, PanTarget target, const WallRect& selection);

// Whether a direction is open: the step is positive and every monitor of the area
// can still move that way.
bool panAllowed(const WallModel& model, const WallRect& area, double step, PanButton button);

// One step on every monitor of the area, then the positions kept within
// 0..100 - zoom (checked in that order, so a zoom above 100 leaves a negative
// position). Sending is the caller's.
void panArea(WallModel& model, const WallRect& area, double step, PanButton button);

// The state of the panning dialog while it is open.
class GlobalPanning {
public:
    // writeWall sends the whole wall after each step; the model and the selection
    // are those of the moment the dialog opened.
    GlobalPanning(WallModel& model, WallHistory& history, const WallRect& selection,
                  std::function<bool()> writeWall);

    void setTarget(PanTarget target);
    PanTarget target() const { return target_; }
    void setSpeedText(std::string_view text);
    double step() const { return step_; }
    bool enabled(PanButton button) const;
    // One step, sent at once, then the buttons again. A click that arrives while a
    // step is being sent (the progress window lets clicks through) is ignored.
    void pan(PanButton button);

private:
    void update();

    WallModel& model_;
    WallHistory& history_;
    std::uint64_t session_;
    WallRect selection_;
    std::function<bool()> writeWall_;
    PanTarget target_ = PanTarget::Selected;
    double step_ = 0.0;
    std::optional<WallRect> area_;
    std::array<bool, 5> enabled_{}; // by tag
    bool sending_ = false;
};

} // namespace mlc
