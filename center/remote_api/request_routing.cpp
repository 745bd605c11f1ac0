#include "remote_api/request_routing.h"

#include "remote_api/replies.h"
#include "text_case.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace mlc {

const std::vector<RouteSpec>& remoteRoutes() {
    static const std::vector<RouteSpec> routes{
        {"GET", "/api/v1/status", RouteId::Status},
        {"GET", "/api/v1/monitors", RouteId::Monitors},
        {"GET", "/api/v1/monitors/{column}/{row}", RouteId::Monitor},
        {"PATCH", "/api/v1/monitors/{column}/{row}", RouteId::ChangeMonitor},
        {"POST", "/api/v1/wall/open", RouteId::OpenWall},
        {"POST", "/api/v1/wall/write", RouteId::WriteWall},
        {"POST", "/api/v1/wall/resync", RouteId::ResyncWall},
        {"POST", "/api/v1/memory/recall", RouteId::RecallMemory},
        {"POST", "/api/v1/memory/store", RouteId::StoreMemory},
        {"POST", "/api/v1/events", RouteId::SendEvent},
        {"POST", "/api/v1/sequence/open", RouteId::OpenSequence},
        {"POST", "/api/v1/sequence/play", RouteId::PlaySequence},
        {"POST", "/api/v1/sequence/stop", RouteId::StopSequence},
        {"POST", "/api/v1/sequence/execute", RouteId::ExecuteItem},
        {"GET", "/api/v1/reports", RouteId::Reports},
    };
    return routes;
}

namespace {

constexpr std::string_view kPlace = "{column}/{row}";

// Compares every character whatever the first difference, so that the time taken
// tells nothing about how much of a guess was right.
bool sameSecret(std::string_view a, std::string_view b) {
    unsigned char difference = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ (i < b.size() ? b[i] : 0));
    return difference == 0;
}

bool authorised(std::string_view header, std::string_view token) {
    constexpr std::string_view kScheme = "bearer ";
    if (token.empty() || header.size() < kScheme.size())
        return false;
    const bool scheme = equalNoCase(header.substr(0, kScheme.size()), kScheme);
    std::string_view given = header.substr(kScheme.size());
    while (!given.empty() && given.front() == ' ')
        given.remove_prefix(1);
    while (!given.empty() && given.back() == ' ')
        given.remove_suffix(1);
    return sameSecret(given, token) && scheme;
}

// 1..99 without a sign or leading zero; the monitor's own check follows.
std::optional<int> placeNumber(std::string_view text) {
    int value = 0;
    if (text.empty() || text.size() > 2 || text.front() == '0')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Whether `path` is the route's path; fills the place of /monitors/{column}/{row}.
bool matches(const RouteSpec& spec, std::string_view path, RoutedRequest& routed) {
    const std::string_view pattern = spec.path;
    const std::size_t place = pattern.find(kPlace);
    if (place == std::string_view::npos)
        return path == pattern;
    if (path.substr(0, place) != pattern.substr(0, place))
        return false;
    const std::string_view rest = path.substr(std::min(place, path.size()));
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos)
        return false;
    const auto column = placeNumber(rest.substr(0, slash));
    const auto row = placeNumber(rest.substr(slash + 1));
    if (!column || !row)
        return false;
    routed.column = *column;
    routed.row = *row;
    return true;
}

bool blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

} // namespace

std::variant<RoutedRequest, HttpReply> routeRequest(const HttpRequest& request, std::string_view token) {
    if (!authorised(request.authorization, token)) {
        HttpReply reply = errorReply(401, "A valid token is needed: Authorization: Bearer <token>");
        reply.headers.emplace_back("WWW-Authenticate", "Bearer");
        return reply;
    }
    if (request.body.size() > kMaxRequestBody)
        return errorReply(413, "The request body is larger than 64 KiB");

    RoutedRequest routed;
    std::string allowed;
    const RouteSpec* found = nullptr;
    for (const RouteSpec& spec : remoteRoutes()) {
        if (!matches(spec, request.path, routed))
            continue;
        allowed += (allowed.empty() ? "" : ", ") + std::string(spec.method);
        if (request.method == spec.method)
            found = &spec;
    }
    if (allowed.empty())
        return errorReply(404, "No such path: " + request.path);
    if (!found) {
        HttpReply reply =
            errorReply(405, request.method + " is not allowed here; this path takes " + allowed);
        reply.headers.emplace_back("Allow", allowed);
        return reply;
    }
    routed.route = found->id;
    routed.query = request.query;
    if (!blank(request.body)) {
        routed.body = nlohmann::json::parse(request.body, nullptr, false);
        if (!routed.body.is_object())
            return errorReply(400, "The request body is not a JSON object");
    }
    return routed;
}

} // namespace mlc
