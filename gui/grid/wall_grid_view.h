// The wall grid "Videowall": one cell per monitor, painted with its part of the
// demo picture, a fixed number row and column whose numbers the operator drags to
// move columns and rows, and a rectangular selection the wall actions work on.
#pragma once

#include "files/settings_file.h"
#include "wall/enlargement.h"
#include "wall/wall_model.h"

#include <QPoint>
#include <QTableView>

namespace mlgui {

class DemoPictures;
class WallTableModel;

class WallGridView : public QTableView {
    Q_OBJECT
public:
    // Everything is read when painting: the wall, the display settings and the pictures.
    WallGridView(const mlc::WallModel& wall, const mlc::ProgramSettings& settings,
                 const DemoPictures& pictures, QWidget* parent = nullptr);

    // The wall's size changed: rebuild rows and columns, keep the selection where it fits.
    void resetSize();
    // Sizes the cells to fill the grid exactly; grid lines follow DisplayGrid.
    void FitGrid();
    // Redraws every cell.
    void repaintCells();

    // Selection as wall places (1-based, inclusive); the current cell when nothing is selected.
    mlc::WallRect selectionRect() const;
    void setSelectionRect(const mlc::WallRect& rect);
    bool singleCellSelected() const;
    // The current cell as (column, row), 1-based; (1, 1) when there is none.
    QPoint currentCell() const;
    void setCurrentCell(int column, int row);

    WallTableModel& wallModel() { return *model_; }
    const mlc::WallModel& wall() const { return wall_; }
    const mlc::ProgramSettings& settings() const { return settings_; }
    const DemoPictures& pictures() const { return pictures_; }

signals:
    // The operator dropped a column (row) number at another place: wall indexes, 1-based.
    void columnMoved(int from, int to);
    void rowMoved(int from, int to);
    // A mouse button went down or up on the grid.
    void mouseTouched();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sectionMoved(Qt::Orientation orientation, int oldVisual, int newVisual);

    const mlc::WallModel& wall_;
    const mlc::ProgramSettings& settings_;
    const DemoPictures& pictures_;
    WallTableModel* model_;
    QWidget* corner_ = nullptr;
    bool restoringOrder_ = false;
};

} // namespace mlgui
