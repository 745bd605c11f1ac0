// The grid area: the grid's events (a column's or row's number dropped at another
// place, mouse presses, the selection, double-clicks, the context menu), the device
// ID numbering, changing one ID, and the display options Show grid and Show device
// ID. Moving, numbering and the ID change are the core's wall actions.
#pragma once

#include "main/main_actions.h"

#include <QObject>

class QMenu;

namespace mlc {
class ControlCenter;
class ExchangeGate;
class Operator;
class WallActions;
} // namespace mlc

namespace mlgui {

class WallGridView;

struct GridContext {
    WallGridView& grid;
    mlc::ControlCenter& center;         // the wall, the display settings, UpdateCaption
    mlc::WallActions& wallActions;      // moving columns and rows, numbering, changing an ID
    const mlc::ExchangeGate& exchanges; // no ID change while a device exchange runs
    mlc::Operator& op;
    QMenu& popup;    // VideowallPOP
    QWidget& window; // the dialogs' parent
};

class GridController : public QObject {
    Q_OBJECT
public:
    GridController(const MainActions& actions, GridContext context);

    // After a refresh: Change monitor ID is enabled exactly for a single selected cell.
    void refresh();
    // Show grid and Show device ID as the settings hold them (start, configuration).
    void showAsConfigured();

private:
    void changeMonitorId();

    const MainActions& actions_;
    GridContext context_;
};

} // namespace mlgui
