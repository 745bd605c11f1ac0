#include "id_list.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace mlemu {

namespace {
bool parseId(const std::string& text, int& id) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size() && id >= 1 && id <= 255;
}
} // namespace

std::optional<std::vector<int>> parseIdList(const std::string& text, std::string& error) {
    std::vector<int> ids;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        const auto dash = item.find('-');
        int first = 0;
        int last = 0;
        const bool ok = dash == std::string::npos
                            ? parseId(item, first) && (last = first, true)
                            : parseId(item.substr(0, dash), first) && parseId(item.substr(dash + 1), last);
        if (!ok || last < first) {
            error = "bad device ID or range '" + item + "' (IDs are 1 to 255)";
            return std::nullopt;
        }
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    }
    if (ids.empty() || text.empty() || text.back() == ',') {
        error = "empty device ID list";
        return std::nullopt;
    }
    std::sort(ids.begin(), ids.end());
    if (std::adjacent_find(ids.begin(), ids.end()) != ids.end()) {
        error = "device ID " + std::to_string(*std::adjacent_find(ids.begin(), ids.end())) + " given twice";
        return std::nullopt;
    }
    return ids;
}

std::string formatIdList(const std::vector<int>& ids) {
    std::string out;
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t j = i;
        while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1)
            ++j;
        if (!out.empty())
            out += ',';
        out += std::to_string(ids[i]);
        if (j > i)
            out += '-' + std::to_string(ids[j]);
        i = j + 1;
    }
    return out;
}

} // namespace mlemu
