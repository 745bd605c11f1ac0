// Answers modal windows in GUI tests. A modal dialog or message box runs its own
// event loop, so the test hands over what to do with it before opening it; a timer
// polls until the window is up, acts on it once and stops. Nothing sleeps.
#pragma once

#include <QWidget>

#include <functional>

namespace guitest {

// Runs `act` on the next modal window once it is the active one. When none opens
// within `timeoutMs` the test fails (and the window, if any, is left to its caller).
void whenModalOpens(std::function<void(QWidget*)> act, int timeoutMs = 30000);

// The same for a window whose objectName is `name` (message boxes: "qt_msgbox"
// objects are QMessageBox; dialogs carry their form name).
void whenModalOpens(const QString& name, std::function<void(QWidget*)> act, int timeoutMs = 30000);

// Presses the button of a message box whose text is `buttonText` (the `&` markers
// are ignored), or the first button with that standard role when given.
void pressMessageBoxButton(QWidget* box, const QString& buttonText);

// Writes a picture of a widget to $MARLUNE_SHOTS/<name>.png when that variable is
// set, so that a developer can look at what a test rendered.
void saveShot(QWidget* widget, const QString& name);

} // namespace guitest
