#include "binding/driver_binding.h"
#include "sync/match_list_loading.h"
#include "sync_fixture.h"
#include "wall/enlargement.h"

using namespace mlc;

namespace {

void answerVideoMonitor() {
    auto& s = fakeplugin::script();
    s.identifiers["op_SELECT_SOURCE wnWIN_MAIN"] = "isDVI1";
    s.identifiers["op_FREEZE_FRAME wnWIN_MAIN"] = "enEnable";
    s.identifiers["op_IP_MISC_GPO gc8CHANNEL8"] = "gc16CHANNEL13";
    s.identifiers["op_INTERPOLATIONTYPE wnWIN_MAIN"] = "inCUBIC";
    s.identifiers["op_COLOR_TEMP -"] = "ctNOT_IN_THE_LIST";
    s.identifiers["op_KEYSTONE_MODE wnWIN_MAIN"] = "kmH";
    s.identifiers["op_BLANK_DISPLAY_COLOR -"] = "scBLUE";
    s.identifiers["op_TEST_PATTERN -"] = "tpBARS";
    s.identifiers["op_IP_MISC_BINDKEY gc8CHANNEL1"] = "isDVI2";
    s.identifiers["op_IP_MISC_BINDKEY gc8CHANNEL2"] = "isvideo2"; // case matters
    s.identifiers["op_IP_MISC_BINDKEY gc8CHANNEL3"] = "isSVIDEO1";
    s.identifiers["op_IP_MISC_BINDKEY gc8CHANNEL4"] = "isVIDEO2";
    s.percents["op_BRIGHTNESS wnWIN_MAIN"] = 11;
    s.percents["op_CONTRAST wnWIN_MAIN"] = 12;
    s.percents["op_SHARPNESS wnWIN_MAIN"] = 13;
    s.percents["op_RED_TEMP -"] = 14;
    s.percents["op_GREEN_TEMP -"] = 15;
    s.percents["op_BLUE_TEMP -"] = 16;
    s.percents["op_SATURATION wnWIN_MAIN"] = 17;
    s.percents["op_HUE wnWIN_MAIN"] = 18;
    s.percents["op_IP_MISC_GAMMACONTINUOUS -"] = 19;
    s.percents["op_KEYSTONE wnWIN_MAIN"] = 20;
    s.percents["op_IP_MISC_HZOOM -"] = 8196;
    s.percents["op_IP_MISC_VZOOM -"] = 0;
    s.percents["op_IP_MISC_HPAN -"] = 50000;
    s.percents["op_IP_MISC_VPAN -"] = 100000;
}

} // namespace

