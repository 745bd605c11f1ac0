// How the router library shows its own configuration window in a program with
// windows. The library is plain C without a toolkit: while a handler object lives,
// the library's window requests reach `show`, which the program answers with a
// modal dialog of its own toolkit. Programs without windows install none; the
// library then prints its text. A router library that offers no such hook is
// simply not asked (installed() is false).
#pragma once

#include "matrixsw.h"

#include <functional>
#include <string>

namespace mlc {

// MATRIXSW_SetDialogHandler of the loaded router library, or null.
using RouterDialogHook = void(MATRIXSW_API*)(MatrixSwDialogHandler, void*);
RouterDialogHook routerDialogHook();

class RouterDialogHandler {
public:
    using Show = std::function<void(const std::string& title, const std::string& text)>;
    explicit RouterDialogHandler(Show show);
    ~RouterDialogHandler();
    RouterDialogHandler(const RouterDialogHandler&) = delete;
    RouterDialogHandler& operator=(const RouterDialogHandler&) = delete;

    bool installed() const { return installed_; }

private:
    static void deliver(void* context, const char* title, const char* text);
    Show show_;
    bool installed_ = false;
};

} // namespace mlc
