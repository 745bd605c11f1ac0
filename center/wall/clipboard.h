// Copy and paste of monitors inside the program (not the system clipboard): the
// snapshot Copy takes, and Paste and Paste special over a selection, which repeat
// the copied block from its top-left corner to fill a larger selection.
#pragma once

#include "wall/enlargement.h"
#include "wall/wall_model.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace mlc {

// One flag per stored monitor setting, in record order (the Termination and BindKey
// arrays count one flag per element).
inline constexpr std::size_t kPasteFieldCount = 40;

// A paste-special flag: the dialog's text and the copy of the field it stands for.
struct PasteField {
    const char* text;
    void (*copy)(TMonitorSettings& to, const TMonitorSettings& from);
};
extern const std::array<PasteField, kPasteFieldCount> kPasteFields;

// What to do with the fields a paste special leaves out.
enum PasteUnselected : std::int32_t { LeaveUnselected = 0, ResetUnselected = 1 };

struct PasteSpecialMask {
    std::int32_t Unselected = LeaveUnselected; // only ResetUnselected resets
    std::array<bool, kPasteFieldCount> Flags{};
};

class WallClipboard {
public:
    // Takes a copy of all 256 monitors and remembers the selection (clipped to the
    // 16 x 16 array). Nothing else changes.
    void copy(const WallGrid& monitors, const WallRect& selection);
    // Whether Copy ran (and left a block to paste).
    bool filled() const { return filled_; }
    const WallRect& rect() const { return rect_; }

    // The copied cell that place (column, row) of the selection takes its values from.
    const TMonitorSettings& source(const WallRect& selection, int column, int row) const;

    // The settings of every place of the selection become those of its source cell;
    // device IDs and synced flags stay. Marks the wall modified; false (and nothing
    // changed) when nothing was copied or the selection lies outside the array.
    bool paste(WallModel& model, const WallRect& selection) const;
    // Flagged fields come from the source cell; the others stay, or first take the
    // wall's defaults when mask.Unselected is ResetUnselected. Marks the wall modified.
    bool pasteSpecial(WallModel& model, const WallRect& selection, const PasteSpecialMask& mask) const;

private:
    template <typename Apply>
    bool forEachPlace(WallModel& model, const WallRect& selection, Apply apply) const;

    WallGrid monitors_;
    WallRect rect_;
    bool filled_ = false;
};

// Takes over what the units are known to hold: the settings of every used monitor
// become those of DeviceState. Marks the wall modified; nothing is sent.
void takeOverDeviceState(WallModel& model);

} // namespace mlc
