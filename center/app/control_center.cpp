#include "app/control_center.h"

#include "binding/exchange_gate.h"
#include "files/atomic_file.h"
#include "files/defaults_file.h"
#include "files/wall_file.h"
#include "text_case.h"
#include "wall/enlargement.h"
#include "wall/wall_state.h"

#include "sequencer/sequence_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace mlc {

namespace {

constexpr const char* kWallFilter = "Videowall settings (*.MLV)|*.MLV";
constexpr const char* kSequenceFilter = "Sequencer timeline (*.MLS)|*.MLS";
constexpr const char* kOpenFilter =
    "All supported formats|*.MLV;*.MLS|Videowall settings (*.MLV)|*.MLV|Sequencer timeline (*.MLS)|*.MLS";

bool hasExtension(const std::string& path, const char* extension) {
    return equalNoCase(std::filesystem::path(path).extension().string(), extension);
}

} // namespace

// The sequencer's dialogs, shown by the window with the texts fixed here.
class ControlCenter::SequencerDialogsAdapter : public SequencerDialogs {
public:
    explicit SequencerDialogsAdapter(ControlCenter& center) : center_(center) {}
    std::optional<std::string> chooseWallFileToAdd() override {
        return center_.ui_.chooseFileToOpen(
            {"Add item from file", kWallFilter, center_.videowallFileName_, center_.programDir(), ""});
    }
    bool editItemDetails(ItemDetails& details) override { return center_.ui_.editItemDetails(details); }

private:
    ControlCenter& center_;
};

ControlCenter::ControlCenter(Operator& op, UserInterface& ui, DeviceServices& devices,
                             ControlCenterSetup setup)
    : op_(op), ui_(ui), devices_(devices), setup_(std::move(setup)),
      sequencerDialogs_(std::make_unique<SequencerDialogsAdapter>(*this)) {
    sequencer_ = std::make_unique<Sequencer>(
        op_, *sequencerDialogs_,
        SequencerHooks{
            [this] { return wallSettingsOf(wall_.Monitors); },
            [this](const WallSettings& settings) {
                applyWallSettings(settings, wall_.Monitors);
                wallChanged();
            },
            [this] { return writeItemWall(); },
            // An item's wall is read without becoming the wall's file: a later
            // Save videowall must not overwrite the file the item came from.
            [](const std::string& path, WallSettings& buffer) {
                return static_cast<bool>(loadVideowallFile(path, buffer));
            },
            [this] { UpdateCaption(); },
            [this] { return clocks(); },
            [this] { ui_.refresh(); },
            [this] { return devices_.busy(); },
            // With the link switched off nothing would reach the port.
            [this] { return portRetryAt_.has_value() && !settings_.InhibitSerialCommunication; },
        });
}

ControlCenter::~ControlCenter() = default;

// An operator's action that would change the port, the driver or the wall under a
// running device exchange is refused, and said so.
bool ControlCenter::refusedWhileBusy() {
    if (!devices_.busy())
        return false;
    ExchangeGate::reportRefusal(op_);
    return true;
}

// Items the timer plays report their failures without a modal box; the status bar
// then shows whether the units hold the item's wall.
bool ControlCenter::writeItemWall() {
    const bool written = sequencer_->inTick() ? writeWallUnattended() : devices_.writeWall();
    UpdateCaption();
    return written;
}

bool ControlCenter::writeWallUnattended() {
    const bool written = devices_.writeWallUnattended();
    if (!written && devices_.portFailed()) {
        // A USB adapter pulled or a line that hung up: the port is opened again at
        // the next keepPortOpen, and the wall sent once it is open.
        resendAfterReopen_ = true;
        if (!portRetryAt_)
            portRetryAt_ = clocks().monotonicSeconds;
    }
    return written;
}

bool ControlCenter::runsUnattended() const {
    return !settings_.AutoStartSequence.empty() || sequencer_->playing();
}

