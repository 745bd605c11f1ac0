// Requests of the network interface from random bytes: the first byte picks the
// method and path, the rest is the body. Routing and every body reader must give a
// route or a JSON error reply, never crash or throw.
#include "remote_api/body_fields.h"
#include "remote_api/replies.h"
#include "remote_api/request_routing.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const char* const kTargets[][2] = {
        {"PATCH", "/api/v1/monitors/2/1"},    {"POST", "/api/v1/wall/open"},
        {"POST", "/api/v1/memory/store"},     {"POST", "/api/v1/events"},
        {"POST", "/api/v1/sequence/execute"}, {"GET", "/api/v1/monitors/1/16"},
        {"PUT", "/api/v1/wall/write"},        {"POST", "/api/v1/monitors/9/99"}};
    const auto& target = kTargets[data[0] % (sizeof kTargets / sizeof kTargets[0])];
    mlc::HttpRequest request{target[0], target[1], "", "Bearer token",
                             std::string(reinterpret_cast<const char*>(data + 1), size - 1)};
    const auto routed = mlc::routeRequest(request, "token");
    if (const auto* reply = std::get_if<mlc::HttpReply>(&routed)) {
        if (!nlohmann::json::accept(reply->body))
            std::abort();
        return 0;
    }
    const nlohmann::json& body = std::get<mlc::RoutedRequest>(routed).body;
    mlc::MatchLists lists;
    lists.InputSources.Ids = {"isANALOGRGB1", "isDVI1"};
    mlc::BodyFields monitor(body);
    mlc::changedMonitor(monitor, mlc::TMonitorSettings{}, lists);
    mlc::BodyFields others(body);
    others.fileName("file", ".MLV");
    others.integer("number", 1, 16);
    others.text("name");
    others.complete();
    for (const std::string& problem : {monitor.problem(), others.problem()})
        if (!nlohmann::json::accept(mlc::errorReply(422, problem).body))
            std::abort();
    return 0;
}
