#include "files/defaults_file.h"
#include "files/monitor_record.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

mlc::TMonitorSettings distinctSettings() {
    mlc::TMonitorSettings s;
    s.XPosition = 1.5;
    s.YPosition = -2.0;
    s.XZoom = 100.0;
    s.YZoom = 0.25;
    s.VideoMatrixSource = 7;
    s.SourceInput = 0x01020304;
    s.HSamplingPos = -1;
    s.VSamplingPos = 50000;
    s.Termination = {true, false, true, false};
    s.FrameLock = 2;
    s.Freeze = true;
    s.Interpolation = 1;
    s.Brightness = 100000;
    s.Contrast = 0;
    s.Sharpness = INT32_MAX;
    s.Filter = INT32_MIN;
    s.Phase = 12;
    s.Frequency = 13;
    s.ColorTemperature = 14;
    s.RedUserTemp = 15;
    s.GreenUserTemp = 16;
    s.BlueUserTemp = 17;
    s.Saturation = 18;
    s.Hue = 19;
    s.Gamma = 20;
    s.ScalerMode = 21;
    s.HStretch = 22;
    s.VStretch = 23;
    s.KeystoneMode = 24;
    s.Keystone = 25;
    s.BlankColor = -1;
    s.HD15Sync = 27;
    s.TestPattern = 28;
    s.BindKey = {0, 1, 5, 6};
    return s;
}

// The record of distinctSettings(), byte by byte.
const std::vector<std::uint8_t> kDistinctRecord{
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F, // 0 XPosition 1.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, // 8 YPosition -2.0
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x59, 0x40, // 16 XZoom 100.0
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x3F, // 24 YZoom 0.25
    0x07, 0x00, 0x00, 0x00, 0x04, 0x03, 0x02, 0x01, // 32 router input, padding; 36 SourceInput
    0xFF, 0xFF, 0xFF, 0xFF, 0x50, 0xC3, 0x00, 0x00, // 40 HSamplingPos -1; 44 VSamplingPos 50000
    0x01, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, // 48 Termination; 52 FrameLock
    0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, // 56 Freeze, padding; 60 Interpolation
    0xA0, 0x86, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, // 64 Brightness 100000; 68 Contrast
    0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80, // 72 Sharpness max; 76 Filter min
    0x0C, 0x00, 0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, // 80 Phase; 84 Frequency
    0x0E, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00, // 88 ColorTemperature; 92 RedUserTemp
    0x10, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, // 96 GreenUserTemp; 100 BlueUserTemp
    0x12, 0x00, 0x00, 0x00, 0x13, 0x00, 0x00, 0x00, // 104 Saturation; 108 Hue
    0x14, 0x00, 0x00, 0x00, 0x15, 0x00, 0x00, 0x00, // 112 Gamma; 116 ScalerMode
    0x16, 0x00, 0x00, 0x00, 0x17, 0x00, 0x00, 0x00, // 120 HStretch; 124 VStretch
    0x18, 0x00, 0x00, 0x00, 0x19, 0x00, 0x00, 0x00, // 128 KeystoneMode; 132 Keystone
    0xFF, 0xFF, 0xFF, 0xFF, 0x1B, 0x00, 0x00, 0x00, // 136 BlankColor -1; 140 HD15Sync
    0x1C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // 144 TestPattern; 148 BindKey1
    0x01, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, // 152 BindKey2; 156 BindKey3
    0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // 160 BindKey4; 164 padding
};

TEST(MonitorRecord, WritesEveryFieldLittleEndianAtItsOffsetWithZeroPadding) {
    std::vector<std::uint8_t> record(mlc::kMonitorSettingsRecordSize, 0xEE);
    mlc::encodeMonitorSettings(distinctSettings(), record.data());
    EXPECT_EQ(record, kDistinctRecord);
    EXPECT_EQ(mlc::decodeMonitorSettings(kDistinctRecord.data()), distinctSettings());
}

TEST(MonitorRecord, ReadsAnyNonZeroByteAsTrueAndIgnoresPadding) {
    std::vector<std::uint8_t> record = kDistinctRecord;
    record[49] = 0x80; // Termination 2
    record[33] = record[57] = record[164] = 0xAB;
    const mlc::TMonitorSettings s = mlc::decodeMonitorSettings(record.data());
    EXPECT_TRUE(s.Termination[1]);
    mlc::TMonitorSettings expected = distinctSettings();
    expected.Termination[1] = true;
    EXPECT_EQ(s, expected);
}

TEST(MonitorRecord, APartialRecordReplacesOnlyTheFieldsItCovers) {
    mlc::TMonitorSettings s; // defaults
    mlc::decodeMonitorSettingsPrefix(kDistinctRecord.data(), 40, s);
    EXPECT_EQ(s.XPosition, 1.5);
    EXPECT_EQ(s.SourceInput, 0x01020304);
    EXPECT_EQ(s.HSamplingPos, 50000); // beyond the 40 bytes: kept
    EXPECT_EQ(s.BindKey, (std::array<std::int32_t, 4>{0, 1, 5, 6}));
}

TEST(DefaultsFile, HasTheMagicTheLengthAndTheRecord) {
    const auto file = mlc::encodeDefaults(distinctSettings());
    ASSERT_EQ(file.size(), 176u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 8),
              (std::vector<std::uint8_t>{'M', 'L', 'D', 'F', 168, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 8, file.end()), kDistinctRecord);
}

TEST(DefaultsFile, ReadsNoMoreThanTheRecordAndKeepsTheRestOfAShortOne) {
    auto file = mlc::encodeDefaults(distinctSettings());
    mlc::TMonitorSettings s;

    file[4] = 0xFF; // announces far more than 168 bytes
    file.resize(176 + 1000, 0x55);
    ASSERT_TRUE(mlc::decodeDefaults(file, s));
    EXPECT_EQ(s, distinctSettings());

    file = mlc::encodeDefaults(distinctSettings());
    file.resize(8 + 64); // ends after Brightness
    s = mlc::TMonitorSettings{};
    ASSERT_TRUE(mlc::decodeDefaults(file, s));
    EXPECT_EQ(s.Interpolation, 1);
    EXPECT_EQ(s.XZoom, 100.0);
    EXPECT_EQ(s.VSamplingPos, 50000);
    EXPECT_EQ(s.Contrast, 50000); // not in the file: kept

    s = mlc::TMonitorSettings{};
    file[0] = 'X';
    EXPECT_FALSE(mlc::decodeDefaults(file, s));
    EXPECT_FALSE(mlc::decodeDefaults(std::vector<std::uint8_t>{'M', 'L', 'D', 'F', 168}, s));
    EXPECT_EQ(s, mlc::TMonitorSettings{});
}

} // namespace
