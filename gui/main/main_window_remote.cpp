// The virtual remote control, the special functions and the phase editor. Not
// built yet: the actions stay disabled with their hints.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectRemoteActions() {
    actions_.ShowRemoteACTN->setEnabled(false);
    actions_.SpecialFunctionsACTN->setEnabled(false);
}

} // namespace mlgui
