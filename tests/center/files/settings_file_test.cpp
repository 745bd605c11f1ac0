#include "files/settings_file.h"
#include "paths.h"

#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct Loaded {
    mlc::ProgramSettings settings;
    mlc::WallModel wall;
};

Loaded read(const std::string& text, std::size_t inputs = 0) {
    Loaded l;
    mlc::readSettings(mlc::IniFile::parse(text), inputs, l.settings, l.wall);
    return l;
}

TEST(SettingsFile, AFreshFileHasEverySectionAndKeyInOrderWithDefaults) {
    mlc::ProgramSettings s;
    s.DemoImageFiles = {"", "/pictures/rgb.bmp"};
    mlc::WallModel wall;
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 16; ++c)
            wall.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>(r * 10 + c);
    mlc::IniFile ini;
    mlc::writeSettings(s, wall, ini);
    std::vector<std::string> lines = linesOf(ini.text());

    std::vector<std::string> ids;
    std::erase_if(lines, [&](const std::string& l) {
        const bool id = l.rfind("MonitorID", 0) == 0;
        if (id)
            ids.push_back(l);
        return id;
    });
    std::vector<std::string> expected{"[General]",
                                      "RunWizardAtStartup=1",
                                      "",
                                      "[Hardware]",
                                      "LumivanePort=1",
                                      "ActivateVideoRouter=0",
                                      "InhibitSerialCommunication=0",
                                      "DisableSourceInfo=1",
                                      "",
                                      "[Videowall]",
                                      "DemoImage0=",
                                      "DemoImage1=/pictures/rgb.bmp",
                                      "Width=8",
                                      "Height=8",
                                      "DisplayGrid=1",
                                      "ShowDeviceId=1",
                                      "HighlightType=0",
                                      "AutoEnlargeReset=0",
                                      "ShowIdBackground=1",
                                      "IdBackgroundColor=16777215",
                                      "XMarginSize=27",
                                      "YMarginSize=27",
                                      "XMonitorSize=470",
                                      "YMonitorSize=370",
                                      "EnableMarginCorrection=1",
                                      "",
                                      "[Sequencer]",
                                      "Visible=1",
                                      "Loop=0",
                                      "AutoStartSequence=",
                                      "",
                                      "[PasteSpecial]",
                                      "Unselected=0"};
    for (std::size_t i = 0; i < mlc::kPasteSpecialFlagCount; ++i)
        expected.push_back(std::string(mlc::kPasteSpecialKeys[i]) + "=" +
                           (mlc::kPasteSpecialDefaults[i] ? "1" : "0"));
    EXPECT_EQ(lines, expected);

    // 256 old keys of which six pairs share a name, then 256 unambiguous ones.
    ASSERT_EQ(ids.size(), 250u + 256u);
    EXPECT_EQ(ids[0], "MonitorID11=11");
    EXPECT_EQ(ids[11], "MonitorID112=112"); // row 11, column 2 is written last under the shared key
    EXPECT_EQ(ids[15], "MonitorID116=116");
    EXPECT_EQ(ids[249], "MonitorID1616=176");
    EXPECT_EQ(ids[250], "MonitorID_1_1=11");
    EXPECT_EQ(ids[250 + 11], "MonitorID_1_12=22");
    EXPECT_EQ(ids[505], "MonitorID_16_16=176");
    // The expected key names, spot-checked by what the program reads back.
    EXPECT_EQ(std::string(mlc::kPasteSpecialKeys[12]), "Freeze");
    EXPECT_EQ(std::string(mlc::kPasteSpecialKeys[39]), "BindKey4");
}

TEST(SettingsFile, MissingKeysGiveTheDefaults) {
    const Loaded l = read("");
    EXPECT_TRUE(l.settings.RunWizardAtStartup);
    EXPECT_EQ(l.settings.SerialPortNumber, 1);
    EXPECT_TRUE(l.settings.DisableSourceInfo);
    EXPECT_EQ(l.wall.WallColumns, 8);
    EXPECT_EQ(l.wall.XMonitorSize, 470.0);
    EXPECT_EQ(l.settings.IdBackgroundColor, 16777215);
    EXPECT_EQ(l.settings.PasteSpecial, mlc::kPasteSpecialDefaults);
    EXPECT_EQ(l.wall.Monitors.at(3, 2).DeviceId, mlc::TWallMonitor{}.DeviceId); // current ID kept
}

