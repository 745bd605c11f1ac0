#include "main_window_fixture.h"
#include "test_timeouts.h"

#include <fstream>
#include <sstream>

namespace guitest {

MainWindowFixture::MainWindowFixture()
    : definitions_("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")),
      timeouts_("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.05)),
      // No chain unless a test starts one: COM1 is a path where nothing answers.
      ports_(std::make_unique<testsupport::ScopedEnv>("LVDRIVER_PORTS", dir.file("no-port"))) {
    writeSettings("");
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
}

void MainWindowFixture::writeSettings(const std::string& ini) {
    std::ofstream(dir.file("mlcenter.INI")) << "[General]\nRunWizardAtStartup=0\n" << ini;
}

void MainWindowFixture::startEmulator(const std::string& ids, const std::vector<std::string>& options) {
    emu = std::make_unique<testsupport::EmulatorProcess>(ids, options);
    ports_.reset(); // restores the variable before it is set again
    ports_ = std::make_unique<testsupport::ScopedEnv>("LVDRIVER_PORTS", emu->link());
}

mlgui::TMainFRM& MainWindowFixture::openWindow() {
    mlgui::MainFormSetup setup;
    setup.programDir = dir.path() + "/";
    setup.op = &op;
    setup.fileDialogs = &dialogs;
    setup.timeOfDay = [this] { return clock; };
    setup.monotonicSeconds = [this] { return clock * 86400.0; }; // moves with the time of day
    window = std::make_unique<mlgui::TMainFRM>(std::move(setup));
    window->show();
    return *window;
}

void MainWindowFixture::closeWindow() {
    window.reset();
}

mlgui::WallGridView& MainWindowFixture::grid() {
    auto* view = window->findChild<mlgui::WallGridView*>(QStringLiteral("Videowall"));
    EXPECT_NE(view, nullptr);
    return *view;
}

std::string MainWindowFixture::stateLine(int id, const std::string& operation, const std::string& target) {
    std::istringstream lines(emu->state());
    const std::string prefix = "unit " + std::to_string(id) + " value " + operation + " " + target + " ";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            return line;
    return {};
}

int MainWindowFixture::unitPercent(int id, const std::string& operation, const std::string& target) {
    return std::atoi(testsupport::fieldOf(stateLine(id, operation, target), "percent").c_str());
}

std::string MainWindowFixture::unitItem(int id, const std::string& operation, const std::string& target) {
    return testsupport::fieldOf(stateLine(id, operation, target), "item");
}

} // namespace guitest
