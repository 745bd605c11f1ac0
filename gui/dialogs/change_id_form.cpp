#include "dialogs/change_id_form.h"

#include "common/dialog_buttons.h"
#include "common/dialog_parts.h"
#include "common/two_digit_spin_box.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mlgui {

namespace {

QLineEdit* readOnlyField(const char* name, int value, QWidget* parent) {
    auto* field = new QLineEdit(QString::number(value), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(60);
    return field;
}

} // namespace

TChangeIdFRM::TChangeIdFRM(int column, int row, int deviceId, QWidget* parent)
    : QDialog(parent), id_(new TwoDigitSpinBox(this)) {
    setObjectName(QStringLiteral("ChangeIdFRM"));
    setWindowTitle(dialogCaption("Monitor ID"));

    auto* text = new QLabel(QStringLiteral("Select a new Lumivane device ID for this monitor"), this);
    text->setObjectName(QStringLiteral("TextLBL"));
    id_->setObjectName(QStringLiteral("IdSPIN"));
    id_->setRange(1, 99);
    id_->setValue(deviceId);
    shown_ = id_->value();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Row:"), readOnlyField("RowEDIT", row, this));
    form->addRow(QStringLiteral("Column:"), readOnlyField("ColumnEDIT", column, this));
    auto* idLabel = new QLabel(QStringLiteral("I&D:"), this);
    idLabel->setBuddy(id_);
    form->addRow(idLabel, id_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addLayout(dialogButtons(this).row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    id_->setFocus();
    id_->selectAll();
}

int TChangeIdFRM::deviceId() const {
    return id_->value();
}

void TChangeIdFRM::setDeviceId(int id) {
    id_->setValue(id);
}

} // namespace mlgui
