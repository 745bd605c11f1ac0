// Detection on a chosen port through the real plug-in and emulated chains: port 1
// is the configured one, port 2 the one the operator picks. Whatever happens, the
// configured port is open again afterwards and the link switch is as it was.
#include "binding/driver_binding.h"
#include "emulator_process.h"
#include "held_port.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "setup/wall_autodetect.h"
#include "test_timeouts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using namespace mlc;
using testsupport::EmulatorProcess;

namespace {

class Autodetect : public ::testing::Test {
protected:
    // Chains on port 1 and port 2; port 3 names no device. The link starts
    // switched off on the configured port.
    void start(const std::string& chosen) {
        configured = std::make_unique<EmulatorProcess>("1");
        other = std::make_unique<EmulatorProcess>(chosen);
        ports.emplace("LVDRIVER_PORTS",
                      testsupport::portList({configured->link(), other->link(), dir.file("missing")}));
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath(mlc::kDriverFileName)))
            << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), 0);
        settings.SerialPortNumber = 1;
        settings.InhibitSerialCommunication = true;
        binding.SetTestMode(true);
    }
    void TearDown() override {
        if (binding.IsLoaded()) {
            binding.CloseHardwarePort();
            binding.UnloadDriverLibrary();
        }
    }
    // The link is off again, and once switched on the configured port answers.
    void expectConfiguredPortRestored() {
        EXPECT_TRUE(settings.InhibitSerialCommunication);
        const std::size_t before = configured->logLines("dir=rx").size();
        EXPECT_EQ(binding.SelectDevice(1), LV_RESULT_DEVICE_OK); // test mode: nothing on the line
        EXPECT_EQ(configured->logLines("dir=rx").size(), before);
        binding.SetTestMode(false);
        EXPECT_EQ(binding.SelectDevice(1), LV_RESULT_DEVICE_OK);
        EXPECT_GT(configured->logLines("dir=rx").size(), before);
    }

    testsupport::TempDir dir;
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv scale{"LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)};
    std::optional<testsupport::ScopedEnv> ports;
    std::unique_ptr<EmulatorProcess> configured;
    std::unique_ptr<EmulatorProcess> other;
    DriverBinding binding;
    ProgramSettings settings;
    WallModel model;
    testsupport::ScriptedOperator op;
};

TEST_F(Autodetect, FindsTwelveUnitsOnTheChosenPortAndTurnsTheWallVertical) {
    start("1-12");
    op.scriptAnswers({Answer::Yes});
    WallAutodetect detect(binding, settings, model, op);
    EXPECT_EQ(detect.portCount(), 3);
    const DetectionOutcome outcome = detect.run(2);
    ASSERT_EQ(outcome.status, DetectionOutcome::Status::Found);
    EXPECT_EQ(outcome.presentIds.size(), 12u);
    EXPECT_EQ(outcome.shape, (WallShape{3, 4}));
    EXPECT_EQ(outcome.ids[2][3], 12);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(op.messages[0].text, "12 Marlune devices found");
    ASSERT_EQ(op.questions.size(), 1u);
    EXPECT_NE(op.questions[0].text.find("using 12 of all"), std::string::npos);
    EXPECT_EQ(op.progressViews.back().text, "Examining connected videowall");
    EXPECT_TRUE(configured->logLines("dir=rx").empty()); // the probe went to port 2 only
    expectConfiguredPortRestored();
}

TEST_F(Autodetect, APortThatCannotBeOpenedOrIsHeldShowsTheDriverError) {
    start("1-4");
    WallAutodetect detect(binding, settings, model, op);
    EXPECT_EQ(detect.run(3).status, DetectionOutcome::Status::NotRun);
    if (!testsupport::heldPortsExcludeOthers())
        GTEST_SKIP() << "this system lets a second opener have a held port";
    {
        // Another program holds port 2 the way the plug-in itself does.
        const testsupport::HeldPort held(other->link());
        ASSERT_TRUE(held.held());
        EXPECT_EQ(detect.run(2).status, DetectionOutcome::Status::NotRun);
    }
    ASSERT_EQ(op.messages.size(), 2u);
    for (const auto& message : op.messages) {
        EXPECT_EQ(message.kind, MessageKind::Error);
        EXPECT_EQ(message.text.rfind("ERROR ($01)", 0), 0u) << message.text;
    }
    EXPECT_EQ(op.progressOpenCount, 0);
    EXPECT_TRUE(other->logLines("dir=rx").empty());
    expectConfiguredPortRestored();
}

TEST_F(Autodetect, NoUnitAnsweringWarnsAndChangesNothing) {
    start("150"); // answers to no ID that is probed
    WallAutodetect detect(binding, settings, model, op);
    const WallModel before = model;
    EXPECT_EQ(detect.run(2).status, DetectionOutcome::Status::NoDevices);
    EXPECT_THAT(op.messageTexts(), ::testing::ElementsAre(kNoDevicesFoundWarning));
    EXPECT_EQ(model.Monitors.at(1, 1).DeviceId, before.Monitors.at(1, 1).DeviceId);
    expectConfiguredPortRestored();
}

TEST_F(Autodetect, RefusedWhileAnotherExchangeRuns) {
    start("1-4");
    WallAutodetect detect(binding, settings, model, op);
    {
        auto running = binding.Exchanges().tryEnter();
        EXPECT_EQ(detect.run(2).status, DetectionOutcome::Status::NotRun);
    }
    EXPECT_TRUE(op.messages.empty());
    ASSERT_EQ(op.reports.size(), 1u);
    EXPECT_EQ(op.reports[0].kind, MessageKind::Warning);
    EXPECT_TRUE(other->logLines("dir=rx").empty());
    expectConfiguredPortRestored();
}

TEST(DetectedIds, GoIntoBothGridsForTheShapeOnly) {
    WallModel model;
    applyDetectedIds(model, {2, 2}, AssignDetectedIds({2, 2}, {3, 5, 20, 31}));
    EXPECT_EQ(model.Monitors.at(1, 1).DeviceId, 3);
    EXPECT_EQ(model.Monitors.at(2, 1).DeviceId, 5);
    EXPECT_EQ(model.DeviceState.at(1, 2).DeviceId, 20);
    EXPECT_EQ(model.DeviceState.at(2, 2).DeviceId, 31);
    EXPECT_EQ(model.Monitors.at(3, 1).DeviceId, WallModel{}.Monitors.at(3, 1).DeviceId);
}

} // namespace
