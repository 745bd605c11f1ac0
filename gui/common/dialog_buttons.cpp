#include "common/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace mlgui {

QPushButton* namedButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

DialogButtons dialogButtons(QDialog* dialog, std::initializer_list<QWidget*> leading,
                            const QString& applyText) {
    DialogButtons buttons;
    buttons.ok = namedButton("OkBTN", QStringLiteral("&Ok"), dialog);
    buttons.ok->setDefault(true);
    buttons.cancel = namedButton("CancelBTN", QStringLiteral("&Cancel"), dialog);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    if (!applyText.isEmpty())
        buttons.apply = namedButton("ApplyBTN", applyText, dialog);
    buttons.row = new QHBoxLayout;
    for (QWidget* widget : leading)
        buttons.row->addWidget(widget);
    buttons.row->addStretch();
    // At the foot of the row, under a taller group box beside them.
    for (QPushButton* button : {buttons.ok, buttons.cancel, buttons.apply})
        if (button)
            buttons.row->addWidget(button, 0, Qt::AlignBottom);
    return buttons;
}

} // namespace mlgui
