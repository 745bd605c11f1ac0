// Loads LVDRIVER.so through the core's driver binding, as the program does, and
// offers its exports for calls with hand-made cells. Each object is one load:
// state set in one test is gone in the next.
#pragma once

#include "binding/driver_binding.h"
#include "lvdriver.h"

#include <string>

namespace testsupport {

class PluginLibrary {
public:
    // Loads the built plug-in (build/bin/LVDRIVER.so); throws std::runtime_error when it cannot.
    PluginLibrary();
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    GetPluginSupportInfoFn getPluginSupportInfo = nullptr;
    OpenHardwarePortFn openHardwarePort = nullptr;
    CloseHardwarePortFn closeHardwarePort = nullptr;
    ExecutePluginFunctionByNumberFn executeByNumber = nullptr;
    ExecutePluginFunctionByNameFn executeByName = nullptr;
    SendPacketFn sendPacket = nullptr;
    GetLastErrorTextFn getLastErrorText = nullptr;

    // Runs a command by name; the name is passed length-prefixed.
    std::uint8_t run(const std::string& name, LvCell* p1 = nullptr, LvCell* p2 = nullptr,
                     LvCell* p3 = nullptr, LvCell* p4 = nullptr) const;
    // GetLastErrorText as a string.
    std::string lastErrorText() const;

private:
    mlc::DriverBinding binding_;
};

// A cell holding the address of a text.
inline LvCell textCell(const char* text) {
    return reinterpret_cast<LvCell>(text);
}

} // namespace testsupport
