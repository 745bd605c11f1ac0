// A line whose far end goes away (a terminal closed, a USB adapter pulled) while
// the plug-in holds the port: the exchange must end as a port error, in time.
#include "driver_fixture.h"

#include <chrono>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace drivertest {
namespace {

struct Outcome {
    int result = -1;
    int closed = -1; // closing the port afterwards
    double seconds = 0;
    char text[256] = {};
};

// Runs one OEM exchange in a child process, so that an exchange that never ends
// fails the test instead of hanging it. The far end of the line (`master`) stays
// with the test, which hangs it up once the packet has arrived.
std::optional<Outcome> exchangeThenHangUp(testsupport::PluginLibrary& plugin, int master,
                                          std::chrono::seconds limit) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(master);
        Outcome outcome;
        std::uint8_t data[4] = {1, 2, 3, 4};
        LvCell id = 1, size = sizeof data, address = reinterpret_cast<LvCell>(data);
        const auto start = std::chrono::steady_clock::now();
        outcome.result = plugin.run("SendOEM", &id, &size, &address);
        outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const std::string text = plugin.lastErrorText();
        text.copy(outcome.text, sizeof outcome.text - 1);
        outcome.closed = plugin.closeHardwarePort();
        (void)!write(pipeFds[1], &outcome, sizeof outcome);
        _exit(0);
    }
    close(pipeFds[1]);
    pollfd line{master, POLLIN, 0};
    std::uint8_t packet[64];
    const bool sent = poll(&line, 1, 5000) > 0 && read(master, packet, sizeof packet) > 0;
    close(master); // the unit's end goes away while the plug-in waits for the answer
    Outcome outcome;
    pollfd entry{pipeFds[0], POLLIN, 0};
    const bool answered = sent && poll(&entry, 1, static_cast<int>(limit.count() * 1000)) > 0 &&
                          read(pipeFds[0], &outcome, sizeof outcome) == sizeof outcome;
    close(pipeFds[0]);
    if (!answered)
        kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!answered)
        return std::nullopt;
    return outcome;
}

TEST(LineHangUp, AnExchangeOnAHungUpLineEndsAsAPortErrorWithinItsDeadlineAndThePortCloses) {
    int master = -1, slave = -1;
    char name[256];
    termios raw{};
    cfmakeraw(&raw);
    ASSERT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
    close(slave);
    ScopedEnv ports("LVDRIVER_PORTS", name);
    ScopedEnv definitions("LVDRIVER_DEFINITIONS", "");
    testsupport::PluginLibrary plugin;
    ASSERT_EQ(plugin.openHardwarePort(1), LV_RESULT_OK);

    // The product's time-outs: a write of 15 bytes and the wait for the answer
    // take at most 2.5 s and 1.2 s; the bound is generous.
    const auto outcome = exchangeThenHangUp(plugin, master, std::chrono::seconds(20));
    ASSERT_TRUE(outcome) << "the exchange did not end";
    EXPECT_EQ(outcome->result, LV_RESULT_IO_ERROR);
    EXPECT_LT(outcome->seconds, 5.0);
    EXPECT_NE(std::string(outcome->text).find("(errno "), std::string::npos) << outcome->text;
    EXPECT_EQ(std::string(outcome->text).find("win error"), std::string::npos) << outcome->text;
    EXPECT_EQ(outcome->closed, LV_RESULT_OK); // so that the port can be opened again
}

} // namespace
} // namespace drivertest