TEST_F(SyncFixture, ReadMonitorFillsDeviceStateInOrder) {
    answerVideoMonitor();
    settings(1, 1).Brightness = 99;
    model.DeviceState.at(1, 1).Settings.Phase = 4242; // an RGB field a video read keeps
    ASSERT_TRUE(sync.ReadMonitor(1, 1));
    using Lines = std::vector<std::string>;
    EXPECT_EQ(calls(), (Lines{"SetAnswerRxStatus 1",
                              "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env11",
                              "SendOpGetValue op_SELECT_SOURCE wnWIN_MAIN $",
                              "SendOpGetValue op_FREEZE_FRAME wnWIN_MAIN $",
                              "SendOpGetValue op_IP_MISC_GPO gc8CHANNEL8 $",
                              "SendOpGetValue op_INTERPOLATIONTYPE wnWIN_MAIN $",
                              "SendOpGetValue op_BRIGHTNESS wnWIN_MAIN %",
                              "SendOpGetValue op_CONTRAST wnWIN_MAIN %",
                              "SendOpGetValue op_SHARPNESS wnWIN_MAIN %",
                              "SendOpGetValue op_COLOR_TEMP - $",
                              "SendOpGetValue op_RED_TEMP - %",
                              "SendOpGetValue op_GREEN_TEMP - %",
                              "SendOpGetValue op_BLUE_TEMP - %",
                              "SendOpGetValue op_SATURATION wnWIN_MAIN %",
                              "SendOpGetValue op_HUE wnWIN_MAIN %",
                              "SendOpGetValue op_IP_MISC_GAMMACONTINUOUS - %",
                              "SendOpGetValue op_KEYSTONE_MODE wnWIN_MAIN $",
                              "SendOpGetValue op_KEYSTONE wnWIN_MAIN %",
                              "SendOpGetValue op_BLANK_DISPLAY_COLOR - $",
                              "SendOpGetValue op_TEST_PATTERN - $",
                              "SendOpGetValue op_IP_MISC_BINDKEY gc8CHANNEL1 $",
                              "SendOpGetValue op_IP_MISC_BINDKEY gc8CHANNEL2 $",
                              "SendOpGetValue op_IP_MISC_BINDKEY gc8CHANNEL3 $",
                              "SendOpGetValue op_IP_MISC_BINDKEY gc8CHANNEL4 $",
                              "SendOpGetValue op_IP_MISC_HZOOM - %",
                              "SendOpGetValue op_IP_MISC_VZOOM - %",
                              "SendOpGetValue op_IP_MISC_HPAN - %",
                              "SendOpGetValue op_IP_MISC_VPAN - %"}));
    const TMonitorSettings& r = model.DeviceState.at(1, 1).Settings;
    EXPECT_EQ(r.SourceInput, 5);
    EXPECT_TRUE(r.Freeze);
    EXPECT_EQ(r.FrameLock, 3);
    EXPECT_EQ(r.Interpolation, 2);
    EXPECT_EQ(r.ColorTemperature, 0); // missing from the list
    EXPECT_EQ(r.BindKey, (std::array<std::int32_t, 4>{6, 0, 2, 1}));
    EXPECT_EQ(r.Brightness, 11);
    EXPECT_EQ(r.Keystone, 20);
    EXPECT_EQ(r.Phase, 4242);
    EXPECT_DOUBLE_EQ(r.XZoom, DeviceToZoom(8196));
    EXPECT_DOUBLE_EQ(r.YZoom, 100.0 / 0.75);
    EXPECT_DOUBLE_EQ(r.XPosition, (100 - r.XZoom) / 2);
    EXPECT_DOUBLE_EQ(r.YPosition, 100 - r.YZoom);
    EXPECT_TRUE(model.DeviceState.at(1, 1).Synced);
    EXPECT_TRUE(model.Monitors.at(1, 1).Synced);
    EXPECT_EQ(settings(1, 1).Brightness, 99); // the wall itself is not changed
}

TEST_F(SyncFixture, ReadingAnRgbSourceTakesTheRgbFields) {
    auto& s = fakeplugin::script();
    s.identifiers["op_SELECT_SOURCE wnWIN_MAIN"] = "isANALOGRGB2";
    s.identifiers["op_FILTER_SELECT -"] = "ifLOW";
    s.percents["op_HORZ_POSITION wnWIN_MAIN"] = 1;
    s.percents["op_VERT_POSITION wnWIN_MAIN"] = 2;
    s.percents["op_PHASE wnWIN_MAIN"] = 3;
    s.percents["op_HORZ_TOTAL wnWIN_MAIN"] = 4;
    ASSERT_TRUE(sync.ReadMonitor(1, 1));
    const TMonitorSettings& r = model.DeviceState.at(1, 1).Settings;
    EXPECT_EQ(r.SourceInput, 4);
    EXPECT_EQ(r.HSamplingPos, 1);
    EXPECT_EQ(r.VSamplingPos, 2);
    EXPECT_EQ(r.Filter, 1);
    EXPECT_EQ(r.Phase, 3);
    EXPECT_EQ(r.Frequency, 4);
    EXPECT_EQ(r.Sharpness, 50000); // not read for RGB
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpGetValue op_SATURATION wnWIN_MAIN %"), 1);
}

TEST_F(SyncFixture, AFailedReadStopsAndKeepsTheFieldItFailedOn) {
    answerVideoMonitor();
    fakeplugin::script().failures["SendOpGetValue op_CONTRAST wnWIN_MAIN %"] = 139;
    model.DeviceState.at(1, 1).Settings.Contrast = 777;
    EXPECT_FALSE(sync.ReadMonitor(1, 1));
    const TMonitorSettings& r = model.DeviceState.at(1, 1).Settings;
    EXPECT_EQ(r.Brightness, 11);
    EXPECT_EQ(r.Contrast, 777);
    EXPECT_FALSE(model.Monitors.at(1, 1).Synced);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "ERROR ($8B): Value out of range");
}

