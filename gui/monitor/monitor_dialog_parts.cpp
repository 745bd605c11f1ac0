#include "monitor/monitor_dialog_parts.h"

#include "common/dialog_parts.h"
#include "dialogs/monitor_apply.h"

#include <QComboBox>
#include <QStringList>

namespace mlgui {

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
        items.push_back(qt(name));
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
        items.push_back(qt(name));
    box->addItems(items);
    box->setCurrentIndex(stored < box->count() ? stored : -1);
}

} // namespace mlgui
