#include "files/atomic_file.h"
#include "files/defaults_file.h"
#include "files/guarded_save.h"
#include "files/ini_file.h"
#include "files/monitor_record.h"
#include "files/wall_file.h"
#include "little_endian.h"
#include "paths.h"
#include "scripted_operator.h"
#include "wall/wall_model.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using mlc::Answer;

using testsupport::readAll;
using testsupport::writeAll;

// Every place of the wall gets settings of its own.
mlc::WallSettings numberedSettings() {
    mlc::WallSettings settings;
    for (int c = 1; c <= 16; ++c)
        for (int r = 1; r <= 16; ++r) {
            mlc::TMonitorSettings& s = settings[mlc::placeIndex(c, r)];
            s.XPosition = c + r / 100.0;
            s.Brightness = c * 1000 + r;
        }
    return settings;
}

TEST(WallFile, StoresAllPlacesColumnByColumnBehindTheHeader) {
    const auto file = mlc::encodeVideowall(numberedSettings());
    ASSERT_EQ(file.size(), 43016u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 8),
              (std::vector<std::uint8_t>{'M', 'L', 'V', 'F', 0x00, 0xA8, 0x00, 0x00}));
    // Column 3, row 2 starts at 8 + ((3 - 1) * 16 + (2 - 1)) * 168.
    const std::size_t offset = 8 + (2 * 16 + 1) * 168;
    EXPECT_EQ(mlc::decodeMonitorSettings(file.data() + offset).Brightness, 3002);
}

TEST(WallFile, ATwoByTwoWallRoundTripKeepsAll256PlacesButNotIdsOrSize) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    mlc::WallModel wall;
    wall.WallColumns = 2;
    wall.WallRows = 2;
    mlc::applyWallSettings(numberedSettings(), wall.Monitors);
    wall.Monitors.at(16, 16).DeviceId = 99;
    ASSERT_TRUE(mlc::saveVideowallFile(op, dir.file("wall.MLV"), mlc::wallSettingsOf(wall.Monitors)));
    EXPECT_TRUE(op.questions.empty());

    mlc::WallSettings loaded{};
    ASSERT_TRUE(mlc::loadVideowallFile(dir.file("wall.MLV"), loaded));
    EXPECT_EQ(loaded, numberedSettings());
    mlc::WallModel other;
    mlc::applyWallSettings(loaded, other.Monitors);
    EXPECT_EQ(other.Monitors.at(16, 16).Settings.Brightness, 16016);
    EXPECT_EQ(other.Monitors.at(16, 16).DeviceId, mlc::TWallMonitor{}.DeviceId);
    EXPECT_EQ(other.WallColumns, 8);
}

TEST(WallFile, RefusedFilesLeaveTheBufferUntouched) {
    testsupport::TempDir dir;
    const mlc::WallSettings original = numberedSettings();
    auto file = mlc::encodeVideowall(mlc::WallSettings{});

    for (const auto& bad :
         {std::vector<std::uint8_t>{'M', 'L', 'V'}, std::vector<std::uint8_t>{'M', 'L', 'V', 'F', 0},
          std::vector<std::uint8_t>{'m', 'l', 'v', 'f', 0, 0xA8, 0, 0}}) {
        mlc::WallSettings buffer = original;
        EXPECT_FALSE(mlc::decodeVideowall(bad, buffer));
        EXPECT_EQ(buffer, original);
    }
    file[0] = 'X';
    writeAll(dir.file("x.MLV"), file);
    mlc::WallSettings buffer = original;
    EXPECT_FALSE(mlc::loadVideowallFile(dir.file("x.MLV"), buffer));
    EXPECT_FALSE(mlc::loadVideowallFile(dir.file("missing.MLV"), buffer));
    EXPECT_EQ(buffer, original);

    // The reasons, for messages that name them.
    using Status = mlc::LoadStatus;
    EXPECT_EQ(mlc::loadVideowallFile(dir.file("x.MLV"), buffer).reason(), Status::WrongMagic);
    EXPECT_EQ(mlc::loadVideowallFile(dir.file("missing.MLV"), buffer).reason(), Status::Missing);
    EXPECT_EQ(mlc::loadVideowallFile(dir.path(), buffer).reason(), Status::Missing); // a folder
    EXPECT_EQ(mlc::decodeVideowall(std::vector<std::uint8_t>{'M', 'L', 'V', 'F', 0}, buffer).reason(),
              Status::Truncated);
    writeAll(dir.file("big.INI"), std::vector<std::uint8_t>((16u << 20) + 1, 'x'));
    EXPECT_EQ(mlc::loadIniFile(dir.file("big.INI")).status().reason(), Status::TooLarge);
}

