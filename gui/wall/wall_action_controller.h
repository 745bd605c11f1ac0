// The wall editing actions (copy, paste, paste special, copy from videowall,
// resynchronise, the memory actions and quick recalls, automatic enlargement,
// global panning) over the core's WallActions, which the grid's moves and the
// numbering use too.
#pragma once

#include "app/wall_actions.h"
#include "binding/driver_binding.h"
#include "files/settings_file.h"
#include "main/main_actions.h"
#include "operator.h"
#include "wall/wall_model.h"

#include <QObject>

#include <functional>
#include <memory>

class QSpinBox;

namespace mlgui {

struct WallActionContext {
    mlc::WallModel& model;
    mlc::WallHistory& history;
    mlc::ProgramSettings& settings; // the paste-special choice
    mlc::DriverBinding& binding;
    mlc::Operator& op;
    mlc::WallActionHooks hooks;               // updateCaption also redraws after a panning step
    std::function<mlc::WallRect()> selection; // the grid's selection
    QSpinBox& memoryBox;                      // MemoryTOOL: the memory number
    QWidget& window;                          // the dialogs' parent
};

class WallActionController : public QObject {
    Q_OBJECT
public:
    WallActionController(const MainActions& actions, WallActionContext context);
    ~WallActionController() override;

    mlc::WallActions& wallActions() { return *wallActions_; }

private:
    void copy();
    void pasteSpecial();
    void quickRecall(int memory);
    void globalPanning();
    void updatePasteActions();

    const MainActions& actions_;
    WallActionContext context_;
    std::unique_ptr<mlc::ChainCommands> chain_;
    std::unique_ptr<mlc::WallActions> wallActions_;
};

} // namespace mlgui
