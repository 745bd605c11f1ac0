// A wall, its lists and a DeviceSync whose binding talks to the recording fake
// plug-in; the router is the real default library, scripted through its environment.
#pragma once

#include "../fake/fake_plugin.h"
#include "matrixsw.h"
#include "paths.h"
#include "router/video_router.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/device_sync.h"
#include "wall/wall_history.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

// Recorded call lines, several lists one after the other.
inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class SyncFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fakeplugin::reset();
        MATRIXSW_ResetScript();
        ASSERT_TRUE(binding.BindExports(fakeplugin::exports()));
        lists.InputSources.Ids = {"isVIDEO1",     "isVIDEO2", "isSVIDEO1", "isANALOGRGB1",
                                  "isANALOGRGB2", "isDVI1",   "isDVI2"};
        lists.FrameLock.Ids = {"gc16CHANNEL1", "gc16CHANNEL7", "gc16CHANNEL8", "gc16CHANNEL13",
                               "gc16CHANNEL14"};
        lists.Interpolation.Ids = {"inNONE", "inLINEAR", "inCUBIC"};
        lists.InputFilter.Ids = {"ifNONE", "ifLOW"};
        lists.ColorTemp.Ids = {"ctUSER", "ct6500"};
        lists.KeystoningMode.Ids = {"kmNONE", "kmH"};
        lists.ScreenColors.Ids = {"scBLACK", "scBLUE"};
        lists.TestPattern.Ids = {"tpTPRemove", "tpBARS"};
        resize(1, 1);
    }
    void TearDown() override { MATRIXSW_ResetScript(); }

    void resize(int columns, int rows) {
        model.WallColumns = columns;
        model.WallRows = rows;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                model.Monitors.at(c, r).DeviceId = static_cast<std::uint8_t>(r * 10 + c);
    }

    mlc::TMonitorSettings& settings(int c, int r) { return model.Monitors.at(c, r).Settings; }
    std::vector<std::string>& calls() { return fakeplugin::script().calls; }
    std::string routerLog() const {
        std::ifstream in(routerLogFile, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    testsupport::TempDir dir;
    std::string routerLogFile = dir.file("router.log");
    testsupport::ScopedEnv routerLog_{"MATRIXSW_LOG", routerLogFile};
    testsupport::ScopedEnv routerRefuse{"MATRIXSW_REFUSE", nullptr};
    testsupport::ScopedEnv routerRefuseAfter{"MATRIXSW_REFUSE_AFTER", nullptr};
    testsupport::ScopedEnv routerInputs{"MATRIXSW_INPUTS", nullptr};
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
