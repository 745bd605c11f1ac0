// A termination request ends the program as closing it does, without a question.
#include "app/end_requests.h"
#include "files/wall_file.h"
#include "main_window_fixture.h"
#include "paths.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class ProgramEnd : public guitest::MainWindowFixture {};

using testsupport::readAll;

TEST_F(ProgramEnd, ATerminationSignalOnAModifiedWallAsksNothingAndKeepsTheWall) {
    mlgui::EndRequests requests;
    mlgui::TMainFRM& w = openWindow();
    requests.follow(w);
    w.actions().AutosetEnlargmentACTN->trigger();
    ASSERT_TRUE(w.center().wall().VideowallModified);
    const auto wall = mlc::encodeVideowall(mlc::wallSettingsOf(w.center().wall().Monitors));
    const auto questions = op.questions.size();

    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QTimer watchdog; // in case the loop would not end
    watchdog.callOnTimeout([] { QCoreApplication::exit(1); });
    watchdog.start(30000);
    EXPECT_EQ(requests.exec(), 0);
    EXPECT_EQ(op.questions.size(), questions);
    EXPECT_TRUE(w.isVisible()); // closed by the loop's end, not by a close event

    closeWindow();
    EXPECT_EQ(readAll(path("lastused.MLV")), wall);
    for (const char* file : {"lastused.MLS", "lastused.MLD", "mlcenter.INI"})
        EXPECT_TRUE(std::filesystem::exists(path(file))) << file;
}

} // namespace
