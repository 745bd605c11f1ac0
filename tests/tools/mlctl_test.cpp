// mlctl run as a program against emulated units, as a script would run it.
#include "emulator_process.h"
#include "files/wall_file.h"
#include "paths.h"
#include "program_run.h"
#include "test_timeouts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

using testsupport::EmulatorProcess;
using testsupport::ProgramResult;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void writeWallFile(const std::string& path, const mlc::WallSettings& settings) {
    const auto bytes = mlc::encodeVideowall(settings);
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

std::size_t countLines(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text)
        lines += c == '\n';
    return lines;
}

// A settings file for a wall of the given size with the given IDs, row by row.
std::string settingsText(int columns, int rows, const std::vector<int>& ids) {
    std::string text =
        "[Videowall]\nWidth=" + std::to_string(columns) + "\nHeight=" + std::to_string(rows) + "\n";
    for (int row = 1; row <= rows; ++row)
        for (int column = 1; column <= columns; ++column)
            text += "MonitorID" + std::to_string(row) + std::to_string(column) + "=" +
                    std::to_string(ids[static_cast<std::size_t>((row - 1) * columns + column - 1)]) + "\n";
    return text;
}

class Mlctl : public ::testing::Test {
public:
    void startUnits(const std::string& ids, int columns, int rows, const std::vector<int>& wallIds,
                    const std::vector<std::string>& emulatorOptions = {}) {
        emu = std::make_unique<EmulatorProcess>(ids, emulatorOptions);
        writeFile(settings, settingsText(columns, rows, wallIds));
    }

    // A time-out scale of 0.05 lets absent units cost 60 ms instead of 1.2 s.
    ProgramResult run(std::vector<std::string> args, const std::string& input = "",
                      const std::string& timeoutScale = testsupport::timeoutScale(0.05)) {
        args.insert(args.begin(), {"--settings", settings, "--traffic", traffic});
        return testsupport::runProgram(testsupport::binPath("mlctl"), args,
                                       {{"LVDRIVER_PORTS", emu ? emu->link() : dir.file("none")},
                                        {"LVDRIVER_TIMEOUT_SCALE", timeoutScale}},
                                       input);
    }

    // Waits until the units have seen `count` packets of an operation: mlctl may
    // end before the emulator has read the last packets it wrote.
    void waitForOperation(const std::string& name, std::size_t count) {
        for (int i = 0; i < 100; ++i) {
            if (emu->logLines("name=" + name + " ").size() >= count)
                return;
            usleep(20000);
        }
    }

    // Operations the units received (rx lines), by name.
    std::vector<std::string> receivedOperations() const {
        std::vector<std::string> names;
        for (const auto& line : emu->logLines("dir=rx"))
            if (const std::string name = testsupport::fieldOf(line, "name"); !name.empty())
                names.push_back(name);
        return names;
    }

    testsupport::TempDir dir;
    std::string settings = dir.file("mlctl.INI");
    std::string traffic = dir.file("traffic.log");
    std::unique_ptr<EmulatorProcess> emu;
};

