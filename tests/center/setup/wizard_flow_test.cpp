// The wizard's pages with a scripted detection: what each page shows, where
// Previous, Next and the failure paths lead, and what Finish hands over.
#include "scripted_operator.h"
#include "setup/wizard_flow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace mlc;
using ::testing::ElementsAre;

namespace {

class Wizard : public ::testing::Test {
protected:
    // A wizard whose detection answers from `outcomes` in turn (then NoDevices).
    WizardFlow make(int portCount, int configuredPort) {
        ports = portCount;
        WizardFlowSetup context;
        context.portCount = [this] { return ports; };
        context.configuredPort = configuredPort;
        context.inputNames = {"Analog RGB 1", "Video 1", "S-Video"};
        context.configured = {27, 27, 470, 370};
        context.detect = [this](int port) {
            detectedPorts.push_back(port);
            if (outcomes.empty())
                return withStatus(DetectionOutcome::Status::NoDevices);
            DetectionOutcome outcome = outcomes.front();
            outcomes.erase(outcomes.begin());
            return outcome;
        };
        return WizardFlow(context, op);
    }
    static DetectionOutcome withStatus(DetectionOutcome::Status status) {
        DetectionOutcome outcome;
        outcome.status = status;
        return outcome;
    }
    static DetectionOutcome found(WallShape shape) {
        DetectionOutcome outcome = withStatus(DetectionOutcome::Status::Found);
        for (int i = 1; i <= shape.columns * shape.rows; ++i)
            outcome.presentIds.push_back(static_cast<std::uint8_t>(i * 2));
        outcome.shape = shape;
        outcome.ids = AssignDetectedIds(shape, outcome.presentIds);
        return outcome;
    }
    static WizardInput pick(int index, MeasureTexts measures = {"27.00", "27.00", "470.00", "370.00"}) {
        return {index, measures};
    }

