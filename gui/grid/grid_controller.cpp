#include "grid/grid_controller.h"

#include "app/control_center.h"
#include "app/wall_actions.h"
#include "dialogs/change_id_form.h"
#include "grid/wall_grid_view.h"

#include <QMenu>

namespace mlgui {

GridController::GridController(const MainActions& actions, GridContext context)
    : actions_(actions), context_(context) {
    WallGridView& grid = context_.grid;
    mlc::ControlCenter& center = context_.center;
    mlc::WallActions& wall = context_.wallActions;
    connect(&grid, &WallGridView::columnMoved, this,
            [&wall](int from, int to) { wall.moveColumn(from, to); });
    connect(&grid, &WallGridView::rowMoved, this, [&wall](int from, int to) { wall.moveRow(from, to); });
    connect(&grid, &WallGridView::mouseTouched, this, [&center] { center.UpdateCaption(); });
    connect(grid.selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridController::refresh);
    connect(&grid, &QAbstractItemView::doubleClicked, actions.EditSelectedACTN, &QAction::trigger);
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { context_.popup.popup(context_.grid.viewport()->mapToGlobal(at)); });

    connect(actions.AutonumerateRowColACTN, &QAction::triggered, this,
            [&wall] { wall.numberByRowAndColumn(); });
    connect(actions.AutonumerateSequentiallyACTN, &QAction::triggered, this,
            [&wall] { wall.numberSequentially(); });
    connect(actions.ChangeMonitorIdACTN, &QAction::triggered, this, &GridController::changeMonitorId);
    connect(actions.ShowGridACTN, &QAction::triggered, this, [this](bool on) {
        context_.center.settings().DisplayGrid = on;
        context_.grid.FitGrid();
    });
    connect(actions.ShowDeviceIdACTN, &QAction::triggered, this, [this](bool on) {
        context_.center.settings().ShowDeviceId = on;
        context_.grid.repaintCells();
    });
}

void GridController::refresh() {
    actions_.ChangeMonitorIdACTN->setEnabled(context_.grid.singleCellSelected());
}

void GridController::showAsConfigured() {
    actions_.ShowGridACTN->setChecked(context_.center.settings().DisplayGrid);
    actions_.ShowDeviceIdACTN->setChecked(context_.center.settings().ShowDeviceId);
}

// Changing an ID waits for a running exchange: a wall write or read in progress
// would otherwise address a unit by an ID changed under it.
void GridController::changeMonitorId() {
    if (!context_.grid.singleCellSelected() || context_.exchanges.refuse(context_.op))
        return;
    const QPoint cell = context_.grid.currentCell();
    const mlc::WallModel& wall = context_.center.wall();
    TChangeIdFRM dialog(cell.x(), cell.y(), wall.Monitors.at(cell.x(), cell.y()).DeviceId, &context_.window);
    // An ID beyond the spin box's range shows clamped: OK without an edit keeps it.
    if (dialog.exec() == QDialog::Accepted && dialog.idEdited())
        context_.wallActions.changeMonitorId(cell.x(), cell.y(),
                                             static_cast<std::uint8_t>(dialog.deviceId()));
}

} // namespace mlgui
