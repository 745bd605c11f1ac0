#include "paths.h"
#include "scoped_env.h"
#include "setup/autostart_entry.h"

#include <gtest/gtest.h>

namespace {

using namespace mlc;

TEST(AutostartEntry, LivesUnderTheConfigFolder) {
    testsupport::TempDir dir;
    {
        testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", dir.path());
        EXPECT_EQ(autostartEntryPath("mlcenter"), dir.path() + "/autostart/mlcenter.desktop");
    }
    testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", "relative/config");
    testsupport::ScopedEnv home("HOME", "/home/operator");
    EXPECT_EQ(autostartEntryPath("mlcenter"), "/home/operator/.config/autostart/mlcenter.desktop");
    EXPECT_EQ(desktopExecValue("/usr/bin/mlcenter"), "/usr/bin/mlcenter");
}

} // namespace
