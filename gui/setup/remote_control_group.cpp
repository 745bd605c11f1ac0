#include "setup/remote_control_group.h"

#include "common/dialog_buttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace mlgui {

RemoteControlGroup::RemoteControlGroup(QWidget* parent) : QGroupBox(" Remote control ", parent) {
    setObjectName("RemoteControlBOX");
    enabled_ = new QCheckBox("Accept commands from the network", this);
    enabled_->setObjectName("RemoteEnabledCHK");
    address_ = new QLineEdit(this);
    address_->setObjectName("RemoteAddressEDT");
    address_->setAccessibleName("Address to listen on");
    address_->setToolTip("127.0.0.1: this computer only; 0.0.0.0: every network it is on");
    port_ = new QSpinBox(this);
    port_->setObjectName("RemotePortEDT");
    port_->setRange(1, 65535);
    port_->setAccessibleName("Port");
    token_ = new QLineEdit(this);
    token_->setObjectName("RemoteTokenEDT");
    token_->setReadOnly(true);
    token_->setAccessibleName("Token");
    newToken_ = namedButton("RemoteTokenBTN", "New token", this);
    connect(enabled_, &QCheckBox::toggled, this, &RemoteControlGroup::enabledChanged);
    connect(newToken_, &QPushButton::clicked, this,
            [this] { token_->setText(QString::fromStdString(mlc::makeRemoteToken())); });

    const auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(enabled_, 0, 0, 1, 4);
    grid->addWidget(label("Liste&n on:", address_), 1, 0);
    grid->addWidget(address_, 1, 1);
    grid->addWidget(label("Por&t:", port_), 1, 2);
    grid->addWidget(port_, 1, 3);
    grid->addWidget(label("Token:", token_), 2, 0);
    grid->addWidget(token_, 2, 1, 1, 2);
    grid->addWidget(newToken_, 2, 3);
    grid->setColumnStretch(1, 1);
}

void RemoteControlGroup::load(const mlc::RemoteSettings& s) {
    address_->setText(QString::fromStdString(s.Address));
    port_->setValue(s.Port);
    token_->setText(QString::fromStdString(s.Token));
    enabled_->setChecked(s.Enabled);
    enabledChanged(s.Enabled);
}

mlc::RemoteSettings RemoteControlGroup::settings() const {
    return {enabled_->isChecked(), address_->text().trimmed().toStdString(), port_->value(),
            token_->text().toStdString()};
}

void RemoteControlGroup::enabledChanged(bool on) {
    for (QWidget* control : std::initializer_list<QWidget*>{address_, port_, token_, newToken_})
        control->setEnabled(on);
    // Switched on, the token to give the control system is there to copy.
    if (on && token_->text().isEmpty())
        token_->setText(QString::fromStdString(mlc::makeRemoteToken()));
}

} // namespace mlgui
