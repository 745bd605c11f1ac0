#include "app/termination_signals.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// A termination signal reaches the program's event loop as a call, instead of
// ending the process on the spot (which would skip saving the automatic files).
TEST(TerminationSignals, ATerminationRequestBecomesACallOnTheEventLoop) {
    int received = 0;
    const mlgui::TerminationSignals requests([&](int signal) { received = signal; });
    ASSERT_TRUE(requests.installed());
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(received, 0); // not inside the handler
    QElapsedTimer waited;
    waited.start();
    while (received == 0 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(received, SIGTERM);
}

} // namespace
