// The used part of the wall as a table: row r, column c (from 0) is the monitor
// at wall column c + 1, row r + 1. The delegate draws the cells; the model names
// them for accessibility tools and numbers the header sections.
#pragma once

#include "wall/wall_model.h"

#include <QAbstractTableModel>

namespace mlgui {

class WallTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WallTableModel(const mlc::WallModel& wall, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The wall's size changed: the view rebuilds its rows and columns.
    void resetSize();
    // Settings or IDs changed: every cell is redrawn.
    void cellsChanged();

    const mlc::TWallMonitor& monitorAt(const QModelIndex& index) const;

private:
    const mlc::WallModel& wall_;
    int columns_ = 0; // the size the view knows
    int rows_ = 0;
};

} // namespace mlgui
