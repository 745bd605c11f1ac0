#include "session.h"

#include "app/environment.h"
#include "app/program_folder.h"
#include "binding/shared_library.h"
#include "sync/match_list_loading.h"
#include "wall/wall_state.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace mlctl {
namespace {

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// --settings FILE, else mlctl.INI in the folder mlcenter keeps its settings in
// (mlctl's own folder, or the user's configuration folder for an installed
// mlctl), else mlcenter.INI there. A later --save writes to the first of them
// that exists (mlctl.INI when none does).
std::string chooseSettingsPath(const CommandLine& line) {
    if (!line.settingsFile.empty())
        return line.settingsFile;
    const std::string folder =
        mlc::ResolveProgramFolder(mlc::ProgramDirectory(), MARLUNE_INSTALLED_DIR, std::nullopt,
                                  [](const char* name) { return std::getenv(name); })
            .path;
    const std::string own = folder + "mlctl.INI";
    const std::string center = folder + "mlcenter.INI";
    if (!fileExists(own) && fileExists(center))
        return center;
    return own;
}

} // namespace

void complain(const std::string& text) {
    std::fprintf(stderr, "mlctl: %s\n", text.c_str());
    std::fflush(stderr);
}

Session::Session(const CommandLine& line, TerminalOperator& op)
    : line_(line), op_(op), settingsPath_(chooseSettingsPath(line)),
      sync_(model_, lists_, binding_, router_, op_, syncOptions_), chain_(model_, binding_, op_) {
    op_.setPlace([this] { return sync_.currentPlace(); });
}

Session::~Session() {
    op_.setPlace(nullptr);
}

bool Session::readSettings() {
    mlc::InitialiseWall(model_);
    mlc::IniFile ini;
    if (fileExists(settingsPath_)) {
        auto loaded = mlc::loadIniFile(settingsPath_);
        if (!loaded) {
            complain("cannot read the settings file " + settingsPath_ + ": " + loaded.status().text());
            return false;
        }
        ini = std::move(*loaded);
    } else if (!line_.settingsFile.empty() && !line_.hasFlag("--save")) {
        complain("settings file " + settingsPath_ + " does not exist");
        return false;
    }
    mlc::readSettings(ini, lists_.InputSources.Ids.size(), settings_, model_);
    syncOptions_.ActivateVideoRouter = settings_.ActivateVideoRouter;
    syncOptions_.InhibitSerialCommunication = inhibit();
    syncOptions_.DisableSourceInfo = settings_.DisableSourceInfo;
    syncOptions_.QuickSync = line_.quick || settings_.QuickSync;
    syncOptions_.CacheUnitRanges = line_.quick || settings_.CacheUnitRanges;
    syncOptions_.VerifyWrites = line_.verify || settings_.VerifyWrites;
    // Nothing is known of the units yet: every monitor is written whole.
    for (int column = 1; column <= mlc::kMaxColumns; ++column)
        for (int row = 1; row <= mlc::kMaxRows; ++row)
            model_.DeviceState.at(column, row) = model_.Monitors.at(column, row);
    return true;
}

bool Session::loadDriver() {
    // The plug-in reads the definitions named here when it loads.
    mlc::SetEnvironmentValue("LVDRIVER_DEFINITIONS", (mlc::ProgramDirectory() + "/mlcenter.PGC").c_str(),
                             false);
    if (!line_.trafficFile.empty())
        mlc::SetEnvironmentValue("LVDRIVER_TRAFFIC", line_.trafficFile.c_str());
    if (!binding_.LoadDriverLibrary()) {
        binding_.ReportLoadFailure(op_);
        return false;
    }
    if (!mlc::LoadMatchLists(binding_, lists_, op_))
        return false;
    // Defaults that depend on the lists, as the control program's start has them.
    model_.DefaultSettings = mlc::FactoryDefaultSettings(lists_);
    binding_.SetTestMode(inhibit());
    return true;
}

bool Session::openPort() {
    binding_.CloseHardwarePort();
    return succeeded(binding_.OpenHardwarePort(static_cast<std::uint32_t>(port())));
}

void Session::closePort() {
    if (binding_.IsLoaded())
        binding_.CloseHardwarePort();
}

} // namespace mlctl
