// The main window's actions on blocks of monitors and on the units' memories: copy,
// paste and paste special, copy from videowall, resynchronise, memory write and
// read, automatic enlargement of the selection, moving columns and rows, the
// device ID numbering and changing one monitor's ID. The window passes the grid's
// selection, the paste-special choice and the memory number; this object changes
// the model, asks what must be asked and sends through the hooks. Each change of
// the wall is one step of the wall's history; resynchronising clears it.
#pragma once

#include "binding/exchange_gate.h"
#include "files/settings_file.h"
#include "operator.h"
#include "sync/chain_commands.h"
#include "wall/clipboard.h"
#include "wall/wall_history.h"
#include "wall/wall_model.h"

#include <functional>

namespace mlc {

struct WallActionHooks {
    std::function<bool()> writeWall;       // sends the whole wall
    std::function<bool()> resyncVideowall; // reads every monitor back; the router re-reads the wall
    std::function<void()> saveWall;        // the save-videowall action (asks for a name if needed)
    std::function<void()> updateCaption;   // caption and status texts; the grid is redrawn
    std::function<bool()> configureRouter; // the router learns the wall's device IDs
};

// The paste-special choice as the settings keep it, and back.
PasteSpecialMask pasteSpecialMaskOf(const ProgramSettings& settings);
void storePasteSpecialMask(ProgramSettings& settings, const PasteSpecialMask& mask);

// The memory number a spin box of 1..16 would show for any value.
int memoryNumberWithinRange(int memory);

class WallActions {
public:
    // `exchanges` refuses the moves and the numbering while a device exchange runs.
    WallActions(WallModel& model, WallHistory& history, ChainCommands& chain, const ExchangeGate& exchanges,
                Operator& op, WallActionHooks hooks);

    // Copy: a snapshot of the wall and the selection; Paste is possible from now on.
    void copy(const WallRect& selection);
    bool canPaste() const { return clipboard_.filled(); }
    const WallClipboard& clipboard() const { return clipboard_; }
    // Paste and paste special: the model changes, the wall counts as modified and is sent.
    void paste(const WallRect& selection);
    void pasteSpecial(const WallRect& selection, const PasteSpecialMask& mask);

    // Takes over what the units hold (read first when the wall is not synced),
    // after asking to save unsaved changes. Nothing is sent.
    void copyFromVideowall();
    // Reads every monitor back; the wall the operator edits stays, its history goes.
    // Refused while a device exchange runs.
    void resync();
    // Memory write asks first; memory read leaves the wall needing a synchronisation.
    bool memoryStore(int memory);
    bool memoryRecall(int memory);
    // Spreads the picture over the selection (within the used wall) and sends the wall.
    void autosetEnlargement(const WallRect& selection);

    // A column's or row's number dropped at another place: the settings move (see
    // MoveWallColumn), the wall is sent and marked modified. Refused while a device
    // exchange runs, so that the wall does not change under it.
    void moveColumn(int from, int to);
    void moveRow(int from, int to);
    // The numbering actions: new device IDs, which the router learns; nothing is sent.
    // Refused while a device exchange runs.
    void numberSequentially();
    void numberByRowAndColumn();
    // A new device ID for one monitor (see ChangeMonitorId); nothing is sent.
    // Refused while a device exchange runs.
    void changeMonitorId(int column, int row, std::uint8_t id);

private:
    void changedAndSent();
    void updateCaption();
    void rearrange(bool (*move)(WallModel&, int, int), const char* name, int from, int to);
    void renumber(void (*number)(WallModel&), const char* name);

    WallModel& model_;
    WallHistory& history_;
    ChainCommands& chain_;
    const ExchangeGate& exchanges_;
    Operator& op_;
    WallActionHooks hooks_;
    WallClipboard clipboard_;
};

} // namespace mlc
