// The operator of the desktop program: message boxes titled "Marlune Control
// Center", questions with their buttons, and the progress window.
#pragma once

#include "operator.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>

namespace mlgui {

class TWorkingFRM;

class QtOperator : public QObject, public mlc::Operator {
    Q_OBJECT
public:
    explicit QtOperator(QObject* parent = nullptr);
    ~QtOperator() override;

    // The window the boxes and the progress window belong to.
    void setWindow(QWidget* window) { window_ = window; }

    void showMessage(mlc::MessageKind kind, const std::string& text) override;
    mlc::Answer ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) override;
    // Reports are the window's to show (status bar and message log): only a signal here.
    void report(mlc::MessageKind kind, const std::string& text) override;
    void progressOpened() override;
    void progressChanged(const mlc::ProgressView& view) override;
    void progressClosed() override;
    void processPendingEvents() override;

    // The progress window, while it is open.
    TWorkingFRM* progressWindow() const;

signals:
    void reported(mlc::MessageKind kind, const QString& text);

private:
    QPointer<QWidget> window_;
    QPointer<TWorkingFRM> working_;
    int progressDepth_ = 0;
};

// Message texts break lines with "\r\n"; the boxes want "\n".
QString boxText(const std::string& text);
QMessageBox::Icon boxIcon(mlc::MessageKind kind);

} // namespace mlgui
