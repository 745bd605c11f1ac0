// Wall editing: clipboard, paste special, device memory and quick recall,
// resynchronisation, automatic enlargement and global panning, through the
// wall action controller (gui/wall/) over the core's WallActions.
#include "main/main_form.h"

#include "wall/wall_action_controller.h"

namespace mlgui {

void TMainFRM::connectWallActions() {
    mlc::WallActionHooks hooks{
        [this] { return devices_->writeWall(); },       [this] { return devices_->sync().ResyncVideowall(); },
        [this] { center_->videowallSaveAction(); },     [this] { UpdateCaption(); },
        [this] { return devices_->configureRouter(); },
    };
    new WallActionController(WallActionContext{center_->wall(), center_->settings(), devices_->binding(),
                                               relay_, std::move(hooks), [this] { return selection(); },
                                               // The grid, and the status bar after the step's write.
                                               [this] { UpdateCaption(); }},
                             this);
}

} // namespace mlgui
