// A small wall on mlemu for the GUI tests of the wall actions and the sequencer:
// the real plug-in on the emulator's pseudo-terminal, the match lists, a wall of
// columns x rows monitors numbered row * 10 + column, and the synchronisation.
#pragma once

#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/device_sync.h"
#include "sync/match_list_loading.h"
#include "test_timeouts.h"
#include "wall/wall_history.h"
#include "wall/wall_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <unistd.h>

class EmulatedWall : public ::testing::Test {
protected:
    void TearDown() override {
        if (binding.IsLoaded()) {
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    }

    void start(const std::string& ids, int columns, int rows) {
        emu = std::make_unique<testsupport::EmulatorProcess>(ids);
        ports.set(emu->link());
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), 0);
        ASSERT_TRUE(mlc::LoadMatchLists(binding, lists, op));
        model.DefaultSettings = mlc::FactoryDefaultSettings(lists);
        mlc::InitialiseWall(model);
        model.WallColumns = columns;
        model.WallRows = rows;
    }

    // A broadcast is not answered: selecting a present unit makes sure the
    // emulator has read everything sent before it.
    void settle(std::uint8_t presentId) {
        auto scope = binding.Exchanges().tryEnter();
        binding.SelectDevice(presentId);
    }

    // The value of "unit <id> value|memory ..." lines of the state dump.
    std::string stateField(const std::string& prefix, const std::string& field) {
        std::istringstream lines(emu->state());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0)
                return testsupport::fieldOf(line, field);
        return {};
    }
    int percent(std::uint8_t id, const std::string& operation, const std::string& target = "wnWIN_MAIN") {
        return std::atoi(
            stateField("unit " + std::to_string(id) + " value " + operation + " " + target + " ", "percent")
                .c_str());
    }

    std::unique_ptr<testsupport::EmulatorProcess> emu;
    testsupport::ScopedEnv ports{"LVDRIVER_PORTS", nullptr};
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv timeoutScale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    mlc::WallModel model;
    std::string wallFile;
    mlc::WallHistory history{model, wallFile};
    mlc::MatchLists lists;
    mlc::DriverBinding binding;
    mlc::MatrixSwRouter router;
    testsupport::ScriptedOperator op;
    mlc::SyncOptions options;
    mlc::DeviceSync sync{model, lists, binding, router, op, options};
};
