// The buttons of a dialog's bottom row, named as the forms name them: "&Ok" (the
// default, accepts) and "&Cancel" (rejects) at the right, other buttons at the left.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include <initializer_list>

namespace mlgui {

inline QPushButton* namedButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

inline QHBoxLayout* okCancelRow(QDialog* dialog, std::initializer_list<QWidget*> leading = {}) {
    auto* ok = namedButton("OkBTN", QStringLiteral("&Ok"), dialog);
    ok->setDefault(true);
    auto* cancel = namedButton("CancelBTN", QStringLiteral("&Cancel"), dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    for (QWidget* widget : leading)
        row->addWidget(widget);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace mlgui