TEST_F(SyncFixture, ReadWallSkipsSyncedMonitorsUnlessForcedAndReadsByTheWallsIds) {
    resize(2, 1);
    model.Monitors.at(1, 1).Synced = true;
    model.DeviceState.at(2, 1).DeviceId = 77; // renumbered in the wall only
    ASSERT_TRUE(sync.ReadWall(false));
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpGetValue op_BRIGHTNESS wnWIN_MAIN %"), 1);
    EXPECT_NE(std::find(calls().begin(), calls().end(),
                        "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env12"),
              calls().end());
    EXPECT_EQ(model.DeviceState.at(2, 1).DeviceId, 12);
    calls().clear();
    ASSERT_TRUE(sync.ReadWall(true));
    EXPECT_EQ(std::count(calls().begin(), calls().end(), "SendOpGetValue op_BRIGHTNESS wnWIN_MAIN %"), 2);

    // With the serial link off nothing is read.
    options.InhibitSerialCommunication = true;
    calls().clear();
    EXPECT_FALSE(sync.ReadWall(true));
    EXPECT_TRUE(calls().empty());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "The serial link is switched off, so the units cannot be read back.");
    options.InhibitSerialCommunication = false;
    op.messages.clear();

    // Device ID 0 reaches every unit and none answers: not read.
    model.Monitors.at(2, 1).DeviceId = 0;
    EXPECT_FALSE(sync.ReadWall(true));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text,
              "The monitor at column 2, row 1 has the device ID 0, which addresses every unit "
              "at once.\r\nIt cannot be read back.");
}

TEST_F(SyncFixture, ResyncThenWriteSendsOnlyTheDifferences) {
    answerVideoMonitor();
    options.ActivateVideoRouter = true;
    ASSERT_TRUE(sync.ResyncVideowall());
    EXPECT_EQ(routerLog(), "ResyncVideowall\n");
    settings(1, 1) = model.DeviceState.at(1, 1).Settings;
    settings(1, 1).Contrast = 13000;
    calls().clear();
    ASSERT_TRUE(sync.WriteMonitor(1, 1, false));
    EXPECT_EQ(calls(),
              (std::vector<std::string>{
                  "SetAnswerRxStatus 1", "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE env11",
                  "SendOpSetValue op_IP_MISC_GPO gc8CHANNEL7 gc16CHANNEL2",
                  "SendOpExecute op_IP_MISC_SETQUEUE -", "SendOpSetValue op_CONTRAST wnWIN_MAIN %13000"}));
}

TEST_F(SyncFixture, MatchListsLoadWithExclusionsAndFixedTexts) {
    auto& s = fakeplugin::script();
    s.lists["mInputSources"] = {{"isAUTOSELECT", "Auto"}, {"isVIDEO1", "Video 1"}, {"isANALOGRGB1", "RGB 1"}};
    std::vector<std::pair<std::string, std::string>> channels;
    for (int i = 1; i <= 16; ++i)
        channels.push_back({"gc16CHANNEL" + std::to_string(i), "Channel " + std::to_string(i)});
    channels.push_back({"gc16CURRENT_GENCHANNEL16", "Current"});
    s.lists["mGenChannel16"] = channels;
    s.lists["mScreenColors"] = {{"scBLACK", "Black"}, {"scDKBLUE", "Dark blue"}, {"scBLUE", "Blue"}};
    s.lists["mTestPattern"] = {{"tpTPRemove", "None"}};

    MatchLists loaded;
    EXPECT_TRUE(LoadMatchLists(binding, loaded, op));
    EXPECT_EQ(loaded.InputSources.Ids, (std::vector<std::string>{"isVIDEO1", "isANALOGRGB1"}));
    EXPECT_EQ(loaded.InputSources.Names, (std::vector<std::string>{"Video 1", "RGB 1"}));
    EXPECT_EQ(loaded.FrameLock.Ids, (std::vector<std::string>{"gc16CHANNEL1", "gc16CHANNEL7", "gc16CHANNEL8",
                                                              "gc16CHANNEL13", "gc16CHANNEL14"}));
    EXPECT_EQ(loaded.FrameLock.Names,
              (std::vector<std::string>{"Disabled", "Abort", "Nearest", "Abort/Video", "Nearest/Video"}));
    EXPECT_EQ(loaded.HD15Sync.Ids, (std::vector<std::string>{"gc16CHANNEL1", "gc16CHANNEL2"}));
    EXPECT_EQ(loaded.HD15Sync.Names, (std::vector<std::string>{"Separate", "Composite"}));
    EXPECT_EQ(loaded.ScreenColors.Ids, (std::vector<std::string>{"scBLACK", "scBLUE"}));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(
        op.messages[0].text,
        "The driver's definitions have no entries in: mColorTemp, mScaleMode, mInputFilter, mKeystoningMode, "
        "mInterpolation, mOutputDisplays, mLanguage.\r\nSettings that need the missing entries are not sent "
        "to the units.");
}

