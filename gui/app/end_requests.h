// Ends the program on a request from outside: a termination signal (SIGTERM from a
// shutdown or a service manager, SIGINT from Ctrl+C, SIGHUP when the terminal goes)
// or the end of the desktop session (the session manager's commitDataRequest).
// Either ends it as closing the window does, but without the close query's
// questions: nobody may be there to answer, and a question would hold the program
// until it is killed, losing the day's wall. The event loop ends once a running
// device exchange has returned to it; destroying the window then writes the
// automatic files and the settings. At the session's end they are written at once
// as well, before the session manager is told that the program is done.
//
// Qt's own quit() is not used for this: it asks every window to close, which runs
// the close query.
#pragma once

#include "app/termination_signals.h"

#include <QObject>

class QSessionManager;

namespace mlgui {

class TMainFRM;

class EndRequests : public QObject {
public:
    // Create it before the window: start-up may show a box, and a request that
    // comes then ends the program too.
    EndRequests();

    // A request tells the window from now on (one that came already, at once).
    void follow(TMainFRM& window);
    // Runs the event loop until a request or the window's close; 0 at once when a
    // request came before (the loop would not see it any more).
    int exec();

private:
    void request();
    void sessionEnds(QSessionManager& manager);

    TerminationSignals signals_;
    TMainFRM* window_ = nullptr;
    bool requested_ = false;
};

} // namespace mlgui
