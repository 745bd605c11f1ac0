// The File menu's actions: open, the four save actions and exit. The core runs
// them with their dialogs and questions, and refreshes the window.
#pragma once

#include "main/main_actions.h"

#include <QObject>

namespace mlc {
class ControlCenter;
}

namespace mlgui {

struct FileContext {
    mlc::ControlCenter& center;
    QWidget& window; // Exit closes it (the close query asks what must be asked)
};

class FileController : public QObject {
    Q_OBJECT
public:
    FileController(const MainActions& actions, FileContext context);
};

} // namespace mlgui
