// The start-up entry on Windows: a shell link in the Startup folder.
#include "files/atomic_file.h"
#include "paths.h"
#include "setup/autostart_entry.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

TEST(AutostartEntryWin32, AShellLinkInTheStartupFolderWrittenAndRemoved) {
    std::string path = mlc::autostartEntryPath("mlcenter-test");
    for (char& c : path)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(path.find("\\startup\\mlcenter-test.lnk"), std::string::npos) << path;

    testsupport::TempDir dir;
    std::string error;
    ASSERT_TRUE(mlc::writeAutostartEntry(dir.file("mlcenter.lnk"), "C:\\Marlune\\mlcenter.exe",
                                         "C:\\Walls\\Site \"A\"\\", error))
        << error;
    std::ifstream in(dir.file("mlcenter.lnk"), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A shell link file: header size 0x4C and the shell link class.
    ASSERT_GE(bytes.size(), 20u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x4C\0\0\0\x01\x14\x02\0", 8));
    // The arguments (stored as UTF-16) as the C run-time reads them back: one
    // folder, quotes and all.
    std::string arguments;
    for (const char c : std::string("--config-dir \"C:\\Walls\\Site \\\"A\\\"\\\\\""))
        arguments += std::string{c, '\0'};
    EXPECT_NE(bytes.find(arguments), std::string::npos);
    in.close();
    EXPECT_TRUE(mlc::removeAutostartEntry(dir.file("mlcenter.lnk")));
    EXPECT_FALSE(mlc::fileExists(dir.file("mlcenter.lnk")));
}

} // namespace