TEST_F(Mlctl, DetectsAChainWithGapsAndSavesItsShape) {
    emu = std::make_unique<EmulatorProcess>("3,5,20,31");
    const ProgramResult result = run({"detect", "--save"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("4 Marlune devices found: 3 5 20 31\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("grid: 2 x 2"), std::string::npos);
    const std::string ini = readFile(settings);
    for (const char* line : {"Width=2\n", "Height=2\n", "MonitorID11=3\n", "MonitorID12=5\n",
                             "MonitorID21=20\n", "MonitorID22=31\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

TEST_F(Mlctl, DetectionLeavesOutAnIdThatOnlyALateAnswerMadeAppear) {
    // Unit 96 answers its probe after 0.9 s, past the 0.6 s time-out (scale 0.5),
    // while ID 97, where nobody is, is being probed.
    emu = std::make_unique<EmulatorProcess>(
        "1-96,98-99", std::vector<std::string>{"--fault", "late,unit=96,at=1,delay=0.9"});
    writeFile(settings, "");
    // The scale is measured against the fault's delay, so it is not slowed down.
    const ProgramResult result = run({"detect"}, "", "0.5");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string found = result.out.substr(0, result.out.find('\n'));
    EXPECT_EQ(found.find(" 97"), std::string::npos) << found;
    EXPECT_NE(found.find(" 95 98 99"), std::string::npos) << found;
    EXPECT_NE(result.err.find("Device ID 97 answered only once and is left out of the wall"),
              std::string::npos)
        << result.err;
}

TEST_F(Mlctl, WrittenWallReadsBackTheSame) {
    startUnits("11,12,21,22", 2, 2, {11, 12, 21, 22});
    mlc::WallSettings wall{};
    for (auto& s : wall)
        s = mlc::TMonitorSettings{};
    auto& first = wall[mlc::placeIndex(1, 1)];
    first.Brightness = 30000;
    first.SourceInput = 2;
    first.Freeze = true;
    first.XZoom = 50.0;
    first.XPosition = 25.0;
    wall[mlc::placeIndex(2, 2)].Contrast = 80000;
    writeWallFile(dir.file("in.MLV"), wall);

    ProgramResult result = run({"write", dir.file("in.MLV")});
    ASSERT_EQ(result.status, 0) << result.err;
    result = run({"read", dir.file("out.MLV")});
    ASSERT_EQ(result.status, 0) << result.err;

    mlc::WallSettings back{};
    ASSERT_TRUE(mlc::loadVideowallFile(dir.file("out.MLV"), back));
    for (int column = 1; column <= 2; ++column)
        for (int row = 1; row <= 2; ++row) {
            const auto& sent = wall[mlc::placeIndex(column, row)];
            const auto& read = back[mlc::placeIndex(column, row)];
            SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
            EXPECT_EQ(read.SourceInput, sent.SourceInput);
            EXPECT_EQ(read.Freeze, sent.Freeze);
            EXPECT_EQ(read.Interpolation, sent.Interpolation);
            EXPECT_EQ(read.BindKey, sent.BindKey);
            // Percentages come back at the unit's resolution.
            EXPECT_NEAR(read.Brightness, sent.Brightness, 400);
            EXPECT_NEAR(read.Contrast, sent.Contrast, 400);
            EXPECT_NEAR(read.XZoom, sent.XZoom, 0.1);
            EXPECT_NEAR(read.XPosition, sent.XPosition, 0.1);
        }
}

// Plays a sequence of two items, the second changing the brightness of monitor
// 2, 1, and returns the operations the units received for the second item.
std::multiset<std::string> playBrighterSecondItem(Mlctl& test, const std::vector<std::string>& options) {
    mlc::WallSettings calm{};
    for (auto& s : calm)
        s = mlc::TMonitorSettings{};
    mlc::WallSettings bright = calm;
    bright[mlc::placeIndex(2, 1)].Brightness = 90000;
    writeWallFile(test.dir.file("calm.MLV"), calm);
    writeWallFile(test.dir.file("bright.MLV"), bright);
    ProgramResult result = test.run({"sequence", test.dir.file("show.MLS"), test.dir.file("calm.MLV") + "@0",
                                     test.dir.file("bright.MLV") + "@1"});
    EXPECT_EQ(result.status, 0) << result.err;

    std::vector<std::string> args = options;
    args.insert(args.end(), {"play", test.dir.file("show.MLS")});
    result = test.run(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("item 1: "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("item 2: "), std::string::npos);

    test.waitForOperation("op_IP_MISC_EXECUTEQUEUE", 2);
    // Everything after the first item's broadcast belongs to the second item.
    const std::vector<std::string> ops = test.receivedOperations();
    std::size_t firstBroadcast = 0;
    while (firstBroadcast < ops.size() && ops[firstBroadcast] != "op_IP_MISC_EXECUTEQUEUE")
        ++firstBroadcast;
    EXPECT_LT(firstBroadcast, ops.size());
    return std::multiset<std::string>(
        ops.begin() + static_cast<long>(std::min(firstBroadcast, ops.size())) + 1, ops.end());
}

TEST_F(Mlctl, SecondSequenceItemSendsOnlyTheChangedBrightness) {
    startUnits("11,12", 2, 1, {11, 12});
    const std::multiset<std::string> second = playBrighterSecondItem(*this, {});
    const std::multiset<std::string> expected{"op_IP_MISC_DEVICESELECTION",
                                              "op_IP_MISC_GPO",
                                              "op_IP_MISC_SETQUEUE", // unit 11
                                              "op_IP_MISC_DEVICESELECTION",
                                              "op_IP_MISC_GPO",
                                              "op_IP_MISC_SETQUEUE", // unit 12
                                              "op_BRIGHTNESS",
                                              "op_BRIGHTNESS", // range, set
                                              "op_IP_MISC_DEVICESELECTION",
                                              "op_IP_MISC_EXECUTEQUEUE"}; // broadcast
    EXPECT_EQ(second, expected);
}

TEST_F(Mlctl, QuickPlaySendsTheChangedMonitorAloneWithTheRangeItKnows) {
    startUnits("11,12", 2, 1, {11, 12});
    const std::multiset<std::string> second = playBrighterSecondItem(*this, {"--quick"});
    const std::multiset<std::string> expected{"op_IP_MISC_DEVICESELECTION", "op_IP_MISC_GPO",
                                              "op_IP_MISC_SETQUEUE",        "op_BRIGHTNESS",
                                              "op_IP_MISC_DEVICESELECTION", "op_IP_MISC_EXECUTEQUEUE"};
    EXPECT_EQ(second, expected);
}

TEST_F(Mlctl, VerifiedWriteNamesAUnitThatKeepsMissingTheBroadcast) {
    startUnits("11,12", 2, 1, {11, 12}, {"--fault", "miss,unit=12,op=op_IP_MISC_EXECUTEQUEUE"});
    mlc::WallSettings wall{};
    wall[mlc::placeIndex(2, 1)].Brightness = 90000;
    writeWallFile(dir.file("wall.MLV"), wall);
    EXPECT_EQ(run({"write", dir.file("wall.MLV")}).status, 0) << "unchecked, the miss goes unseen";
    const ProgramResult result = run({"--verify", "write", dir.file("wall.MLV")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Column 2, row 1 (ID 12)"), std::string::npos) << result.err;
}

TEST_F(Mlctl, AFailingUnitGivesTheDriverErrorAndAFailureStatus) {
    startUnits("11", 2, 1, {11, 13});
    mlc::WallSettings wall{};
    writeWallFile(dir.file("wall.MLV"), wall);
    const ProgramResult result = run({"write", dir.file("wall.MLV")});
    EXPECT_EQ(result.status, 1);
    // The one error line names the monitor (column, row) and its ID after the driver's text.
    EXPECT_NE(result.err.find("ERROR ($05): Read/Write error on hardware communication interface"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(" (monitor 2, 1, ID 13)\n"), std::string::npos) << result.err;
    // The write stopped at unit 13: no broadcast applied the queues.
    for (const auto& name : receivedOperations())
        EXPECT_NE(name, "op_IP_MISC_EXECUTEQUEUE");
}

TEST_F(Mlctl, ATruncatedWallFileIsRefusedAndNothingIsSent) {
    startUnits("11", 1, 1, {11});
    const auto bytes = mlc::encodeVideowall(mlc::WallSettings{});
    writeFile(dir.file("cut.MLV"), std::string(bytes.begin(), bytes.begin() + 8)); // the header alone
    const ProgramResult result = run({"write", dir.file("cut.MLV")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "mlctl: cannot load wall file " + dir.file("cut.MLV") + ": truncated\n");
    EXPECT_TRUE(emu->logLines("dir=rx").empty());
}

TEST_F(Mlctl, GetAndSetRoundTrips) {
    startUnits("11", 1, 1, {11});
    ProgramResult result = run({"set", "op_BRIGHTNESS", "wnWIN_MAIN", "40%", "--id", "11"});
    ASSERT_EQ(result.status, 0) << result.err;
    result = run({"get", "op_BRIGHTNESS", "wnWIN_MAIN", "--id", "11"});
    ASSERT_EQ(result.status, 0) << result.err;
    const double percent = std::strtod(result.out.c_str(), nullptr);
    EXPECT_NEAR(percent, 40.0, 0.5) << result.out;
    EXPECT_EQ(result.out.back(), '\n');

    result = run({"set", "op_SELECT_SOURCE", "wnWIN_MAIN", "isANALOGRGB1", "--id", "11"});
    ASSERT_EQ(result.status, 0) << result.err;
    result = run({"get", "op_SELECT_SOURCE", "wnWIN_MAIN", "--id", "11"});
    EXPECT_EQ(result.out, "isANALOGRGB1\n");
}

TEST_F(Mlctl, BadInputIsOneLineAndTouchesNothing) {
    startUnits("11", 1, 1, {11});
    const std::vector<std::vector<std::string>> bad{
        {"frobnicate"},
        {"write", dir.file("missing.MLV")},
        {"play", dir.file("missing.MLS")},
        {"set", "op_NO_SUCH_THING", "50%", "--id", "11"},
        {"set", "op_SELECT_SOURCE", "wnWIN_MAIN", "isNO_SUCH_INPUT", "--id", "11"},
        {"event", "veNO_SUCH_KEY"},
        {"get", "op_BRIGHTNESS", "wnWIN_MAIN"},
        {"memory", "recall", "17"},
        {"--port", "nine", "detect"},
    };
    for (const auto& args : bad) {
        const ProgramResult result = run(args);
        SCOPED_TRACE(args.front() + (args.size() > 1 ? " " + args[1] : ""));
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(countLines(result.err), 1u) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_TRUE(receivedOperations().empty());
    EXPECT_TRUE(emu->logLines("dir=rx").empty());
}

TEST_F(Mlctl, APercentageOutOfRangeIsAUsageError) {
    startUnits("11", 1, 1, {11});
    for (const char* value : {"1e309%", "100.5%", "-1%"}) {
        const ProgramResult result = run({"set", "op_BRIGHTNESS", "wnWIN_MAIN", value, "--id", "11"});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "mlctl: \"" + std::string(value) +
                                  "\" is not a percentage: 0% to 100%, with at most three decimals\n");
    }
    EXPECT_TRUE(emu->logLines("dir=rx").empty());
}

TEST_F(Mlctl, HelpDescribesEveryCommandAndWhereNamesAndPortsComeFrom) {
    const auto mlctl = [](std::vector<std::string> args) {
        return testsupport::runProgram(testsupport::binPath("mlctl"), std::move(args));
    };
    ProgramResult result = mlctl({});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.rfind("mlctl: no command given", 0), 0u) << result.err;

    result = mlctl({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("LVDRIVER_PORTS"), std::string::npos);
    EXPECT_NE(result.out.find("  lists                                    print the match lists"),
              std::string::npos)
        << result.out;
    result = mlctl({"get", "--help"});
    EXPECT_NE(result.out.find("\"mlctl lists\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("mlcenter.PGC"), std::string::npos);
}

TEST_F(Mlctl, APortThatCannotBeOpenedFails) {
    startUnits("11", 1, 1, {11});
    const ProgramResult result = run({"--port", "9", "memory", "recall", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "ERROR ($01): Cannot open communication port - Unable to open com port COM9: "
                          "LVDRIVER_PORTS lists 1 port\n");
}

TEST_F(Mlctl, MemoryRecallBringsBackWhatWasStored) {
    startUnits("11,12", 2, 1, {11, 12});
    ASSERT_EQ(run({"set", "op_BRIGHTNESS", "wnWIN_MAIN", "30%", "--id", "11"}).status, 0);
    // Without --yes the question is asked; No stores nothing.
    ProgramResult result = run({"memory", "store", "2"}, "n\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Are you sure you want to proceed? [y/n]"), std::string::npos) << result.err;
    EXPECT_TRUE(emu->logLines("name=op_IP_LCRST_SAVEUSERPARMSET").empty());

    ASSERT_EQ(run({"--yes", "memory", "store", "2"}).status, 0);
    ASSERT_EQ(run({"set", "op_BRIGHTNESS", "wnWIN_MAIN", "90%", "--id", "11"}).status, 0);
    ASSERT_EQ(run({"memory", "recall", "2"}).status, 0);
    result = run({"get", "op_BRIGHTNESS", "wnWIN_MAIN", "--id", "11"});
    EXPECT_NEAR(std::strtod(result.out.c_str(), nullptr), 30.0, 0.5) << result.out;
    const auto chosen = emu->logLines("name=op_IP_LCRST_USERPARMSET");
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(testsupport::fieldOf(chosen[0], "item"), "gc16CHANNEL2");
    EXPECT_EQ(testsupport::fieldOf(chosen[0], "unit"), "all");
}

TEST_F(Mlctl, EventGoesToAllUnits) {
    startUnits("11,12", 2, 1, {11, 12});
    const ProgramResult result = run({"event", "veMENUUP"});
    ASSERT_EQ(result.status, 0) << result.err;
    waitForOperation("veMENUUP", 1);
    const auto events = emu->logLines("kind=event");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(testsupport::fieldOf(events[0], "unit"), "all");
    EXPECT_EQ(testsupport::fieldOf(events[0], "name"), "veMENUUP");
}

} // namespace
