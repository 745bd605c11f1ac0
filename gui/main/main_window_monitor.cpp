// Editing monitors: the monitor settings dialog for one selected cell, the quick
// menu for a block (EditSelectedACTN and a double-click on the grid). Not built
// yet: the action stays disabled with its hint.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectMonitorActions() {
    actions_.EditSelectedACTN->setEnabled(false);
}

} // namespace mlgui
