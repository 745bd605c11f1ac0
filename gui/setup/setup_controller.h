// The configuration wizard (New), the preferences dialog and the router's own
// configuration window.
//
// The wizard's Finish runs the window's own actions on the grid's selection:
// Autoset enlargement on the chosen block, Copy on it, Paste over the whole wall
// (which sends the wall).
#pragma once

#include "main/main_actions.h"
#include "router/router_dialog.h"
#include "setup/wall_autodetect.h"
#include "setup/wizard_flow.h"

#include <QObject>

#include <string>

namespace mlc {
class ControlCenter;
class CoreDeviceServices;
class UserInterface;
} // namespace mlc

namespace mlgui {

class WallGridView;

struct SetupContext {
    // The wall, the settings, the lists, the program folder, ApplyConfiguration and
    // UpdateCaption.
    mlc::ControlCenter& center;
    mlc::CoreDeviceServices& devices; // detection, the router, the test mode
    mlc::Operator& op;
    mlc::UserInterface& ui;  // the preferences' file dialogs
    WallGridView& grid;      // the wizard's Finish selects the blocks it works on
    std::string programName; // the start-up entry is named after it
    QWidget& window;         // the dialogs' parent
};

class SetupController : public QObject {
    Q_OBJECT
public:
    SetupController(const MainActions& actions, SetupContext context);

private:
    void newWall();
    void preferences();
    mlc::WizardFinishSteps finishSteps();
    void runOn(QAction* action, const mlc::WallRect& rect);

    const MainActions& actions_;
    SetupContext context_;
    mlc::WallAutodetect autodetect_;
    mlc::RouterDialogHandler routerDialog_;
};

} // namespace mlgui
