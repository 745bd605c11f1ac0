// The replies of the network interface: JSON bodies with their status, and the
// objects the routes answer with (the program's status, a monitor, the reports).
#pragma once

#include "operator.h"
#include "remote_api/http_exchange.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace mlc {

using Json = nlohmann::ordered_json; // members in the order they are written

HttpReply jsonReply(int status, const Json& body);
// {"error": "<text>"}
HttpReply errorReply(int status, const std::string& text);

// What GET /status tells.
struct ProgramStatus {
    int columns = 1;
    int rows = 1;
    bool synced = false;
    bool serialLink = true;
    bool modified = false;
    bool busy = false; // a command that changes the wall would be refused now
    std::string videowallFile;
    std::string sequenceFile;
    bool playing = false;
    bool loop = false;
    int items = 0;
    int current = -1;         // the item last played, from 0
    std::int64_t reports = 0; // the number of the newest entry of the message log
};
Json statusJson(const ProgramStatus& status);

// One monitor: its place, ID, Synced, input identifier (null when its position has
// none), enlargement and image values as percentages.
Json monitorJson(const WallModel& wall, const MatchLists& lists, int column, int row);

// One entry of the message log, numbered from 1 since the program started.
struct ReportEntry {
    std::int64_t number = 0;
    std::string time; // ISO 8601 with the offset from UTC
    MessageKind kind = MessageKind::Information;
    std::string text;
};
Json reportsJson(const std::vector<ReportEntry>& entries);

} // namespace mlc
