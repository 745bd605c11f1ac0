#include "common/working_form.h"

#include "common/busy_animation.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace mlgui {

TWorkingFRM::TWorkingFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      operation_(new QLabel(QStringLiteral("Working..."), this)), progress_(new QProgressBar(this)),
      percentage_(new QLabel(QStringLiteral("0%"), this)), animation_(new BusyAnimation(this)) {
    setObjectName(QStringLiteral("WorkingFRM"));
    setWindowTitle(QString::fromLatin1(mlc::kProgramTitle));
    setModal(false);
    operation_->setObjectName(QStringLiteral("Operation"));
    operation_->setMinimumWidth(260);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setAccessibleName(QStringLiteral("Progress"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->hide();
    percentage_->setObjectName(QStringLiteral("ProgressPercentage"));
    percentage_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentage_->setMinimumWidth(40);
    percentage_->hide();

    auto* bar = new QHBoxLayout;
    bar->addWidget(progress_, 1);
    bar->addWidget(percentage_);
    auto* text = new QVBoxLayout;
    text->addWidget(operation_);
    text->addLayout(bar);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(animation_, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TWorkingFRM::showView(const mlc::ProgressView& view) {
    operation_->setText(QString::fromStdString(view.text));
    progress_->setVisible(view.barVisible);
    percentage_->setVisible(view.barVisible);
    progress_->setValue(view.percent);
    percentage_->setText(QString::number(view.percent) + QLatin1Char('%'));
}

void TWorkingFRM::present() {
    adjustSize();
    const QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
}

QString TWorkingFRM::text() const {
    return operation_->text();
}

bool TWorkingFRM::barShown() const {
    return !progress_->isHidden();
}

int TWorkingFRM::percent() const {
    return progress_->value();
}

QString TWorkingFRM::percentText() const {
    return percentage_->text();
}

void TWorkingFRM::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TWorkingFRM::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return; // Escape would close a dialog; this one ends with its operation
    QDialog::keyPressEvent(event);
}

} // namespace mlgui
