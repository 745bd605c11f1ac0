#include "remote/remote_controller.h"

#include "app/control_center.h"
#include "remote/phase_editor_form.h"
#include "remote/remote_form.h"
#include "remote/special_functions_form.h"

#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace mlgui {

RemoteController::RemoteController(const MainActions& actions, RemoteContext context)
    : context_(context), chain_(context_.center.wall(), context_.binding, context_.op),
      settings_(context_.center.wall(), context_.binding, context_.op),
      // A child window of the main window: it goes with it, and stays above it.
      remote_(new TRemoteFRM(chain_, &context_.window)) {
    connect(actions.ShowRemoteACTN, &QAction::triggered, this, &RemoteController::showRemote);
    connect(actions.SpecialFunctionsACTN, &QAction::triggered, this, &RemoteController::specialFunctions);
    if (context_.specialFunctionsTool)
        context_.specialFunctionsTool->installEventFilter(this);
}

RemoteController::~RemoteController() {
    delete remote_;
}

void RemoteController::showRemote() {
    if (!placed_) {
        placed_ = true;
        remote_->move(besideWindow());
    }
    remote_->show();
    remote_->raise();
    remote_->activateWindow();
}

void RemoteController::specialFunctions() {
    TSpecialFunctionsFRM dialog(settings_, context_.center.lists(), &context_.window);
    dialog.exec();
    // A factory reset leaves the wall in need of a synchronisation.
    context_.center.UpdateCaption();
}

void RemoteController::phaseEditor() {
    TVPhaseEditorFRM dialog(settings_, &context_.window);
    dialog.exec();
}

bool RemoteController::eventFilter(QObject* watched, QEvent* event) {
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

// Right of the main window when the screen has room there, else inside its right edge.
QPoint RemoteController::besideWindow() const {
    const QRect frame = context_.window.frameGeometry();
    const QScreen* screen = context_.window.screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    const QSize size = remote_->size();
    QPoint place(frame.right() + 8, frame.top() + 40);
    if (place.x() + size.width() > room.right())
        place.setX(frame.right() - size.width() - 24);
    place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
    return place;
}

} // namespace mlgui
