// The state file: what every unit holds, as text, one fact a line. Format in
// docs/mlemu.md.
#pragma once

#include "chain.h"

#include <string>

namespace mlemu {

std::string formatState(const UnitCatalog& catalog, const Chain& chain, double seconds);

// Writes to a temporary name beside the file and renames it over, so a reader
// sees the old state or the new one, never part of one.
bool writeFileAtomically(const std::string& path, const std::string& text);

} // namespace mlemu
