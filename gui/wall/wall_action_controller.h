// Connects the main window's wall actions (copy, paste, paste special, copy from
// videowall, resynchronise, the memory actions and quick recalls, automatic
// enlargement, global panning) to the core's WallActions. The actions and the
// memory number box are the window's; the controller finds them by name.
#pragma once

#include "app/wall_actions.h"
#include "binding/driver_binding.h"
#include "files/settings_file.h"
#include "operator.h"
#include "wall/wall_model.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QSpinBox;
class QWidget;

namespace mlgui {

struct WallActionContext {
    mlc::WallModel& model;
    mlc::ProgramSettings& settings;
    mlc::DriverBinding& binding;
    mlc::Operator& op;
    mlc::WallActionHooks hooks;
    std::function<mlc::WallRect()> selection; // the grid's selection
    std::function<void()> repaint;            // the grid and status bar, after a panning step
};

class WallActionController : public QObject {
    Q_OBJECT
public:
    // `window` holds the actions and MemoryTOOL and parents the dialogs.
    WallActionController(WallActionContext context, QWidget* window);
    ~WallActionController() override;

    mlc::WallActions& actions() { return *actions_; }
    // The memory number MemoryTOOL shows (1 without the box).
    int memoryNumber() const;

    void copy();
    void paste();
    void pasteSpecial();
    void copyFromVideowall();
    void resync();
    void memoryStore();
    void memoryRecall();
    void quickRecall(int memory);
    void autosetEnlargement();
    void globalPanning();

private:
    QAction* action(const QString& name) const;
    void on(const QString& name, void (WallActionController::*slot)());
    void updatePasteActions();

    WallActionContext context_;
    QWidget* window_;
    std::unique_ptr<mlc::ChainCommands> chain_;
    std::unique_ptr<mlc::WallActions> actions_;
};

} // namespace mlgui
