#include "common/dialog_parts.h"

#include "operator.h"

#include <QLabel>

namespace mlgui {

QString dialogCaption(const char* name) {
    return QString::fromLatin1(mlc::kProgramTitle) + QStringLiteral(" - ") + QString::fromUtf8(name);
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString plainText(const char* label) {
    const QString marked = QString::fromUtf8(label).trimmed();
    QString text;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == '&' && i + 1 < marked.size())
            ++i; // "&&" stands for one "&"
        text += marked[i];
    }
    if (text.endsWith(':'))
        text.chop(1);
    return text;
}

} // namespace mlgui
