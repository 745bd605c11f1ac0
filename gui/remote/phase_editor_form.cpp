#include "remote/phase_editor_form.h"

#include "common/dialog_parts.h"
#include "dialogs/phase_text.h"
#include "sync/chain_settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mlgui {

TVPhaseEditorFRM::TVPhaseEditorFRM(mlc::ChainSettings& chain, QWidget* parent)
    : QDialog(parent), chain_(chain) {
    setObjectName("VPhaseEditorFRM");
    setWindowTitle(dialogCaption("Phase editor"));

    auto* label = new QLabel("&Vertical lock phase:", this);
    phase_ = new QLineEdit("0x0000", this);
    phase_->setObjectName("VPhase");
    label->setBuddy(phase_);
    auto* send = new QPushButton("&Send", this);
    send->setObjectName("SendBTN");
    send->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(phase_, 1);
    layout->addWidget(send);

    connect(send, &QPushButton::clicked, this, &TVPhaseEditorFRM::SendBTNClick);
}

void TVPhaseEditorFRM::SendBTNClick() {
    if (phase_->text().isEmpty())
        return;
    const std::uint16_t phase = mlc::ParsePhaseText(phase_->text().toStdString());
    phase_->setText(QString::fromStdString(mlc::PhaseText(phase)));
    chain_.SendVerticalPhase(phase);
}

} // namespace mlgui
