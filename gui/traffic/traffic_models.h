// The two tables of the serial traffic window over the core's traffic record:
// the packets the filter lets through, and one row per unit the traffic addressed.
// Both follow the record when told to (sync), so that the exchanges only append
// to the record and the views catch up when the window's timer runs.
#pragma once

#include "traffic/traffic_record.h"

#include <QAbstractTableModel>

#include <vector>

namespace mlgui {

class TrafficLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Direction, Unit, Kind, Name, Target, Value, Result, ColumnCount };

    explicit TrafficLinesModel(const mlc::TrafficRecord& record, QObject* parent = nullptr);

    void setFilter(const mlc::TrafficFilter& filter);
    const mlc::TrafficFilter& filter() const { return filter_; }
    // Drops the lines the record no longer keeps and adds those it took since.
    void sync();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const mlc::TrafficRecord& record_;
    mlc::TrafficFilter filter_;
    std::vector<std::uint64_t> rows_; // line numbers, ascending
    std::uint64_t shownEnd_ = 0;      // the record's end at the last sync
};

class UnitHealthModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Unit,
        Place,
        Exchanges,
        NoAnswer,
        Refused,
        BadChecksum,
        Other,
        LastResult,
        LastSeen,
        ColumnCount
    };

    UnitHealthModel(const mlc::TrafficRecord& record, const mlc::WallModel& wall, QObject* parent = nullptr);

    void sync();
    int unitAt(int row) const { return units_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const mlc::TrafficRecord& record_;
    const mlc::WallModel& wall_;
    std::vector<int> units_;
    std::uint64_t seen_ = ~std::uint64_t{0};
};

} // namespace mlgui
