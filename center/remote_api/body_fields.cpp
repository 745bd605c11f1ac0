#include "remote_api/body_fields.h"

#include "dialogs/slider_values.h"
#include "text_case.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace mlc {

namespace {

// "6.25 to 133.333": at most three decimals.
std::string rangeText(double min, double max) {
    const auto text = [](double v) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 3).ptr;
        std::string t(buffer, end);
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.')
            t.pop_back();
        return t;
    };
    return text(min) + " to " + text(max);
}

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           equalNoCase(std::string_view(text).substr(text.size() - end.size()), end);
}

// A plain name: nothing that could lead out of the folder or name a device.
bool plainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

} // namespace

const nlohmann::json* BodyFields::field(const char* name, bool required) {
    read_.insert(name);
    const auto found = body_.find(name);
    if (found != body_.end())
        return &*found;
    if (required)
        refuse(name, "missing");
    return nullptr;
}

void BodyFields::refuse(const std::string& field, const std::string& problem) {
    if (problem_.empty())
        problem_ = field + ": " + problem;
}

std::optional<int> BodyFields::integer(const char* name, int min, int max) {
    const nlohmann::json* value = field(name, true);
    if (!value)
        return std::nullopt;
    if (value->is_number_integer()) {
        const auto n = value->get<std::int64_t>();
        if (n >= min && n <= max)
            return static_cast<int>(n);
    }
    refuse(name, "must be a whole number from " + std::to_string(min) + " to " + std::to_string(max));
    return std::nullopt;
}

std::optional<double> BodyFields::number(const char* name, double min, double max) {
    const nlohmann::json* value = field(name, false);
    if (!value)
        return std::nullopt;
    if (value->is_number()) {
        const auto n = value->get<double>();
        if (n >= min && n <= max)
            return n;
    }
    refuse(name, "must be a number from " + rangeText(min, max));
    return std::nullopt;
}

std::optional<std::string> BodyFields::text(const char* name) {
    const nlohmann::json* value = field(name, true);
    if (!value)
        return std::nullopt;
    if (value->is_string())
        return value->get<std::string>();
    refuse(name, "must be a text");
    return std::nullopt;
}

std::optional<std::string> BodyFields::fileName(const char* name, const char* extension) {
    const std::optional<std::string> value = text(name);
    if (!value)
        return std::nullopt;
    if (plainFileName(*value) && endsWithNoCase(*value, extension))
        return value;
    refuse(name, std::string("must be the name of a ") + extension +
                     " file in the program folder, without a folder");
    return std::nullopt;
}

bool BodyFields::complete() {
    for (const auto& [key, value] : body_.items())
        if (!read_.count(key))
            refuse(key, "not a field of this request");
    return problem_.empty();
}

std::optional<TMonitorSettings> changedMonitor(BodyFields& fields, const TMonitorSettings& current,
                                               const MatchLists& lists) {
    static constexpr const char* kNames[] = {"input", "xPosition",  "yPosition", "xZoom",
                                             "yZoom", "brightness", "contrast"};
    if (std::none_of(std::begin(kNames), std::end(kNames),
                     [&](const char* name) { return fields.has(name); }))
        fields.refuse("body",
                      "names none of input, brightness, contrast, xPosition, yPosition, xZoom, yZoom");
    TMonitorSettings s = current;
    if (fields.has("input")) {
        if (const auto input = fields.text("input")) {
            const int position = lists.InputSources.indexOf(*input);
            if (position < 0)
                fields.refuse("input", "\"" + *input + "\" is not an input the units know");
            else
                s.SourceInput = position;
        }
    }
    for (auto [name, field] : {std::pair{"xPosition", &TMonitorSettings::XPosition},
                               std::pair{"yPosition", &TMonitorSettings::YPosition}})
        if (const auto value = fields.number(name, 0.0, 100.0))
            s.*field = *value;
    // The monitor dialog's magnifications, 16 down to 0.75.
    for (auto [name, field] :
         {std::pair{"xZoom", &TMonitorSettings::XZoom}, std::pair{"yZoom", &TMonitorSettings::YZoom}})
        if (const auto value = fields.number(name, ZoomFromMagnification(kMaxMagnification),
                                             ZoomFromMagnification(kMinMagnification)))
            s.*field = *value;
    for (auto [name, field] : {std::pair{"brightness", &TMonitorSettings::Brightness},
                               std::pair{"contrast", &TMonitorSettings::Contrast}})
        if (const auto value = fields.number(name, 0.0, 100.0))
            s.*field = StoredPercent(*value);
    if (!fields.complete())
        return std::nullopt;
    return s;
}

} // namespace mlc