bool ControlCenter::openPort(bool unattended) {
    const std::string port = "COM" + std::to_string(settings_.SerialPortNumber);
    const std::string failure = devices_.reopenPort(settings_.SerialPortNumber, !unattended);
    if (failure.empty()) {
        if (portRetryAt_)
            op_.report(MessageKind::Information, port + " is open now.");
        portRetryAt_.reset();
        portFailureReported_.clear();
        return true;
    }
    if (unattended) {
        // Nobody may be there to answer a box: a USB adapter often appears some
        // seconds after the session started the program.
        if (failure != portFailureReported_)
            op_.report(MessageKind::Error, failure + "\r\n" + port + " is tried again every " +
                                               std::to_string(static_cast<int>(kPortRetrySeconds)) +
                                               " seconds until it opens.");
        portFailureReported_ = failure;
        portRetryAt_ = clocks().monotonicSeconds + kPortRetrySeconds;
    }
    return false;
}

void ControlCenter::keepPortOpen() {
    if (!portRetryAt_ || clocks().monotonicSeconds < *portRetryAt_ || devices_.busy() || !openPort(true))
        return;
    if (std::exchange(resendAfterReopen_, false)) {
        writeWallUnattended();
        UpdateCaption();
    }
}

ClockReading ControlCenter::clocks() const {
    return {setup_.timeOfDay ? setup_.timeOfDay() : 0.0,
            setup_.monotonicSeconds ? setup_.monotonicSeconds() : 0.0};
}

void ControlCenter::wallChanged() {
    ui_.refresh();
}

std::string ControlCenter::settingsFileName() const {
    return setup_.programDir + setup_.programName + ".INI";
}

std::string ControlCenter::lastUsedFile(const char* extension) const {
    return setup_.programDir + "lastused." + extension;
}

void ControlCenter::start() {
    devices_.loadDriver();
    terminate_ = !devices_.loadMatchLists(lists_);
    settings_.DemoImageFiles.clear();

    // Factory values first, so that a short defaults file keeps them for the rest.
    wall_.DefaultSettings = FactoryDefaultSettings(lists_);
    LoadDefaults(lastUsedFile("MLD"));
    InitialiseWall(wall_);
    // The wall has no size before the settings are read: the router only learns
    // that no device is in use.
    wall_.WallColumns = 0;
    wall_.WallRows = 0;
    devices_.configureRouter();

    readSettingsFile();
    devices_.configureRouter();
    wall_.DeviceState = wall_.Monitors;

    WallSettings buffer = wallSettingsOf(wall_.Monitors);
    wallRestored_ = static_cast<bool>(LoadVideowall(lastUsedFile("MLV"), buffer));
    if (wallRestored_) {
        applyWallSettings(buffer, wall_.Monitors);
        devices_.configureRouter();
    } else {
        AutosetEnlargement(wall_, WallRect{1, 1, wall_.WallColumns, wall_.WallRows});
    }
    LoadSequence(lastUsedFile("MLS"));

    wall_.VideowallModified = false;
    videowallFileName_.clear();
    sequencer_->setModified(false);
    sequencer_->setFileName({});
    lastLoadedWallFile_.clear();

    // Loaded now, played once the window is shown: the port opens only then.
    const std::string& autoStart = settings_.AutoStartSequence;
    autoStartPending_ =
        !autoStart.empty() && fileExists(autoStart) && static_cast<bool>(LoadSequence(autoStart));
    firstActivation_ = false;
}

void ControlCenter::shown() {
    ApplyConfiguration();
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
    if (autoStartPending_ && !sequencer_->playing()) {
        autoStartPending_ = false;
        sequencer_->togglePlay(clocks());
    }
}

