#include "modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace guitest {

namespace {

void poll(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> act, int timeoutMs) {
    auto* timer = new QTimer(qApp); // owned by the application until it deletes itself
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, matches, act, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window opened";
        }
    });
    timer->start();
}

} // namespace

void whenModalOpens(std::function<void(QWidget*)> act, int timeoutMs) {
    poll([](QWidget*) { return true; }, std::move(act), timeoutMs);
}

void whenModalOpens(const QString& name, std::function<void(QWidget*)> act, int timeoutMs) {
    poll([name](QWidget* w) { return w->objectName() == name; }, std::move(act), timeoutMs);
}

void pressMessageBoxButton(QWidget* box, const QString& buttonText) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(messageBox, nullptr) << "not a message box";
    for (QAbstractButton* button : messageBox->buttons()) {
        if (button->text().remove('&') == QString(buttonText).remove('&')) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << buttonText.toStdString() << " in the box";
    messageBox->reject();
}

void saveShot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("MARLUNE_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget->grab().save(folder + "/" + name + ".png");
}

} // namespace guitest
