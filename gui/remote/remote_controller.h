// The virtual remote control (Virtual remote control), the special functions
// dialog (Special functions) and the phase editor (the Special functions tool
// button pressed with Shift held).
//
// The remote control is created with the window and hidden; showing it never
// waits. The first time it appears beside the window; after that it stays where
// the operator put it.
#pragma once

#include "main/main_actions.h"
#include "sync/chain_commands.h"
#include "sync/chain_settings.h"

#include <QObject>

class QToolButton;

namespace mlc {
class ControlCenter;
}

namespace mlgui {

class TRemoteFRM;

struct RemoteContext {
    mlc::ControlCenter& center; // the wall, the lists, UpdateCaption
    mlc::DriverBinding& binding;
    mlc::Operator& op;
    QToolButton* specialFunctionsTool; // the tool button of Special functions; null without one
    QWidget& window;                   // the remote control's and the dialogs' parent
};

class RemoteController : public QObject {
    Q_OBJECT
public:
    RemoteController(const MainActions& actions, RemoteContext context);
    // The remote control goes first: its keys send through this object's chain commands.
    ~RemoteController() override;

protected:
    // On the Special functions tool button: a press with Shift held opens the phase
    // editor instead of the special functions.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRemote();
    void specialFunctions();
    void phaseEditor();
    QPoint besideWindow() const;

    RemoteContext context_;
    mlc::ChainCommands chain_;
    mlc::ChainSettings settings_;
    TRemoteFRM* remote_;
    bool placed_ = false;
};

} // namespace mlgui
