#include "grid/wall_table_model.h"

#include "grid/cell_painting.h"
#include "wall/wall_state.h"

namespace mlgui {

WallTableModel::WallTableModel(const mlc::WallModel& wall, QObject* parent)
    : QAbstractTableModel(parent), wall_(wall), columns_(mlc::UsedColumns(wall)), rows_(mlc::UsedRows(wall)) {
}

int WallTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int WallTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

const mlc::TWallMonitor& WallTableModel::monitorAt(const QModelIndex& index) const {
    return wall_.Monitors.at(index.column() + 1, index.row() + 1);
}

QVariant WallTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_)
        return {};
    switch (role) {
    case Qt::AccessibleTextRole:
        return QStringLiteral("Monitor %1, %2").arg(index.column() + 1).arg(index.row() + 1);
    case Qt::AccessibleDescriptionRole:
        return QStringLiteral("Device ID %1").arg(deviceIdText(monitorAt(index).DeviceId));
    default:
        return {};
    }
}

QVariant WallTableModel::headerData(int section, Qt::Orientation, int role) const {
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QString::number(section + 1);
    return {};
}

Qt::ItemFlags WallTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void WallTableModel::resetSize() {
    beginResetModel();
    columns_ = mlc::UsedColumns(wall_);
    rows_ = mlc::UsedRows(wall_);
    endResetModel();
}

void WallTableModel::cellsChanged() {
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

} // namespace mlgui
