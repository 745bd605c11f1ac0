// The message log window: every report since the program started, newest last,
// with Copy, Clear and Close. Modeless, so playback goes on while it is open.
#pragma once

#include <QDialog>

class QListWidget;

namespace mlgui {

class MessageLog;

class TMessageLogFRM : public QDialog {
    Q_OBJECT
public:
    explicit TMessageLogFRM(MessageLog& log, QWidget* parent = nullptr);

private:
    void rebuild();

    MessageLog& log_;
    QListWidget* list_;
};

} // namespace mlgui
