#include "sequencer/timeline_model.h"

#include <QApplication>
#include <QPainter>

namespace mlgui {

TimelineModel::TimelineModel(const mlc::Sequencer& sequencer, QObject* parent)
    : QAbstractListModel(parent), sequencer_(sequencer) {
    sync();
}

int TimelineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

QVariant TimelineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QString::fromStdString(texts_[static_cast<std::size_t>(index.row())]);
    if (role == LastFiredRole)
        return index.row() == sequencer_.currentItemIndex();
    return {};
}

void TimelineModel::sync() {
    std::vector<std::string> texts;
    for (const auto& line : sequencer_.lines())
        texts.push_back(line.text);
    if (texts != texts_) {
        beginResetModel();
        texts_ = std::move(texts);
        endResetModel();
    } else if (!texts_.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1), {LastFiredRole});
    }
}

void TimelineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    painter->save();
    painter->fillRect(opt.rect, opt.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    QFont font = opt.font;
    font.setBold(index.data(TimelineModel::LastFiredRole).toBool());
    painter->setFont(font);
    painter->setClipRect(opt.rect);
    painter->drawText(opt.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, opt.text);
    painter->restore();
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.backgroundColor = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

QSize TimelineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    QFont bold = opt.font;
    bold.setBold(true);
    return {QFontMetrics(bold).horizontalAdvance(opt.text) + 4,
            std::max(kLineHeight, QFontMetrics(option.font).height())};
}

} // namespace mlgui
