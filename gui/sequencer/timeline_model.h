// The timeline as a list model over the sequencer's lines, and the delegate that
// draws them: a fixed line height, the last fired item in bold, the focused line
// framed.
#pragma once

#include "sequencer/sequencer.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

#include <vector>

namespace mlgui {

class TimelineModel : public QAbstractListModel {
    Q_OBJECT
public:
    // True for the line of the item last fired by playback (drawn in bold).
    static constexpr int LastFiredRole = Qt::UserRole + 1;

    explicit TimelineModel(const mlc::Sequencer& sequencer, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Takes over the sequencer's lines: rebuilt when their texts changed (which
    // clears the view's selection), else only redrawn.
    void sync();

private:
    const mlc::Sequencer& sequencer_;
    std::vector<std::string> texts_;
};

class TimelineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The line height at the usual font size; larger fonts get the font's height.
    static constexpr int kLineHeight = 13;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace mlgui
