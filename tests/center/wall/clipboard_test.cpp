#include "wall/clipboard.h"

#include <gtest/gtest.h>

using mlc::WallRect;

namespace {

// A wall whose every place carries its own brightness (column * 100 + row).
class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        model.WallColumns = 4;
        model.WallRows = 4;
        for (int r = 1; r <= mlc::kMaxRows; ++r)
            for (int c = 1; c <= mlc::kMaxColumns; ++c) {
                model.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>(r * 10 + c);
                model.Monitors.at(c, r).Settings.Brightness = mark(c, r);
            }
    }
    static int mark(int c, int r) { return c * 100 + r; }
    int brightness(int c, int r) const { return model.Monitors.at(c, r).Settings.Brightness; }

    mlc::WallModel model;
    mlc::WallClipboard clipboard;
};

TEST_F(Clipboard, OneMonitorFillsAThreeByTwoSelection) {
    EXPECT_FALSE(clipboard.paste(model, WallRect{1, 1, 1, 1})); // nothing copied yet
    EXPECT_FALSE(model.VideowallModified);
    clipboard.copy(model.Monitors, WallRect{4, 4, 4, 4});
    EXPECT_FALSE(model.VideowallModified);
    ASSERT_TRUE(clipboard.paste(model, WallRect{1, 2, 3, 3}));
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(brightness(c, r), mark(4, 4)) << c << "," << r;
            EXPECT_EQ(model.Monitors.at(c, r).DeviceId, r * 10 + c); // only settings travel
        }
    EXPECT_EQ(brightness(1, 1), mark(1, 1));
    EXPECT_TRUE(model.VideowallModified);
}

TEST_F(Clipboard, ABlockRepeatsFromItsTopLeftCornerAndIsASnapshot) {
    clipboard.copy(model.Monitors, WallRect{2, 2, 3, 3});
    model.Monitors.at(2, 2).Settings.Brightness = 1; // changed after Copy
    ASSERT_TRUE(clipboard.paste(model, WallRect{1, 4, 3, 4}));
    EXPECT_EQ(brightness(1, 4), mark(2, 2));
    EXPECT_EQ(brightness(2, 4), mark(3, 2));
    EXPECT_EQ(brightness(3, 4), mark(2, 2));
}

TEST_F(Clipboard, ABlockLargerThanTheWallHasBecomeStaysWithinTheArray) {
    clipboard.copy(model.Monitors, WallRect{13, 13, 20, 20}); // clipped to 13..16
    EXPECT_EQ(clipboard.rect().Right, 16);
    model.WallColumns = 2;
    model.WallRows = 2;
    ASSERT_TRUE(clipboard.paste(model, WallRect{1, 1, 2, 2}));
    EXPECT_EQ(brightness(2, 2), mark(14, 14));
    EXPECT_TRUE(clipboard.paste(model, WallRect{0, -3, 40, 1})); // clipped, no place outside
    EXPECT_EQ(brightness(16, 1), mark(16, 13));
    EXPECT_FALSE(clipboard.paste(model, WallRect{17, 1, 20, 2}));
}

TEST_F(Clipboard, PasteSpecialWithNothingCheckedKeepsOrResets) {
    model.DefaultSettings.Brightness = 7;
    model.DefaultSettings.Hue = 8;
    clipboard.copy(model.Monitors, WallRect{1, 1, 1, 1});
    mlc::PasteSpecialMask mask;
    const auto before = model.Monitors.at(2, 2).Settings;
    ASSERT_TRUE(clipboard.pasteSpecial(model, WallRect{2, 2, 3, 3}, mask));
    EXPECT_EQ(model.Monitors.at(2, 2).Settings, before);
    EXPECT_TRUE(model.VideowallModified);

    mask.Unselected = mlc::ResetUnselected;
    mask.Flags[15] = true; // Brightness from the copy
    ASSERT_TRUE(clipboard.pasteSpecial(model, WallRect{2, 2, 3, 3}, mask));
    auto expected = model.DefaultSettings;
    expected.Brightness = mark(1, 1);
    EXPECT_EQ(model.Monitors.at(3, 3).Settings, expected);
}

TEST(PasteFields, EachFlagCopiesOneFieldAndAllFortyCopyTheWholeRecord) {
    mlc::TMonitorSettings from;
    from.XPosition = 1, from.YPosition = 2, from.XZoom = 3, from.YZoom = 4;
    from.VideoMatrixSource = 5;
    std::int32_t* ints[] = {
        &from.SourceInput,   &from.HSamplingPos,  &from.VSamplingPos, &from.FrameLock,
        &from.Interpolation, &from.Brightness,    &from.Contrast,     &from.Sharpness,
        &from.Filter,        &from.Phase,         &from.Frequency,    &from.ColorTemperature,
        &from.RedUserTemp,   &from.GreenUserTemp, &from.BlueUserTemp, &from.Saturation,
        &from.Hue,           &from.Gamma,         &from.ScalerMode,   &from.HStretch,
        &from.VStretch,      &from.KeystoneMode,  &from.Keystone,     &from.BlankColor,
        &from.HD15Sync,      &from.TestPattern};
    for (auto* field : ints)
        *field = -9;
    from.Termination = {false, false, false, false};
    from.Freeze = true;
    from.BindKey = {9, 9, 9, 9};

    const mlc::TMonitorSettings base;
    mlc::TMonitorSettings all = base;
    for (std::size_t i = 0; i < mlc::kPasteFieldCount; ++i) {
        mlc::TMonitorSettings one = base;
        mlc::kPasteFields[i].copy(one, from);
        EXPECT_NE(one, base) << i;
        mlc::kPasteFields[i].copy(all, from);
    }
    EXPECT_EQ(all, from);

    // Where the table's order differs from the record's.
    mlc::TMonitorSettings freeze = base;
    mlc::kPasteFields[12].copy(freeze, from);
    EXPECT_TRUE(freeze.Freeze);
    EXPECT_EQ(std::string(mlc::kPasteFields[13].text), "Frame locking");
    mlc::TMonitorSettings key = base;
    mlc::kPasteFields[37].copy(key, from);
    EXPECT_EQ(key.BindKey[1], 9);
    EXPECT_EQ(key.BindKey[0], base.BindKey[0]);
}

TEST_F(Clipboard, CopyFromVideowallTakesOverTheUsedPart) {
    model.WallColumns = 2;
    model.WallRows = 1;
    model.DeviceState.at(2, 1).Settings.Contrast = 42;
    model.DeviceState.at(3, 1).Settings.Contrast = 43;
    mlc::takeOverDeviceState(model);
    EXPECT_EQ(model.Monitors.at(2, 1).Settings.Contrast, 42);
    EXPECT_EQ(model.Monitors.at(3, 1).Settings.Brightness, mark(3, 1)); // outside the used part
    EXPECT_TRUE(model.VideowallModified);
}

} // namespace
