// The router library's window hook, found by name among the loaded libraries.
#include "router/router_dialog.h"

#include "matrixsw.h"

#include <dlfcn.h>

namespace mlc {

namespace {

using SetDialogHandlerFn = void(MATRIXSW_API*)(MatrixSwDialogHandler, void*);

SetDialogHandlerFn setDialogHandler() {
    return reinterpret_cast<SetDialogHandlerFn>(dlsym(RTLD_DEFAULT, "MATRIXSW_SetDialogHandler"));
}

} // namespace

RouterDialogHandler::RouterDialogHandler(Show show) : show_(std::move(show)) {
    if (const SetDialogHandlerFn set = setDialogHandler()) {
        set(&RouterDialogHandler::deliver, this);
        installed_ = true;
    }
}

RouterDialogHandler::~RouterDialogHandler() {
    if (installed_)
        if (const SetDialogHandlerFn set = setDialogHandler())
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