TEST(WallFile, TakesNoLengthAtItsWord) {
    const mlc::WallSettings original = numberedSettings();
    auto file = mlc::encodeVideowall(mlc::WallSettings{});

    // A length far beyond the block, with extra data: only the 256 records are read.
    file[4] = file[5] = file[6] = file[7] = 0xFF;
    file.resize(43016 + 500, 0x77);
    mlc::WallSettings buffer = original;
    ASSERT_TRUE(mlc::decodeVideowall(file, buffer));
    EXPECT_EQ(buffer, mlc::WallSettings{});

    // A complete file announcing a block that ends inside the second record fills
    // only the start.
    file.resize(8 + 168 + 100);
    lv::putLe32(file.data() + 4, std::uint32_t{168 + 100});
    buffer = original;
    ASSERT_TRUE(mlc::decodeVideowall(file, buffer));
    EXPECT_EQ(buffer[0], mlc::TMonitorSettings{});
    EXPECT_EQ(buffer[1].Brightness, mlc::TMonitorSettings{}.Brightness); // offset 64: inside the data
    EXPECT_EQ(buffer[1].BlueUserTemp, original[1].BlueUserTemp);         // offset 100: kept
    EXPECT_EQ(buffer[2], original[2]);

    // A file that ends before the length it announces is damaged: nothing is taken.
    for (const std::size_t size : {std::size_t{8}, std::size_t{8 + 168 + 99}, mlc::kWallFileSize - 1}) {
        auto cut = mlc::encodeVideowall(original);
        cut.resize(size);
        buffer = mlc::WallSettings{};
        EXPECT_EQ(mlc::decodeVideowall(cut, buffer).reason(), mlc::LoadStatus::Truncated) << size;
        EXPECT_EQ(buffer, mlc::WallSettings{});
    }
}

TEST(GuardedSave, AsksBeforeOverwritingAndKeepsTheFileOnNo) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    const std::string path = dir.file("wall.MLV");
    writeAll(path, {1, 2, 3});

    op.scriptAnswers({Answer::No});
    EXPECT_FALSE(mlc::saveVideowallFile(op, path, numberedSettings()));
    ASSERT_EQ(op.questions.size(), 1u);
    EXPECT_EQ(op.questions[0].text, "Destination file already exists.\r\nOverwrite?");
    EXPECT_EQ(op.questions[0].icon, mlc::QuestionIcon::Question);
    EXPECT_EQ(op.questions[0].buttons, mlc::Buttons::YesNo);
    EXPECT_EQ(readAll(path), (std::vector<std::uint8_t>{1, 2, 3}));

    op.scriptAnswers({Answer::Yes});
    EXPECT_TRUE(mlc::saveVideowallFile(op, path, numberedSettings()));
    EXPECT_EQ(readAll(path), mlc::encodeVideowall(numberedSettings()));
    EXPECT_TRUE(op.messages.empty());
}

// A write that fails after part of the data: the disk fills up.
struct FailingWrites {
    std::size_t budget;
    mlc::ScopedWriteCall guard{[this](int fd, const void* data, std::size_t size) -> long {
        if (budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, budget);
        budget -= n;
        return static_cast<long>(::write(fd, data, n));
    }};
    explicit FailingWrites(std::size_t bytes) : budget(bytes) {}
};

TEST(AtomicFile, AnInterruptedSaveLeavesThePreviousFileIntactAndNoLeftovers) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    const std::string path = dir.file("wall.MLV");
    const auto previous = mlc::encodeVideowall(mlc::WallSettings{});
    writeAll(path, previous);
    {
        FailingWrites disk(20000);
        op.scriptAnswers({Answer::Yes});
        EXPECT_FALSE(mlc::saveVideowallFile(op, path, numberedSettings()));
        EXPECT_FALSE(mlc::saveDefaultsFile(dir.file("new.MLD"), mlc::TMonitorSettings{}));
    }
    EXPECT_EQ(readAll(path), previous);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1u); // no temporary file and no half-written new file
}

} // namespace
