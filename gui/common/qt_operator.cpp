#include "common/qt_operator.h"

#include "common/working_form.h"

#include <QAbstractButton>
#include <QApplication>

namespace mlgui {

QString boxText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return result;
}

QMessageBox::Icon boxIcon(mlc::MessageKind kind) {
    switch (kind) {
    case mlc::MessageKind::Error:
        return QMessageBox::Critical;
    case mlc::MessageKind::Warning:
        return QMessageBox::Warning;
    case mlc::MessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

QtOperator::QtOperator(QObject* parent) : QObject(parent) {}

QtOperator::~QtOperator() {
    delete working_.data();
}

void QtOperator::showMessage(mlc::MessageKind kind, const std::string& text) {
    QMessageBox box(boxIcon(kind), QString::fromLatin1(mlc::kProgramTitle), boxText(text), QMessageBox::Ok,
                    window_);
    box.setObjectName(QStringLiteral("MessageBOX"));
    box.exec();
}

mlc::Answer QtOperator::ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) {
    const bool withCancel = buttons == mlc::Buttons::YesNoCancel;
    QMessageBox box(icon == mlc::QuestionIcon::Warning ? QMessageBox::Warning : QMessageBox::Question,
                    QString::fromLatin1(mlc::kProgramTitle), boxText(text),
                    withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                               : QMessageBox::Yes | QMessageBox::No,
                    window_);
    box.setObjectName(QStringLiteral("QuestionBOX"));
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box answers No, or Cancel where Cancel is offered.
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    if (pressed == QMessageBox::Yes)
        return mlc::Answer::Yes;
    if (pressed == QMessageBox::Cancel || (withCancel && pressed != QMessageBox::No))
        return mlc::Answer::Cancel;
    return mlc::Answer::No;
}

void QtOperator::report(mlc::MessageKind kind, const std::string& text) {
    emit reported(kind, boxText(text));
}

void QtOperator::progressOpened() {
    // Operations may nest their windows (a write inside a larger step); one window serves.
    if (progressDepth_++ > 0)
        return;
    if (!working_)
        working_ = new TWorkingFRM(window_);
    working_->showView({"Working...", false, 0});
    working_->present();
}

void QtOperator::progressChanged(const mlc::ProgressView& view) {
    if (working_)
        working_->showView(view);
}

void QtOperator::progressClosed() {
    if (progressDepth_ == 0 || --progressDepth_ > 0)
        return;
    if (working_)
        working_->hide();
}

void QtOperator::processPendingEvents() {
    QApplication::processEvents();
}

TWorkingFRM* QtOperator::progressWindow() const {
    return progressDepth_ > 0 ? working_.data() : nullptr;
}

} // namespace mlgui
