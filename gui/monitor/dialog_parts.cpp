#include "monitor/dialog_parts.h"

#include "dialogs/monitor_apply.h"
#include "operator.h"

#include <QComboBox>
#include <QStringList>

namespace mlgui {

QString dialogCaption(const char* name) {
    return QString(mlc::kProgramTitle) + " - " + name;
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

QComboBox* makeList(const QString& name, const QString& accessibleName, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    // Measuring every item of a 256-entry list for the size hint costs more than the
    // rest of opening a dialog; the layouts give the lists their width.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(18);
    return box;
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