TEST_F(SyncFixture, ShortAndFailingMatchListsAreReported) {
    auto& s = fakeplugin::script();
    for (const char* list :
         {"mInputSources", "mColorTemp", "mScaleMode", "mInputFilter", "mKeystoningMode", "mInterpolation",
          "mScreenColors", "mOutputDisplays", "mTestPattern", "mLanguage"})
        s.lists[list] = {{"x1", "One"}, {"x2", "Two"}};
    s.lists["mGenChannel16"] = {{"gc16CHANNEL1", "Channel 1"}, {"gc16CHANNEL7", "Channel 7"}};
    s.failures["GetMatchListItem mColorTemp 1"] = 147;

    MatchLists loaded;
    EXPECT_FALSE(LoadMatchLists(binding, loaded, op));
    EXPECT_EQ(loaded.ColorTemp.Ids, (std::vector<std::string>{"x1"}));
    EXPECT_EQ(loaded.Language.Ids.size(), 2u); // later lists still load
    EXPECT_EQ(loaded.FrameLock.Names, (std::vector<std::string>{"Disabled", "Abort"}));
    EXPECT_EQ(loaded.HD15Sync.Names, (std::vector<std::string>{"Separate"}));
    ASSERT_EQ(op.messages.size(), 2u);
    EXPECT_EQ(op.messages[0].text, "ERROR ($93): Index out of range");
    EXPECT_EQ(op.messages[1].text,
              "These lists are shorter than the program expects: mGenChannel16 (2 of 5 "
              "entries), mGenChannel16 (1 of 2 entries).\r\nSettings that need the missing "
              "entries are not sent to the units.");
}

TEST(MatchListLoading, WithoutADriverNothingIsShown) {
    DriverBinding binding;
    testsupport::ScriptedOperator op;
    MatchLists lists;
    EXPECT_TRUE(LoadMatchLists(binding, lists, op));
    EXPECT_TRUE(op.messages.empty());
}

TEST(LoadMatchList, ExcludesBySubstringAndKeepsTheDriversOrder) {
    fakeplugin::reset();
    fakeplugin::script().lists["mTest"] = {{"A", "a"},   {"C", "c"},   {"B", "b"},
                                           {"AB", "ab"}, {"XB", "xb"}, {" D ", "  d  "}};
    DriverBinding binding;
    ASSERT_TRUE(binding.BindExports(fakeplugin::exports()));
    std::vector<std::string> codes, names;
    EXPECT_EQ(binding.LoadMatchList(codes, names, "mTest", "a,xb"), 0);
    // "B," occurs in "A,XB,", so B goes too; codes and texts come trimmed.
    EXPECT_EQ(codes, (std::vector<std::string>{"C", "AB", "D"}));
    EXPECT_EQ(names, (std::vector<std::string>{"c", "ab", "d"}));
    EXPECT_EQ(binding.LoadMatchList(codes, names, "mMissing", ""), 0);
    EXPECT_TRUE(codes.empty());
    EXPECT_FALSE(binding.BindExports(fakeplugin::exports()));
    EXPECT_TRUE(binding.UnloadDriverLibrary());
    EXPECT_FALSE(binding.IsLoaded());
}
