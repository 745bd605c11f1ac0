#include "cells.h"

#include <cstring>

namespace lv::cells {

std::optional<std::string> inputText(const LvCell* cell) {
    const auto* text = static_cast<const char*>(address(cell));
    if (!text)
        return std::nullopt;
    return std::string(text, ::strnlen(text, 255));
}

void writeOutputText(const LvCell* cell, std::string_view text) {
    auto* buffer = static_cast<char*>(address(cell));
    if (!buffer)
        return;
    std::memcpy(buffer + 1, text.data(), std::min<std::size_t>(text.size(), 255));
}

} // namespace lv::cells
