#include "app/program_folder.h"
#include "paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

struct Env {
    std::map<std::string, std::string> values;
    const char* operator()(const char* name) const {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : it->second.c_str();
    }
};

TEST(ProgramFolder, IsTheProgramsFolderUnlessItCannotBeWrittenOrAnotherIsGiven) {
    testsupport::TempDir dir;
    const Env env{
        {{"XDG_CONFIG_HOME", dir.file("config")}, {"APPDATA", dir.file("config")}, {"HOME", dir.path()}}};
    const auto writable = [](const std::string&) { return true; };
    const auto readOnly = [](const std::string&) { return false; };

    mlc::ProgramFolder folder = mlc::ResolveProgramFolder(dir.file("bin"), "", std::nullopt, env, writable);
    EXPECT_EQ(folder.path, dir.file("bin") + "/");
    EXPECT_FALSE(folder.userFolder);

    // An installed program: the user's configuration folder, created on demand.
    folder = mlc::ResolveProgramFolder("/usr/bin", "", std::nullopt, env, readOnly);
    EXPECT_EQ(folder.path, dir.file("config") + "/mlcenter/");
    EXPECT_TRUE(folder.userFolder);
    EXPECT_TRUE(folder.problem.empty()) << folder.problem;
    EXPECT_TRUE(std::filesystem::is_directory(folder.path));
    folder = mlc::ResolveProgramFolder("/usr/bin", "", std::nullopt,
                                       Env{{{"HOME", dir.path()}, {"USERPROFILE", dir.path()}}}, readOnly);
#ifdef _WIN32
    EXPECT_EQ(folder.path, dir.path() + "/AppData/Roaming/mlcenter/");
#else
    EXPECT_EQ(folder.path, dir.path() + "/.config/mlcenter/");
#endif

    folder = mlc::ResolveProgramFolder("/usr/bin", "", dir.file("walls/lobby"), env, readOnly);
    EXPECT_EQ(folder.path, dir.file("walls/lobby") + "/");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path));

    // An installed program never writes into the package's folder, even when it
    // could (run by root).
    std::filesystem::create_directories(dir.file("lib/marlune"));
    folder = mlc::ResolveProgramFolder(dir.file("lib/marlune"), dir.file("lib/../lib/marlune/"), std::nullopt,
                                       env, writable);
    EXPECT_EQ(folder.path, dir.file("config") + "/mlcenter/");

    // A folder that cannot be made says so, and the program goes on with it.
    std::ofstream(dir.file("plain")) << "x";
    folder = mlc::ResolveProgramFolder("/usr/bin", "", dir.file("plain/sub"), env, writable);
    EXPECT_NE(folder.problem.find("cannot be created"), std::string::npos) << folder.problem;
}

} // namespace
