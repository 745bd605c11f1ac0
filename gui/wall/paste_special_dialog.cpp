#include "wall/paste_special_dialog.h"

#include "common/dialog_buttons.h"
#include "common/dialog_parts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mlgui {

TPasteSpecialFRM::TPasteSpecialFRM(mlc::ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("PasteSpecialFRM");
    setWindowTitle(dialogCaption("Paste special"));

    auto* label = new QLabel("&Paste only the items selected below:", this);
    pasteWhat_ = new QListWidget(this);
    pasteWhat_->setObjectName("PasteWhat");
    pasteWhat_->setAccessibleName("Paste what");
    label->setBuddy(pasteWhat_);
    for (const mlc::PasteField& field : mlc::kPasteFields) {
        auto* item = new QListWidgetItem(field.text, pasteWhat_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }

    auto* unselected = new QGroupBox(" About the &unselected items ", this);
    unselected->setObjectName("Unselected");
    leave_ = new QRadioButton("Leave them unchanged", unselected);
    leave_->setObjectName("LeaveRBN");
    reset_ = new QRadioButton("Reset them to defaults", unselected);
    reset_->setObjectName("ResetRBN");
    auto* radios = new QHBoxLayout(unselected);
    radios->addWidget(leave_);
    radios->addWidget(reset_);

    auto* all = namedButton("AllBTN", "&All", this);
    auto* none = namedButton("NoneBTN", "&None", this);
    connect(all, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { checkAll(false); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(pasteWhat_, 1);
    layout->addWidget(unselected);
    layout->addLayout(dialogButtons(this, {all, none}).row);
    resize(360, 480);

    display(mlc::pasteSpecialMaskOf(settings_));
}

void TPasteSpecialFRM::display(const mlc::PasteSpecialMask& mask) {
    for (int i = 0; i < pasteWhat_->count(); ++i)
        pasteWhat_->item(i)->setCheckState(mask.Flags[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                                   : Qt::Unchecked);
    (mask.Unselected == mlc::ResetUnselected ? reset_ : leave_)->setChecked(true);
}

void TPasteSpecialFRM::checkAll(bool checked) {
    for (int i = 0; i < pasteWhat_->count(); ++i)
        pasteWhat_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

mlc::PasteSpecialMask TPasteSpecialFRM::mask() const {
    mlc::PasteSpecialMask mask;
    mask.Unselected = reset_->isChecked() ? mlc::ResetUnselected : mlc::LeaveUnselected;
    for (int i = 0; i < pasteWhat_->count(); ++i)
        mask.Flags[static_cast<std::size_t>(i)] = pasteWhat_->item(i)->checkState() == Qt::Checked;
    return mask;
}

void TPasteSpecialFRM::accept() {
    mlc::storePasteSpecialMask(settings_, mask());
    QDialog::accept();
}

} // namespace mlgui
