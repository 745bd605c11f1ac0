// A main window for tests: a temporary program folder with a settings file, the
// real plug-in (optionally on an emulated chain), a scripted operator and scripted
// file dialogs. Tests of every area can build on it.
//
//   class MyTest : public guitest::MainWindowFixture {};
//   TEST_F(MyTest, Something) {
//       startEmulator("1-4");                 // optional: units 1 to 4 on COM1
//       writeSettings("[Videowall]\nWidth=4\nHeight=1\nMonitorID11=1\n...");
//       mlgui::TMainFRM& w = openWindow();    // created and shown: start, configuration
//       ...
//       closeWindow();                        // destroyed: the automatic files are written
//   }
#pragma once

#include "emulator_process.h"
#include "grid/wall_grid_view.h"
#include "main/main_form.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_file_dialogs.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace guitest {

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Writes mlcenter.INI: the wizard off, then `ini` (more sections and keys).
    void writeSettings(const std::string& ini);
    // Units of mlemu's --ids form on COM1, short time-outs for absent units; more
    // of mlemu's options (faults) when given.
    void startEmulator(const std::string& ids, const std::vector<std::string>& options = {});
    // Creates the window (program start) and shows it (configuration, port opening).
    mlgui::TMainFRM& openWindow();
    // Destroys the window: program end.
    void closeWindow();
    // The window's grid "Videowall".
    mlgui::WallGridView& grid();

    // "unit <id> value <operation> <target>" of the emulator's state: the percentage
    // or, with `item`, the identifier a unit holds.
    int unitPercent(int id, const std::string& operation, const std::string& target = "-");
    std::string unitItem(int id, const std::string& operation, const std::string& target = "-");

    std::string path(const std::string& name) const { return dir.file(name); }

    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    ScriptedFileDialogs dialogs;
    double clock = 0.5; // the time of day the window sees; its monotonic clock follows it
    std::unique_ptr<testsupport::EmulatorProcess> emu;
    std::unique_ptr<mlgui::TMainFRM> window;

private:
    std::string stateLine(int id, const std::string& operation, const std::string& target);
    testsupport::ScopedEnv definitions_;
    testsupport::ScopedEnv timeouts_;
    std::unique_ptr<testsupport::ScopedEnv> ports_;
};

} // namespace guitest
