// The grid's own actions and events: moving columns and rows, device ID
// numbering, changing one ID, the display options, the sequencer panel and About.
#include "main/main_form.h"

#include "dialogs/about_form.h"
#include "dialogs/change_id_form.h"
#include "grid/wall_grid_view.h"
#include "wall/wall_arrangement.h"

namespace mlgui {

namespace {

// Moving settings or changing IDs waits for a running exchange: a wall write or
// read in progress would otherwise send or read back a wall half changed under it.
bool refusedWhileBusy(TMainFRM& window) {
    return window.binding().Exchanges().refuse(window.op());
}

} // namespace

void TMainFRM::connectGridActions() {
    MainActions& a = actions_;
    connect(grid_, &WallGridView::columnMoved, this, &TMainFRM::columnMoved);
    connect(grid_, &WallGridView::rowMoved, this, &TMainFRM::rowMoved);
    connect(grid_, &WallGridView::mouseTouched, this, &TMainFRM::UpdateCaption);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { refreshCaption(); });
    connect(grid_, &QAbstractItemView::doubleClicked, a.EditSelectedACTN, &QAction::trigger);

    const auto renumber = [this](void (*number)(mlc::WallModel&)) {
        if (refusedWhileBusy(*this))
            return;
        number(center_->wall());
        devices_->configureRouter();
        repaintGrid();
        UpdateCaption();
    };
    connect(a.AutonumerateRowColACTN, &QAction::triggered, this,
            [renumber] { renumber(mlc::NumberDevicesByRowAndColumn); });
    connect(a.AutonumerateSequentiallyACTN, &QAction::triggered, this,
            [renumber] { renumber(mlc::NumberDevicesSequentially); });
    connect(a.ChangeMonitorIdACTN, &QAction::triggered, this, &TMainFRM::changeMonitorId);

    connect(a.ShowGridACTN, &QAction::triggered, this, [this](bool on) {
        center_->settings().DisplayGrid = on;
        FitGrid();
    });
    connect(a.ShowDeviceIdACTN, &QAction::triggered, this, [this](bool on) {
        center_->settings().ShowDeviceId = on;
        repaintGrid();
    });
    connect(a.ShowSequencerACTN, &QAction::triggered, this, [this](bool on) {
        center_->sequencer().setVisible(on);
        leftPanel_->setVisible(on);
    });
    connect(a.AboutACTN, &QAction::triggered, this, [this] {
        TAboutFRM about(this);
        about.exec();
    });
}

void TMainFRM::columnMoved(int from, int to) {
    if (from != to && refusedWhileBusy(*this))
        return;
    if (mlc::MoveWallColumn(center_->wall(), from, to)) {
        repaintGrid();
        devices_->writeWall();
        center_->wall().VideowallModified = true;
    }
    UpdateCaption();
}

void TMainFRM::rowMoved(int from, int to) {
    if (from != to && refusedWhileBusy(*this))
        return;
    if (mlc::MoveWallRow(center_->wall(), from, to)) {
        repaintGrid();
        devices_->writeWall();
        center_->wall().VideowallModified = true;
    }
    UpdateCaption();
}

void TMainFRM::changeMonitorId() {
    if (!grid_->singleCellSelected() || refusedWhileBusy(*this))
        return;
    const QPoint cell = grid_->currentCell();
    const mlc::TWallMonitor& monitor = center_->wall().Monitors.at(cell.x(), cell.y());
    TChangeIdFRM dialog(cell.x(), cell.y(), monitor.DeviceId, this);
    // An ID beyond the spin box's range shows clamped: OK without an edit keeps it.
    if (dialog.exec() != QDialog::Accepted || !dialog.idEdited())
        return;
    if (mlc::ChangeMonitorId(center_->wall(), cell.x(), cell.y(),
                             static_cast<std::uint8_t>(dialog.deviceId()))) {
        repaintGrid();
        UpdateCaption();
    }
}

} // namespace mlgui
