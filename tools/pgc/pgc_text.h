// The text form of definition files: parsing a source into records and printing
// records back as a source that compiles to the same bytes.
#pragma once

#include "pgc_records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pgc {

struct Diagnostic {
    std::size_t line = 0;
    std::string message;
};

struct Source {
    std::optional<std::uint8_t> key;     // from a "key" line
    std::vector<lv::PgcRecord> records;  // in source order
    std::vector<std::size_t> recordLine; // the line of each record
    std::vector<Diagnostic> errors;      // nothing may be written when not empty
    std::vector<Diagnostic> warnings;    // compiled anyway
};

Source parseSource(std::string_view text);

// One line per record: the named form where it reproduces the record's fields
// exactly, the raw "record" form otherwise. Starts with the key line.
std::string printSource(std::uint8_t key, const std::vector<lv::PgcRecord>& records);

} // namespace pgc
