#include "ports_help.h"

namespace mlctl {

const char* const kPortsHelp =
    "Ports: port N is COMN; the system's list of serial ports gives their count. When\n"
    "LVDRIVER_PORTS is set, port N is its entry N instead: device names such as COM7,\n"
    "separated by ';', port 1 first.\n";

} // namespace mlctl
