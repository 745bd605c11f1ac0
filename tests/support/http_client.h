// A small blocking HTTP/1.1 client for tests and benchmarks of the network
// interface: one connection to 127.0.0.1, requests one after the other on it, each
// reply read whole by its Content-Length. Safe to use from any thread.
#pragma once

#include <string>

namespace testsupport {

struct HttpResponse {
    int status = 0;   // 0: no reply (connection refused or closed)
    std::string head; // status line and headers, as sent
    std::string body;
    std::string header(const std::string& name) const; // "" when absent
};

class HttpConnection {
public:
    explicit HttpConnection(int port);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    bool connected() const { return fd_ >= 0; }
    // With "Authorization: Bearer <token>" unless the token is empty.
    HttpResponse request(const std::string& method, const std::string& target, const std::string& body = "",
                         const std::string& token = "");
    // Sends `bytes` as they are and reads one reply.
    HttpResponse exchange(const std::string& bytes);

private:
    int fd_ = -1;
};

// One request over a connection of its own.
HttpResponse httpRequest(int port, const std::string& method, const std::string& target,
                         const std::string& body = "", const std::string& token = "");

} // namespace testsupport
