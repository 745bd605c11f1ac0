// The router library's window hook, found by name in the loaded router library
// (routerDialogHook in router_dialog_<platform>.cpp).
#include "router/router_dialog.h"

namespace mlc {

RouterDialogHandler::RouterDialogHandler(Show show) : show_(std::move(show)) {
    if (const RouterDialogHook set = routerDialogHook()) {
        set(&RouterDialogHandler::deliver, this);
        installed_ = true;
    }
}

RouterDialogHandler::~RouterDialogHandler() {
    if (installed_)
        if (const RouterDialogHook set = routerDialogHook())
            set(nullptr, nullptr);
}

void RouterDialogHandler::deliver(void* context, const char* title, const char* text) {
    // Called from C: nothing may escape back into the library.
    try {
        const auto* self = static_cast<const RouterDialogHandler*>(context);
        if (self && self->show_)
            self->show_(title ? title : "", text ? text : "");
    } catch (...) {
    }
}

} // namespace mlc
