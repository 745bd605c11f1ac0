// Defaults files from random bytes: refused ones leave the settings as they were.
#include "files/defaults_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mlc::TMonitorSettings settings;
    if (!mlc::decodeDefaults(std::span(data, size), settings) && !(settings == mlc::TMonitorSettings{}))
        std::abort();
    return 0;
}
