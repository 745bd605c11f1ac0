// The network interface of the running program, through a real server on
// 127.0.0.1 and the emulated chain: what each route does to the units and to the
// wall, and every refusal.
#include "binding/exchange_gate.h"
#include "files/atomic_file.h"
#include "files/wall_file.h"
#include "modal.h"
#include "remote_api_fixture.h"
#include "sequencer/sequence_file.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>

#include <fstream>
#include <sstream>

namespace {

using testsupport::HttpResponse;

class RemoteApi : public guitest::RemoteApiFixture {
protected:
    // A wall file in the program folder: every monitor at `brightness` percent.
    void writeWallFile(const std::string& name, int brightness) {
        mlc::WallGrid grid = window->center().wall().Monitors;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                grid.at(c, r).Settings.Brightness = brightness * 1000;
        ASSERT_TRUE(mlc::writeFileAtomically(path(name), mlc::encodeVideowall(mlc::wallSettingsOf(grid))));
    }
    std::string unitLine(int id, const std::string& what) {
        std::istringstream lines(emu->state());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("unit " + std::to_string(id) + " " + what, 0) == 0)
                return line;
        return {};
    }
};

TEST_F(RemoteApi, ReadsAnswerWhatTheWallHolds) {
    openServing();
    const HttpResponse status = call("GET", "/api/v1/status");
    EXPECT_EQ(status.status, 200);
    EXPECT_EQ(status.header("Content-Type"), "application/json");
    EXPECT_EQ(status.body,
              R"({"columns":2,"rows":2,"synced":false,"serialLink":true,"modified":false,)"
              R"("busy":false,"videowallFile":"","sequenceFile":"","sequencer":{"playing":false,)"
              R"("loop":false,"items":0,"current":-1},"reports":0})");
    const auto monitors = json(call("GET", "/api/v1/monitors"));
    ASSERT_EQ(monitors.size(), 4u);
    EXPECT_EQ(monitors[1]["column"], 2);
    EXPECT_EQ(monitors[1]["id"], 2);
    EXPECT_EQ(monitors[2]["row"], 2);
    EXPECT_EQ(json(call("GET", "/api/v1/monitors/1/2"))["id"], 3);
    const HttpResponse outside = call("GET", "/api/v1/monitors/3/1");
    EXPECT_EQ(outside.status, 404);
    EXPECT_EQ(outside.body, R"({"error":"No monitor at column 3, row 1: the wall has 2 x 2 monitors"})");
}

TEST_F(RemoteApi, PatchWritesTheMonitorAsTheDialogsOkDoes) {
    mlgui::TMainFRM& w = openServing();
    const HttpResponse changed =
        call("PATCH", "/api/v1/monitors/2/1", R"({"brightness": 30, "input": "isDVI1", "xZoom": 50})");
    ASSERT_EQ(changed.status, 200) << changed.body;
    const auto monitor = json(changed);
    EXPECT_EQ(monitor["brightness"], 30.0);
    EXPECT_EQ(monitor["input"], "isDVI1");
    EXPECT_EQ(monitor["synced"], true);
    EXPECT_NEAR(unitPercent(2, "op_BRIGHTNESS", "wnWIN_MAIN"), 30000, 500);
    EXPECT_EQ(unitItem(2, "op_SELECT_SOURCE", "wnWIN_MAIN"), "isDVI1");
    EXPECT_TRUE(w.center().wall().VideowallModified);
    EXPECT_NE(w.windowTitle().indexOf("*]"), -1) << "the window shows the change";

    // A value out of range changes nothing, on the wall or on the unit.
    const HttpResponse refused =
        call("PATCH", "/api/v1/monitors/2/1", R"({"brightness": 30, "contrast": 101})");
    EXPECT_EQ(refused.status, 422);
    EXPECT_EQ(refused.body, R"({"error":"contrast: must be a number from 0 to 100"})");
    EXPECT_EQ(w.center().wall().Monitors.at(2, 1).Settings.Contrast, 50000);
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

TEST_F(RemoteApi, APatchTheUnitDoesNotTakeIs502AndLeavesTheMonitorUnsynced) {
    // Monitor 2, 2 is unit 9, which is not on the chain.
    mlgui::TMainFRM& w = openServing("MonitorID_2_2=9\n");
    mlc::WallModel& wall = w.center().wall();
    wall.Monitors.at(2, 2).Synced = true;
    const HttpResponse failed = call("PATCH", "/api/v1/monitors/2/2", R"({"brightness": 20})");
    EXPECT_EQ(failed.status, 502);
    EXPECT_EQ(json(failed)["error"].get<std::string>().rfind("ERROR ($", 0), 0u) << failed.body;
    EXPECT_FALSE(wall.Monitors.at(2, 2).Synced);
    EXPECT_TRUE(op.messages.empty()) << "no box: " << op.messages[0].text;

    // The failure is in the message log for a control system to find.
    const auto status = json(call("GET", "/api/v1/status"));
    const auto reports = json(call("GET", "/api/v1/reports?since=0"));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back()["number"], status["reports"]);
    EXPECT_EQ(reports.back()["kind"], "error");
    EXPECT_EQ(reports.back()["text"], json(failed)["error"]);
    EXPECT_EQ(json(call("GET", "/api/v1/reports?since=" + status["reports"].dump())).size(), 0u);
    EXPECT_EQ(call("GET", "/api/v1/reports?since=x").status, 422);
}

