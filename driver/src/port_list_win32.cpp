// The port list on Windows: the values of the registry key that lists the
// system's serial ports. Port n is "COMn" whether or not the list names it; the
// list gives only the port count (and the upper bound of port detection).
// LVDRIVER_PORTS replaces the list, as on other systems: device names such as
// COM7 or \\.\COM7, port 1 first.
#include "serial_port.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace lv {
namespace {

constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

std::vector<std::string> registryPorts() {
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[256];
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        const LONG status = ::RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (status == ERROR_MORE_DATA)
            continue; // not a port name
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[dataSize] = 0;
        ports.emplace_back(reinterpret_cast<const char*>(data));
        // REG_SZ data may or may not carry its terminating zero.
        ports.back().erase(ports.back().find_last_not_of('\0') + 1);
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end());
    return ports;
}

// A device name becomes a path in the device namespace, which also reaches
// COM10 and above.
std::string devicePath(const std::string& name) {
    return name.rfind("\\\\", 0) == 0 ? name : "\\\\.\\" + name;
}

} // namespace

std::vector<std::string> listSerialPorts() {
    if (const char* variable = std::getenv("LVDRIVER_PORTS"))
        return splitPortList(variable);
    return registryPorts();
}

std::string portDevicePath(unsigned number) {
    char name[16];
    if (const char* variable = std::getenv("LVDRIVER_PORTS")) {
        const auto ports = splitPortList(variable);
        if (number == 0 || number > ports.size() || ports[number - 1].empty()) {
            char text[96];
            std::snprintf(text, sizeof text, " COM%u: not in LVDRIVER_PORTS (%zu port%s)", number, ports.size(),
                          ports.size() == 1 ? "" : "s");
            throw SerialPortError(SerialErrorCode::Open, text);
        }
        return devicePath(ports[number - 1]);
    }
    std::snprintf(name, sizeof name, "COM%u", number);
    return devicePath(name);
}

} // namespace lv