    testsupport::ScriptedOperator op;
    std::vector<DetectionOutcome> outcomes;
    std::vector<int> detectedPorts;
    int ports = 0;
};

TEST_F(Wizard, WalksThePagesToFinish) {
    outcomes = {found({3, 2})};
    WizardFlow flow = make(4, 2);
    EXPECT_EQ(flow.page().step, 1);
    EXPECT_FALSE(flow.page().previousEnabled);
    EXPECT_FALSE(flow.page().comboShown);
    EXPECT_EQ(flow.page().info.rfind("Welcome to Marlune Control Center Configuration wizard.", 0), 0u);

    flow.next({});
    EXPECT_THAT(flow.page().comboItems, ElementsAre("COM1", "COM2", "COM3", "COM4"));
    EXPECT_EQ(flow.page().comboIndex, 1); // the configured port
    EXPECT_EQ(flow.page().comboLabel, "Specify which &serial port to use:");

    flow.next(pick(2)); // COM3
    EXPECT_THAT(detectedPorts, ElementsAre(3));
    EXPECT_EQ(flow.page().step, 3);
    EXPECT_TRUE(flow.page().measuresShown);
    EXPECT_EQ(flow.page().comboIndex, kCustomMonitorType);
    EXPECT_TRUE(flow.page().measuresEnabled);
    EXPECT_EQ(flow.page().measures, (MeasureTexts{"27.00", "27.00", "470.00", "370.00"}));
    flow.comboChanged(2);
    EXPECT_FALSE(flow.page().measuresEnabled);
    EXPECT_EQ(flow.page().measures, (MeasureTexts{"1.80", "1.80", "845.00", "630.00"}));

    flow.next(pick(2, flow.page().measures));
    EXPECT_THAT(flow.page().comboItems, ElementsAre("Analog RGB 1", "Video 1", "S-Video"));
    EXPECT_EQ(flow.page().comboIndex, 0);

    flow.next(pick(1));
    EXPECT_EQ(flow.page().nextCaption, "Fi&nish");
    EXPECT_THAT(flow.page().comboItems, ElementsAre("1 x 1", "2 x 1", "3 x 1", "1 x 2", "2 x 2", "3 x 2"));
    EXPECT_TRUE(flow.page().nextEnabled);
    // Back to the input page and on again: the hidden boxes hold nothing by now,
    // the measurements taken on page 3 stand.
    flow.previous(pick(0, MeasureTexts{}));
    EXPECT_EQ(flow.page().step, 4);
    flow.next(pick(1, MeasureTexts{}));
    EXPECT_EQ(flow.page().step, 5);

    flow.next(pick(4)); // 2 x 2
    ASSERT_TRUE(flow.finished());
    const WizardResult& result = *flow.result();
    EXPECT_EQ(result.port, 3);
    EXPECT_EQ(result.shape, (WallShape{3, 2}));
    EXPECT_EQ(result.ids[2][1], 12);
    EXPECT_EQ(result.measurements.monitorHeight, 630.0);
    EXPECT_EQ(result.input, 1);
    EXPECT_EQ(result.block.Right, 2);
    EXPECT_EQ(result.block.Bottom, 2);
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(Wizard, RejectedMeasurementsRepeatTheDetectionOnTheChosenPort) {
    outcomes = {found({2, 1}), found({2, 1})};
    WizardFlow flow = make(8, 1);
    flow.next({});
    flow.next(pick(1)); // COM2
    // The list now holds monitor types: the custom entry is position 3.
    flow.next(pick(kCustomMonitorType, {"27", "-0", "470", "370"}));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text, kMeasurementError);
    EXPECT_EQ(flow.page().step, 3);
    EXPECT_THAT(detectedPorts, ElementsAre(2, 2));
    // Previous from the input page runs it again, on the same port.
    flow.next(pick(kCustomMonitorType, {"27", "27", "470", "370"}));
    flow.previous(pick(2));
    EXPECT_EQ(flow.page().step, 3);
    EXPECT_THAT(detectedPorts, ElementsAre(2, 2, 2));
    for (const char* bad : {"1e309", "abc", "", "0,0"}) {
        flow.next(pick(kCustomMonitorType, {"27", "27", bad, "370"}));
        EXPECT_EQ(flow.page().step, 3) << bad;
    }
}

TEST_F(Wizard, PortThatFailsLeadsBackToThePortPageWithItSelected) {
    outcomes = {withStatus(DetectionOutcome::Status::NotRun)};
    WizardFlow flow = make(4, 9); // configured beyond the list: COM1 first
    flow.next({});
    EXPECT_EQ(flow.page().comboIndex, 0);
    flow.next(pick(3));
    EXPECT_EQ(flow.page().step, 2);
    EXPECT_EQ(flow.page().comboIndex, 3);
}

TEST_F(Wizard, FinishNeedsDevicesFoundInThisRun) {
    WizardFlow flow = make(2, 1); // every detection finds nothing
    flow.next({});
    flow.next(pick(0));
    flow.next(pick(kCustomMonitorType));
    flow.next(pick(0));
    EXPECT_EQ(flow.page().step, 5);
    EXPECT_TRUE(flow.page().comboItems.empty());
    EXPECT_FALSE(flow.page().nextEnabled);
    EXPECT_NE(flow.page().info.find("Finish is not available"), std::string::npos);
    flow.next(pick(0));
    EXPECT_FALSE(flow.finished());
}

TEST_F(Wizard, NoPortNoNextUntilOneIsThere) {
    WizardFlow flow = make(0, 1);
    flow.next({});
    EXPECT_TRUE(flow.page().comboItems.empty());
    EXPECT_FALSE(flow.page().nextEnabled);
    // An adapter plugged in meanwhile: Previous and Next again list it.
    ports = 1;
    flow.previous({});
    flow.next({});
    EXPECT_THAT(flow.page().comboItems, ElementsAre("COM1"));
    EXPECT_TRUE(flow.page().nextEnabled);
}

TEST(EnlargementItems, ParseToABlockOfAtLeastOne) {
    EXPECT_EQ(parseEnlargementItem("3 x 2"), (WallShape{3, 2}));
    EXPECT_EQ(parseEnlargementItem(" 16x16 "), (WallShape{16, 16}));
    EXPECT_EQ(parseEnlargementItem("0 x -4"), (WallShape{1, 1}));
    EXPECT_EQ(parseEnlargementItem("abc"), (WallShape{1, 1}));
    EXPECT_EQ(parseEnlargementItem(std::string(300, '9') + " x 2"), (WallShape{1, 2}));
}

TEST(WizardFinish, StoresTheResultThenSpreadsTheBlockOverTheWall) {
    WallModel model;
    ProgramSettings settings;
    WizardResult result;
    result.port = 3;
    result.shape = {3, 2};
    result.ids = AssignDetectedIds(result.shape, {4, 5, 6, 7, 8, 9});
    result.measurements = {2, 3, 400, 300};
    result.input = 2;
    result.block = {1, 1, 3, 1};
    model.EnableMarginCorrection = false;

    std::vector<std::string> steps;
    const auto rect = [](const WallRect& r) {
        return std::to_string(r.Right - r.Left + 1) + "x" + std::to_string(r.Bottom - r.Top + 1);
    };
    finishWizard(result, model, settings,
                 {[&] {
                      EXPECT_EQ(settings.SerialPortNumber, 3);
                      EXPECT_EQ(model.WallColumns, 3);
                      EXPECT_EQ(model.WallRows, 2);
                      EXPECT_TRUE(model.EnableMarginCorrection);
                      steps.push_back("apply");
                  },
                  [&](const WallRect& r) { steps.push_back("autoset " + rect(r)); },
                  [&](const WallRect& r) { steps.push_back("copy " + rect(r)); },
                  [&](const WallRect& r) { steps.push_back("paste " + rect(r)); }});
    EXPECT_THAT(steps, ElementsAre("apply", "autoset 3x1", "copy 3x1", "paste 3x2"));
    EXPECT_EQ(model.Monitors.at(3, 2).DeviceId, 9);
    EXPECT_EQ(model.DeviceState.at(1, 2).DeviceId, 7);
    EXPECT_EQ(model.Monitors.at(2, 2).Settings.SourceInput, 2);
    EXPECT_EQ(model.DefaultSettings.SourceInput, 2);
    EXPECT_EQ(model.XMarginSize, 2.0);
    EXPECT_EQ(model.YMonitorSize, 300.0);
}

} // namespace
