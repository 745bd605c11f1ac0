#include "traffic/traffic_models.h"

#include "common/dialog_parts.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QStyle>

#include <algorithm>

namespace mlgui {

namespace {

const QColor kFailedText(0xb0, 0x1c, 0x1c);
const QColor kFailedBackground(0xfb, 0xe3, 0xe3);
constexpr const char* kLastFailedHint = "The last exchange with this unit failed";

QString timeText(std::int64_t microseconds) {
    return QDateTime::fromMSecsSinceEpoch(microseconds / 1000).toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString directionText(int direction) {
    switch (direction) {
    case LV_TRAFFIC_SENT:
        return QStringLiteral("sent");
    case LV_TRAFFIC_NOT_SENT:
        return QStringLiteral("not sent");
    case LV_TRAFFIC_REPLY:
        return QStringLiteral("reply");
    default:
        return QStringLiteral("received");
    }
}

QString unitText(int unit) {
    return unit > 0 ? QString::number(unit) : unit == 0 ? QStringLiteral("all") : QString();
}

QVariant header(const char* const* names, int section, Qt::Orientation orientation, int role, int count) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= count)
        return {};
    return QString::fromLatin1(names[section]);
}

} // namespace

// ---- Packets -------------------------------------------------------------------

TrafficLinesModel::TrafficLinesModel(const mlc::TrafficRecord& record, QObject* parent)
    : QAbstractTableModel(parent), record_(record) {}

void TrafficLinesModel::setFilter(const mlc::TrafficFilter& filter) {
    beginResetModel();
    filter_ = filter;
    rows_.clear();
    for (std::uint64_t n = record_.begin(); n < record_.end(); ++n)
        if (filter_.matches(record_.line(n)))
            rows_.push_back(n);
    shownEnd_ = record_.end();
    endResetModel();
}

void TrafficLinesModel::sync() {
    const auto kept = std::lower_bound(rows_.begin(), rows_.end(), record_.begin());
    if (kept != rows_.begin()) {
        beginRemoveRows({}, 0, static_cast<int>(kept - rows_.begin()) - 1);
        rows_.erase(rows_.begin(), kept);
        endRemoveRows();
    }
    std::vector<std::uint64_t> added;
    for (std::uint64_t n = std::max(shownEnd_, record_.begin()); n < record_.end(); ++n)
        if (filter_.matches(record_.line(n)))
            added.push_back(n);
    shownEnd_ = record_.end();
    if (added.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    rows_.insert(rows_.end(), added.begin(), added.end());
    endInsertRows();
}

int TrafficLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TrafficLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TrafficLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const mlc::TrafficLine& line = record_.line(rows_[static_cast<std::size_t>(index.row())]);
    if (role == Qt::ForegroundRole)
        return line.failed() ? QVariant(QBrush(kFailedText)) : QVariant();
    if (role == Qt::ToolTipRole)
        return qt(line.log);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Time:
        return timeText(line.time);
    case Direction:
        return directionText(line.direction);
    case Unit:
        return unitText(line.unit);
    case Kind:
        return qt(line.kind);
    case Name:
        return qt(line.name);
    case Target:
        return qt(line.target);
    case Value:
        return qt(line.value);
    case Result:
        return qt(line.result);
    default:
        return {};
    }
}

QVariant TrafficLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[] = {"Time",      "Direction", "Device ID", "Type",
                                        "Operation", "Target",    "Value",     "Result"};
    return header(names, section, orientation, role, ColumnCount);
}

// ---- Units ---------------------------------------------------------------------

UnitHealthModel::UnitHealthModel(const mlc::TrafficRecord& record, const mlc::WallModel& wall,
                                 QObject* parent)
    : QAbstractTableModel(parent), record_(record), wall_(wall) {}

void UnitHealthModel::sync() {
    if (record_.unitsChanged() == seen_)
        return;
    seen_ = record_.unitsChanged();
    beginResetModel();
    units_.clear();
    for (const auto& [unit, health] : record_.units())
        units_.push_back(unit);
    endResetModel();
}

int UnitHealthModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(units_.size());
}

int UnitHealthModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UnitHealthModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int unit = unitAt(index.row());
    const mlc::UnitHealth& health = record_.units().at(unit);
    if (health.lastFailed) {
        if (role == Qt::BackgroundRole)
            return QBrush(kFailedBackground);
        if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
            return QString::fromLatin1(kLastFailedHint);
        if (role == Qt::DecorationRole && index.column() == Unit)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Unit:
        return unit;
    case Place:
        return qt(mlc::PlacesText(wall_, unit));
    case Exchanges:
        return static_cast<qlonglong>(health.exchanges);
    case NoAnswer:
        return static_cast<qlonglong>(health.noAnswer);
    case Refused:
        return static_cast<qlonglong>(health.refused);
    case BadChecksum:
        return static_cast<qlonglong>(health.badChecksum);
    case Other:
        return static_cast<qlonglong>(health.other);
    case LastResult:
        return qt(health.lastResult);
    case LastSeen:
        return health.lastSeen > 0 ? timeText(health.lastSeen) : QStringLiteral("never");
    default:
        return {};
    }
}

QVariant UnitHealthModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[] = {"Device ID", "Place", "Exchanges",   "No answer", "Refusals",
                                        "Checksum",  "Other", "Last result", "Last seen"};
    return header(names, section, orientation, role, ColumnCount);
}

} // namespace mlgui
