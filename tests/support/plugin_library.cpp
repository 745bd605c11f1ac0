#include "plugin_library.h"

#include "paths.h"

#include <stdexcept>

namespace testsupport {

PluginLibrary::PluginLibrary() : PluginLibrary(binPath(mlc::kDriverFileName)) {}

PluginLibrary::PluginLibrary(const std::string& path) {
    // The core's own binding loads the library and checks the six exports.
    if (!binding_.LoadDriverLibrary(path))
        throw std::runtime_error("cannot load the plug-in: " + binding_.LoadError());
    const mlc::DriverExports& exports = binding_.exports();
    if (!exports.GetLastErrorText)
        throw std::runtime_error("missing export GetLastErrorText");
    getPluginSupportInfo = exports.GetPluginSupportInfo;
    openHardwarePort = exports.OpenHardwarePort;
    closeHardwarePort = exports.CloseHardwarePort;
    executeByNumber = exports.ExecutePluginFunctionByNumber;
    executeByName = exports.ExecutePluginFunctionByName;
    sendPacket = exports.SendPacket;
    getLastErrorText = exports.GetLastErrorText;
}

PluginLibrary::~PluginLibrary() = default;

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
