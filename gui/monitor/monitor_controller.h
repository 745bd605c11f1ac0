// Editing monitors (Edit selected monitors, or a double-click on the grid): the
// monitor settings dialog for one selected cell, the quick menu for a block.
// Whatever the dialog's result, the grid, the caption and the status bar are
// redrawn. While a device exchange lets window messages through, no dialog opens
// (it would hold the exchange until closed): the exchange gate's report says why.
#pragma once

#include "dialogs/monitor_apply.h"
#include "main/main_actions.h"

#include <QObject>

namespace mlc {
class ControlCenter;
class ExchangeGate;
} // namespace mlc

namespace mlgui {

class DemoPictures;
class WallGridView;

struct MonitorContext {
    mlc::ControlCenter& center; // the wall, the lists, the settings, UpdateCaption
    mlc::DeviceAccess devices;
    const mlc::ExchangeGate& exchanges;
    const WallGridView& grid; // the selection and the current cell
    const DemoPictures& pictures;
    QWidget& window; // the dialogs' parent
};

class MonitorController : public QObject {
    Q_OBJECT
public:
    MonitorController(const MainActions& actions, MonitorContext context);

private:
    void editSelected();

    MonitorContext context_;
};

} // namespace mlgui
