#include "app/end_requests.h"

#include "main/main_form.h"

#include <QApplication>
#include <QSessionManager>

namespace mlgui {

EndRequests::EndRequests() : signals_([this](int) { request(); }) {
    connect(qApp, &QGuiApplication::commitDataRequest, this, &EndRequests::sessionEnds);
}

void EndRequests::follow(TMainFRM& window) {
    window_ = &window;
    if (requested_)
        window.endWithoutQuestions();
}

int EndRequests::exec() {
    return requested_ ? 0 : QApplication::exec();
}

void EndRequests::request() {
    requested_ = true;
    if (window_)
        window_->endWithoutQuestions();
    // Ends every event loop, a modal box's too, once the code running in it returns.
    QCoreApplication::exit(0);
}

void EndRequests::sessionEnds(QSessionManager& manager) {
    // The start-up entry starts the program at the next login; a session restoring
    // it as well would start a second one.
    manager.setRestartHint(QSessionManager::RestartNever);
    if (window_)
        window_->saveProgramState();
    request();
}

} // namespace mlgui
