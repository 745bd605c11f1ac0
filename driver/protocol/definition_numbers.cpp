#include "definition_numbers.h"

namespace lv {
int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

namespace {

// Parses into 64 bits; `bits` (32 or 64) sets the limits. The result is the value
// as it is to be stored, already within the signed range of `bits`.
std::optional<std::int64_t> parseInteger(std::string_view text, int bits) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view rest = text.substr(pos);
    bool hex = false;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        hex = true;
        rest.remove_prefix(1);
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        hex = true;
        rest.remove_prefix(2);
    }
    if (rest.empty())
        return std::nullopt;

    if (hex) {
        if (rest.size() > static_cast<std::size_t>(bits / 4))
            return std::nullopt;
        std::uint64_t value = 0;
        for (char c : rest) {
            const int digit = hexDigit(c);
            if (digit < 0)
                return std::nullopt;
            value = value << 4 | static_cast<std::uint64_t>(digit);
        }
        // The digits are the bits of the number; a sign negates that number.
        if (negative)
            value = ~value + 1;
        if (bits == 32)
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return static_cast<std::int64_t>(value);
    }

    // Decimal: accumulate the magnitude and check it against the limit of the sign.
    const std::uint64_t limit = bits == 32 ? (negative ? 0x80000000ULL : 0x7FFFFFFFULL)
                                           : (negative ? 0x8000000000000000ULL : 0x7FFFFFFFFFFFFFFFULL);
    std::uint64_t magnitude = 0;
    for (char c : rest) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    const std::uint64_t value = negative ? ~magnitude + 1 : magnitude;
    return static_cast<std::int64_t>(value);
}

} // namespace

std::optional<std::int32_t> parseDefinitionInt32(std::string_view text) {
    const auto value = parseInteger(text, 32);
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> parseDefinitionInt64(std::string_view text) {
    return parseInteger(text, 64);
}

} // namespace lv
