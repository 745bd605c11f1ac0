// The main window TMainFRM: the wall grid, the action list with its menus and
// tool bars, the status bar and the sequencer panel's place. It owns the core
// object (ControlCenter) with the wall, the lists, the settings and the sequencer,
// runs program start when created, the configuration when shown, the close query
// when asked to close, and program end when destroyed.
//
// Each area (files, grid, wall editing, sequencer, monitor, remote, setup, undo
// history, serial traffic) is wired by its controller in its own folder, which the
// window creates with the typed actions and a context of what the area uses. The
// window keeps its own share: the caption and status bar, the message log, About,
// and what a running device exchange locks.
#pragma once

#include "app/control_center.h"
#include "app/core_device_services.h"
#include "common/operator_relay.h"
#include "grid/demo_picture.h"
#include "main/main_actions.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QSpinBox;
class QToolButton;

namespace mlgui {

class FileController;
class FileDialogs;
class GridController;
class HistoryController;
class MessageLog;
class MonitorController;
class QtOperator;
class RemoteApiController;
class RemoteController;
class SequencerController;
class SetupController;
class TMessageLogFRM;
class TrafficController;
class WallActionController;
class WallGridView;

struct MainFormSetup {
    std::string programDir;                   // settings and automatic files, with a trailing '/'
    std::string programName = "mlcenter";     // the settings file is programName + ".INI"
    mlc::Operator* op = nullptr;              // null: the window's own message boxes
    FileDialogs* fileDialogs = nullptr;       // null: the toolkit's file dialogs
    std::function<double()> timeOfDay;        // null: the local clock
    std::function<double()> monotonicSeconds; // null: the system's monotonic clock
};

class TMainFRM : public QMainWindow, private mlc::UserInterface {
    Q_OBJECT
public:
    explicit TMainFRM(MainFormSetup setup, QWidget* parent = nullptr);
    // Program end: automatic files, settings, defaults; the port closes, the driver goes.
    ~TMainFRM() override;

    // A match list failed to load: the program ends once start-up is over.
    bool shouldTerminate() const { return center_->shouldTerminate(); }

    // The core: the wall, the lists, the settings, the sequencer, the files.
    mlc::ControlCenter& center() { return *center_; }
    // The driver binding, the synchronisation and the router.
    mlc::CoreDeviceServices& devices() { return *devices_; }
    // Messages, questions and the progress window (the window's relay to the operator).
    mlc::Operator& op() { return relay_; }
    MainActions& actions() { return actions_; }
    // The caption, the status bar, the grid and every area's widgets show the core's
    // state again (the core's UpdateCaption, which calls refresh()).
    void UpdateCaption() { center_->UpdateCaption(); }
    // The program is asked to end from outside (see app/end_requests.h): closing
    // asks no question from now on.
    void endWithoutQuestions() { endWithoutQuestions_ = true; }
    // Writes the automatic files and the settings now, as program end will again.
    void saveProgramState() { center_->saveProgramState(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // mlc::UserInterface
    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest& request) override;
    bool editItemDetails(mlc::ItemDetails& details) override;
    void refresh() override;
    void configurationApplied() override;

    void buildWindow();
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    void createAreas();
    void afterStart();
    void progressShownChanged(bool shown);
    void reported(mlc::MessageKind kind, const std::string& text);
    void showMessageLog();
    void showAbout();

    MainFormSetup setup_;
    std::unique_ptr<QtOperator> ownOperator_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    OperatorRelay relay_;
    FileDialogs* fileDialogs_ = nullptr;
    std::unique_ptr<mlc::CoreDeviceServices> devices_;
    std::unique_ptr<mlc::ControlCenter> center_;
    DemoPictures pictures_;

    MainActions actions_;
    WallGridView* grid_ = nullptr;
    QWidget* leftPanel_ = nullptr;
    QMenu* videowallPopup_ = nullptr;
    QMenu* sequencerPopup_ = nullptr;
    QSpinBox* memoryTool_ = nullptr;
    QToolButton* specialFunctionsTool_ = nullptr;
    QLabel* syncPanel_ = nullptr;
    QLabel* linkPanel_ = nullptr;
    QToolButton* messagesPanel_ = nullptr;
    QLabel* reportLabel_ = nullptr;
    MessageLog* messageLog_ = nullptr;
    TMessageLogFRM* messageLogForm_ = nullptr;

    // The areas, each wired by its controller; they go before the widgets and the core.
    std::unique_ptr<FileController> files_;
    std::unique_ptr<WallActionController> wallEditing_;
    std::unique_ptr<GridController> gridArea_;
    std::unique_ptr<SequencerController> sequencerArea_;
    std::unique_ptr<MonitorController> monitors_;
    std::unique_ptr<RemoteController> remote_;
    std::unique_ptr<SetupController> setupArea_;
    std::unique_ptr<HistoryController> history_;
    std::unique_ptr<TrafficController> traffic_;
    std::unique_ptr<RemoteApiController> remoteApi_;

    bool shownOnce_ = false;
    bool ended_ = false;
    bool closeWhenIdle_ = false;
    bool endWithoutQuestions_ = false;
    bool wizardWhenIdle_ = false;
    std::vector<std::pair<QAction*, bool>> lockedWhileBusy_;
};

} // namespace mlgui
