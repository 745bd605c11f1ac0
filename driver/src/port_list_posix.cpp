// The port list: which device path is "COM1", "COM2", ...
#include "serial_port.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace lv {
namespace {

// Orders ttyS2 before ttyS10: runs of digits compare by value.
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string_view da = std::string_view(a).substr(i, ei - i);
            const std::string_view db = std::string_view(b).substr(j, ej - j);
            const std::size_t za = da.find_first_not_of('0'), zb = db.find_first_not_of('0');
            const std::string_view va = za == std::string_view::npos ? "" : da.substr(za);
            const std::string_view vb = zb == std::string_view::npos ? "" : db.substr(zb);
            if (va.size() != vb.size())
                return va.size() < vb.size();
            if (va != vb)
                return va < vb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// Serial devices with a driver-bound device behind them: /sys/class/tty/<name>/device.
// Virtual terminals and pseudo-terminals have none.
std::vector<std::string> systemSerialDevices() {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it("/sys/class/tty", error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (fs::exists(it->path() / "device" / "driver", ignored))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), naturalLess);
    for (auto& name : names)
        name = "/dev/" + name;
    return names;
}

} // namespace

std::vector<std::string> listSerialPorts() {
    if (const char* variable = std::getenv("LVDRIVER_PORTS"))
        return splitPortList(variable);
    return systemSerialDevices();
}

namespace {

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

std::string portDevicePath(unsigned number) {
    const auto ports = listSerialPorts();
    if (number == 0 || number > ports.size())
        throw SerialPortError(SerialErrorCode::Open, missingPortText(number, ports.size()));
    if (ports[number - 1].empty()) {
        char text[64];
        std::snprintf(text, sizeof text, " COM%u: its entry in the port list is empty", number);
        throw SerialPortError(SerialErrorCode::Open, text);
    }
    return ports[number - 1];
}

} // namespace lv
