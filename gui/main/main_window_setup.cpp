// The configuration wizard (New) and the preferences dialog. Not built yet: the
// actions stay disabled with their hints.
#include "main/main_form.h"

namespace mlgui {

void TMainFRM::connectSetupActions() {
    actions_.NewACTN->setEnabled(false);
    actions_.PreferencesACTN->setEnabled(false);
}

} // namespace mlgui
