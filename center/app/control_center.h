// The control program's core object: it owns the wall model, the match lists, the
// settings and the sequencer, and runs program start and end, the configuration
// step, the file actions and the open action. The window calls it and adds what
// only widgets do (grid sizing, demo pictures, menus, tool bars).
//
// The automatic files lastused.MLV, lastused.MLS and lastused.MLD and the settings
// file live in the program folder. They are written atomically at the end, so a
// failed write keeps the previous file instead of deleting it first.
#pragma once

#include "app/device_services.h"
#include "app/time_of_day.h"
#include "app/user_interface.h"
#include "files/load_status.h"
#include "files/settings_file.h"
#include "operator.h"
#include "sequencer/sequencer.h"
#include "wall/caption.h"
#include "wall/match_lists.h"
#include "wall/wall_history.h"
#include "wall/wall_model.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mlc {

struct ControlCenterSetup {
    std::string programDir;               // the program's folder, with a trailing '/'
    std::string programName = "mlcenter"; // the settings file is programName + ".INI"
    // The clocks the sequencer plays by (see sequencer/clock_reading.h); tests set their own.
    std::function<double()> timeOfDay = LocalTimeOfDay;          // fraction of a day
    std::function<double()> monotonicSeconds = MonotonicSeconds; // never set
};

inline constexpr const char* kWallNotSavedQuestion =
    "Current videowall settings have not been saved yet.\r\nSave them before proceeding?";
inline constexpr const char* kSequenceNotSavedQuestion =
    "Current sequence has not been saved yet.\r\nSave it before proceeding?";
inline constexpr const char* kFilesNotSavedQuestion =
    "Currently open files have not been saved yet.\r\nSave them before proceeding?";
inline constexpr const char* kStillPlayingQuestion =
    "The sequencer is still running; quitting now will stop playing!\r\nAre you sure you want to proceed?";

// How often a serial port that would not open is tried again while the program
// runs unattended.
inline constexpr double kPortRetrySeconds = 3.0;

class ControlCenter {
public:
    ControlCenter(Operator& op, UserInterface& ui, DeviceServices& devices, ControlCenterSetup setup);
    ~ControlCenter();
    ControlCenter(const ControlCenter&) = delete;
    ControlCenter& operator=(const ControlCenter&) = delete;

    // Program start: everything the creation of the main window does but widgets.
    // An auto-start sequence is loaded here and starts playing in shown(), once the
    // port is open.
    void start();
    // The window is shown: configuration, caption and sequencer actions, then the
    // auto-start sequence, if any, begins to play.
    void shown();
    // The close query: false keeps the window open. While a device exchange runs it
    // is false without a question: the window closes once the exchange has ended.
    bool closeQuery();
    // Program end: automatic files, settings, defaults, then the driver goes.
    // False, doing nothing, while a device exchange runs: call it again when idle.
    bool end();
    // The files program end writes (automatic files, settings, defaults), written
    // now: the desktop session is ending and may not wait for the program's end.
    void saveProgramState();
    // Brings the port, the wall size and the router in line with the settings.
    // Refused (false, told) while a device exchange runs: it reopens the port.
    // While the program runs unattended (an auto-start sequence is set, or the
    // sequencer plays) a port that does not open is reported without a box,
    // naming the device, and tried again (keepPortOpen) until it opens.
    bool ApplyConfiguration();
    // Called every second or so by a timer: when the serial port is to be tried
    // again and its time has come, tries it, without a box. It is tried again
    // every kPortRetrySeconds after a failure to open while unattended, and at
    // once after the port failed during playback; playback waits meanwhile, and
    // once the port is open the wall the failure kept from the units is sent.
    void keepPortOpen();
    // A match list failed to load: the program ends once start-up is over.
    bool shouldTerminate() const { return terminate_; }

