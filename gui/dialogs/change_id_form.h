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

private:
    QSpinBox* id_;
};

} // namespace mlgui
