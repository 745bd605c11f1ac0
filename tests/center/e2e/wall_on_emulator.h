// The fixture of the synchronisation tests end to end: DeviceSync -> binding ->
// the real plug-in -> a pseudo-terminal -> mlemu. What the units hold is checked
// in mlemu's state dump, what went over the line in its traffic log.
#pragma once

#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "matrixsw.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "test_timeouts.h"
#include "wall/wall_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace e2e {

using namespace mlc;

// Device IDs of a wall place, as the fixture numbers them.
inline std::uint8_t idOf(int column, int row) {
    return static_cast<std::uint8_t>(row * 10 + column);
}

class WallOnEmulator : public ::testing::Test {
protected:
    void TearDown() override {
        if (binding.IsLoaded()) {
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    }

    // Starts a chain with the given IDs, loads the plug-in, opens its port and
    // loads the lists; the wall gets columns x rows monitors numbered row*10+column.
    // Tests return when it failed.
    void start(const std::string& ids, int columns, int rows, const std::vector<std::string>& extra = {}) {
        emu = std::make_unique<testsupport::EmulatorProcess>(ids, extra);
        ports.set(emu->link());
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath(mlc::kDriverFileName)))
            << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), 0);
        ASSERT_TRUE(LoadMatchLists(binding, lists, op));
        ASSERT_TRUE(op.messages.empty()) << op.messages[0].text;
        model.DefaultSettings = FactoryDefaultSettings(lists);
        InitialiseWall(model);
        model.WallColumns = columns;
        model.WallRows = rows;
    }

    // Operation names the units received since the log had `from` lines, as
    // "unit name[ target]" for one unit, in order.
    std::vector<std::string> receivedOps(std::size_t from, const std::string& unit) {
        std::vector<std::string> ops;
        const auto lines = emu->logLines("dir=rx");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i < from || testsupport::fieldOf(lines[i], "kind") != "op" ||
                testsupport::fieldOf(lines[i], "unit") != unit ||
                testsupport::fieldOf(lines[i], "sub") == "range")
                continue;
            std::string op = testsupport::fieldOf(lines[i], "name");
            const std::string target = testsupport::fieldOf(lines[i], "target");
            if (!target.empty())
                op += " " + target;
            ops.push_back(op);
        }
        return ops;
    }
    std::size_t receivedCount() { return emu->logLines("dir=rx").size(); }

    // A broadcast is not answered, so the call returns before mlemu has read it:
    // waits (generously) until the log holds `count` broadcast executions.
    void awaitBroadcasts(std::size_t count) {
        for (int i = 0;
             i < 500 &&
             emu->logLines("unit=all type=3 kind=op sub=exec name=op_IP_MISC_EXECUTEQUEUE").size() < count;
             ++i)
            usleep(10000);
    }

    // "unit <id> value <operation> <target>" line of the state dump.
    std::string stateLine(std::uint8_t id, const std::string& operation, const std::string& target) {
        std::istringstream lines(emu->state());
        const std::string prefix = "unit " + std::to_string(id) + " value " + operation + " " + target + " ";
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0)
                return line;
        return {};
    }
    std::string item(std::uint8_t id, const std::string& operation, const std::string& target = "-") {
        return testsupport::fieldOf(stateLine(id, operation, target), "item");
    }
    int percent(std::uint8_t id, const std::string& operation, const std::string& target = "-") {
        return std::atoi(testsupport::fieldOf(stateLine(id, operation, target), "percent").c_str());
    }

    std::unique_ptr<testsupport::EmulatorProcess> emu;
    WallModel model;
    MatchLists lists;
    DriverBinding binding;
    MatrixSwRouter router;
    testsupport::ScopedEnv ports{"LVDRIVER_PORTS", nullptr};
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv timeoutScale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    testsupport::ScriptedOperator op;
    SyncOptions options;
    DeviceSync sync{model, lists, binding, router, op, options};
};

// A percentage comes back through the unit's range: allow one step of it.
MATCHER_P2(IsPercentNear, expected, rangeSize, "") {
    return std::abs(arg - expected) <= 100000 / rangeSize + 1;
}

} // namespace e2e
