#include "setup/wizard_flow.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace mlc {

namespace {

constexpr const char* kWelcomeText =
    "Welcome to Marlune Control Center Configuration wizard.\n\n"
    "This wizard sets up a newly connected videowall: it finds the Marlune devices on a serial port, "
    "arranges them into a grid, takes the measurements of your monitors, the video input to show and an "
    "enlargement effect, and sends all of it to the videowall.\n\n"
    "Press Next to advance to the next step, Cancel to abort the wizard or Previous to go back one step. "
    "You can recall this wizard at any time through \"New\" in the File menu.";
constexpr const char* kPortText =
    "Specify which serial port to use to communicate with the videowall.\n\n"
    "Pressing Next starts the autodetection of the devices connected to that port. Should no device be "
    "found, check cables and connections, then press Previous to try again.";
constexpr const char* kNoPortText =
    "\n\nNo serial port is available. Connect the videowall to a serial port of this computer, then press "
    "Previous and Next to look again.";
constexpr const char* kMeasuresText =
    "Please specify the dimensions of your monitors by either picking a default type or by specifying your "
    "own custom dimensions.\n\n"
    "Press Hint for help on how to measure your monitors.";
constexpr const char* kInputText = "Choose which video input to switch to from the list below.\n\n"
                                   "The inputs are marked on the device's front panel.";
constexpr const char* kEnlargementText =
    "Now please choose which enlargement effect would you like to display on your videowall.\n\n"
    "Each entry spreads one picture over a block of monitors (columns x rows), repeated over the whole "
    "wall. Press Finish to complete the wizard and send the configuration to the videowall.";
constexpr const char* kNothingFoundText =
    "Now please choose which enlargement effect would you like to display on your videowall.\n\n"
    "No Marlune devices have been found during this run of the wizard, so there is no videowall to "
    "configure and Finish is not available. Press Previous to run the detection again.";

constexpr const char* kPortLabel = "Specify which &serial port to use:";
constexpr const char* kMonitorLabel = "Choose your &monitors from the list:";
constexpr const char* kInputLabel = "Select which &video input to use:";
constexpr const char* kEnlargementLabel = "Choose the &enlargement type you prefer:";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

int atLeastOne(std::string_view text) {
    text = trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        value = 0;
    return std::max(value, 1);
}

} // namespace

WizardFlow::WizardFlow(WizardFlowSetup setup, Operator& op) : setup_(std::move(setup)), op_(op) {
    enter(1, {});
}

void WizardFlow::next(const WizardInput& input) {
    if (page_.nextEnabled && !finished())
        enter(page_.step + 1, input);
}

void WizardFlow::previous(const WizardInput& input) {
    if (page_.previousEnabled && !finished())
        enter(page_.step - 1, input);
}

void WizardFlow::enter(int step, const WizardInput& input) {
    const int leaving = page_.step;
    page_ = WizardPage{};
    page_.step = step;
    switch (step) {
    case 1:
        enterWelcome();
        break;
    case 2:
        enterPort();
        break;
    case 3:
        enterMeasures(input, leaving == 2);
        break;
    case 4:
        enterInput(input, leaving == 3);
        break;
    case 5:
        enterEnlargement(input);
        break;
    default:
        finish(input);
        break;
    }
}

void WizardFlow::enterWelcome() {
    page_.info = kWelcomeText;
}

void WizardFlow::enterPort() {
    page_.previousEnabled = true;
    page_.info = kPortText;
    page_.comboShown = true;
    page_.comboLabel = kPortLabel;
    const int portCount = setup_.portCount ? setup_.portCount() : 0;
    page_.comboItems = portNames(portCount);
    page_.comboIndex = portListIndex(chosenPort_ > 0 ? chosenPort_ : setup_.configuredPort, portCount);
    if (portCount <= 0) {
        page_.info += kNoPortText;
        page_.comboIndex = -1;
        page_.nextEnabled = false;
    }
}

void WizardFlow::enterMeasures(const WizardInput& input, bool fromPortPage) {
    if (fromPortPage)
        chosenPort_ = input.comboIndex + 1;
    const DetectionOutcome outcome = setup_.detect ? setup_.detect(chosenPort_) : DetectionOutcome{};
    if (outcome.status == DetectionOutcome::Status::NotRun) {
        enter(2, input);
        return;
    }
    if (outcome.status == DetectionOutcome::Status::Found) {
        detectedShape_ = outcome.shape;
        detectedIds_ = outcome.ids;
    }
    page_.previousEnabled = true;
    page_.info = kMeasuresText;
    page_.measuresShown = true;
    page_.measures = measurementTexts(setup_.configured);
    page_.comboShown = true;
    page_.comboLabel = kMonitorLabel;
    for (const TMonitorType& type : MonitorTypes)
        page_.comboItems.emplace_back(type.Name);
    comboChanged(kCustomMonitorType);
}

