// The port list, and which device port n ("COMn") opens: LVDRIVER_PORTS when it
// is set, else the system's list (port_list_<platform>.cpp).
#include "serial_port.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace lv {
namespace {

// LVDRIVER_PORTS split at its separators.
std::vector<std::string> splitPortList(std::string_view text) {
    std::vector<std::string> ports;
    if (text.empty())
        return ports;
    // Empty entries stay in place so that the numbers of the later ports do not
    // shift; they simply fail to open.
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = text.find(kPortListSeparator, start);
        ports.emplace_back(text.substr(start, separator - start));
        if (separator == std::string_view::npos)
            break;
        start = separator + 1;
    }
    return ports;
}

// The system's serial ports, or LVDRIVER_PORTS when set.
std::vector<std::string> listSerialPorts() {
    if (const char* variable = std::getenv("LVDRIVER_PORTS"))
        return splitPortList(variable);
    return systemSerialPorts();
}

// Why port `number` is not in a list of `count` ports, and where the list comes
// from: " COM3: LVDRIVER_PORTS lists 2 ports".
std::string missingPortText(unsigned number, std::size_t count) {
    // snprintf rather than std::to_string, as everywhere in the plug-in.
    char text[160];
    if (number == 0)
        std::snprintf(text, sizeof text, " COM0: port numbers start at 1");
    else if (std::getenv("LVDRIVER_PORTS"))
        std::snprintf(text, sizeof text, " COM%u: LVDRIVER_PORTS lists %zu port%s", number, count,
                      count == 1 ? "" : "s");
    else if (count == 0)
        std::snprintf(text, sizeof text,
                      " COM%u: no serial ports found (LVDRIVER_PORTS can list device paths, ':'-separated)",
                      number);
    else
        std::snprintf(text, sizeof text,
                      " COM%u: %zu serial port%s found (LVDRIVER_PORTS can list device paths, ':'-separated)",
                      number, count, count == 1 ? "" : "s");
    return text;
}

} // namespace

std::size_t serialPortCount() {
    if (const char* variable = std::getenv("LVDRIVER_PORTS"))
        return splitPortList(variable).size();
    return systemPortCount();
}

std::string portDevicePath(unsigned number) {
    if (number != 0 && !std::getenv("LVDRIVER_PORTS"))
        if (std::string device = systemPortDevice(number); !device.empty())
            return device;
    const auto ports = listSerialPorts();
    if (number == 0 || number > ports.size())
        throw SerialPortError(SerialErrorCode::Open, missingPortText(number, ports.size()));
    if (ports[number - 1].empty()) {
        char text[64];
        std::snprintf(text, sizeof text, " COM%u: its entry in the port list is empty", number);
        throw SerialPortError(SerialErrorCode::Open, text);
    }
    return portEntryDevice(ports[number - 1]);
}

} // namespace lv
