// Device ID lists as given on the command line: "3,5,20,31", "1-9,11".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mlemu {

// IDs 1..255 in ascending order; nothing (and error set) for an empty list, a
// reversed or out-of-range range, a stray character or an ID given twice.
std::optional<std::vector<int>> parseIdList(const std::string& text, std::string& error);

// The shortest form: consecutive IDs become ranges ("1-9,11").
std::string formatIdList(const std::vector<int>& ids);

} // namespace mlemu
