#include "main/main_form.h"

#include "app/time_of_day.h"
#include "common/dialog_parts.h"
#include "common/file_dialogs.h"
#include "common/message_log.h"
#include "common/message_log_form.h"
#include "common/qt_operator.h"
#include "dialogs/about_form.h"
#include "files/file_controller.h"
#include "grid/grid_controller.h"
#include "grid/wall_grid_view.h"
#include "history/history_controller.h"
#include "monitor/monitor_controller.h"
#include "remote/remote_controller.h"
#include "remote_api/remote_api_controller.h"
#include "resources/resources.h"
#include "sequencer/item_details_dialog.h"
#include "sequencer/sequencer_controller.h"
#include "setup/setup_controller.h"
#include "traffic/traffic_controller.h"
#include "wall/wall_action_controller.h"

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
    createAreas();
    // Unattended, a serial port that would not open is tried again until it does.
    auto* portTimer = new QTimer(this);
    portTimer->setObjectName(QStringLiteral("PortTMR"));
    connect(portTimer, &QTimer::timeout, this, [this] { center_->keepPortOpen(); });
    portTimer->start(1000);

    center_->start();
    afterStart();
}

TMainFRM::~TMainFRM() {
    if (!ended_) {
        ended_ = true;
        center_->end();
    }
    // The areas and the windows go before the core they refer to.
    remoteApi_.reset(); // no request from the network reaches the core from now on
    gridArea_.reset();  // first: refresh() ends here from now on
    traffic_.reset();
    history_.reset();
    setupArea_.reset();
    remote_.reset();
    monitors_.reset();
    sequencerArea_.reset();
    wallEditing_.reset();
    files_.reset();
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

void TMainFRM::createAreas() {
    const MainActions& a = actions_;
    mlc::ControlCenter& center = *center_;
    mlc::CoreDeviceServices& devices = *devices_;
    WallGridView& grid = *grid_;
    files_ = std::make_unique<FileController>(a, FileContext{center, *this});
    wallEditing_ = std::make_unique<WallActionController>(
        a, WallActionContext{center.wall(), center.history(), center.settings(), devices.binding(), relay_,
                             mlc::WallActionHooks{[&devices] { return devices.writeWall(); },
                                                  [&devices] { return devices.sync().ResyncVideowall(); },
                                                  [&center] { center.videowallSaveAction(); },
                                                  [&center] { center.UpdateCaption(); },
                                                  [&devices] { return devices.configureRouter(); }},
                             [&grid] { return grid.selectionRect(); }, *memoryTool_, *this});
    gridArea_ = std::make_unique<GridController>(a, GridContext{grid, center, wallEditing_->wallActions(),
                                                                devices.binding().Exchanges(), relay_,
                                                                *videowallPopup_, *this});
    sequencerArea_ = std::make_unique<SequencerController>(
        a, SequencerContext{center.sequencer(), [&center] { return center.clocks(); }, *leftPanel_,
                            *sequencerPopup_});
    monitors_ = std::make_unique<MonitorController>(
        a, MonitorContext{center, mlc::DeviceAccess{devices.sync(), devices.router(), relay_},
                          devices.binding().Exchanges(), grid, pictures_, *this});
    remote_ = std::make_unique<RemoteController>(
        a, RemoteContext{center, devices.binding(), relay_, specialFunctionsTool_, *this});
    setupArea_ = std::make_unique<SetupController>(
        a, SetupContext{center, devices, relay_, *this, grid, setup_.programName, *this});
    history_ = std::make_unique<HistoryController>(a, HistoryContext{center});
    traffic_ = std::make_unique<TrafficController>(
        a, TrafficContext{center, devices.binding(), relay_, *this, grid, *this});
    remoteApi_ = std::make_unique<RemoteApiController>(
        a, RemoteApiContext{center, devices, relay_, *messageLog_, *this});
    connect(a.AboutACTN, &QAction::triggered, this, &TMainFRM::showAbout);
    connect(a.MessageLogACTN, &QAction::triggered, this, &TMainFRM::showMessageLog);
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

    auto* right = new QWidget(client);
    right->setObjectName(QStringLiteral("RightPNL"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    grid_ = new WallGridView(center_->wall(), center_->settings(), pictures_, right);
    rightLayout->addWidget(grid_);

    layout->addWidget(left);
    layout->addWidget(right, 1);
    setCentralWidget(client);

    buildMenus();
    buildToolBars();
    buildStatusBar();

    const auto showUnread = [this] {
        const QString unread = QString::number(messageLog_->unread());
        messagesPanel_->setText(unread);
        // A button is read by its name: the count goes with it.
        messagesPanel_->setAccessibleName(QStringLiteral("Message log, %1 unread").arg(unread));
        if (messageLog_->entries().empty())
            reportLabel_->clear();
    };
    connect(messageLog_, &MessageLog::changed, this, showUnread);
    showUnread();

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
    gridArea_->showAsConfigured();
    sequencerArea_->showAsConfigured();
    sequencerArea_->refresh();
}

// ---- Redraws -------------------------------------------------------------------

void TMainFRM::refresh() {
    if (!gridArea_)
        return; // the window is going
    const mlc::CaptionTexts& texts = center_->caption();
    if (!texts.Caption.empty())
        setWindowTitle(qt(texts.Caption));
    syncPanel_->setText(qt(texts.SyncStatus));
    linkPanel_->setText(qt(texts.LinkStatus));
    grid_->repaintCells();
    gridArea_->refresh();
    sequencerArea_->refresh();
}

void TMainFRM::configurationApplied() {
    const std::vector<std::string> unreadable =
        pictures_.load(center_->settings().DemoImageFiles, center_->lists().InputSources.Ids.size());
    for (const std::string& file : unreadable)
        relay_.report(mlc::MessageKind::Warning,
                      "The demo picture " + file +
                          " could not be read; the generated picture is shown instead.");
    grid_->resetSize();
    sequencerArea_->showAsConfigured();
    gridArea_->showAsConfigured();
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
    if (!endWithoutQuestions_ && !center_->closeQuery()) {
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

void TMainFRM::showAbout() {
    TAboutFRM about(this);
    about.exec();
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
    return TItemDetailsFRM::edit(details, this);
}

} // namespace mlgui
