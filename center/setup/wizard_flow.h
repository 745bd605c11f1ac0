// The configuration wizard's pages, without widgets.
//
// Five pages: welcome, serial port, detection and measurements, video input,
// enlargement. Entering a page runs its entry actions (page 3 runs the detection),
// and going back re-enters the previous page the same way. The flow changes
// nothing of the wall or the settings: Finish hands a WizardResult to
// finishWizard(), and Cancel simply drops the flow.
//
// Two points differ from a literal reading of the page rules:
// - The port is taken from the list only when leaving the port page. Page 3 is
//   also re-entered from page 4 (Previous, or measurements rejected), when the list
//   holds inputs or monitor types; its position there is no port.
// - Finish needs devices found during this run: without them the enlargement page
//   says so and Finish stays disabled, so a wall never becomes 0 x 0.
// Coming back to the port page selects the port chosen before in this run, so
// that a retry after checking cables probes the same port again.
#pragma once

#include "setup/monitor_types.h"
#include "setup/wall_autodetect.h"
#include "wall/enlargement.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mlc {

inline constexpr const char* kNextCaption = "&Next >>";
inline constexpr const char* kFinishCaption = "Fi&nish";
inline constexpr const char* kMeasurementError =
    "You have specified ZERO or less for one of the four measurement boxes.\r\nPlease enter values greater "
    "than zero then try again.";

// What the wizard shows on its current page.
struct WizardPage {
    int step = 0;
    std::string info;
    bool comboShown = false;
    std::string comboLabel;
    std::vector<std::string> comboItems;
    int comboIndex = -1;
    bool measuresShown = false; // the four boxes, their labels and the hint button
    MeasureTexts measures;      // the boxes' texts on entering the page
    bool measuresEnabled = false;
    bool previousEnabled = false;
    std::string nextCaption = kNextCaption;
    bool nextEnabled = true;
};

// What the page's controls hold when the operator presses a button.
struct WizardInput {
    int comboIndex = -1;
    MeasureTexts measures;
};

struct WizardResult {
    int port = 1;
    WallShape shape;
    DetectedIds ids{};
    Measurements measurements;
    int input = 0;
    WallRect block; // the enlargement block chosen on the last page
};

// What the flow learns from the program: the ports, the configuration it starts
// from, the input names and the detection.
struct WizardFlowSetup {
    // The driver's port count, asked each time the port page is entered: an adapter
    // plugged in after "check cables" shows up when the operator comes back.
    std::function<int()> portCount;
    int configuredPort = 1;
    std::vector<std::string> inputNames;
    Measurements configured;                     // the measurements page starts from these
    std::function<DetectionOutcome(int)> detect; // runs the detection on a port
};

class WizardFlow {
public:
    // Enters the first page.
    WizardFlow(WizardFlowSetup setup, Operator& op);

    const WizardPage& page() const { return page_; }
    void next(const WizardInput& input);
    void previous(const WizardInput& input);
    // The list's selection changed (page 3: the monitor types fill the boxes).
    void comboChanged(int index);

    bool finished() const { return result_.has_value(); }
    const std::optional<WizardResult>& result() const { return result_; }

private:
    void enter(int step, const WizardInput& input);
    void enterWelcome();
    void enterPort();
    void enterMeasures(const WizardInput& input, bool fromPortPage);
    void enterInput(const WizardInput& input, bool fromMeasuresPage);
    void enterEnlargement(const WizardInput& input);
    void finish(const WizardInput& input);

    WizardFlowSetup setup_;
    Operator& op_;
    WizardPage page_;
    int chosenPort_ = 0;
    WallShape detectedShape_;
    DetectedIds detectedIds_{};
    Measurements measurements_;
    int chosenInput_ = 0;
    std::optional<WizardResult> result_;
};

// The enlargement list for a wall: "c x r" for rows 1..rows outer, columns inner.
std::vector<std::string> enlargementItems(const WallShape& shape);
// An item's block: the trimmed texts before and after the first "x" as integers,
// each at least 1 (text that does not read as one gives 1).
WallShape parseEnlargementItem(const std::string& item);

// What Finish runs after the model took the result: the main window's own actions.
struct WizardFinishSteps {
    std::function<void()> applyConfiguration; // with the caption and pending window messages
    std::function<void(const WallRect&)> autoset;
    std::function<void(const WallRect&)> copy;
    std::function<void(const WallRect&)> paste; // sends the wall
};

// Port, wall size, IDs, input and measurements into the model and the settings,
// then the configuration, and the chosen block spread over the whole wall.
void finishWizard(const WizardResult& result, WallModel& model, ProgramSettings& settings,
                  const WizardFinishSteps& steps);

} // namespace mlc
