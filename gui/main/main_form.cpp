#include "main/main_form.h"

#include "app/time_of_day.h"
#include "common/file_dialogs.h"
#include "common/message_log.h"
#include "common/message_log_form.h"
#include "common/qt_operator.h"
#include "grid/wall_grid_view.h"
#include "resources/resources.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace mlgui {

namespace {

constexpr int kSequencerPanelWidth = 316;

} // namespace

TMainFRM::TMainFRM(MainFormSetup setup, QWidget* parent) : QMainWindow(parent), setup_(std::move(setup)) {
    initResources();
    setObjectName(QStringLiteral("MainFRM"));
    setWindowTitle(QString::fromLatin1(mlc::kProgramTitle));
    setMinimumSize(640, 480);

    mlc::Operator* target = setup_.op;
    if (!target) {
        ownOperator_ = std::make_unique<QtOperator>();
        ownOperator_->setWindow(this);
        target = ownOperator_.get();
    }
    relay_.setTarget(*target);
    relay_.onProgressShown = [this](bool shown) { progressShownChanged(shown); };
    relay_.onReport = [this](mlc::MessageKind kind, const std::string& text) { reported(kind, text); };
    fileDialogs_ = setup_.fileDialogs;
    if (!fileDialogs_) {
        ownFileDialogs_ = std::make_unique<QtFileDialogs>();
        fileDialogs_ = ownFileDialogs_.get();
    }
    messageLog_ = new MessageLog(this);

    devices_ = std::make_unique<mlc::CoreDeviceServices>(relay_);
    center_ = std::make_unique<mlc::ControlCenter>(
        relay_, static_cast<mlc::UserInterface&>(*this), *devices_,
        mlc::ControlCenterSetup{setup_.programDir, setup_.programName,
                                setup_.timeOfDay ? setup_.timeOfDay
                                                 : std::function<double()>(mlc::LocalTimeOfDay),
                                setup_.monotonicSeconds ? setup_.monotonicSeconds
                                                        : std::function<double()>(mlc::MonotonicSeconds)});
    devices_->attach(center_->wall(), center_->lists(), center_->settings());

    actions_ = createMainActions(this);
    buildWindow();
    connectFileActions();
    connectGridActions();
    connectWallActions();
    connectSequencerActions();
    connectMonitorActions();
    connectRemoteActions();
    connectSetupActions();

    center_->start();
    afterStart();
}

TMainFRM::~TMainFRM() {
    if (!ended_) {
        ended_ = true;
        center_->end();
    }
    // The windows of every area go before the core they refer to.
    refreshHooks_.clear();
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    grid_ = nullptr;
    qDeleteAll(children);
}

void TMainFRM::buildWindow() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientPNL"));
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* left = new QFrame(client);
    left->setObjectName(QStringLiteral("LeftPNL"));
    left->setAccessibleName(QStringLiteral("Sequencer"));
    left->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    left->setMaximumWidth(kSequencerPanelWidth);
    left->setMinimumWidth(kSequencerPanelWidth);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftPanel_ = left;

    rightPanel_ = new QWidget(client);
    rightPanel_->setObjectName(QStringLiteral("RightPNL"));
    auto* rightLayout = new QVBoxLayout(rightPanel_);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    grid_ = new WallGridView(center_->wall(), center_->settings(), pictures_, rightPanel_);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    rightLayout->addWidget(grid_);

    layout->addWidget(left);
    layout->addWidget(rightPanel_, 1);
    setCentralWidget(client);

    buildMenus();
    buildToolBars();
    buildStatusBar();

    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { videowallPopup_->popup(grid_->viewport()->mapToGlobal(at)); });
    connect(actions_.MessageLogACTN, &QAction::triggered, this, &TMainFRM::showMessageLog);
    connect(messageLog_, &MessageLog::changed, this, [this] {
        messagesPanel_->setText(QString::number(messageLog_->unread()));
        if (messageLog_->entries().empty())
            reportLabel_->clear();
    });

    // Centred on the screen, as large as is comfortable.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(std::min(1100, available.width()), std::min(760, available.height()));
        QRect frame(QPoint(), size());
        frame.moveCenter(available.center());
        move(frame.topLeft());
    }
}

void TMainFRM::afterStart() {
    grid_->resetSize();
    const mlc::WallModel& model = center_->wall();
    // A wall enlarged automatically at start is selected whole; otherwise the first cell.
    if (center_->wallRestored())
        grid_->setSelectionRect({1, 1, 1, 1});
    else
        grid_->setSelectionRect({1, 1, std::max(model.WallColumns, 1), std::max(model.WallRows, 1)});
    grid_->setCurrentCell(1, 1);
    const mlc::ProgramSettings& s = center_->settings();
    actions_.ShowGridACTN->setChecked(s.DisplayGrid);
    actions_.ShowDeviceIdACTN->setChecked(s.ShowDeviceId);
    actions_.ShowSequencerACTN->setChecked(center_->sequencer().visible());
    actions_.LoopSequenceACTN->setChecked(center_->sequencer().loop());
    leftPanel_->setVisible(center_->sequencer().visible());
}