TEST_F(RemoteApi, WallMemoryAndEventCommandsReachTheUnits) {
    mlgui::TMainFRM& w = openServing();
    writeWallFile("scene.MLV", 20);
    w.center().wall().VideowallModified = true; // unsaved changes give way to the request

    auto status = json(call("POST", "/api/v1/wall/open", R"({"file": "scene.MLV"})"));
    EXPECT_EQ(status["videowallFile"], "scene.MLV");
    EXPECT_EQ(status["modified"], false);
    EXPECT_EQ(status["synced"], true);
    for (int id = 1; id <= 4; ++id)
        EXPECT_NEAR(unitPercent(id, "op_BRIGHTNESS", "wnWIN_MAIN"), 20000, 500) << id;
    EXPECT_NE(op.reportTexts().back().find("Unsaved changes to the videowall were discarded"),
              std::string::npos);
    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [Untitled - scene.MLV]");

    EXPECT_EQ(call("POST", "/api/v1/wall/write").status, 200);
    EXPECT_EQ(json(call("POST", "/api/v1/wall/resync"))["synced"], true);

    EXPECT_EQ(call("POST", "/api/v1/memory/store", R"({"number": 3})").status, 200);
    EXPECT_NE(unitLine(1, "memory 3 op_BRIGHTNESS"), "");
    status = json(call("POST", "/api/v1/memory/recall", R"({"number": 3})"));
    EXPECT_EQ(status["synced"], false) << "the units hold what the memory had";
    EXPECT_EQ(call("POST", "/api/v1/memory/recall", R"({"number": 17})").status, 422);

    EXPECT_EQ(call("POST", "/api/v1/events", R"({"name": "veNUM0"})").status, 200);
    EXPECT_NE(unitLine(4, "event veNUM0"), "");
    EXPECT_EQ(call("POST", "/api/v1/events", R"({"name": "veLAUNCH"})").body,
              R"({"error":"name: \"veLAUNCH\" is not the event of a key of the remote control"})");
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
    EXPECT_TRUE(op.questions.empty());
}

TEST_F(RemoteApi, TheSequenceIsOpenedExecutedPlayedAndStopped) {
    mlgui::TMainFRM& w = openServing();
    mlc::SequenceItems items;
    for (int brightness : {10, 40}) {
        items.push_back(mlc::NewSequenceItem());
        items.back()->Settings = mlc::wallSettingsOf(w.center().wall().Monitors);
        for (mlc::TMonitorSettings& s : items.back()->Settings)
            s.Brightness = brightness * 1000;
        items.back()->Minutes = 5; // nothing fires while the test runs
    }
    ASSERT_TRUE(mlc::writeFileAtomically(path("show.mls"), mlc::encodeSequence(items)));

    auto status = json(call("POST", "/api/v1/sequence/open", R"({"file": "show.mls"})"));
    EXPECT_EQ(status["sequenceFile"], "show.mls");
    EXPECT_EQ(status["sequencer"]["items"], 2);
    EXPECT_EQ(call("POST", "/api/v1/sequence/execute", R"({"item": 2})").status, 422);
    EXPECT_EQ(call("POST", "/api/v1/sequence/execute", R"({"item": 1})").status, 200);
    EXPECT_NEAR(unitPercent(3, "op_BRIGHTNESS", "wnWIN_MAIN"), 40000, 500);
    EXPECT_EQ(w.center().wall().Monitors.at(1, 2).Settings.Brightness, 40000);

    EXPECT_EQ(json(call("POST", "/api/v1/sequence/play"))["sequencer"]["playing"], true);
    EXPECT_TRUE(w.actions().PlayACTN->isChecked()) << "the window follows";
    EXPECT_EQ(json(call("POST", "/api/v1/sequence/stop"))["sequencer"]["playing"], false);
    EXPECT_FALSE(w.actions().PlayACTN->isChecked());
}

