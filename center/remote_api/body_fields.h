// Reading the fields of a request body. Each reader checks its field's type and
// range; the first problem becomes the 422 reply, which names the field. Fields the
// route does not know are a problem too, so that a misspelt name is not ignored.
//
//   BodyFields fields(routed.body);
//   const auto number = fields.integer("number", 1, 16);
//   if (!fields.complete())
//       return errorReply(422, fields.problem());
#pragma once

#include "wall/match_lists.h"
#include "wall/monitor_settings.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <set>
#include <string>

namespace mlc {

class BodyFields {
public:
    explicit BodyFields(const nlohmann::json& body) : body_(body) {}

    bool has(const char* field) const { return body_.contains(field); }
    // A whole number within min..max; required.
    std::optional<int> integer(const char* field, int min, int max);
    // A number within min..max; nothing (and no problem) when the field is absent.
    std::optional<double> number(const char* field, double min, double max);
    // A text; required.
    std::optional<std::string> text(const char* field);
    // The name of a file in the program folder with the given extension (".MLV",
    // letter case aside): no folder, no "..", no absolute path; required.
    std::optional<std::string> fileName(const char* field, const char* extension);

    // Notes a problem with a field that the caller checked itself.
    void refuse(const std::string& field, const std::string& problem);
    // True when every field was read without a problem and there are no others.
    bool complete();
    // "<field>: <what is wrong>"
    const std::string& problem() const { return problem_; }

private:
    const nlohmann::json* field(const char* name, bool required);

    const nlohmann::json& body_;
    std::set<std::string> read_;
    std::string problem_;
};

// The monitor a PATCH asks for: `current` with the fields the body gives (input,
// brightness, contrast, xPosition, yPosition, xZoom, yZoom); a body giving none is a
// problem. Nothing, with the problem in `fields`, when any value is not acceptable.
std::optional<TMonitorSettings> changedMonitor(BodyFields& fields, const TMonitorSettings& current,
                                               const MatchLists& lists);

} // namespace mlc
