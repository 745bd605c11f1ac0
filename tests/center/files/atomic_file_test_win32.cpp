// Saves on Windows: what a killed save left behind, a save in progress, and a
// file that cannot be replaced.
#include "files/atomic_file.h"
#include "paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <windows.h>

namespace {

using testsupport::readAll;

std::vector<std::string> temporariesOf(const testsupport::TempDir& dir, const std::string& name) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind(name + ".tmp-", 0) == 0)
            found.push_back(entry.path().filename().string());
    return found;
}

TEST(AtomicFileWin32, ReplacesByteForByteAndSweepsOnlyUnheldLeftovers) {
    testsupport::TempDir dir;
    const std::string path = dir.file("wall.MLV");
    ASSERT_TRUE(mlc::writeFileAtomically(path, std::vector<std::uint8_t>{1, 2, 3}));

    // A save killed half-way left its file; a save in progress holds its own.
    std::ofstream(dir.file("wall.MLV.tmp-killed")) << "half";
    const HANDLE held = ::CreateFileA(dir.file("wall.MLV.tmp-inprog").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const std::vector<std::uint8_t> bytes{0x00, 0x0A, 0x0D, 0x1A, 0xFF};
    ASSERT_TRUE(mlc::writeFileAtomically(path, bytes));
    EXPECT_EQ(readAll(path), bytes) << "binary: no line-end or end-of-file translation";
    EXPECT_EQ(temporariesOf(dir, "wall.MLV"), std::vector<std::string>{"wall.MLV.tmp-inprog"});
    ::CloseHandle(held);

    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(mlc::canReplaceFile(path));
    EXPECT_FALSE(mlc::writeFileAtomically(path, std::vector<std::uint8_t>{9}));
    EXPECT_EQ(readAll(path), bytes) << "a refused replace keeps the file";
    EXPECT_TRUE(temporariesOf(dir, "wall.MLV").empty())
        << "the failed save's own file is gone, and the stale one";
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