    // Files.
    bool SaveVideowall(const std::string& path);
    LoadStatus LoadVideowall(const std::string& path, WallSettings& buffer);
    bool SaveDefaults(const std::string& path);
    bool LoadDefaults(const std::string& path);
    bool SaveSequence(const std::string& path);
    LoadStatus LoadSequence(const std::string& path);

    // Actions.
    void videowallSaveAction();
    void videowallSaveAsAction();
    void sequenceSaveAction();
    void sequenceSaveAsAction();
    void openAction();
    // What Open does with a wall file once its name is chosen and unsaved changes are
    // dealt with, without a question: the file replaces the wall's settings and is
    // sent (`sent`: the write succeeded), one step of the wall's history. A file
    // that cannot be loaded changes nothing. The caption is the caller's. (A
    // sequence file: LoadSequence.)
    struct WallOpened {
        LoadStatus loaded;
        bool sent = false;
    };
    WallOpened openVideowall(const std::string& path);

    void UpdateCaption();
    const CaptionTexts& caption() const { return caption_; }

    // Undo and redo of the wall's edits: the monitors the step changed are put
    // back, the wall counts as modified and, when the step had been sent, the wall
    // is sent again (only what differs from the units). Refused (false, told)
    // while a device exchange runs; false when there is nothing to take.
    bool undo();
    bool redo();
    WallHistory& history() { return history_; }

    // State.
    WallModel& wall() { return wall_; }
    const WallModel& wall() const { return wall_; }
    MatchLists& lists() { return lists_; }
    ProgramSettings& settings() { return settings_; }
    Sequencer& sequencer() { return *sequencer_; }
    // Both clocks now: what the window's sequencer timer passes to tick().
    ClockReading clocks() const;
    const std::string& videowallFileName() const { return videowallFileName_; }
    const std::string& lastLoadedWallFile() const { return lastLoadedWallFile_; }
    const std::string& programDir() const { return setup_.programDir; }
    std::string settingsFileName() const;
    std::string lastUsedFile(const char* extension) const; // lastused.MLV ...
    // Whether start-up restored the wall from lastused.MLV (otherwise the whole
    // wall was enlarged automatically and the grid selects it, current cell 1, 1).
    bool wallRestored() const { return wallRestored_; }
    bool firstActivationDone() const { return firstActivation_; }
    void setFirstActivationDone() { firstActivation_ = true; }

private:
    class SequencerDialogsAdapter;
    void readSettingsFile();
    void writeSettingsFile();
    void wallChanged();
    bool writeItemWall();
    bool writeWallUnattended();
    bool runsUnattended() const;
    // Opens the configured port; unattended, a failure is reported (once for each
    // reason) and the next try planned. True when it opened.
    bool openPort(bool unattended);
    bool refusedWhileBusy();
    bool restore(std::optional<Restored> (WallHistory::*take)());
    // Asks to save unsaved changes first; false when the operator cancelled.
    bool savedOrDiscarded(bool modified, const char* question, void (ControlCenter::*save)());

    Operator& op_;
    UserInterface& ui_;
    DeviceServices& devices_;
    ControlCenterSetup setup_;

    WallModel wall_;
    MatchLists lists_;
    ProgramSettings settings_;
    std::unique_ptr<SequencerDialogsAdapter> sequencerDialogs_;
    std::unique_ptr<Sequencer> sequencer_;

    std::string videowallFileName_;
    std::string lastLoadedWallFile_;
    WallHistory history_{wall_, videowallFileName_};
    // The wall's size the history's steps were made in.
    int historyColumns_ = 0;
    int historyRows_ = 0;
    CaptionTexts caption_;
    bool terminate_ = false;
    bool autoStartPending_ = false;     // an auto-start sequence waits for the open port
    std::optional<double> portRetryAt_; // when to try the port again (monotonic seconds)
    std::string portFailureReported_;
    bool resendAfterReopen_ = false; // the port failed while an item was being sent
    bool wallRestored_ = false;
    bool firstActivation_ = false;
};

} // namespace mlc
