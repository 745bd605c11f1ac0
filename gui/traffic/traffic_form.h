// TTrafficFRM: the serial traffic window. Modeless: the packets as they pass,
// newest at the bottom (followed while the view is at the bottom), with a filter
// by device ID, "Errors only", Pause, Clear and "Save..."; below them one row
// per unit the traffic addressed. While the window is open the plug-in hands its
// traffic to the record; once it is closed the exchanges pay nothing for it.
#pragma once

#include "traffic/traffic_record.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace mlgui {

class TrafficLinesModel;
class UnitHealthModel;

struct TrafficFormContext {
    mlc::TrafficRecord& record;
    const mlc::WallModel& wall;  // where each unit is
    mlc::DriverBinding& binding; // the tap
};

class TTrafficFRM : public QDialog {
    Q_OBJECT
public:
    explicit TTrafficFRM(TrafficFormContext context, QWidget* parent = nullptr);
    ~TTrafficFRM() override;

    const mlc::TrafficFilter& filter() const;
    // Brings both tables up to the record (the window's timer does it while open).
    void follow();

signals:
    void unitActivated(int unit); // a unit's row was double-clicked
    void saveRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildPackets();
    QWidget* buildUnits();
    void filterChanged();

    TrafficFormContext context_;
    std::unique_ptr<mlc::TrafficTap> tap_;
    TrafficLinesModel* lines_ = nullptr;
    UnitHealthModel* units_ = nullptr;
    QTableView* packetsView_ = nullptr;
    QTableView* unitsView_ = nullptr;
    QSpinBox* unitFilter_ = nullptr;
    QCheckBox* errorsOnly_ = nullptr;
    QPushButton* pause_ = nullptr;
    QLabel* notice_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace mlgui
