// Sequence files from random bytes: whatever is accepted writes back and reads again
// as the same items.
#include "sequencer/sequence_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto items = mlc::decodeSequence(std::span(data, size));
    if (!items)
        return 0;
    const auto written = mlc::encodeSequence(*items);
    const auto again = mlc::decodeSequence(written);
    if (!again || again->size() != items->size() || mlc::encodeSequence(*again) != written)
        std::abort();
    return 0;
}
