// The virtual remote control (ShowRemoteACTN), the special functions dialog
// (SpecialFunctionsACTN) and the phase editor (the Special functions tool button
// pressed with Shift held), wired into the main window.
//
// The remote control is created with the window and hidden; showing it never
// waits. The first time it appears beside the window; after that it stays where
// the operator put it.
#include "main/main_form.h"

#include "remote/phase_editor_form.h"
#include "remote/remote_form.h"
#include "remote/special_functions_form.h"
#include "sync/chain_commands.h"
#include "sync/chain_settings.h"

#include <QAction>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace mlgui {

namespace {

class RemoteActions : public QObject {
public:
    explicit RemoteActions(TMainFRM& window)
        : QObject(&window), window_(window), chain_(window.wall(), window.binding(), window.op()),
          settings_(window.wall(), window.binding(), window.op()),
          // A child window of the main window: it goes with it, and stays above it.
          remote_(new TRemoteFRM(chain_, &window)) {}

    void showRemote() {
        if (!placed_) {
            placed_ = true;
            remote_->move(besideWindow());
        }
        remote_->show();
        remote_->raise();
        remote_->activateWindow();
    }

    void specialFunctions() {
        TSpecialFunctionsFRM dialog(settings_, window_.lists(), &window_);
        dialog.exec();
        // A factory reset leaves the wall in need of a synchronisation.
        window_.UpdateCaption();
    }

    void phaseEditor() {
        TVPhaseEditorFRM dialog(settings_, &window_);
        dialog.exec();
    }

protected:
    // On the Special functions tool button: a press with Shift held opens the phase
    // editor instead of the special functions.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* button = qobject_cast<QToolButton*>(watched);
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!button || !button->isEnabled() || !(press->modifiers() & Qt::ShiftModifier))
            return false;
        phaseEditor();
        button->setDown(false);
        return true;
    }

private:
    // Right of the main window when the screen has room there, else inside its right edge.
    QPoint besideWindow() const {
        const QRect frame = window_.frameGeometry();
        const QScreen* screen = window_.screen();
        const QRect room = screen ? screen->availableGeometry() : frame;
        const QSize size = remote_->size();
        QPoint place(frame.right() + 8, frame.top() + 40);
        if (place.x() + size.width() > room.right())
            place.setX(frame.right() - size.width() - 24);
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
        return place;
    }

    TMainFRM& window_;
    mlc::ChainCommands chain_;
    mlc::ChainSettings settings_;
    TRemoteFRM* remote_;
    bool placed_ = false;
};

} // namespace

void TMainFRM::connectRemoteActions() {
    auto* remote = new RemoteActions(*this);
    connect(actions_.ShowRemoteACTN, &QAction::triggered, remote, &RemoteActions::showRemote);
    connect(actions_.SpecialFunctionsACTN, &QAction::triggered, remote, &RemoteActions::specialFunctions);
    if (QToolButton* button = toolButton(actions_.SpecialFunctionsACTN))
        button->installEventFilter(remote);
}

} // namespace mlgui
