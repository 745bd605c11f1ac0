#include "common/message_log.h"

namespace mlgui {

void MessageLog::add(mlc::MessageKind kind, const QString& text, const QDateTime& time) {
    entries_.push_back({++lastNumber_, time, kind, text});
    if (entries_.size() > kMaxEntries)
        entries_.pop_front();
    ++unread_;
    emit changed();
}

void MessageLog::clear() {
    entries_.clear();
    unread_ = 0;
    emit changed();
}

void MessageLog::markRead() {
    if (unread_ == 0)
        return;
    unread_ = 0;
    emit changed();
}

QString kindName(mlc::MessageKind kind) {
    switch (kind) {
    case mlc::MessageKind::Error:
        return QStringLiteral("Error");
    case mlc::MessageKind::Warning:
        return QStringLiteral("Warning");
    case mlc::MessageKind::Information:
        break;
    }
    return QStringLiteral("Information");
}

QString logLine(const LoggedMessage& message) {
    QString text = message.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return message.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("  ") +
           kindName(message.kind) + QStringLiteral("  ") + text;
}

} // namespace mlgui
