#include "sequencer/item_details_dialog.h"

#include "common/dialog_buttons.h"
#include "common/dialog_parts.h"
#include "common/two_digit_spin_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mlgui {

namespace {

QSpinBox* timeBox(const char* name, int maximum, int value, QWidget* parent) {
    auto* box = new TwoDigitSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, maximum);
    box->setValue(value);
    return box;
}

} // namespace

TItemDetailsFRM::TItemDetailsFRM(const mlc::ItemDetails& details, QWidget* parent) : QDialog(parent) {
    setObjectName("ItemDetailsFRM");
    setWindowTitle(dialogCaption("Item details"));

    auto* nameLabel = new QLabel("Item &name:", this);
    name_ = new QLineEdit(QString::fromStdString(details.name), this);
    name_->setObjectName("ItemName");
    nameLabel->setBuddy(name_);

    auto* time = new QGroupBox(" Activation time ", this);
    time->setObjectName("ActivationTimeBOX");
    hours_ = timeBox("HH", 99, details.hours, time);
    minutes_ = timeBox("MM", 59, details.minutes, time);
    seconds_ = timeBox("SS", 59, details.seconds, time);
    auto* timeLayout = new QGridLayout(time);
    int column = 0;
    for (auto [text, box] :
         {std::pair{"&Hours:", hours_}, {"&Minutes:", minutes_}, {"&Seconds:", seconds_}}) {
        auto* label = new QLabel(text, time);
        label->setBuddy(box);
        timeLayout->addWidget(label, 0, column);
        timeLayout->addWidget(box, 1, column++);
    }

    auto* modeLabel = new QLabel("This &time is calculated starting from...", this);
    mode_ = new QComboBox(this);
    mode_->setObjectName("TimeMode");
    mode_->addItems({"Midnight (requires accurate PC clock)", "the Start of the sequence",
                     "the execution of the Last event"});
    mode_->setCurrentIndex(details.mode >= 0 && details.mode < mode_->count() ? details.mode : -1);
    modeLabel->setBuddy(mode_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(time);
    layout->addWidget(modeLabel);
    layout->addWidget(mode_);
    layout->addLayout(dialogButtons(this).row);
    setMinimumWidth(380);
}

mlc::ItemDetails TItemDetailsFRM::details() const {
    return {name_->text().toStdString(), hours_->value(), minutes_->value(), seconds_->value(),
            mode_->currentIndex()};
}

bool TItemDetailsFRM::edit(mlc::ItemDetails& details, QWidget* parent) {
    TItemDetailsFRM dialog(details, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    details = dialog.details();
    return true;
}

} // namespace mlgui
