#include "common/message_log_form.h"

#include "common/dialog_parts.h"
#include "common/message_log.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mlgui {

namespace {

QIcon kindIcon(const QStyle* style, mlc::MessageKind kind) {
    switch (kind) {
    case mlc::MessageKind::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case mlc::MessageKind::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case mlc::MessageKind::Information:
        break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

} // namespace

TMessageLogFRM::TMessageLogFRM(MessageLog& log, QWidget* parent)
    : QDialog(parent), log_(log), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("MessageLogFRM"));
    setWindowTitle(dialogCaption("Message log"));
    list_->setObjectName(QStringLiteral("MessagesLST"));
    list_->setAccessibleName(QStringLiteral("Messages"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(QStringLiteral("C&opy"), QDialogButtonBox::ActionRole);
    QPushButton* clear = buttons->addButton(QStringLiteral("C&lear"), QDialogButtonBox::ResetRole);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    copy->setObjectName(QStringLiteral("CopyBTN"));
    clear->setObjectName(QStringLiteral("ClearBTN"));
    close->setObjectName(QStringLiteral("CloseBTN"));
    connect(copy, &QPushButton::clicked, this, [this] {
        QStringList lines;
        const auto& entries = log_.entries();
        for (int i = 0; i < list_->count(); ++i)
            if (list_->item(i)->isSelected() || list_->selectedItems().isEmpty())
                lines << logLine(entries[static_cast<std::size_t>(i)]);
        QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
    });
    connect(clear, &QPushButton::clicked, &log_, &MessageLog::clear);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 320);

    connect(&log_, &MessageLog::changed, this, &TMessageLogFRM::rebuild);
    rebuild();
}

void TMessageLogFRM::rebuild() {
    list_->clear();
    for (const LoggedMessage& message : log_.entries())
        list_->addItem(new QListWidgetItem(kindIcon(style(), message.kind), logLine(message)));
    list_->scrollToBottom();
    if (isVisible())
        log_.markRead();
}

} // namespace mlgui
