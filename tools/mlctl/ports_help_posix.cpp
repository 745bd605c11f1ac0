#include "ports_help.h"

namespace mlctl {

const char* const kPortsHelp =
    "Ports: port N is entry N of the plug-in's port list, the system's serial devices\n"
    "(/dev/ttyS*, /dev/ttyUSB*, ...) in order, or LVDRIVER_PORTS when it is set: device\n"
    "paths separated by ':', port 1 first. For units emulated by mlemu --link /tmp/wall0:\n"
    "  LVDRIVER_PORTS=/tmp/wall0 mlctl detect\n";

} // namespace mlctl
