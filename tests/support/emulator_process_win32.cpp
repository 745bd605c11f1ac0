#include "emulator_process.h"

#include "wine_native.h"

#include <cstdlib>
#include <stdexcept>

namespace testsupport {

struct EmulatorProcess::Native {
    WinePort port;
    std::unique_ptr<NativeHelper> helper;
};

EmulatorProcess::EmulatorProcess(const std::string& ids, const std::vector<std::string>& extraArgs,
                                 const std::string& definitions)
    : logPath_(dir_.file("mlemu.log")), statePath_(dir_.file("mlemu.state")),
      native_(std::make_unique<Native>()) {
    link_ = native_->port.name();
    std::vector<std::string> args = {"run",           std::string(MARLUNE_NATIVE_BIN_DIR) + "/mlemu",
                                     "--definitions", unixPath(definitions),
                                     "--ids",         ids,
                                     "--link",        native_->port.link(),
                                     "--log",         unixPath(logPath_),
                                     "--state",       unixPath(statePath_)};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    native_->helper = std::make_unique<NativeHelper>(args);
    takeBanner(native_->helper->receiveLine(20000));
}

EmulatorProcess::~EmulatorProcess() {
    stop();
}

bool EmulatorProcess::running() const {
    return native_->helper != nullptr;
}

void EmulatorProcess::requestState() {
    native_->helper->send("state\n");
}

int EmulatorProcess::stop() {
    if (native_->helper) {
        native_->helper->send("stop\n");
        const std::string answer = native_->helper->receiveLine(20000);
        exitStatus_ = answer.rfind("exit ", 0) == 0 ? std::atoi(answer.c_str() + 5) : -1;
        native_->helper.reset();
    }
    return exitStatus_;
}

} // namespace testsupport
