// The packet log that LVDRIVER_TRAFFIC asks for.
#include "driver_fixture.h"
#include "paths.h"

#include <fstream>
#include <sstream>

namespace drivertest {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class TrafficLogOnPty : public DriverOnPty {
protected:
    void SetUp() override {
        ScopedEnv traffic("LVDRIVER_TRAFFIC", logPath.c_str());
        plugin.reset();
        plugin = std::make_unique<testsupport::PluginLibrary>();
        openPort();
    }
    testsupport::TempDir dir;
    std::string logPath = dir.file("traffic.log");
};

TEST_F(TrafficLogOnPty, LogsEachPacketWithItsBytesAndTheReply) {
    peer.replyNext({LV_LINK_ACK});
    auto detection = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(detection.get()), LV_LINK_ACK);
    peer.replyNext({LV_LINK_VALUE, 0x34, 0x12});
    auto other = makePacket(9, {1, 2});
    EXPECT_EQ(plugin->sendPacket(other.get()), 0x1234001Cu);
    const std::string log = readFile(logPath);
    EXPECT_NE(log.find(" sent unit=? port detection | BE EF 01 05 00 A9 4E 06 00 00 00 00\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(" reply unit=? acknowledge (6)\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" sent unit=? type=9 length=2 | BE EF 09 02 00"), std::string::npos) << log;
    EXPECT_NE(log.find(" reply unit=? value (28) 4660\n"), std::string::npos) << log;
}

TEST_F(TrafficLogOnPty, TestModeSaysNothingWasSent) {
    ASSERT_EQ(setFlag(LV_CMD_SET_TEST_MODE_STATUS, true), LV_RESULT_OK);
    auto detection = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin->sendPacket(detection.get()), LV_LINK_ACK);
    EXPECT_NE(readFile(logPath).find(" not sent (test mode) unit=? port detection |"), std::string::npos);
}

} // namespace
} // namespace drivertest
