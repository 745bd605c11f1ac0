// The settings dialogs against a 3 x 3 wall of emulated units (IDs 11-13, 21-23,
// 31-33) through the real plug-in; the router is the default library, scripted
// through its environment.
#pragma once

#include "binding/driver_binding.h"
#include "dialogs/monitor_apply.h"
#include "emulator_process.h"
#include "files/settings_file.h"
#include "matrixsw.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "test_timeouts.h"
#include "wall/wall_history.h"
#include "wall/wall_state.h"

#include <QAbstractButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class MonitorDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        MATRIXSW_ResetScript();
        emu = std::make_unique<testsupport::EmulatorProcess>("11-13,21-23,31-33");
        ports.emplace("LVDRIVER_PORTS", emu->link());
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), 0);
        ASSERT_TRUE(mlc::LoadMatchLists(binding, lists, op));
        wall.DefaultSettings = mlc::FactoryDefaultSettings(lists);
        mlc::InitialiseWall(wall);
        wall.WallColumns = 3;
        wall.WallRows = 3;
    }
    void TearDown() override {
        if (binding.IsLoaded()) {
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    }

    mlc::DeviceAccess devices() { return {sync, router, op}; }
    mlc::TMonitorSettings& settings(int column, int row) { return wall.Monitors.at(column, row).Settings; }

    // Operations received since the log had `from` received lines, as "unit
    // name[ target]", without the driver's range queries.
    std::vector<std::string> received(std::size_t from = 0) const {
        std::vector<std::string> ops;
        const auto lines = emu->logLines("dir=rx");
        for (std::size_t i = from; i < lines.size(); ++i) {
            if (testsupport::fieldOf(lines[i], "kind") != "op" ||
                testsupport::fieldOf(lines[i], "sub") == "range")
                continue;
            std::string op =
                testsupport::fieldOf(lines[i], "unit") + " " + testsupport::fieldOf(lines[i], "name");
            const std::string target = testsupport::fieldOf(lines[i], "target");
            if (!target.empty())
                op += " " + target;
            ops.push_back(op);
        }
        return ops;
    }
    std::size_t receivedCount() const { return emu->logLines("dir=rx").size(); }

    template <typename T> static T* child(QWidget* dialog, const char* name) {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget* dialog, const char* button) {
        child<QAbstractButton>(dialog, button)->click();
    }

    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv timeoutScale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    testsupport::ScopedEnv routerInputs{"MATRIXSW_INPUTS", "Camera 1,Camera 2,Studio"};
    std::unique_ptr<testsupport::EmulatorProcess> emu;
    std::optional<testsupport::ScopedEnv> ports;
    mlc::WallModel wall;
    std::string wallFile;
    mlc::WallHistory history{wall, wallFile};
    mlc::MatchLists lists;
    mlc::ProgramSettings programSettings;
    mlc::DriverBinding binding;
    mlc::MatrixSwRouter router;
    testsupport::ScriptedOperator op;
    mlc::SyncOptions options;
    mlc::DeviceSync sync{wall, lists, binding, router, op, options};
};
