// Integer fields of the definition file.
//
// A field holds the whole number: leading blanks, an optional sign, then decimal
// digits or hexadecimal digits introduced by $, x, X, 0x or 0X. Anything else, an
// empty text or a number beyond the limits does not parse.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lv {

// Decimal must fit the signed 32-bit range; hexadecimal has at most 8 digits whose
// bits are taken as they are.
std::optional<std::int32_t> parseDefinitionInt32(std::string_view text);

// The same rules with 64-bit limits (at most 16 hexadecimal digits).
std::optional<std::int64_t> parseDefinitionInt64(std::string_view text);

// The value of one hexadecimal digit, or -1.
int hexDigit(char c);

} // namespace lv
