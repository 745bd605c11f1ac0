#include "http_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace testsupport {

std::string HttpResponse::header(const std::string& name) const {
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    const std::string wanted = "\r\n" + lower(name) + ":";
    const std::string headers = lower(head);
    const std::size_t at = headers.find(wanted);
    if (at == std::string::npos)
        return {};
    std::size_t start = at + wanted.size();
    while (start < head.size() && head[start] == ' ')
        ++start;
    return head.substr(start, head.find("\r\n", start) - start);
}

HttpConnection::HttpConnection(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd_ < 0)
        return;
    timeval timeout{60, 0}; // generous: a reply may wait for a wall write
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

HttpConnection::~HttpConnection() {
    if (fd_ >= 0)
        ::close(fd_);
}

HttpResponse HttpConnection::request(const std::string& method, const std::string& target,
                                     const std::string& body, const std::string& token) {
    std::string bytes = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    if (!token.empty())
        bytes += "Authorization: Bearer " + token + "\r\n";
    if (!body.empty() || method == "POST" || method == "PATCH")
        bytes += "Content-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    return exchange(bytes + "\r\n" + body);
}

HttpResponse HttpConnection::exchange(const std::string& bytes) {
    HttpResponse response;
    if (fd_ < 0)
        return response;
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return response; // the server may have answered already (413) and closed
        sent += static_cast<std::size_t>(n);
    }
    std::string data;
    std::size_t headEnd = std::string::npos;
    std::size_t length = 0;
    char buffer[16384];
    while (headEnd == std::string::npos || data.size() < headEnd + 4 + length) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0)
            return response;
        data.append(buffer, static_cast<std::size_t>(n));
        if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
            response.head = data.substr(0, headEnd);
            length = std::stoul("0" + response.header("Content-Length"));
        }
    }
    response.body = data.substr(headEnd + 4, length);
    response.status = std::stoi(response.head.substr(9, 3));
    return response;
}

HttpResponse httpRequest(int port, const std::string& method, const std::string& target,
                         const std::string& body, const std::string& token) {
    HttpConnection connection(port);
    return connection.request(method, target, body, token);
}

} // namespace testsupport
