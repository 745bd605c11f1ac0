#include "grid/wall_grid_view.h"

#include "grid/cell_painting.h"
#include "grid/demo_picture.h"
#include "grid/grid_geometry.h"
#include "grid/wall_table_model.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace mlgui {

namespace {

constexpr const char* kGridHint =
    "Drag numbers to move rows/columns; double-click monitors to edit properties";

// Paints a number row or column as the grid's fixed cells, followed by the line
// that separates them from the monitors.
class FixedHeader : public QHeaderView {
public:
    explicit FixedHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent) {
        setSectionsMovable(true);
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
        setSectionResizeMode(QHeaderView::Fixed);
        const int size = kFixedCellSize + kGridLineWidth;
        if (orientation == Qt::Horizontal)
            setFixedHeight(size);
        else
            setFixedWidth(size);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        paintFixedSection(*painter, rect, QString::number(logicalIndex + 1), palette());
    }

public:
    static void paintFixedSection(QPainter& painter, const QRect& rect, const QString& text,
                                  const QPalette& palette) {
        const QRect cell = rect.adjusted(0, 0, -kGridLineWidth, -kGridLineWidth);
        painter.save();
        paintFixedCell(painter, cell, text, palette.color(QPalette::Button),
                       palette.color(QPalette::ButtonText));
        painter.setPen(palette.color(QPalette::Shadow));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.restore();
    }
};

class MonitorCellDelegate : public QStyledItemDelegate {
public:
    explicit MonitorCellDelegate(WallGridView& view) : QStyledItemDelegate(&view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const mlc::TWallMonitor& monitor = view_.wallModel().monitorAt(index);
        const mlc::ProgramSettings& settings = view_.settings();
        MonitorCellLook look;
        look.picture = &view_.pictures().picture(monitor.Settings.SourceInput);
        look.selected = option.state & QStyle::State_Selected;
        look.focused = option.state & QStyle::State_HasFocus;
        look.highlight = highlightFromSetting(settings.HighlightType);
        look.gridColor = option.palette.color(QPalette::Base);
        look.showDeviceId = settings.ShowDeviceId;
        look.showIdBackground = settings.ShowIdBackground;
        look.idBackground = colorFromSetting(settings.IdBackgroundColor);
        painter->save();
        painter->setFont(option.font);
        paintMonitorCell(*painter, option.rect, monitor, look);
        painter->restore();
    }

private:
    WallGridView& view_;
};

} // namespace

WallGridView::WallGridView(const mlc::WallModel& wall, const mlc::ProgramSettings& settings,
                           const DemoPictures& pictures, QWidget* parent)
    : QTableView(parent), wall_(wall), settings_(settings), pictures_(pictures),
      model_(new WallTableModel(wall, this)) {
    setObjectName(QStringLiteral("Videowall"));
    setAccessibleName(QStringLiteral("Videowall"));
    setToolTip(QString::fromLatin1(kGridHint));
    setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedHeader(Qt::Vertical, this));
    setModel(model_);
    setItemDelegate(new MonitorCellDelegate(*this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    if ((corner_ = findChild<QAbstractButton*>()))
        corner_->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        sectionMoved(Qt::Horizontal, oldVisual, newVisual);
    });
    connect(verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int oldVisual, int newVisual) { sectionMoved(Qt::Vertical, oldVisual, newVisual); });
}

void WallGridView::sectionMoved(Qt::Orientation orientation, int oldVisual, int newVisual) {
    if (restoringOrder_)
        return;
    // The model moves the settings; the numbers go back to their places.
    QHeaderView* header = orientation == Qt::Horizontal ? horizontalHeader() : verticalHeader();
    restoringOrder_ = true;
    header->moveSection(newVisual, oldVisual);
    restoringOrder_ = false;
    if (orientation == Qt::Horizontal)
        emit columnMoved(oldVisual + 1, newVisual + 1);
    else
        emit rowMoved(oldVisual + 1, newVisual + 1);
}

void WallGridView::resetSize() {
    const mlc::WallRect kept = selectionRect();
    const QPoint current = currentCell();
    model_->resetSize();
    const int columns = model_->columnCount();
    const int rows = model_->rowCount();
    if (columns == 0 || rows == 0)
        return;
    const auto clampRect = [&](mlc::WallRect r) {
        r.Left = std::clamp(r.Left, 1, columns);
        r.Right = std::clamp(r.Right, 1, columns);
        r.Top = std::clamp(r.Top, 1, rows);
        r.Bottom = std::clamp(r.Bottom, 1, rows);
        return r;
    };
    setSelectionRect(clampRect(kept));
    setCurrentCell(std::clamp(current.x(), 1, columns), std::clamp(current.y(), 1, rows));
    FitGrid();
}

void WallGridView::FitGrid() {
    setShowGrid(settings_.DisplayGrid);
    const int columnCount = model_->columnCount() + 1;
    const int rowCount = model_->rowCount() + 1;
    // The client area holds the fixed header and the cells; the sizes exclude the
    // grid line that each section carries here.
    const QRect client = contentsRect();
    const GridSizes sizes = mlgui::FitGrid(client.width(), client.height(), columnCount, rowCount);
    for (int c = 1; c < columnCount; ++c)
        horizontalHeader()->resizeSection(c - 1, std::max(sizes.columnWidths[c] + kGridLineWidth, 1));
    for (int r = 1; r < rowCount; ++r)
        verticalHeader()->resizeSection(r - 1, std::max(sizes.rowHeights[r] + kGridLineWidth, 1));
    repaintCells();
}

void WallGridView::repaintCells() {
    viewport()->update();
}

mlc::WallRect WallGridView::selectionRect() const {
    const QItemSelection selection = selectionModel() ? selectionModel()->selection() : QItemSelection();
    if (selection.isEmpty()) {
        const QPoint cell = currentCell();
        return {cell.x(), cell.y(), cell.x(), cell.y()};
    }
    mlc::WallRect rect{selection.first().left() + 1, selection.first().top() + 1,
                       selection.first().right() + 1, selection.first().bottom() + 1};
    for (const QItemSelectionRange& range : selection) {
        rect.Left = std::min(rect.Left, range.left() + 1);
        rect.Top = std::min(rect.Top, range.top() + 1);
        rect.Right = std::max(rect.Right, range.right() + 1);
        rect.Bottom = std::max(rect.Bottom, range.bottom() + 1);
    }
    return rect;
}

void WallGridView::setSelectionRect(const mlc::WallRect& rect) {
    if (!selectionModel() || model_->rowCount() == 0 || model_->columnCount() == 0)
        return;
    const QModelIndex topLeft = model_->index(rect.Top - 1, rect.Left - 1);
    const QModelIndex bottomRight = model_->index(rect.Bottom - 1, rect.Right - 1);
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

bool WallGridView::singleCellSelected() const {
    const mlc::WallRect r = selectionRect();
    return r.Left == r.Right && r.Top == r.Bottom;
}

QPoint WallGridView::currentCell() const {
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return {1, 1};
    return {index.column() + 1, index.row() + 1};
}

void WallGridView::setCurrentCell(int column, int row) {
    const QModelIndex index = model_->index(row - 1, column - 1);
    if (index.isValid() && selectionModel())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void WallGridView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    emit mouseTouched();
}

void WallGridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    emit mouseTouched();
}

void WallGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FitGrid();
}

bool WallGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QPainter painter(corner_);
        FixedHeader::paintFixedSection(painter, corner_->rect(), QString(), palette());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace mlgui