TEST(SettingsFile, ValuesAreClampedCutAndCheckedAsTheyAreRead) {
    const Loaded l =
        read("[Videowall]\nWidth=0\nHeight=40\nMonitorID11=300\nMonitorID12=abc\nXMarginSize=12,5\n"
             "YMarginSize=nan\nXMonitorSize= 4.5e2 \nHighlightType=$2\n"
             "[Hardware]\nLumivanePort=257\nActivateVideoRouter=-3\nDisableSourceInfo=yes\n");
    EXPECT_EQ(l.wall.WallColumns, 1);
    EXPECT_EQ(l.wall.WallRows, 16);
    EXPECT_EQ(l.wall.Monitors.at(1, 1).DeviceId, 44); // 300 keeps its low 8 bits
    EXPECT_EQ(l.wall.DeviceState.at(1, 1).DeviceId, 44);
    EXPECT_EQ(l.wall.Monitors.at(2, 1).DeviceId, mlc::TWallMonitor{}.DeviceId);
    EXPECT_EQ(l.wall.XMarginSize, 12.5);
    EXPECT_EQ(l.wall.YMarginSize, 27.0);
    EXPECT_EQ(l.wall.XMonitorSize, 450.0);
    EXPECT_EQ(l.settings.HighlightType, 2);
    EXPECT_EQ(l.settings.SerialPortNumber, 1);
    EXPECT_TRUE(l.settings.ActivateVideoRouter);
    EXPECT_TRUE(l.settings.DisableSourceInfo); // not a number: the default
}

TEST(SettingsFile, TheUnambiguousIdKeysKeepBothCollidingMonitors) {
    // An older file only has the shared key: both monitors get its value.
    Loaded l = read("[Videowall]\nMonitorID112=5\n");
    EXPECT_EQ(l.wall.Monitors.at(12, 1).DeviceId, 5);
    EXPECT_EQ(l.wall.Monitors.at(2, 11).DeviceId, 5);

    l.wall.Monitors.at(12, 1).DeviceId = 12;
    l.wall.Monitors.at(2, 11).DeviceId = 112;
    mlc::IniFile ini = mlc::IniFile::parse("[Videowall]\nMonitorID112=5\n");
    mlc::writeSettings(l.settings, l.wall, ini);
    EXPECT_EQ(ini.value("Videowall", "MonitorID112"), "112");
    const Loaded back = read(ini.text());
    EXPECT_EQ(back.wall.Monitors.at(12, 1).DeviceId, 12);
    EXPECT_EQ(back.wall.Monitors.at(2, 11).DeviceId, 112);
    EXPECT_EQ(back.wall.DeviceState.at(12, 1).DeviceId, 12);
}

TEST(SettingsFile, UnknownSectionsKeysAndCommentsSurviveARewrite) {
    const std::string original = "; written by hand\r\n[Tools]\r\nEditor=vi\r\n[General]\r\n"
                                 "runwizardatstartup=0\r\nTheme=dark\r\n[tools]\r\nShell=sh\r\n";
    mlc::IniFile ini = mlc::IniFile::parse(original);
    Loaded l = read(original);
    EXPECT_FALSE(l.settings.RunWizardAtStartup);  // names compare without regard to case
    EXPECT_EQ(ini.value("TOOLS", "shell"), "sh"); // a repeated section joins the first
    mlc::writeSettings(l.settings, l.wall, ini);
    const std::vector<std::string> lines = linesOf(ini.text());
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 9),
              (std::vector<std::string>{"; written by hand", "", "[Tools]", "Editor=vi", "Shell=sh", "",
                                        "[General]", "runwizardatstartup=0", "Theme=dark"}));
}

