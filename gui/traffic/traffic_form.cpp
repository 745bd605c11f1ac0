#include "traffic/traffic_form.h"

#include "common/dialog_parts.h"
#include "traffic/packet_delegate.h"
#include "traffic/traffic_models.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace mlgui {

namespace {

// Twice a second is often enough to watch the packets pass; each catching up
// repaints the visible rows, which costs more than recording thousands of packets.
constexpr int kFollowMilliseconds = 500;

// Widths in average characters, so that names and results fit as they usually are.
QTableView* makeTable(const char* name, const char* accessibleName, QAbstractItemModel* model,
                      std::initializer_list<int> widths, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(QString::fromLatin1(accessibleName));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setStretchLastSection(true);
    int column = 0;
    for (const int width : widths)
        view->setColumnWidth(column++, width * view->fontMetrics().averageCharWidth() + 12);
    return view;
}

QPushButton* makeButton(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TTrafficFRM::TTrafficFRM(TrafficFormContext context, QWidget* parent)
    : QDialog(parent), context_(context), lines_(new TrafficLinesModel(context_.record, this)),
      units_(new UnitHealthModel(context_.record, context_.wall, this)), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TrafficFRM"));
    setWindowTitle(dialogCaption("Serial traffic"));
    setModal(false);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("TrafficSPL"));
    splitter->addWidget(buildPackets());
    splitter->addWidget(buildUnits());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("NoticeLBL"));
    notice_->hide();
    auto* close = makeButton("CloseBTN", "&Close", this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(notice_);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    resize(1040, 640);

    timer_->setInterval(kFollowMilliseconds);
    connect(timer_, &QTimer::timeout, this, &TTrafficFRM::follow);
    lines_->setFilter({});
}

TTrafficFRM::~TTrafficFRM() = default;

QWidget* TTrafficFRM::buildPackets() {
    auto* panel = new QWidget(this);
    unitFilter_ = new QSpinBox(panel);
    unitFilter_->setObjectName(QStringLiteral("UnitFilterSPN"));
    unitFilter_->setRange(-1, 255);
    unitFilter_->setSpecialValueText(QStringLiteral("All"));
    unitFilter_->setValue(-1);
    unitFilter_->setToolTip(QStringLiteral("The packets of one device ID only (0: those sent to all units)"));
    auto* unitLabel = new QLabel(QStringLiteral("&Device ID:"), panel);
    unitLabel->setBuddy(unitFilter_);
    unitFilter_->setAccessibleName(plainText("&Device ID:"));
    errorsOnly_ = new QCheckBox(QStringLiteral("&Errors only"), panel);
    errorsOnly_->setObjectName(QStringLiteral("ErrorsOnlyCHK"));
    pause_ = makeButton("PauseBTN", "&Pause", panel);
    pause_->setCheckable(true);
    pause_->setToolTip(
        QStringLiteral("List no more packets until pressed again; the units are still counted"));
    auto* clear = makeButton("ClearBTN", "C&lear", panel);
    auto* save = makeButton("SaveBTN", "&Save...", panel);
    save->setToolTip(QStringLiteral("Save the packets shown as the traffic log file holds them"));

    connect(unitFilter_, &QSpinBox::valueChanged, this, &TTrafficFRM::filterChanged);
    connect(errorsOnly_, &QCheckBox::toggled, this, &TTrafficFRM::filterChanged);
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) { context_.record.setPaused(paused); });
    connect(clear, &QPushButton::clicked, this, [this] {
        context_.record.clear();
        follow();
    });
    connect(save, &QPushButton::clicked, this, &TTrafficFRM::saveRequested);

    packetsView_ = makeTable("PacketsGRD", "Packets", lines_, {14, 9, 9, 16, 30, 17, 16}, panel);
    packetsView_->setItemDelegate(new PacketDelegate(packetsView_));
    auto* controls = new QHBoxLayout;
    controls->addWidget(unitLabel);
    controls->addWidget(unitFilter_);
    controls->addWidget(errorsOnly_);
    controls->addStretch(1);
    controls->addWidget(pause_);
    controls->addWidget(clear);
    controls->addWidget(save);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addWidget(packetsView_, 1);
    return panel;
}

QWidget* TTrafficFRM::buildUnits() {
    unitsView_ = makeTable("UnitsGRD", "Units", units_, {10, 10, 10, 10, 9, 10, 7, 36}, this);
    unitsView_->setToolTip(QStringLiteral("Double-click a unit to select its monitor"));
    connect(unitsView_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit unitActivated(units_->unitAt(index.row())); });
    return unitsView_;
}

const mlc::TrafficFilter& TTrafficFRM::filter() const {
    return lines_->filter();
}

void TTrafficFRM::filterChanged() {
    lines_->setFilter({unitFilter_->value(), errorsOnly_->isChecked()});
    packetsView_->scrollToBottom();
}

// New lines are followed while the view shows the newest; a view scrolled up
// stays where the operator put it.
void TTrafficFRM::follow() {
    const QScrollBar* bar = packetsView_->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    lines_->sync();
    units_->sync();
    if (atBottom)
        packetsView_->scrollToBottom();
}

// Minimising the main window hides this one too; only opening and closing it
// switch the tap.
void TTrafficFRM::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous() || tap_)
        return;
    tap_ = std::make_unique<mlc::TrafficTap>(context_.binding, context_.record);
    notice_->setVisible(!tap_->tapping());
    notice_->setText(QStringLiteral("The plug-in does not hand its traffic over: nothing can be shown."));
    timer_->start();
    follow();
}

void TTrafficFRM::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    tap_.reset();
    timer_->stop();
}

} // namespace mlgui
