#include "router/router_dialog.h"

#include <windows.h>

namespace mlc {

RouterDialogHook routerDialogHook() {
    const HMODULE router = ::GetModuleHandleA("MATRIXSW.DLL");
    return router ? reinterpret_cast<RouterDialogHook>(
                        reinterpret_cast<void*>(::GetProcAddress(router, "MATRIXSW_SetDialogHandler")))
                  : nullptr;
}

} // namespace mlc
