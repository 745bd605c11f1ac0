// How ports are numbered on this platform, for --help (ports_help_<platform>.cpp).
#pragma once

namespace mlctl {

extern const char* const kPortsHelp;

} // namespace mlctl
