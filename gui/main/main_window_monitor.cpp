// Editing monitors (EditSelectedACTN, or a double-click on the grid): the monitor
// settings dialog for one selected cell, the quick menu for a block. Whatever the
// dialog's result, the grid, the caption and the status bar are redrawn. While a
// device exchange lets window messages through, no dialog opens: it would hold the
// exchange until closed; the exchange gate's report says why.
#include "main/main_form.h"

#include "monitor/monitor_form.h"
#include "monitor/quick_menu_form.h"

namespace mlgui {

void TMainFRM::connectMonitorActions() {
    connect(actions_.EditSelectedACTN, &QAction::triggered, this, [this] {
        if (devices_->binding().Exchanges().refuse(relay_))
            return;
        const mlc::DeviceAccess access{devices_->sync(), devices_->router(), relay_};
        const QPoint cell = currentCell();
        if (singleCellSelected()) {
            TMonitorFRM dialog(wall(), lists(), settings(), access, cell.x(), cell.y(), pictureProvider(),
                               this);
            dialog.exec();
        } else {
            TQuickMenuFRM dialog(wall(), lists(), settings(), access, cell.x(), cell.y(), selection(), this);
            dialog.exec();
        }
        repaintGrid();
        UpdateCaption();
    });
}

} // namespace mlgui
