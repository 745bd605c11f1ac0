// Writes definition files (.PGC) from records.
#pragma once

#include "pgc_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lv {

struct PgcEncoding {
    std::vector<std::uint8_t> bytes; // empty when `error` is set
    std::string error;               // what cannot be encoded, empty on success
    std::size_t failedRecord = 0;    // index of the offending record when `error` is set
};

// Encodes the records in order with the key byte. Fails on a kind outside 1..8 and
// on a field whose length the format cannot carry (above 255, or 128..135 whose
// length byte would read as a marker).
PgcEncoding encodePgcFile(std::uint8_t key, const std::vector<PgcRecord>& records);

} // namespace lv