bool ControlCenter::ApplyConfiguration() {
    if (refusedWhileBusy())
        return false;
    openPort(runsUnattended());
    wall_.WallColumns = std::clamp(wall_.WallColumns, 1, kMaxColumns);
    wall_.WallRows = std::clamp(wall_.WallRows, 1, kMaxRows);
    // Steps made on a wall of another size would put back monitors it no longer has.
    if (wall_.WallColumns != historyColumns_ || wall_.WallRows != historyRows_)
        history_.clear();
    historyColumns_ = wall_.WallColumns;
    historyRows_ = wall_.WallRows;
    devices_.configureRouter();
    ui_.configurationApplied();
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
    return true;
}

bool ControlCenter::closeQuery() {
    if (devices_.busy())
        return false;
    Sequencer& seq = *sequencer_;
    if (seq.playing() && op_.ask(QuestionIcon::Warning, Buttons::YesNo, kStillPlayingQuestion) != Answer::Yes)
        return false;
    const bool wallChanged = wall_.VideowallModified;
    const bool sequenceChanged = seq.modified();
    if (!wallChanged && !sequenceChanged)
        return true;
    const char* question = wallChanged && sequenceChanged ? kFilesNotSavedQuestion
                           : wallChanged                  ? kWallNotSavedQuestion
                                                          : kSequenceNotSavedQuestion;
    switch (op_.ask(QuestionIcon::Question, Buttons::YesNoCancel, question)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        if (wallChanged)
            videowallSaveAction();
        if (sequenceChanged)
            sequenceSaveAction();
        return true;
    }
    return true;
}

bool ControlCenter::end() {
    // The driver must not go from under a running exchange.
    if (devices_.busy())
        return false;
    saveProgramState();
    sequencer_->freeSequence();
    lists_ = MatchLists{};
    devices_.shutDown();
    return true;
}

void ControlCenter::saveProgramState() {
    // The automatic files replace their previous versions only once written whole.
    writeFileAtomically(lastUsedFile("MLV"), encodeVideowall(wallSettingsOf(wall_.Monitors)));
    writeFileAtomically(lastUsedFile("MLS"), encodeSequence(sequencer_->items()));
    writeSettingsFile();
    SaveDefaults(lastUsedFile("MLD"));
}

void ControlCenter::readSettingsFile() {
    const IniFile ini = loadIniFile(settingsFileName()).value_or(IniFile{});
    readSettings(ini, lists_.InputSources.Ids.size(), settings_, wall_);
    devices_.setTestMode(settings_.InhibitSerialCommunication);
    sequencer_->setVisible(settings_.SequencerVisible);
    sequencer_->setLoop(settings_.SequencerLoop);
}

void ControlCenter::writeSettingsFile() {
    settings_.SequencerVisible = sequencer_->visible();
    settings_.SequencerLoop = sequencer_->loop();
    // Read again so that whatever the file gained meanwhile is kept as well.
    IniFile ini = loadIniFile(settingsFileName()).value_or(IniFile{});
    writeSettings(settings_, wall_, ini);
    saveIniFile(settingsFileName(), ini);
}

bool ControlCenter::SaveVideowall(const std::string& path) {
    if (!saveVideowallFile(op_, path, wallSettingsOf(wall_.Monitors)))
        return false;
    wall_.VideowallModified = false;
    videowallFileName_ = path;
    return true;
}

LoadStatus ControlCenter::LoadVideowall(const std::string& path, WallSettings& buffer) {
    const LoadStatus status = loadVideowallFile(path, buffer);
    if (!status)
        return status;
    videowallFileName_ = path;
    lastLoadedWallFile_ = path;
    wallChanged();
    return status;
}

bool ControlCenter::SaveDefaults(const std::string& path) {
    return saveDefaultsFile(path, wall_.DefaultSettings);
}

bool ControlCenter::LoadDefaults(const std::string& path) {
    return static_cast<bool>(loadDefaultsFile(path, wall_.DefaultSettings));
}

bool ControlCenter::SaveSequence(const std::string& path) {
    return sequencer_->saveSequence(path);
}