// ---- Redraws -------------------------------------------------------------------

void TMainFRM::repaintGrid() {
    if (grid_)
        grid_->repaintCells();
}

void TMainFRM::FitGrid() {
    if (grid_)
        grid_->FitGrid();
}

void TMainFRM::refreshCaption() {
    const mlc::CaptionTexts& texts = center_->caption();
    if (!texts.Caption.empty())
        setWindowTitle(QString::fromStdString(texts.Caption));
    syncPanel_->setText(QString::fromStdString(texts.SyncStatus));
    linkPanel_->setText(QString::fromStdString(texts.LinkStatus));
    actions_.ChangeMonitorIdACTN->setEnabled(grid_->singleCellSelected());
}

void TMainFRM::refresh() {
    if (!grid_)
        return; // the window is going
    refreshCaption();
    grid_->repaintCells();
    for (const auto& hook : refreshHooks_)
        hook();
}

void TMainFRM::configurationApplied() {
    const std::vector<std::string> unreadable =
        pictures_.load(center_->settings().DemoImageFiles, center_->lists().InputSources.Ids.size());
    for (const std::string& file : unreadable)
        relay_.report(mlc::MessageKind::Warning,
                      "The demo picture " + file +
                          " could not be read; the generated picture is shown instead.");
    grid_->resetSize();
    leftPanel_->setVisible(center_->sequencer().visible());
    actions_.ShowSequencerACTN->setChecked(center_->sequencer().visible());
    actions_.ShowGridACTN->setChecked(center_->settings().DisplayGrid);
    actions_.ShowDeviceIdACTN->setChecked(center_->settings().ShowDeviceId);
}

// ---- The grid ------------------------------------------------------------------

mlc::WallRect TMainFRM::selection() const {
    return grid_->selectionRect();
}

void TMainFRM::setSelection(const mlc::WallRect& rect) {
    grid_->setSelectionRect(rect);
}

bool TMainFRM::singleCellSelected() const {
    return grid_->singleCellSelected();
}

QPoint TMainFRM::currentCell() const {
    return grid_->currentCell();
}

void TMainFRM::setCurrentCell(int column, int row) {
    grid_->setCurrentCell(column, row);
}

QImage TMainFRM::demoPicture(int input) const {
    return pictures_.picture(input);
}

std::function<QImage(int)> TMainFRM::pictureProvider() const {
    return [this](int input) { return pictures_.picture(input); };
}

// ---- Window events -------------------------------------------------------------

void TMainFRM::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    center_->shown();
}

void TMainFRM::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || center_->firstActivationDone())
        return;
    center_->setFirstActivationDone();
    if (center_->settings().RunWizardAtStartup)
        QTimer::singleShot(0, this, [this] {
            // New is locked while a device exchange runs (an auto-started item):
            // the wizard then opens once it has finished instead of never.
            if (actions_.NewACTN->isEnabled())
                actions_.NewACTN->trigger();
            else
                wizardWhenIdle_ = true;
        });
}

void TMainFRM::closeEvent(QCloseEvent* event) {
    // A device exchange lets window messages through: the window waits for it to end.
    if (relay_.progressShown() || devices_->busy()) {
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    if (!center_->closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TMainFRM::progressShownChanged(bool shown) {
    MainActions& a = actions_;
    if (shown) {
        for (QAction* action : {a.PreferencesACTN, a.NewACTN, a.LoadACTN, a.QuitACTN}) {
            lockedWhileBusy_.emplace_back(action, action->isEnabled());
            action->setEnabled(false);
        }
        return;
    }
    for (const auto& [action, enabled] : lockedWhileBusy_)
        action->setEnabled(enabled);
    lockedWhileBusy_.clear();
    if (wizardWhenIdle_) {
        wizardWhenIdle_ = false;
        QTimer::singleShot(0, actions_.NewACTN, &QAction::trigger);
    }
    if (closeWhenIdle_) {
        closeWhenIdle_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TMainFRM::reported(mlc::MessageKind kind, const std::string& text) {
    const QString line = boxText(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    messageLog_->add(kind, boxText(text));
    reportLabel_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + line);
    reportLabel_->setToolTip(boxText(text));
}

void TMainFRM::showMessageLog() {
    if (!messageLogForm_)
        messageLogForm_ = new TMessageLogFRM(*messageLog_, this);
    messageLogForm_->show();
    messageLogForm_->raise();
    messageLogForm_->activateWindow();
    messageLog_->markRead();
}

// ---- Dialogs the core asks for -------------------------------------------------

std::optional<std::string> TMainFRM::chooseFileToOpen(const mlc::FileDialogRequest& request) {
    return fileDialogs_->chooseFileToOpen(request, this);
}

std::optional<std::string> TMainFRM::chooseFileToSave(const mlc::FileDialogRequest& request) {
    return fileDialogs_->chooseFileToSave(request, this);
}

bool TMainFRM::editItemDetails(mlc::ItemDetails& details) {
    return runItemDetailsDialog(details);
}

} // namespace mlgui
