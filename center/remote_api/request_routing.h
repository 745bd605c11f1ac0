// Which route a request of the network interface takes, after the checks every
// request passes in this order: the Bearer token (401), the body's size (413), the
// path (404), the method (405) and the body being a JSON object (400). An empty body
// counts as an empty object.
#pragma once

#include "remote_api/http_exchange.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mlc {

enum class RouteId {
    Status,
    Monitors,
    Monitor,
    ChangeMonitor,
    OpenWall,
    WriteWall,
    ResyncWall,
    RecallMemory,
    StoreMemory,
    SendEvent,
    OpenSequence,
    PlaySequence,
    StopSequence,
    ExecuteItem,
    Reports,
};

struct RouteSpec {
    const char* method;
    const char* path; // "/api/v1/monitors/{column}/{row}"
    RouteId id;
};
// Every route the interface has, as its description names them.
const std::vector<RouteSpec>& remoteRoutes();

struct RoutedRequest {
    RouteId route = RouteId::Status;
    int column = 0; // of /monitors/{column}/{row}
    int row = 0;
    nlohmann::json body = nlohmann::json::object();
    std::string query;
};

// The route, or the refusal to send as it is. A request is authorised only when it
// carries the token, and never while the token is empty.
std::variant<RoutedRequest, HttpReply> routeRequest(const HttpRequest& request, std::string_view token);

} // namespace mlc
