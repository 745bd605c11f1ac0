#include "wine_native.h"

#include "paths.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include <winsock2.h>
// After winsock2.h:
#include <windows.h>

namespace testsupport {
namespace {

void startWinsock() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        throw std::runtime_error("Winsock did not start");
}

std::string winePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        throw std::runtime_error("WINEPREFIX is not set: run the tests with scripts/test-windows");
    return prefix;
}

// An argument as Wine splits a command line for a Unix program.
std::string quoted(const std::string& argument) {
    std::string text = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + "\"";
}

} // namespace

std::string unixPath(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    static const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        throw std::runtime_error("not running under Wine");
    std::wstring wide(windowsPath.size() + 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* converted = convert(wide.c_str());
    if (!converted)
        throw std::runtime_error("no Unix path for " + windowsPath);
    std::string path = converted;
    ::HeapFree(::GetProcessHeap(), 0, converted);
    return path;
}

WinePort::WinePort() {
    // A lock file held without sharing; a stale one (its holder died) opens again.
    // Not "com1.lock": with any extension that is the device COM1.
    const std::string locks = "Z:" + winePrefix() + "/ports/taken-com";
    for (int n = 1; n <= 8 && !lock_; ++n) {
        const HANDLE lock = ::CreateFileA((locks + std::to_string(n)).c_str(), GENERIC_WRITE, 0, nullptr,
                                          OPEN_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (lock != INVALID_HANDLE_VALUE) {
            lock_ = lock;
            number_ = n;
        }
    }
    if (!lock_)
        throw std::runtime_error("all COM ports of the Wine prefix are taken");
}

WinePort::~WinePort() {
    ::CloseHandle(lock_);
}

std::string WinePort::link() const {
    return winePrefix() + "/ports/com" + std::to_string(number_);
}

NativeHelper::NativeHelper(const std::vector<std::string>& modeAndArgs) : socket_(INVALID_SOCKET) {
    startWinsock();
    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (listener == INVALID_SOCKET || ::bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no listening socket for the native helper");

    std::string command = "/usr/bin/python3 " +
                          quoted(unixPath(sourcePath("tests/support/wine_native_helper.py"))) + " " +
                          std::to_string(ntohs(address.sin_port));
    for (const std::string& argument : modeAndArgs)
        command += " " + quoted(argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        ::closesocket(listener);
        throw std::runtime_error("cannot start " + command);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    // Generous: Python and the program it runs start slowly on a busy machine.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener, &readable);
    timeval limit{20, 0};
    if (::select(0, &readable, nullptr, nullptr, &limit) == 1)
        socket_ = ::accept(listener, nullptr, nullptr);
    ::closesocket(listener);
    if (socket_ == INVALID_SOCKET)
        throw std::runtime_error("the native helper did not connect: " + command);
}

NativeHelper::~NativeHelper() {
    // The helper sees the end of the connection, removes what it made (a link
    // the port's next user makes anew) and closes its end: only then is it done.
    ::shutdown(socket_, SD_SEND);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::uint8_t rest[256];
    while (std::chrono::steady_clock::now() < deadline) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval limit{0, 100000};
        if (::select(0, &readable, nullptr, nullptr, &limit) == 1 &&
            ::recv(socket_, reinterpret_cast<char*>(rest), sizeof rest, 0) <= 0)
            break;
    }
    ::closesocket(socket_);
}

bool NativeHelper::send(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const int sent = ::send(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::size_t NativeHelper::receive(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &limit) != 1)
        return 0;
    const int got = ::recv(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::string NativeHelper::receiveLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    std::uint8_t c = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (receive(&c, 1, 50) == 0)
            continue;
        if (c == '\n')
            break;
        line += static_cast<char>(c);
    }
    return line;
}

} // namespace testsupport
