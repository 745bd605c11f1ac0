#include "files/file_controller.h"

#include "app/control_center.h"

#include <QWidget>

namespace mlgui {

FileController::FileController(const MainActions& actions, FileContext context) {
    mlc::ControlCenter& center = context.center;
    connect(actions.LoadACTN, &QAction::triggered, this, [&center] { center.openAction(); });
    connect(actions.VideowallSaveACTN, &QAction::triggered, this,
            [&center] { center.videowallSaveAction(); });
    connect(actions.VideowallSaveAsACTN, &QAction::triggered, this,
            [&center] { center.videowallSaveAsAction(); });
    connect(actions.SequenceSaveACTN, &QAction::triggered, this, [&center] { center.sequenceSaveAction(); });
    connect(actions.SequenceSaveAsACTN, &QAction::triggered, this,
            [&center] { center.sequenceSaveAsAction(); });
    connect(actions.QuitACTN, &QAction::triggered, &context.window, &QWidget::close);
}

} // namespace mlgui
