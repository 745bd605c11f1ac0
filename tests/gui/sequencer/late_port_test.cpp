// An unattended wall whose serial adapter appears after the program has started.
#include "main_window_fixture.h"
#include "sequencer/sequence_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <unistd.h>

namespace {

class LatePort : public guitest::MainWindowFixture {};

TEST_F(LatePort, AnAutoStartSequenceReachesTheUnitsOnceTheirPortAppears) {
    startEmulator("1");
    const std::string device = path("ttyUSB0"); // not there yet
    const testsupport::ScopedEnv ports("LVDRIVER_PORTS", device);
    mlc::SequenceItems items;
    items.push_back(mlc::NewSequenceItem());
    items[0]->TimeMode = mlc::FromStart;
    items[0]->Seconds = 0;
    for (mlc::TMonitorSettings& settings : items[0]->Settings) {
        settings.XZoom = settings.YZoom = 100;
        settings.Brightness = 42000;
    }
    ASSERT_TRUE(mlc::saveSequenceFile(op, path("auto.MLS"), items));
    writeSettings("[Videowall]\nWidth=1\nHeight=1\nMonitorID11=1\n[Sequencer]\nAutoStartSequence=" +
                  path("auto.MLS") + "\n");

    mlgui::TMainFRM& w = openWindow();
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text; // no box waits for anyone
    ASSERT_FALSE(op.reports.empty());
    EXPECT_NE(op.reports[0].text.find(device), std::string::npos) << op.reports[0].text;
    ASSERT_TRUE(w.center().sequencer().playing());

    ASSERT_EQ(::symlink(emu->terminal().c_str(), device.c_str()), 0);
    clock += 10.0 / 86400; // the next try of the port is due
    QElapsedTimer waited;
    waited.start();
    while (w.center().sequencer().playing() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_FALSE(w.center().sequencer().playing()); // its one item went out
    EXPECT_EQ(op.reports.back().text, "COM1 is open now.");
    EXPECT_NEAR(unitPercent(1, "op_BRIGHTNESS", "wnWIN_MAIN"), 42000, 500);
    EXPECT_TRUE(op.messages.empty());
}

} // namespace
