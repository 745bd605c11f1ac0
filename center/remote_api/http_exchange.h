// One request of the network interface and its reply, as the core sees them: the
// window's HTTP server fills the request and sends the reply as it is.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mlc {

struct HttpRequest {
    std::string method;        // "GET", "POST", "PATCH", ...
    std::string path;          // "/api/v1/monitors/2/1", without the query
    std::string query;         // "since=4"
    std::string authorization; // the Authorization header, "Bearer <token>"
    std::string body;
};

struct HttpReply {
    int status = 200;
    std::string body;                                           // JSON
    std::vector<std::pair<std::string, std::string>> headers{}; // besides the content type
};

// Request bodies larger than this get 413.
inline constexpr std::size_t kMaxRequestBody = 64 * 1024;

} // namespace mlc
