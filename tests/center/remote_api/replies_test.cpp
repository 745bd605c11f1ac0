// What the network interface answers with, to the byte, and its description
// against the routes it has.
#include "paths.h"
#include "remote_api/replies.h"
#include "remote_api/request_routing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

TEST(RemoteReplies, AreTheDescribedObjects) {
    mlc::WallModel wall;
    mlc::MatchLists lists;
    lists.InputSources.Ids = {"isANALOGRGB1", "isDVI1"};
    mlc::TWallMonitor& m = wall.Monitors.at(2, 1);
    m.DeviceId = 12;
    m.Synced = true;
    m.Settings.SourceInput = 1;
    m.Settings.XZoom = 25.0;
    m.Settings.YZoom = 100.0 / 3;
    m.Settings.XPosition = 25.0;
    m.Settings.Brightness = 30500;
    EXPECT_EQ(
        mlc::monitorJson(wall, lists, 2, 1).dump(),
        R"({"column":2,"row":1,"id":12,"synced":true,"input":"isDVI1","xPosition":25.0,"yPosition":0.0,)"
        R"("xZoom":25.0,"yZoom":33.333333333333336,"brightness":30.5,"contrast":50.0})");
    m.Settings.SourceInput = 7; // no identifier at that position
    EXPECT_EQ(mlc::monitorJson(wall, lists, 2, 1)["input"], nullptr);

    mlc::ProgramStatus status;
    status.columns = 4;
    status.rows = 3;
    status.videowallFile = "scene.MLV";
    status.reports = 3;
    EXPECT_EQ(mlc::statusJson(status).dump(),
              R"({"columns":4,"rows":3,"synced":false,"serialLink":true,"modified":false,"busy":false,)"
              R"("videowallFile":"scene.MLV","sequenceFile":"","sequencer":{"playing":false,"loop":false,)"
              R"("items":0,"current":-1},"reports":3})");

    EXPECT_EQ(mlc::jsonReply(200, mlc::reportsJson({{4, "2024-05-01T13:02:11+02:00", mlc::MessageKind::Error,
                                                     "ERROR ($05): \xff"}}))
                  .body,
              R"([{"number":4,"time":"2024-05-01T13:02:11+02:00","kind":"error","text":"ERROR ($05): )"
              "\xef\xbf\xbd\"}]");
}

// The OpenAPI description names every route the interface has, and no other.
TEST(RemoteReplies, DescriptionNamesEveryRoute) {
    std::ifstream file(testsupport::sourcePath("docs/remote-api.yaml"));
    ASSERT_TRUE(file) << "docs/remote-api.yaml";
    std::set<std::string> described;
    std::string path;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("  /", 0) == 0 && line.back() == ':') {
            path = line.substr(2, line.size() - 3);
        } else if (!path.empty() && line.rfind("    ", 0) == 0 && line[4] != ' ' && line.back() == ':') {
            const std::string method = line.substr(4, line.size() - 5);
            if (method == "get" || method == "post" || method == "patch" || method == "put" ||
                method == "delete")
                described.insert(method + " " + path);
        } else if (!line.empty() && line[0] != ' ') {
            path.clear(); // past the paths
        }
    }
    std::set<std::string> served;
    for (const mlc::RouteSpec& route : mlc::remoteRoutes()) {
        std::string method = route.method;
        std::transform(method.begin(), method.end(), method.begin(), ::tolower);
        served.insert(method + " " + route.path);
    }
    EXPECT_EQ(described, served);
}

} // namespace
