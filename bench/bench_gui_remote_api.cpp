// Measures the network interface of a running window (offscreen platform, 4 x 3
// wall, no units: the status is read from the model) over loopback:
// - GET /api/v1/status answered one after the other on one connection while the
//   window is idle: the time from sending to the whole reply, median, 99th
//   percentile and slowest;
// - 8 clients, each on its own connection, sending 200 requests each at once, in
//   rounds: how many were answered, and the resident memory after each round.
//
//   bench_gui_remote_api [--requests N] [--rounds N]
#include "http_client.h"
#include "main/main_form.h"
#include "remote_api/remote_api_server.h"
#include "resident_memory.h"
#include "silent_operator.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* kToken = "00112233445566778899aabbccddeeff";

// Serves on this thread until `done` holds.
void serveUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    loop.exec();
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

} // namespace

int main(int argc, char** argv) {
    int requests = 2000;
    int rounds = 5;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--requests"))
            requests = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--rounds"))
            rounds = std::max(1, std::atoi(argv[++i]));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    std::ofstream(folder.filePath("mlcenter.INI").toStdString())
        << "[General]\nRunWizardAtStartup=0\n[Videowall]\nWidth=4\nHeight=3\n"
        << "[Remote]\nEnabled=1\nPort=0\nToken=" << kToken << "\n";
    bench::SilentOperator op;
    mlgui::MainFormSetup setup;
    setup.programDir = QDir(folder.path()).absolutePath().toStdString() + "/";
    setup.op = &op;
    mlgui::TMainFRM window(std::move(setup));
    window.show();
    const auto server = [&] { return window.findChild<mlgui::RemoteApiServer*>("RemoteApiServer"); };
    serveUntil([&] { return server() && server()->port() != 0; });
    const int port = server()->port();

    // One client, one request at a time.
    std::vector<double> ms;
    std::atomic<bool> finished = false;
    std::thread single([&] {
        testsupport::HttpConnection connection(port);
        for (int i = 0; i < requests; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const testsupport::HttpResponse reply = connection.request("GET", "/api/v1/status", "", kToken);
            const auto end = std::chrono::steady_clock::now();
            if (reply.status != 200)
                break;
            ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        finished = true;
    });
    serveUntil([&] { return finished.load(); });
    single.join();
    std::printf("GET /api/v1/status, %zu of %d answered one after the other: median %.3f ms, "
                "99th percentile %.3f ms, slowest %.3f ms\n",
                ms.size(), requests, percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0));

    // Eight clients at once.
    constexpr int kClients = 8;
    constexpr int kEach = 200;
    std::printf("resident memory before the rounds: %ld KiB\n", bench::residentKiB());
    for (int round = 1; round <= rounds; ++round) {
        std::atomic<int> answered = 0;
        std::atomic<int> done = 0;
        std::vector<std::thread> clients;
        for (int c = 0; c < kClients; ++c)
            clients.emplace_back([&, c] {
                testsupport::HttpConnection connection(port);
                for (int i = 0; i < kEach; ++i) {
                    const bool monitor = (i + c) % 2 == 1;
                    const auto reply = connection.request(
                        "GET",
                        monitor ? "/api/v1/monitors/" + std::to_string(c % 4 + 1) + "/1" : "/api/v1/status",
                        "", kToken);
                    answered += reply.status == 200 ? 1 : 0;
                }
                ++done;
            });
        serveUntil([&] { return done.load() == kClients; });
        for (std::thread& client : clients)
            client.join();
        std::printf("round %d: %d clients x %d requests, %d answered, resident memory %ld KiB\n", round,
                    kClients, kEach, answered.load(), bench::residentKiB());
    }
    return 0;
}
