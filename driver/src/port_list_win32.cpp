// Serial ports on Windows: port n is "COMn" whether or not the system's list
// names it; the list (the values of the registry key that lists the serial
// ports) gives only the highest port number, the count the plug-in reports.
#include "serial_port.h"

#include <algorithm>
#include <cstdio>

#include <windows.h>

namespace lv {
namespace {

// The device namespace also reaches COM10 and above.
std::string deviceNamespacePath(const std::string& name) {
    return "\\\\.\\" + name;
}

} // namespace

// Paths hold colons after their drive letters.
const char kPortListSeparator = ';';

std::vector<std::string> systemSerialPorts() {
    std::vector<std::string> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        char name[256];
        char data[256];
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        const LONG status = ::RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                                            reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_MORE_DATA)
            continue; // too long for a port name
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        data[dataSize] = '\0'; // the stored text may lack its terminating zero
        ports.emplace_back(data);
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end());
    return ports;
}

// Ports keep the numbers the system gave them (a USB adapter is often COM4 on a
// machine without COM1 to COM3), so the count reaches the highest of them; the
// numbers between fail to open, as a port that is gone does.
std::size_t systemPortCount() {
    std::size_t highest = 0;
    for (const std::string& port : systemSerialPorts()) {
        unsigned number = 0;
        if (std::sscanf(port.c_str(), "COM%u", &number) == 1)
            highest = std::max<std::size_t>(highest, number);
    }
    return highest;
}

std::string systemPortDevice(unsigned number) {
    char name[16];
    std::snprintf(name, sizeof name, "COM%u", number);
    return deviceNamespacePath(name);
}

// A port name such as COM7 is opened in the device namespace; a path as it is.
std::string portEntryDevice(const std::string& entry) {
    return entry.find_first_of("\\/") == std::string::npos ? deviceNamespacePath(entry) : entry;
}

} // namespace lv
