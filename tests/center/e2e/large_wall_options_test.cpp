// The wall write's options for large and unattended walls against the emulated
// chain: quick writes with remembered ranges leave the units as the full path
// does, a resynchronisation asks the ranges afresh, and the check after a write
// finds, repairs and reports units that missed the closing broadcast.
#if __has_include("emulator_process.h")

#include "wall_on_emulator.h"

#include <algorithm>
#include <random>

using namespace e2e;

namespace {

// Units of three kinds: 12, 21 and 22 have other ranges than the file's.
const std::vector<std::string> kMixedChain = {"--unit-range", "12:op_BRIGHTNESS:0:100",
                                              "--unit-range", "21:op_IP_MISC_HPAN:0:4095",
                                              "--unit-range", "22:op_PHASE:0:63"};

// The value lines of a state dump: what the units hold.
std::vector<std::string> unitValues(const std::string& state) {
    std::vector<std::string> values;
    std::istringstream lines(state);
    for (std::string line; std::getline(lines, line);)
        if (line.find(" value ") != std::string::npos)
            values.push_back(line);
    return values;
}

// Seeded edits of a 3 x 2 wall: inputs (video and analog RGB), picture settings,
// enlargement, bound keys, the source-information switch and monitors that lose Synced.
void randomEdit(std::mt19937& random, WallModel& model, const MatchLists& lists, SyncOptions& options) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    TWallMonitor& monitor = model.Monitors.at(1 + pick(3), 1 + pick(2));
    TMonitorSettings& s = monitor.Settings;
    switch (pick(9)) {
    case 0:
        s.SourceInput = pick(static_cast<int>(lists.InputSources.Ids.size()));
        break;
    case 1:
        s.Brightness = pick(100001);
        break;
    case 2:
        s.Phase = pick(100001);
        s.Contrast = pick(100001);
        break;
    case 3:
        s.XZoom = 100.0 / (1 + pick(4));
        s.XPosition = pick(101);
        break;
    case 4:
        s.YPosition = pick(101);
        break;
    case 5:
        s.Freeze = !s.Freeze;
        s.TestPattern = pick(static_cast<int>(lists.TestPattern.Ids.size()));
        break;
    case 6:
        s.BindKey[static_cast<std::size_t>(pick(4))] = pick(static_cast<int>(lists.InputSources.Ids.size()));
        break;
    case 7:
        options.DisableSourceInfo = !options.DisableSourceInfo;
        break;
    default:
        monitor.Synced = false;
        break;
    }
}

} // namespace

TEST_F(WallOnEmulator, QuickWritesWithRememberedRangesLeaveTheUnitsAsTheFullPathDoes) {
    constexpr int kSteps = 120;
    constexpr unsigned kSeed = 2022;
    start("11-13,21-23", 3, 2, kMixedChain);
    if (HasFatalFailure())
        return;
    const WallModel initial = model;

    // The specified path: every monitor written at every step.
    std::mt19937 random(kSeed);
    std::vector<std::vector<std::string>> expected;
    for (int step = 1; step <= kSteps; ++step) {
        randomEdit(random, model, lists, options);
        ASSERT_TRUE(sync.WriteWall()) << "step " << step;
        if (step % 30 == 0)
            expected.push_back(unitValues(emu->state()));
    }
    const std::size_t fullBytes = emu->log().size();

    // The same edits on a fresh chain of the same kinds, sent only where they change.
    testsupport::EmulatorProcess other("11-13,21-23", kMixedChain);
    ports.set(other.link());
    binding.CloseHardwarePort();
    ASSERT_EQ(binding.OpenHardwarePort(1), 0);
    model = initial;
    SyncOptions quickOptions;
    quickOptions.QuickSync = true;
    quickOptions.CacheUnitRanges = true;
    DeviceSync quick{model, lists, binding, router, op, quickOptions};
    random.seed(kSeed);
    for (int step = 1; step <= kSteps; ++step) {
        randomEdit(random, model, lists, quickOptions);
        ASSERT_TRUE(quick.WriteWall()) << "step " << step;
        if (step % 30 == 0) {
            EXPECT_EQ(unitValues(other.state()), expected[static_cast<std::size_t>(step / 30 - 1)])
                << "after step " << step;
        }
    }
    EXPECT_TRUE(op.messages.empty());
    EXPECT_LT(other.log().size(), fullBytes / 2);
}