TEST(SettingsFile, TheSynchronisationSwitchesAreWrittenOnceTheyWereOn) {
    Loaded l = read("[Hardware]\r\nVerifyWrites=1\r\n");
    EXPECT_TRUE(l.settings.VerifyWrites);
    EXPECT_FALSE(l.settings.QuickSync);
    l.settings.QuickSync = true;
    l.settings.VerifyWrites = false;
    mlc::IniFile ini = mlc::IniFile::parse("[Hardware]\r\nVerifyWrites=1\r\n");
    mlc::writeSettings(l.settings, l.wall, ini);
    EXPECT_EQ(ini.value("Hardware", "QuickSync"), "1");
    EXPECT_EQ(ini.value("Hardware", "VerifyWrites"), "0");
    EXPECT_EQ(ini.value("Hardware", "CacheUnitRanges"), std::nullopt) << "never on, never written";
}

TEST(SettingsFile, TheNetworkInterfaceGetsItsTokenAndIsStoredAtOnceBesideTheRest) {
    Loaded l = read("[Remote]\nEnabled=1\nPort=99999\n");
    EXPECT_TRUE(l.settings.Remote.Enabled);
    EXPECT_EQ(l.settings.Remote.Address, "127.0.0.1");
    EXPECT_EQ(l.settings.Remote.Port, 8734) << "a port that cannot be reads as the default";
    ASSERT_TRUE(mlc::ensureRemoteToken(l.settings.Remote));
    const std::string token = l.settings.Remote.Token;
    EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(token.size(), 32u);
    EXPECT_FALSE(mlc::ensureRemoteToken(l.settings.Remote)) << "a token is kept";

    testsupport::TempDir dir;
    const std::string file = dir.file("mlcenter.INI");
    std::ofstream(file) << "[Hardware]\nLumivanePort=3\n";
    ASSERT_TRUE(mlc::saveRemoteSettings(file, l.settings.Remote));
    EXPECT_EQ(mlc::loadIniFile(file)->text(), "[Hardware]\nLumivanePort=3\n\n[Remote]\nEnabled=1\n"
                                              "Address=127.0.0.1\nPort=8734\nToken=" +
                                                  token + "\n");
    mlc::IniFile ini;
    mlc::writeSettings(mlc::ProgramSettings{}, mlc::WallModel{}, ini);
    EXPECT_EQ(ini.value("Remote", "Enabled"), std::nullopt) << "never on, never written";
}

TEST(SettingsFile, FloatsAreWrittenWithAPointWhateverTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(mlc::formatSettingsFloat(27.25), "27.25");
    EXPECT_EQ(mlc::formatSettingsFloat(0.1), "0.1");
    EXPECT_EQ(mlc::parseSettingsFloat("27.25"), 27.25);
    EXPECT_EQ(mlc::parseSettingsFloat(mlc::formatSettingsFloat(1.0 / 3.0)), 1.0 / 3.0);
    std::setlocale(LC_NUMERIC, saved.c_str());

    EXPECT_EQ(mlc::parseSettingsInteger("0x10"), 16);
    EXPECT_EQ(mlc::parseSettingsInteger(" -12 "), -12);
    EXPECT_EQ(mlc::parseSettingsInteger("2147483648"), std::nullopt);
    EXPECT_EQ(mlc::parseSettingsInteger("12abc"), std::nullopt);
}

TEST(SettingsFile, AMissingFileReadsAsNothingAndIsCreatedWhole) {
    testsupport::TempDir dir;
    EXPECT_FALSE(mlc::loadIniFile(dir.file("mlcenter.INI")));
    mlc::IniFile ini;
    mlc::writeSettings(mlc::ProgramSettings{}, mlc::WallModel{}, ini);
    ASSERT_TRUE(mlc::saveIniFile(dir.file("mlcenter.INI"), ini));
    const auto back = mlc::loadIniFile(dir.file("mlcenter.INI"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text(), ini.text());
}

} // namespace
