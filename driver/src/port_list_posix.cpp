// The system's serial devices, in order: port n ("COMn") is entry n.
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

const char kPortListSeparator = ':';

std::vector<std::string> systemSerialPorts() {
    return systemSerialDevices();
}

std::size_t systemPortCount() {
    return systemSerialPorts().size();
}

std::string systemPortDevice(unsigned) {
    return {}; // port n is entry n of the list
}

std::string portEntryDevice(const std::string& entry) {
    return entry;
}

} // namespace lv
