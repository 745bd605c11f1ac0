#include "sequencer/sequencer_panel.h"

#include "sequencer/timeline_model.h"

#include <QAction>
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

// The Sequencer menu's entries in order; nullptr is a separator.
constexpr const char* kMenuOrder[] = {"NewItemACTN",     "AddItemACTN",  nullptr,           "RemoveItemACTN",
                                      "MoveUpACTN",      "MoveDownACTN", nullptr,           "PlayACTN",
                                      "ExecuteItemACTN", nullptr,        "LoopSequenceACTN"};

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
    popup_ = new QMenu(this);
    popup_->setObjectName("SequencerPOP");

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
    connect(timeline_, &QListView::doubleClicked, this, [this] {
        if (QAction* edit = action("EditItemDetailsACTN"))
            edit->trigger();
    });
    connect(timeline_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(timeline_->viewport()->mapToGlobal(at)); });
    refresh();
}

SequencerPanel::~SequencerPanel() = default;

QAction* SequencerPanel::action(const char* name) const {
    return actionOwner_ ? actionOwner_->findChild<QAction*>(name) : nullptr;
}

void SequencerPanel::run(const char* name, const std::function<void()>& body) {
    if (QAction* a = action(name))
        connect(a, &QAction::triggered, this, [this, body] {
            body();
            refresh();
        });
}

void SequencerPanel::attachActions(const QObject* owner) {
    actionOwner_ = owner;
    mlc::Sequencer& s = sequencer_;
    run("NewItemACTN", [&s] { s.newItem(); });
    run("AddItemACTN", [&s] { s.addItem(); });
    run("RemoveItemACTN", [&s] { s.removeItems(); });
    run("MoveUpACTN", [&s] { s.moveUp(); });
    run("MoveDownACTN", [&s] { s.moveDown(); });
    run("EditItemDetailsACTN", [&s] { s.editItemDetails(); });
    run("ExecuteItemACTN", [&s] { s.executeItem(); });
    run("PlayACTN", [this] { sequencer_.togglePlay(clock_()); });
    run("LoopSequenceACTN", [&s] { s.toggleLoop(); });
    for (const char* name : {"PlayACTN", "LoopSequenceACTN"})
        if (QAction* a = action(name))
            a->setCheckable(true);

    toolBar_->clear();
    // A menu the window gave is filled already (with its own entries for the actions).
    if (!popupGiven_)
        popup_->clear();
    for (const char* name : kMenuOrder) {
        QAction* a = name ? action(name) : nullptr;
        if (name && !a)
            continue;
        if (a)
            toolBar_->addAction(a);
        else
            toolBar_->addSeparator();
        if (popupGiven_)
            continue;
        if (a)
            popup_->addAction(a);
        else
            popup_->addSeparator();
    }
    refresh();
}

void SequencerPanel::setContextMenu(QMenu* menu) {
    if (!menu || menu == popup_)
        return;
    delete popup_;
    popup_ = menu;
    popupGiven_ = true;
}

void SequencerPanel::selectionToCore() {
    if (mirroring_)
        return;
    const QItemSelectionModel* selection = timeline_->selectionModel();
    for (int row = 0; row < model_->rowCount(); ++row)
        sequencer_.setSelected(row, selection->isRowSelected(row, {}));
    sequencer_.setCurrentLine(selection->currentIndex().isValid() ? selection->currentIndex().row() : -1);
    sequencer_.UpdateSequencerActions();
    updateActions();
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

void SequencerPanel::updateActions() {
    const mlc::SequencerActionStates& states = sequencer_.actionStates();
    const std::pair<const char*, bool> enabled[] = {{"RemoveItemACTN", states.remove},
                                                    {"MoveUpACTN", states.moveUp},
                                                    {"MoveDownACTN", states.moveDown},
                                                    {"ExecuteItemACTN", states.execute},
                                                    {"PlayACTN", states.play}};
    for (const auto& [name, on] : enabled)
        if (QAction* a = action(name))
            a->setEnabled(on);
    const std::pair<const char*, bool> checked[] = {{"PlayACTN", sequencer_.playing()},
                                                    {"LoopSequenceACTN", sequencer_.loop()}};
    for (const auto& [name, on] : checked)
        if (QAction* a = action(name))
            a->setChecked(on);
}

void SequencerPanel::refresh() {
    mirroring_ = true;
    model_->sync();
    selectionFromCore();
    mirroring_ = false;
    itemsCount_->setText(QString::fromStdString(sequencer_.itemsCountText()));
    midnight_->setText(QString::fromStdString(sequencer_.midnightCounter()));
    start_->setText(QString::fromStdString(sequencer_.startCounter()));
    last_->setText(QString::fromStdString(sequencer_.lastEventCounter()));
    updateActions();
    if (sequencer_.timerEnabled() != timer_->isActive()) {
        if (sequencer_.timerEnabled())
            timer_->start();
        else
            timer_->stop();
    }
    timeline_->viewport()->update();
}

void SequencerPanel::tick() {
    sequencer_.tick(clock_());
    refresh();
}

} // namespace mlgui
