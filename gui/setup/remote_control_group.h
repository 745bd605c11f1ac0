// The preferences' " Remote control " group: whether the program takes commands
// from the network, on which address and port, and the token they must carry.
#pragma once

#include "remote_api/remote_settings.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace mlgui {

class RemoteControlGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RemoteControlGroup(QWidget* parent);

    void load(const mlc::RemoteSettings& settings);
    mlc::RemoteSettings settings() const;

private:
    void enabledChanged(bool on);

    QCheckBox* enabled_;
    QLineEdit* address_;
    QSpinBox* port_;
    QLineEdit* token_;
    QPushButton* newToken_;
};

} // namespace mlgui
