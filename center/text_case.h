// Comparing names the way file systems and HTTP headers of our users do: ASCII
// letters without regard to case.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace mlc {

inline bool equalNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace mlc
