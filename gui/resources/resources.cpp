#include "resources/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(about);
    Q_INIT_RESOURCE(app);
}

namespace mlgui {

void initResources() {
    static const bool registered = (registerResources(), true);
    (void)registered;
}

} // namespace mlgui
