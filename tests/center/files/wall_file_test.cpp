#include "files/atomic_file.h"
#include "files/defaults_file.h"
#include "files/guarded_save.h"
#include "files/ini_file.h"
#include "files/monitor_record.h"
#include "files/wall_file.h"
#include "paths.h"
#include "scripted_operator.h"
#include "wall/wall_model.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using mlc::Answer;

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

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

    // A file that ends inside the second record fills only the start.
    file.resize(8 + 168 + 100);
    buffer = original;
    ASSERT_TRUE(mlc::decodeVideowall(file, buffer));
    EXPECT_EQ(buffer[0], mlc::TMonitorSettings{});
    EXPECT_EQ(buffer[1].Brightness, mlc::TMonitorSettings{}.Brightness); // offset 64: inside the data
    EXPECT_EQ(buffer[1].BlueUserTemp, original[1].BlueUserTemp);         // offset 100: kept
    EXPECT_EQ(buffer[2], original[2]);
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

// Starts a save of `path` in a child process that stops in the middle of writing
// the data: killed there (SIGKILL) or waiting until the returned pipe closes.
pid_t saveStoppingHalfway(const std::string& path, bool killed, int& release) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[1]);
        mlc::ScopedWriteCall halfway{[&](int fd, const void* data, std::size_t size) -> long {
            (void)!::write(fd, data, size / 2);
            if (killed)
                ::raise(SIGKILL);
            char byte;
            (void)!::read(fds[0], &byte, 1);
            ::_exit(0);
        }};
        mlc::writeFileAtomically(path, std::vector<std::uint8_t>(1000, 7));
        ::_exit(1);
    }
    ::close(fds[0]);
    release = fds[1];
    return child;
}

std::vector<std::string> temporariesOf(const testsupport::TempDir& dir, const std::string& name) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind(name + ".tmp-", 0) == 0)
            found.push_back(entry.path().string());
    return found;
}

TEST(AtomicFile, TheNextSaveRemovesWhatAKilledSaveLeftButNotASaveInProgress) {
    testsupport::TempDir dir;
    int unused = -1, release = -1;
    const pid_t killed = saveStoppingHalfway(dir.file("a.MLV"), true, unused);
    ASSERT_GT(killed, 0);
    ::waitpid(killed, nullptr, 0);
    ::close(unused);
    const auto stale = temporariesOf(dir, "a.MLV");
    ASSERT_EQ(stale.size(), 1u) << "the killed save left its temporary file";

    const pid_t writing = saveStoppingHalfway(dir.file("b.MLV"), false, release);
    ASSERT_GT(writing, 0);
    // Written to (and so locked) once it has data.
    const auto started = [&] {
        const auto files = temporariesOf(dir, "b.MLV");
        return !files.empty() && std::filesystem::file_size(files[0]) > 0;
    };
    for (int i = 0; i < 500 && !started(); ++i)
        ::usleep(10000);
    const auto inProgress = temporariesOf(dir, "b.MLV");
    ASSERT_EQ(inProgress.size(), 1u);

    std::filesystem::copy_file(stale[0], dir.file("b.MLV.tmp-STALE1")); // nobody's lock
    ASSERT_TRUE(mlc::writeFileAtomically(dir.file("a.MLV"), std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(temporariesOf(dir, "a.MLV").empty());
    EXPECT_EQ(temporariesOf(dir, "b.MLV").size(), 2u) << "only a save of the same file sweeps";
    ASSERT_TRUE(mlc::writeFileAtomically(dir.file("b.MLV"), std::vector<std::uint8_t>{2}));
    EXPECT_EQ(temporariesOf(dir, "b.MLV"), inProgress) << "the save in progress keeps its file";

    ::close(release);
    ::waitpid(writing, nullptr, 0);
    EXPECT_EQ(readAll(dir.file("b.MLV")), (std::vector<std::uint8_t>{2}));
}

TEST(AtomicFile, WritesTheExactBytesAndKeepsTheFilesMode) {
    testsupport::TempDir dir;
    const std::string path = dir.file("lastused.MLD");
    writeAll(path, {9});
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(mlc::saveDefaultsFile(path, mlc::TMonitorSettings{}));
    EXPECT_EQ(readAll(path), mlc::encodeDefaults(mlc::TMonitorSettings{}));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_FALSE(mlc::writeFileAtomically(dir.file("no/such/folder/x"), std::vector<std::uint8_t>{1}));
}

} // namespace
