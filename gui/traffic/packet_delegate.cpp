#include "traffic/packet_delegate.h"

#include <QPainter>

namespace mlgui {

void PacketDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(selected               ? option.palette.highlightedText().color()
                    : foreground.isValid() ? foreground.value<QBrush>().color()
                                           : option.palette.text().color());
    constexpr int kMargin = 3;
    const QRect room = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    QString text = index.data(Qt::DisplayRole).toString();
    if (option.fontMetrics.horizontalAdvance(text) > room.width())
        text = option.fontMetrics.elidedText(text, Qt::ElideRight, room.width());
    painter->drawText(room, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
}

} // namespace mlgui
