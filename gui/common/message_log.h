// The reports that waited for no one (failures during unattended playback), kept
// with their time so that the operator can read them later.
#pragma once

#include "operator.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>

namespace mlgui {

struct LoggedMessage {
    std::int64_t number; // from 1, in the order the entries came
    QDateTime time;
    mlc::MessageKind kind;
    QString text;
};

class MessageLog : public QObject {
    Q_OBJECT
public:
    // A sequence that plays for weeks must not grow the log without end: the
    // oldest entries go first.
    static constexpr std::size_t kMaxEntries = 2000;

    explicit MessageLog(QObject* parent = nullptr) : QObject(parent) {}

    void add(mlc::MessageKind kind, const QString& text,
             const QDateTime& time = QDateTime::currentDateTime());
    void clear();
    const std::deque<LoggedMessage>& entries() const { return entries_; }
    // The newest entry's number (it stays when entries are dropped or cleared), 0 before the first.
    std::int64_t lastNumber() const { return lastNumber_; }
    // Entries added since the operator last opened the log.
    int unread() const { return unread_; }
    void markRead();

signals:
    void changed();

private:
    std::deque<LoggedMessage> entries_;
    std::int64_t lastNumber_ = 0;
    int unread_ = 0;
};

QString kindName(mlc::MessageKind kind);
// "2024-05-01 13:02:11  Error  text", one line.
QString logLine(const LoggedMessage& message);

} // namespace mlgui
