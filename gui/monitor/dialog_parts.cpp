#include "monitor/dialog_parts.h"

#include "dialogs/monitor_apply.h"
#include "operator.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QStringList>

namespace mlgui {

QString dialogCaption(const char* name) {
    return QString(mlc::kProgramTitle) + " - " + name;
}

QString plainText(const char* label) {
    QString text = QString::fromUtf8(label).trimmed();
    text.remove(QRegularExpression("&(?!&)"));
    if (text.endsWith(':'))
        text.chop(1);
    return text;
}

void fillList(QComboBox* box, const mlc::MatchListPair& list) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(list.Names.size()));
    for (const std::string& name : list.Names)
        items.push_back(QString::fromStdString(name));
    box->clear();
    box->addItems(items);
}

void fillRouterList(QComboBox* box, mlc::VideoRouter& router, bool active, int stored) {
    box->clear();
    box->setEnabled(active);
    if (!active)
        return;
    QStringList items;
    for (const std::string& name : mlc::RouterInputNames(router))
        items.push_back(QString::fromStdString(name));
    box->addItems(items);
    box->setCurrentIndex(stored < box->count() ? stored : -1);
}

} // namespace mlgui
