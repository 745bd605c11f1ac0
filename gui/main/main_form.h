// The main window TMainFRM: the wall grid, the action list with its menus and
// tool bars, the status bar and the sequencer panel's place. It owns the core
// object (ControlCenter) with the wall, the lists, the settings and the sequencer,
// runs program start when created, the configuration when shown, the close query
// when asked to close, and program end when destroyed.
//
// Each area wires its actions in a file of its own (main_window_<area>.cpp): files
// and grid here, the wall editing, sequencer, monitor, remote and setup actions in
// theirs. Those reach the core and the grid through the accessors below.
#pragma once

#include "app/control_center.h"
#include "app/core_device_services.h"
#include "common/operator_relay.h"
#include "grid/demo_picture.h"
#include "main/main_actions.h"
#include "wall/enlargement.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMenu;
class QSpinBox;
class QToolButton;

namespace mlgui {

class FileDialogs;
class MessageLog;
class QtOperator;
class TMessageLogFRM;
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

    // The core.
    mlc::ControlCenter& center() { return *center_; }
    mlc::WallModel& wall() { return center_->wall(); }
    mlc::ProgramSettings& settings() { return center_->settings(); }
    const mlc::MatchLists& lists() { return center_->lists(); }
    mlc::Sequencer& sequencer() { return center_->sequencer(); }
    mlc::CoreDeviceServices& devices() { return *devices_; }
    mlc::DriverBinding& binding() { return devices_->binding(); }
    mlc::DeviceSync& sync() { return devices_->sync(); }
    // Messages, questions and the progress window (the window's relay to the operator).
    mlc::Operator& op() { return relay_; }
    // The window's own operator; null when one was given in the setup.
    QtOperator* qtOperator() { return ownOperator_.get(); }
    MessageLog& messageLog() { return *messageLog_; }

    // The grid.
    WallGridView& grid() { return *grid_; }
    mlc::WallRect selection() const;
    void setSelection(const mlc::WallRect& rect);
    bool singleCellSelected() const;
    QPoint currentCell() const; // (column, row), 1-based
    void setCurrentCell(int column, int row);
    // The demo picture of an input source, as the grid shows it.
    QImage demoPicture(int input) const;
    std::function<QImage(int)> pictureProvider() const;

    // Redraws: the cells; the caption and status bar (the core's UpdateCaption);
    // both and every area's refresh hook.
    void repaintGrid();
    void UpdateCaption() { center_->UpdateCaption(); }
    void refreshView() { refresh(); }
    // Runs after every refresh (caption or model changed): areas update their widgets.
    void addRefreshHook(std::function<void()> hook) { refreshHooks_.push_back(std::move(hook)); }
    // The configuration step with the window's share (pictures, grid, panel).
    void ApplyConfiguration() { center_->ApplyConfiguration(); }
    void FitGrid();

    // Places of the window.
    MainActions& actions() { return actions_; }
    QWidget* sequencerArea() { return leftPanel_; } // LeftPNL, 316 pixels wide at most
    QMenu* videowallPopup() { return videowallPopup_; }
    QMenu* sequencerPopup() { return sequencerPopup_; }
    QSpinBox* memoryTool() { return memoryTool_; }
    // The tool button that shows an action in a tool bar (null when there is none).
    QToolButton* toolButton(QAction* action) const;

    // A device exchange's progress window is up.
    bool progressShown() const { return relay_.progressShown(); }

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
    void afterStart();
    void refreshCaption();
    void progressShownChanged(bool shown);
    void reported(mlc::MessageKind kind, const std::string& text);
    void showMessageLog();

    // Wiring by area, one file each.
    void connectFileActions();      // main_window_files.cpp
    void connectGridActions();      // main_window_grid.cpp
    void connectWallActions();      // main_window_wall.cpp: clipboard, memory, resync, autoset, panning
    void connectSequencerActions(); // main_window_sequencer.cpp
    void connectMonitorActions();   // main_window_monitor.cpp
    void connectRemoteActions();    // main_window_remote.cpp
    void connectSetupActions();     // main_window_setup.cpp
    // The item details dialog (sequencer area); false when cancelled.
    bool runItemDetailsDialog(mlc::ItemDetails& details);
    // Grid events (main_window_grid.cpp).
    void columnMoved(int from, int to);
    void rowMoved(int from, int to);
    void changeMonitorId();

    MainFormSetup setup_;
    std::unique_ptr<QtOperator> ownOperator_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    OperatorRelay relay_;
    FileDialogs* fileDialogs_ = nullptr;
    std::unique_ptr<mlc::CoreDeviceServices> devices_;
    std::unique_ptr<mlc::ControlCenter> center_;
    DemoPictures pictures_;
    std::vector<std::function<void()>> refreshHooks_;

    MainActions actions_;
    WallGridView* grid_ = nullptr;
    QWidget* leftPanel_ = nullptr;
    QWidget* rightPanel_ = nullptr;
    QMenu* videowallPopup_ = nullptr;
    QMenu* sequencerPopup_ = nullptr;
    QSpinBox* memoryTool_ = nullptr;
    QLabel* syncPanel_ = nullptr;
    QLabel* linkPanel_ = nullptr;
    QToolButton* messagesPanel_ = nullptr;
    QLabel* reportLabel_ = nullptr;
    MessageLog* messageLog_ = nullptr;
    TMessageLogFRM* messageLogForm_ = nullptr;

    bool shownOnce_ = false;
    bool ended_ = false;
    bool closeWhenIdle_ = false;
    bool wizardWhenIdle_ = false;
    std::vector<std::pair<QAction*, bool>> lockedWhileBusy_;
};

} // namespace mlgui
