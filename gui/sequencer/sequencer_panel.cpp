#include "sequencer/sequencer_panel.h"

#include "common/dialog_parts.h"
#include "sequencer/timeline_model.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace mlgui {

namespace {

QLabel* counter(const char* name, QWidget* parent) {
    auto* label = new QLabel("00:00:00", parent);
    label->setObjectName(name);
    return label;
}

} // namespace

SequencerPanel::SequencerPanel(mlc::Sequencer& sequencer, std::function<mlc::ClockReading()> clock,
                               QWidget* parent)
    : QWidget(parent), sequencer_(sequencer), clock_(std::move(clock)) {
    setObjectName("SequencerPanel");
    setMaximumWidth(316);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("SequencerBAR");
    toolBar_->setIconSize(QSize(16, 16));

    model_ = new TimelineModel(sequencer_, this);
    timeline_ = new QListView(this);
    timeline_->setObjectName("TimeLine");
    timeline_->setAccessibleName("Sequence timeline");
    timeline_->setModel(model_);
    timeline_->setItemDelegate(new TimelineDelegate(timeline_));
    timeline_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    timeline_->setUniformItemSizes(true);
    timeline_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    timeline_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* countLabel = new QLabel("Items in the sequence:", this);
    itemsCount_ = new QLabel("0", this);
    itemsCount_->setObjectName("ItemsCount");
    countLabel->setBuddy(itemsCount_);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(itemsCount_);
    countRow->addStretch();

    auto* counters = new QGroupBox(" Time stamp counters ", this);
    counters->setObjectName("TimeStampBOX");
    midnight_ = counter("MidnightTME", counters);
    start_ = counter("StartTME", counters);
    last_ = counter("LastTME", counters);
    auto* grid = new QGridLayout(counters);
    int row = 0;
    for (auto [text, label] :
         {std::pair{"From midnight:", midnight_}, {"From start:", start_}, {"From last event:", last_}}) {
        grid->addWidget(new QLabel(text, counters), row, 0);
        grid->addWidget(label, row++, 1);
    }
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(toolBar_);
    layout->addWidget(timeline_, 1);
    layout->addLayout(countRow);
    layout->addWidget(counters);

    timer_ = new QTimer(this);
    timer_->setObjectName("SequenceTMR");
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &SequencerPanel::tick);

    connect(timeline_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SequencerPanel::selectionToCore);
    connect(timeline_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &SequencerPanel::selectionToCore);
    connect(timeline_, &QListView::doubleClicked, this, &SequencerPanel::lineActivated);
    connect(timeline_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (popup_)
            popup_->popup(timeline_->viewport()->mapToGlobal(at));
    });
    refresh();
}

SequencerPanel::~SequencerPanel() = default;

void SequencerPanel::selectionToCore() {
    if (mirroring_)
        return;
    const QItemSelectionModel* selection = timeline_->selectionModel();
    for (int row = 0; row < model_->rowCount(); ++row)
        sequencer_.setSelected(row, selection->isRowSelected(row, {}));
    sequencer_.setCurrentLine(selection->currentIndex().isValid() ? selection->currentIndex().row() : -1);
    sequencer_.UpdateSequencerActions();
    emit changed();
}

void SequencerPanel::selectionFromCore() {
    QItemSelection selected;
    const auto& lines = sequencer_.lines();
    for (int row = 0; row < static_cast<int>(lines.size()); ++row)
        if (lines[static_cast<std::size_t>(row)].selected)
            selected.select(model_->index(row), model_->index(row));
    QItemSelectionModel* selection = timeline_->selectionModel();
    if (selection->selection() != selected)
        selection->select(selected, QItemSelectionModel::ClearAndSelect);
    const QModelIndex current =
        sequencer_.currentLine() >= 0 ? model_->index(sequencer_.currentLine()) : QModelIndex();
    if (selection->currentIndex() != current)
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void SequencerPanel::refresh() {
    {
        LoadingScope mirroring(mirroring_);
        model_->sync();
        selectionFromCore();
    }
    itemsCount_->setText(qt(sequencer_.itemsCountText()));
    midnight_->setText(qt(sequencer_.midnightCounter()));
    start_->setText(qt(sequencer_.startCounter()));
    last_->setText(qt(sequencer_.lastEventCounter()));
    if (sequencer_.timerEnabled() != timer_->isActive()) {
        if (sequencer_.timerEnabled())
            timer_->start();
        else
            timer_->stop();
    }
    timeline_->viewport()->update();
    emit changed();
}

void SequencerPanel::tick() {
    sequencer_.tick(clock_());
    refresh();
}

} // namespace mlgui
