// The desktop demonstration's wall: what a new user sees first.
#include "files/ini_file.h"
#include "files/wall_file.h"
#include "paths.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopDemo, StartsOnThePictureSpreadOverTheWallWithThinBezels) {
    testsupport::TempDir dir;
    const testsupport::ProgramResult prepared =
        testsupport::runProgram(MARLUNE_SOURCE_DIR "/scripts/demo-desktop", {"--prepare", dir.path()},
                                {{"MARLUNE_BIN", MARLUNE_BIN_DIR}});
    ASSERT_EQ(prepared.status, 0) << prepared.out << prepared.err;
    const auto ini = mlc::loadIniFile(dir.file("mlcenter.INI"));
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->value("Videowall", "XMarginSize").value_or(""), "1.8");
    // The program starts on this wall instead of enlarging (and selecting) the whole wall.
    mlc::WallSettings wall{};
    ASSERT_TRUE(mlc::loadVideowallFile(dir.file("lastused.MLV"), wall));
    // Four columns share the picture; the bezels take a fraction of a percent.
    const mlc::TMonitorSettings& second = wall[mlc::placeIndex(2, 3)];
    EXPECT_NEAR(second.XZoom, 25.0, 0.5);
    EXPECT_NEAR(second.XPosition, 25.0, 0.5);
    EXPECT_NEAR(second.YZoom, 33.3, 0.5);
    EXPECT_NEAR(second.YPosition, 66.7, 0.5);
}

} // namespace
