// Saves stopped by a killed process, and the file mode, on POSIX systems.
#include "files/atomic_file.h"
#include "files/defaults_file.h"
#include "paths.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testsupport::readAll;
using testsupport::writeAll;

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