TEST_F(RemoteApi, RefusalsChangeNothing) {
    mlgui::TMainFRM& w = openServing();
    writeWallFile("scene.MLV", 20);
    const std::size_t traffic = emu->logLines().size();

    EXPECT_EQ(call("GET", "/api/v1/status", "", "").status, 401);
    const HttpResponse wrongToken = call("POST", "/api/v1/wall/open", R"({"file": "scene.MLV"})", "guess");
    EXPECT_EQ(wrongToken.status, 401);
    EXPECT_EQ(wrongToken.header("WWW-Authenticate"), "Bearer");
    EXPECT_EQ(call("GET", "/api/v1/nothing").status, 404);
    const HttpResponse wrongMethod = call("DELETE", "/api/v1/wall/write");
    EXPECT_EQ(wrongMethod.status, 405);
    EXPECT_EQ(wrongMethod.header("Allow"), "POST");
    EXPECT_EQ(call("POST", "/api/v1/wall/open", "scene.MLV").status, 400);
    EXPECT_EQ(call("POST", "/api/v1/wall/open", std::string(64 * 1024 + 1, ' ')).status, 413);
    // Far too much is not kept in memory to be refused later: the connection is cut.
    EXPECT_EQ(call("POST", "/api/v1/wall/open", std::string(4 * 1024 * 1024, ' '), "").status, 0);
    for (const char* file : {"../scene.MLV", "/tmp/scene.MLV", "sub/scene.MLV"}) {
        const HttpResponse outside = call("POST", "/api/v1/wall/open", nlohmann::json{{"file", file}}.dump());
        EXPECT_EQ(outside.status, 422) << file;
        EXPECT_EQ(json(outside)["error"].get<std::string>().rfind("file: ", 0), 0u);
    }
    EXPECT_EQ(call("POST", "/api/v1/wall/open", R"({"file": "missing.MLV"})").body,
              R"({"error":"file: missing.MLV could not be opened: missing"})");

    EXPECT_EQ(w.center().videowallFileName(), "");
    EXPECT_EQ(emu->logLines().size(), traffic) << "nothing reached the units";
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;
}

TEST_F(RemoteApi, CommandsAreRefusedDuringAWallWriteAndADialog) {
    mlgui::TMainFRM& w = openServing();
    HttpResponse during;
    HttpResponse statusDuring;
    bool sent = false;
    // The wall write lets window events through between monitors: a request then.
    op.onPendingEvents = [&] {
        if (sent)
            return;
        sent = true;
        during = call("PATCH", "/api/v1/monitors/1/1", R"({"brightness": 10})");
        statusDuring = call("GET", "/api/v1/status");
    };
    EXPECT_EQ(call("POST", "/api/v1/wall/write").status, 200);
    op.onPendingEvents = {};
    EXPECT_EQ(during.status, 409);
    EXPECT_EQ(json(during)["error"], mlc::kExchangeBusyMessage);
    EXPECT_EQ(json(statusDuring)["busy"], true);
    EXPECT_EQ(w.center().wall().Monitors.at(1, 1).Settings.Brightness, 50000);

    HttpResponse inDialog;
    guitest::whenModalOpens("AboutFRM", [&](QWidget* about) {
        inDialog = call("POST", "/api/v1/events", R"({"name": "veMENUUP"})");
        EXPECT_EQ(json(call("GET", "/api/v1/status"))["busy"], true);
        static_cast<QDialog*>(about)->reject();
    });
    w.actions().AboutACTN->trigger();
    EXPECT_EQ(inDialog.status, 409);
    EXPECT_EQ(json(inDialog)["error"], "A dialog is open in the window. Try again when it has been closed.");
    EXPECT_EQ(unitLine(1, "event veMENUUP"), "");
    EXPECT_EQ(call("POST", "/api/v1/events", R"({"name": "veMENUUP"})").status, 200);
}

TEST_F(RemoteApi, APortInUseIsReportedOnceAndThePreferencesSwitchItOn) {
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress::LocalHost));
    writeSettings("[Remote]\nEnabled=1\nPort=" + std::to_string(occupant.serverPort()) +
                  "\nToken=" + guitest::kRemoteToken + "\n");
    mlgui::TMainFRM& w = openWindow();
    const auto cannotListen = [this] {
        return std::count_if(op.reports.begin(), op.reports.end(),
                             [](const auto& r) { return r.text.find("cannot listen") != std::string::npos; });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return cannotListen() > 0; }, 30000));
    EXPECT_EQ(port(), 0);

    // Another port from the preferences: served at once, and stored at once.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const int free = probe.serverPort();
    probe.close();
    guitest::whenModalOpens("PreferencesFRM", [&](QWidget* dialog) {
        EXPECT_TRUE(dialog->findChild<QCheckBox*>("RemoteEnabledCHK")->isChecked());
        EXPECT_EQ(dialog->findChild<QLineEdit*>("RemoteTokenEDT")->text().toStdString(),
                  guitest::kRemoteToken);
        dialog->findChild<QSpinBox*>("RemotePortEDT")->setValue(free);
        guitest::saveShot(dialog, "preferences-remote-control");
        dialog->findChild<QPushButton*>("OkBTN")->click();
    });
    w.actions().PreferencesACTN->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return port() == free; }, 30000));
    EXPECT_EQ(call("GET", "/api/v1/status").status, 200);
    EXPECT_EQ(cannotListen(), 1);
    std::ifstream ini(path("mlcenter.INI"));
    const std::string text{std::istreambuf_iterator<char>(ini), {}};
    EXPECT_NE(text.find("Port=" + std::to_string(free) + "\nToken=" + guitest::kRemoteToken),
              std::string::npos)
        << text;
}

} // namespace
