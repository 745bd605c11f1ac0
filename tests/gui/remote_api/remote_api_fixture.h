// A window serving the network interface on 127.0.0.1 (a free port) over a 2 x 2
// wall of emulated units 1..4, and a client to talk to it from the test: each call
// runs on a thread of its own while the window's event loop serves it.
#pragma once

#include "http_client.h"
#include "main_window_fixture.h"
#include "remote_api/remote_api_server.h"

#include <QTest>

#include <nlohmann/json.hpp>

#include <future>

namespace guitest {

inline constexpr const char* kRemoteToken = "00112233445566778899aabbccddeeff";

class RemoteApiFixture : public MainWindowFixture {
protected:
    // Units 1..4 as the wall's monitors row by row; `ini` adds settings.
    mlgui::TMainFRM& openServing(const std::string& ini = "") {
        startEmulator("1-4");
        writeSettings(std::string("[Videowall]\nWidth=2\nHeight=2\nMonitorID11=1\nMonitorID12=2\n") +
                      "MonitorID21=3\nMonitorID22=4\n" + ini +
                      "[Remote]\nEnabled=1\nPort=0\nToken=" + kRemoteToken + "\n");
        mlgui::TMainFRM& w = openWindow();
        // The server starts once the window's event loop runs.
        EXPECT_TRUE(QTest::qWaitFor([this] { return port() != 0; }, 30000));
        return w;
    }

    mlgui::RemoteApiServer* server() {
        return window ? window->findChild<mlgui::RemoteApiServer*>("RemoteApiServer") : nullptr;
    }
    int port() { return server() ? server()->port() : 0; }

    // Sends the request from another thread and serves it until the reply is in.
    testsupport::HttpResponse call(const std::string& method, const std::string& target,
                                   const std::string& body = "", const std::string& token = kRemoteToken) {
        auto reply = std::async(std::launch::async, [=, port = port()] {
            return testsupport::httpRequest(port, method, target, body, token);
        });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 60000));
        return reply.get();
    }
    static nlohmann::json json(const testsupport::HttpResponse& r) {
        return nlohmann::json::parse(r.body, nullptr, false);
    }

    testsupport::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
};

} // namespace guitest