TEST_F(WallOnEmulator, AResynchronisationAsksTheUnitsForTheirRangesAgain) {
    start("11,12", 2, 1, {"--unit-range", "12:op_BRIGHTNESS:0:100"});
    if (HasFatalFailure())
        return;
    options.CacheUnitRanges = true;
    const auto brightnessRanges = [&](std::size_t from) {
        const auto lines = emu->logLines("dir=rx");
        return std::count_if(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(),
                             [](const std::string& line) {
                                 return line.find("sub=range name=op_BRIGHTNESS") != std::string::npos;
                             });
    };
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(1);
    EXPECT_EQ(brightnessRanges(0), 2) << "once for each unit";

    std::size_t from = receivedCount();
    ASSERT_TRUE(sync.ResyncVideowall());
    EXPECT_EQ(brightnessRanges(from), 2);

    model.Monitors.at(1, 1).Settings.Brightness = 10000;
    model.Monitors.at(2, 1).Settings.Brightness = 10000;
    from = receivedCount();
    ASSERT_TRUE(sync.WriteWall());
    awaitBroadcasts(2);
    EXPECT_EQ(brightnessRanges(from), 0);
    EXPECT_THAT(percent(12, "op_BRIGHTNESS", "wnWIN_MAIN"), IsPercentNear(10000, 100));
}

TEST_F(WallOnEmulator, TheCheckRepairsAUnitThatMissedTheBroadcastAndSaysNothingOnACleanLine) {
    // Unit 12 misses its third queue execution: the second write's broadcast.
    start("11,12", 2, 1, {"--fault", "miss,unit=12,op=op_IP_MISC_EXECUTEQUEUE,at=3"});
    if (HasFatalFailure())
        return;
    options.VerifyWrites = true;
    const auto addressedExecutions = [&](const std::string& unit) {
        return emu->logLines("dir=rx unit=" + unit + " type=3 kind=op sub=exec name=op_IP_MISC_EXECUTEQUEUE")
            .size();
    };
    // Written whole, the units' old values are not known: each executes its queue
    // again when addressed, and nothing is read.
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_EQ(addressedExecutions("11"), 1u);
    EXPECT_EQ(addressedExecutions("12"), 1u);
    EXPECT_TRUE(emu->logLines("sub=get").empty());

    for (int c = 1; c <= 2; ++c)
        model.Monitors.at(c, 1).Settings.SourceInput = lists.InputSources.indexOf("isDVI1");
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_TRUE(op.messages.empty());
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].kind, MessageKind::Information);
    EXPECT_EQ(op.reports[0].text, "1 unit had missed the execution of its queue and applied it when it was "
                                  "sent again:\r\nColumn 2, row 1 (ID 12)");
    EXPECT_EQ(item(12, "op_SELECT_SOURCE", "wnWIN_MAIN"), "isDVI1");
    EXPECT_TRUE(IsWallSynced(model));
    // Read back once each, and executed again only where the broadcast was missed.
    EXPECT_EQ(emu->logLines("dir=rx unit=11 type=3 kind=op sub=get").size(), 1u);
    EXPECT_EQ(emu->logLines("name=op_IP_MISC_EXECUTEQUEUE missed=12").size(), 1u);
    EXPECT_EQ(addressedExecutions("11"), 1u);
    EXPECT_EQ(addressedExecutions("12"), 2u);

    // The line is clean from now on.
    model.Monitors.at(1, 1).Settings.Brightness = 90000;
    ASSERT_TRUE(sync.WriteWall());
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(op.reports.size(), 1u);
    EXPECT_THAT(percent(11, "op_BRIGHTNESS", "wnWIN_MAIN"), IsPercentNear(90000, 255));
}

TEST_F(WallOnEmulator, AUnitThatKeepsMissingIsNamedAndItsMonitorSentWholeNextTime) {
    start("11,12", 2, 1, {"--fault", "miss,unit=12,op=op_IP_MISC_EXECUTEQUEUE"});
    if (HasFatalFailure())
        return;
    options.VerifyWrites = true;
    options.QuickSync = true;
    model.Monitors.at(2, 1).Settings.SourceInput = lists.InputSources.indexOf("isDVI1");
    EXPECT_FALSE(sync.WriteWall());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text,
              "1 unit does not show the wall just written or does not answer, also after its queue was "
              "executed again.\r\nIts monitor needs a synchronisation:\r\nColumn 2, row 1 (ID 12)");
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_FALSE(model.Monitors.at(2, 1).Synced);

    // Unattended, the same is a report, and the monitor is written whole again.
    const std::size_t from = receivedCount();
    {
        DeviceSync::Unattended unattended(sync);
        EXPECT_FALSE(sync.WriteWall());
    }
    EXPECT_EQ(op.messages.size(), 1u);
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].kind, MessageKind::Error);
    EXPECT_TRUE(receivedOps(from, "11").empty()) << "nothing to send";
    const auto whole = receivedOps(from, "12");
    EXPECT_NE(std::find(whole.begin(), whole.end(), "op_IP_MISC_BINDKEY gc8CHANNEL1"), whole.end());
}

#endif