LoadStatus ControlCenter::LoadSequence(const std::string& path) {
    const LoadStatus status = sequencer_->loadSequence(path);
    if (status)
        lastLoadedWallFile_ = path;
    return status;
}

void ControlCenter::videowallSaveAction() {
    if (videowallFileName_.empty()) {
        videowallSaveAsAction();
        return;
    }
    SaveVideowall(videowallFileName_);
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
}

void ControlCenter::videowallSaveAsAction() {
    if (const auto name = ui_.chooseFileToSave(
            {"Save videowall to file", kWallFilter, videowallFileName_, programDir(), "MLV"}))
        SaveVideowall(*name);
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
}

void ControlCenter::sequenceSaveAction() {
    if (sequencer_->fileName().empty()) {
        sequenceSaveAsAction();
        return;
    }
    SaveSequence(sequencer_->fileName());
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
}

void ControlCenter::sequenceSaveAsAction() {
    if (const auto name = ui_.chooseFileToSave(
            {"Save sequence to file", kSequenceFilter, sequencer_->fileName(), programDir(), "MLS"}))
        SaveSequence(*name);
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
}

void ControlCenter::openAction() {
    // A wall opened now could not be sent: nothing is loaded while an exchange runs.
    if (refusedWhileBusy())
        return;
    const auto name = ui_.chooseFileToOpen({"Open file", kOpenFilter, lastLoadedWallFile_, programDir(), ""});
    if (name && hasExtension(*name, ".MLV")) {
        if (!savedOrDiscarded(wall_.VideowallModified, kWallNotSavedQuestion,
                              &ControlCenter::videowallSaveAction))
            return;
        openVideowall(*name);
    } else if (name && hasExtension(*name, ".MLS")) {
        if (!savedOrDiscarded(sequencer_->modified(), kSequenceNotSavedQuestion,
                              &ControlCenter::sequenceSaveAction))
            return;
        LoadSequence(*name);
    }
    UpdateCaption();
    sequencer_->UpdateSequencerActions();
}

bool ControlCenter::savedOrDiscarded(bool modified, const char* question, void (ControlCenter::*save)()) {
    if (!modified)
        return true;
    const Answer answer = op_.ask(QuestionIcon::Question, Buttons::YesNoCancel, question);
    if (answer == Answer::Yes)
        (this->*save)();
    return answer != Answer::Cancel;
}

ControlCenter::WallOpened ControlCenter::openVideowall(const std::string& path) {
    WallHistory::EditStep step(history_, "open " + std::filesystem::path(path).filename().string(),
                               WallHistory::Sending::Sent);
    WallSettings buffer = wallSettingsOf(wall_.Monitors);
    WallOpened opened{LoadVideowall(path, buffer)};
    if (opened.loaded) {
        applyWallSettings(buffer, wall_.Monitors);
        wall_.VideowallModified = false;
        opened.sent = devices_.writeWall();
    }
    return opened;
}

bool ControlCenter::undo() {
    return restore(&WallHistory::undo);
}

bool ControlCenter::redo() {
    return restore(&WallHistory::redo);
}

bool ControlCenter::restore(std::optional<Restored> (WallHistory::*take)()) {
    if (refusedWhileBusy())
        return false;
    const std::optional<Restored> restored = (history_.*take)();
    if (!restored)
        return false;
    wall_.VideowallModified = true;
    if (restored->IdsChanged)
        devices_.configureRouter();
    UpdateCaption();
    if (restored->Sent) {
        devices_.writeWall();
        UpdateCaption(); // the write decides which monitors are synced
    }
    sequencer_->UpdateSequencerActions();
    return true;
}

void ControlCenter::UpdateCaption() {
    caption_ = ComputeCaption(CaptionState{videowallFileName_, wall_.VideowallModified,
                                           sequencer_->fileName(), sequencer_->modified(),
                                           IsWallSynced(wall_), settings_.InhibitSerialCommunication});
    ui_.refresh();
}

} // namespace mlc
