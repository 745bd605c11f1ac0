#include "plugin_library.h"

#include "paths.h"

#include <dlfcn.h>
#include <stdexcept>

namespace testsupport {
namespace {

template <class Fn> Fn bind(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol)
        throw std::runtime_error(std::string("missing export ") + name);
    return reinterpret_cast<Fn>(symbol);
}

} // namespace

PluginLibrary::PluginLibrary() : PluginLibrary(binPath("LVDRIVER.so")) {}

PluginLibrary::PluginLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw std::runtime_error(std::string("dlopen failed: ") + dlerror());
    try {
        getPluginSupportInfo = bind<GetPluginSupportInfoFn>(handle_, "GetPluginSupportInfo");
        openHardwarePort = bind<OpenHardwarePortFn>(handle_, "OpenHardwarePort");
        closeHardwarePort = bind<CloseHardwarePortFn>(handle_, "CloseHardwarePort");
        executeByNumber = bind<ExecutePluginFunctionByNumberFn>(handle_, "ExecutePluginFunctionByNumber");
        executeByName = bind<ExecutePluginFunctionByNameFn>(handle_, "ExecutePluginFunctionByName");
        sendPacket = bind<SendPacketFn>(handle_, "SendPacket");
        getLastErrorText = bind<GetLastErrorTextFn>(handle_, "GetLastErrorText");
    } catch (...) {
        dlclose(handle_);
        throw;
    }
}

PluginLibrary::~PluginLibrary() {
    dlclose(handle_);
}

std::uint8_t PluginLibrary::run(const std::string& name, LvCell* p1, LvCell* p2, LvCell* p3,
                                LvCell* p4) const {
    std::string prefixed(1, static_cast<char>(name.size()));
    prefixed += name;
    return executeByName(reinterpret_cast<const std::uint8_t*>(prefixed.data()), p1, p2, p3, p4);
}

std::string PluginLibrary::lastErrorText() const {
    std::uint8_t buffer[256] = {};
    getLastErrorText(buffer);
    return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
}

} // namespace testsupport
