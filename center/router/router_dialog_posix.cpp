#include "router/router_dialog.h"

#include <dlfcn.h>

namespace mlc {

RouterDialogHook routerDialogHook() {
    return reinterpret_cast<RouterDialogHook>(dlsym(RTLD_DEFAULT, "MATRIXSW_SetDialogHandler"));
}

} // namespace mlc
