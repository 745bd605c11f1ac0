// Splitting a source line into words and writing words back.
//
// A word is bare (no blanks, quotes or '=') or a quoted string with the escapes
// \" \\ \n \r \t and \xHH. "name=value" names a parameter. '#' at the start of a
// word comments out the rest of the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pgc {

struct Token {
    std::string name; // empty for a positional word
    std::string value;
};

// Returns an error message, or an empty string when the line is well-formed.
std::string tokenizeLine(std::string_view line, std::vector<Token>& tokens);

// The word as it has to be written so that tokenizeLine reads `text` back.
std::string quoteWord(std::string_view text);

} // namespace pgc