void WizardFlow::comboChanged(int index) {
    if (page_.step != 3)
        return;
    page_.comboIndex = index;
    page_.measuresEnabled = index == kCustomMonitorType;
    if (!page_.measuresEnabled)
        page_.measures = monitorTypeTexts(index);
}

void WizardFlow::enterInput(const WizardInput& input, bool fromMeasuresPage) {
    // Back from the enlargement page the boxes are not on show: the measurements
    // taken when leaving page 3 stand.
    if (fromMeasuresPage) {
        const Measurements typed = readMeasurements(input.measures);
        if (!typed.allAboveZero()) {
            op_.showMessage(MessageKind::Error, kMeasurementError);
            enter(3, input);
            return;
        }
        measurements_ = typed;
    }
    page_.previousEnabled = true;
    page_.info = kInputText;
    page_.comboShown = true;
    page_.comboLabel = kInputLabel;
    page_.comboItems = setup_.inputNames;
    page_.comboIndex = page_.comboItems.empty() ? -1 : 0;
}

void WizardFlow::enterEnlargement(const WizardInput& input) {
    chosenInput_ = std::max(input.comboIndex, 0);
    page_.previousEnabled = true;
    page_.nextCaption = kFinishCaption;
    page_.comboShown = true;
    page_.comboLabel = kEnlargementLabel;
    page_.comboItems = enlargementItems(detectedShape_);
    const bool found = !page_.comboItems.empty();
    page_.info = found ? kEnlargementText : kNothingFoundText;
    page_.comboIndex = found ? 0 : -1;
    page_.nextEnabled = found;
}

void WizardFlow::finish(const WizardInput& input) {
    const auto items = enlargementItems(detectedShape_);
    const std::size_t chosen = static_cast<std::size_t>(std::max(input.comboIndex, 0));
    const WallShape block = chosen < items.size() ? parseEnlargementItem(items[chosen]) : WallShape{1, 1};
    result_ = WizardResult{chosenPort_,   detectedShape_, detectedIds_,
                           measurements_, chosenInput_,   WallRect{1, 1, block.columns, block.rows}};
    page_.nextEnabled = false;
    page_.previousEnabled = false;
}

std::vector<std::string> enlargementItems(const WallShape& shape) {
    std::vector<std::string> items;
    for (int rows = 1; rows <= shape.rows; ++rows)
        for (int columns = 1; columns <= shape.columns; ++columns)
            items.push_back(std::to_string(columns) + " x " + std::to_string(rows));
    return items;
}

WallShape parseEnlargementItem(const std::string& item) {
    const std::size_t x = item.find('x');
    if (x == std::string::npos)
        return {atLeastOne(item), 1};
    const std::string_view text(item);
    return {atLeastOne(text.substr(0, x)), atLeastOne(text.substr(x + 1))};
}

void finishWizard(const WizardResult& result, WallModel& model, ProgramSettings& settings,
                  const WizardFinishSteps& steps) {
    settings.SerialPortNumber = static_cast<std::uint8_t>(result.port);
    model.WallColumns = result.shape.columns;
    model.WallRows = result.shape.rows;
    applyDetectedIds(model, result.shape, result.ids);
    for (int row = 1; row <= std::min(result.shape.rows, kMaxRows); ++row)
        for (int column = 1; column <= std::min(result.shape.columns, kMaxColumns); ++column)
            model.Monitors.at(column, row).Settings.SourceInput = result.input;
    model.DefaultSettings.SourceInput = result.input;
    model.XMarginSize = result.measurements.borderWidth;
    model.YMarginSize = result.measurements.borderHeight;
    model.XMonitorSize = result.measurements.monitorWidth;
    model.YMonitorSize = result.measurements.monitorHeight;
    model.EnableMarginCorrection = true;
    if (steps.applyConfiguration)
        steps.applyConfiguration();
    // The block as chosen, within the wall the configuration left.
    const WallRect block{1, 1, std::clamp(result.block.Right, 1, std::max(model.WallColumns, 1)),
                         std::clamp(result.block.Bottom, 1, std::max(model.WallRows, 1))};
    if (steps.autoset)
        steps.autoset(block);
    if (steps.copy)
        steps.copy(block);
    if (steps.paste)
        steps.paste(WallRect{1, 1, model.WallColumns, model.WallRows});
}

} // namespace mlc
