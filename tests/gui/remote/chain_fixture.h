// The remote's and the special functions' windows over the real plug-in: on an
// emulated chain (mlemu on a pseudo-terminal) or with no port open at all.
#pragma once

#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/chain_commands.h"
#include "sync/chain_settings.h"
#include "sync/match_list_loading.h"
#include "test_timeouts.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace remotetest {

class ChainFixture : public ::testing::Test {
protected:
    void TearDown() override {
        binding.CloseHardwarePort();
        binding.UnloadDriverLibrary();
    }

    // Loads the plug-in; with ids, starts those units and opens the port to them.
    void start(const std::string& ids) {
        if (!ids.empty()) {
            emu = std::make_unique<testsupport::EmulatorProcess>(ids);
            ports = std::make_unique<testsupport::ScopedEnv>("LVDRIVER_PORTS", emu->link());
        } else {
            ports = std::make_unique<testsupport::ScopedEnv>("LVDRIVER_PORTS", dir.file("no-port"));
        }
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
        if (emu) {
            ASSERT_EQ(binding.OpenHardwarePort(1), LV_RESULT_OK);
        }
        ASSERT_TRUE(mlc::LoadMatchLists(binding, lists, op));
    }

    // The units' state once everything sent to all of them has arrived (one
    // answered exchange with unit `present` first).
    std::string settledState(std::uint8_t present = 1) {
        EXPECT_EQ(binding.SelectDevice(present), LV_RESULT_DEVICE_OK);
        return emu->state();
    }

    // The state's lines that begin with `prefix`.
    static std::vector<std::string> linesOf(const std::string& state, const std::string& prefix);

    testsupport::TempDir dir;
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv fastProbes{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    std::unique_ptr<testsupport::EmulatorProcess> emu;
    std::unique_ptr<testsupport::ScopedEnv> ports;
    testsupport::ScriptedOperator op;
    mlc::DriverBinding binding;
    mlc::MatchLists lists;
    mlc::WallModel model;
    mlc::ChainCommands chain{model, binding, op};
    mlc::ChainSettings settings{model, binding, op};
};

inline std::vector<std::string> ChainFixture::linesOf(const std::string& state, const std::string& prefix) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < state.size()) {
        std::size_t end = state.find('\n', start);
        if (end == std::string::npos)
            end = state.size();
        const std::string line = state.substr(start, end - start);
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace remotetest
