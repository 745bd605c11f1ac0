// Wall files from random bytes: refused ones leave the buffer as it was.
#include "files/wall_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mlc::WallSettings before{};
    mlc::WallSettings buffer = before;
    if (!mlc::decodeVideowall(std::span(data, size), buffer) && !(buffer == before))
        std::abort();
    return 0;
}
