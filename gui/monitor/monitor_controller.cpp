#include "monitor/monitor_controller.h"

#include "app/control_center.h"
#include "grid/demo_picture.h"
#include "grid/wall_grid_view.h"
#include "monitor/monitor_form.h"
#include "monitor/quick_menu_form.h"

namespace mlgui {

MonitorController::MonitorController(const MainActions& actions, MonitorContext context) : context_(context) {
    connect(actions.EditSelectedACTN, &QAction::triggered, this, &MonitorController::editSelected);
}

void MonitorController::editSelected() {
    if (context_.exchanges.refuse(context_.devices.op))
        return;
    mlc::ControlCenter& center = context_.center;
    const MonitorDialogContext dialogs{center.wall(), center.history(), center.lists(), center.settings(),
                                       context_.devices};
    const QPoint cell = context_.grid.currentCell();
    if (context_.grid.singleCellSelected()) {
        const DemoPictures& pictures = context_.pictures;
        TMonitorFRM dialog(
            dialogs, cell.x(), cell.y(), [&pictures](int input) { return pictures.picture(input); },
            &context_.window);
        dialog.exec();
    } else {
        TQuickMenuFRM dialog(dialogs, cell.x(), cell.y(), context_.grid.selectionRect(), &context_.window);
        dialog.exec();
    }
    center.UpdateCaption();
}

} // namespace mlgui
