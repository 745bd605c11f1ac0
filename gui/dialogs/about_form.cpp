#include "dialogs/about_form.h"

#include "common/dialog_parts.h"
#include "resources/resources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace mlgui {

namespace {

const char* kNotice =
    "Marlune Control Center " MARLUNE_VERSION "\n"
    "\n"
    "Controls videowalls of up to 16 x 16 monitors, each driven by a Marlune display-controller "
    "unit on one daisy-chained RS-232 line: arrange the wall, give every unit its device ID, "
    "spread pictures over blocks of monitors with bezel correction, set each unit's picture, "
    "keep walls and sequences in files and play timed sequences.\n"
    "\n"
    "Drag the row and column numbers of the grid to move rows and columns; double-click a "
    "monitor to edit it.\n"
    "\n"
    "Settings and the last wall, sequence and defaults are kept in the settings folder "
    "(mlcenter --help says where).";

QSvgWidget* picture(const char* name, const char* file, QSize size, QWidget* parent) {
    auto* widget = new QSvgWidget(QString::fromLatin1(file), parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFixedSize(size);
    return widget;
}

} // namespace

TAboutFRM::TAboutFRM(QWidget* parent) : QDialog(parent) {
    initResources();
    setObjectName(QStringLiteral("AboutFRM"));
    setWindowTitle(dialogCaption("About"));

    QSvgWidget* mark = picture("TitleIMG", ":/about/title-mark.svg", {96, 96}, this);
    mark->setAccessibleName(QStringLiteral("Marlune Control Center"));
    QSvgWidget* name = picture("NameIMG", ":/about/title-name.svg", {320, 64}, this);
    name->setAccessibleName(QStringLiteral("Marlune Control Center"));

    auto* notice = new QPlainTextEdit(QString::fromLatin1(kNotice), this);
    notice->setObjectName(QStringLiteral("NoticeMEMO"));
    notice->setAccessibleName(QStringLiteral("Notice"));
    notice->setReadOnly(true);
    notice->setMinimumSize(440, 220);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkBTN"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* title = new QHBoxLayout;
    title->addWidget(mark);
    title->addWidget(name, 0, Qt::AlignVCenter);
    title->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addWidget(notice);
    layout->addLayout(buttons);
}

} // namespace mlgui
