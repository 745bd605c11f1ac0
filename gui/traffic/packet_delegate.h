// Draws a cell of the packet table: its text in the model's colour, cut with an
// ellipsis when it does not fit, on the selection's colour when selected. The
// style's item painting lays every cell out as rich text, which the table, redrawn
// twice a second while packets pass, does not need.
#pragma once

#include <QStyledItemDelegate>

namespace mlgui {

class PacketDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace mlgui
