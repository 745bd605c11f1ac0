// "Monitor ID": a new device ID for the monitor at one grid cell.
#pragma once

#include <QDialog>

class QSpinBox;

namespace mlgui {

class TChangeIdFRM : public QDialog {
    Q_OBJECT
public:
    TChangeIdFRM(int column, int row, int deviceId, QWidget* parent = nullptr);
    int deviceId() const;
    void setDeviceId(int id);
    // The operator chose another value than the one first shown.
    bool idEdited() const { return deviceId() != shown_; }

private:
    QSpinBox* id_;
    int shown_ = 0;
};

} // namespace mlgui
