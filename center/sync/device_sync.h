// Moves the wall model to the units and back, and keeps the video router informed.
//
// Writes send only what differs from DeviceState (everything for a monitor that is
// not synced), in a fixed order, and stop at the first driver failure with the
// driver's error box. A wall write queues the changes in every unit and applies all
// queues at once with one broadcast.
//
// Choices this implementation makes:
// - A list index with no identifier in its list (negative, or past the end after
//   the definitions changed) is never read past: that one field is skipped and the
//   rest of the monitor is sent. A zoom of 0 has no device value and is skipped the
//   same way. Skipped fields keep their previous DeviceState value, so a later
//   write tries them again; after the operation one warning counts them (fields
//   and monitors) and names the first few.
// - DeviceState takes the router input only when the router accepted it: with the
//   router off or the link switched off it keeps the old one, so the input is sent
//   once the router is in use.
// - A zoom change re-sends the pan of the same direction, since the device's pan
//   value depends on the zoom.
// - Reading back addresses a unit by the DeviceId in Monitors, the one writes use,
//   and copies it into DeviceState. A monitor with DeviceId 0 is not read (every
//   unit would hear the request and none would answer): an error box, false.
// - A percentage that fails to read leaves its DeviceState field unchanged.
// - With the serial link switched off the units are not read (the plug-in's test
//   mode answers gets without values): a warning, false, DeviceState unchanged.
// - Device exchanges never interleave: while one runs (a wall write lets pending
//   window messages run between monitors), another WriteMonitor, WriteWall,
//   ExecuteQueue, ReadMonitor, ReadWall, ResyncVideowall, RunExchange or
//   ConfigureRouter is refused: it returns false at once, sends nothing and tells
//   the operator in one report (kExchangeBusyMessage). A refused write marks the
//   monitors it was to send not synced, since the model holds what was not sent.
//   Busy() lets callers that must stay silent (the sequencer's timer) try again
//   later. The gate is the binding's, so other code that talks to the units shares it.
// - During unattended playback (an Unattended scope) nothing waits for anyone:
//   driver errors, router refusals and the unsent-fields summary go to the
//   operator's non-modal report instead of message boxes.
// - The options are read when an exchange starts (setOptionsRefresh), so a change
//   of the settings counts from the next exchange on.
// - QuickSync: a wall write passes over a monitor that is synced and has nothing
//   to send (no field differs, no router input to set, and its unit was last sent
//   the source-information output that goes with DisableSourceInfo now): no
//   selection, no source-information output, no queue opening. Monitors not synced
//   are written whole. The write to one monitor (WriteMonitor) is as always.
// - CacheUnitRanges: the plug-in is told to remember each unit's ranges
//   (SetRangeCacheStatus) when an exchange starts with the option changed, and
//   to forget them when the operator resynchronises. A plug-in that never had the
//   option on is never told anything.
// - VerifyWrites: after the closing broadcast (and the router's commit) of a wall
//   write, each monitor that had fields sent to its queue is read back, or, written
//   whole, has its queue executed again, answered (see sync/write_check.h). Units
//   that missed the broadcast and took it when executed again are named in one
//   non-modal report; units still wrong or silent in one error message (a report
//   when unattended), and their monitors lose Synced: the write returns false. Not
//   done while the serial link is switched off.
// - Without a loaded driver every exchange returns false at once without a message;
//   the load failure was reported once at start.
#pragma once

#include "binding/driver_binding.h"
#include "operator.h"
#include "router/video_router.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mlc {

class ProgressWindow;
class WriteCheck;
struct MonitorField;

// Why a read-back is refused while the serial link is switched off.
inline constexpr const char* kReadsNeedLinkMessage =
    "The serial link is switched off, so the units cannot be read back.";

// The settings the synchronisation reads.
struct SyncOptions {
    bool ActivateVideoRouter = false;        // an external video matrix router is in use
    bool InhibitSerialCommunication = false; // serial link off: driver in test mode
    bool DisableSourceInfo = true;           // units' on-screen source information off
    // Our additions for large and unattended walls, off by default; with all three
    // off every byte on the line is as it always was.
    bool QuickSync = false;       // a wall write passes over monitors with nothing to send
    bool CacheUnitRanges = false; // the plug-in remembers each unit's ranges
    bool VerifyWrites = false;    // a wall write checks that every unit applied its queue
};

class DeviceSync {
public:
    // All references must outlive the object; options are read at each operation.
    DeviceSync(WallModel& model, const MatchLists& lists, DriverBinding& binding, VideoRouter& router,
               Operator& op, const SyncOptions& options);
    ~DeviceSync();
    DeviceSync(const DeviceSync&) = delete;
    DeviceSync& operator=(const DeviceSync&) = delete;

    // Sends Monitors[column, row] to its unit; with executeQueue the unit applies
    // its queue at once (and the router commits), else it waits for ExecuteQueue.
    // A place outside the 16 x 16 array gives false.
    bool WriteMonitor(int column, int row, bool executeQueue);
    // Writes every used monitor, applies all queues with one broadcast, commits the router.
    bool WriteWall();
    // Broadcasts the queue execution to all units.
    bool ExecuteQueue();
    // Reads the unit of Monitors[column, row] into DeviceState[column, row].
    bool ReadMonitor(int column, int row);
    // Reads every used monitor, or with force false only those not synced.
    bool ReadWall(bool force);
    // The resynchronise action: ReadWall(true), then the router re-reads the wall
    // when one is active. The caption is the caller's.
    bool ResyncVideowall();
    // Tells the router which device IDs form the wall and marks the used monitors
    // not synced. Not a device exchange, so it is never refused.
    bool ConfigureRouter();

    // A device exchange is running.
    bool Busy() const;

    // While one lives, the exchanges report their failures without a modal box:
    // the sequencer's timer plays items with nobody watching.
    class Unattended {
    public:
        explicit Unattended(DeviceSync& sync) : sync_(sync), before_(sync.unattended_) {
            sync.unattended_ = true;
        }
        ~Unattended() { sync_.unattended_ = before_; }
        Unattended(const Unattended&) = delete;
        Unattended& operator=(const Unattended&) = delete;

    private:
        DeviceSync& sync_;
        bool before_;
    };

    // Called when an exchange starts and before ConfigureRouter: brings the options
    // in line with the settings (CoreDeviceServices copies them there).
    void setOptionsRefresh(std::function<void()> refresh) { refreshOptions_ = std::move(refresh); }

    // The monitor being sent or read, as "monitor 2, 1, ID 21" (column, row, device
    // ID), or empty between monitors; mlctl names it in its error lines.
    const std::string& currentPlace() const { return currentPlace_; }

    // What the body of RunExchange may do with the exchange it holds.
    class Exchange {
    public:
        // WriteMonitor inside the running exchange.
        bool WriteMonitor(int column, int row, bool executeQueue);

    private:
        friend class DeviceSync;
        explicit Exchange(DeviceSync& sync) : sync_(sync) {}
        DeviceSync& sync_;
    };
    // Runs several writes as one device exchange (a dialog applying values to a
    // block of monitors): the gate is taken once, so the body's own writes are not
    // refused while another command is, and the fields that could not be sent are
    // reported once at the end. Returns the body's result; false without running it
    // when another exchange runs or no driver is loaded.
    bool RunExchange(const std::function<bool(Exchange&)>& body);

private:
    class MonitorWriter;
    // Runs body as one device exchange: refused (false) while another runs or
    // without a driver; reports the unsent fields at the end.
    template <typename Body, typename Refused> bool guarded(Body body, Refused refused);
    template <typename Body> bool guarded(Body body) {
        return guarded(body, [] {});
    }
    // Where messages go: the operator, or its non-modal report while unattended.
    Operator& out();
    // Runs body(column, row) for every used monitor, rows outer, advancing the
    // progress window; stops at the first false.
    template <typename Body> bool forEachUsedMonitor(ProgressWindow& progress, Body body);
    bool sendMonitorInExchange(int column, int row, bool executeQueue);
    // One monitor of a wall write: passed over when there is nothing to send and
    // QuickSync is on; the fields sent to its queue are noted for the check.
    bool sendMonitorOfWall(int column, int row, WriteCheck* check);
    bool writeWallInExchange();
    // After the closing broadcast; false when a unit is still wrong.
    bool checkWallWrite(const WriteCheck& check, ProgressWindow& progress);
    // Tells the plug-in to remember the units' ranges, or to stop, when the option changed.
    void tellRangeCache();
    bool sendQueueExecutionInExchange();
    bool readMonitorInExchange(int column, int row);
    bool readWallInExchange(bool force);
    bool readField(const MonitorField& field, TMonitorSettings& settings);
    bool readsAllowed();
    bool succeeded(std::uint8_t result);
    void reportUnsent();
    class PlaceScope;
    struct Unsent {
        int column;
        int row;
        std::uint8_t id;
        std::string field; // "YZoom 0"
    };

    WallModel& model_;
    const MatchLists& lists_;
    DriverBinding& binding_;
    VideoRouter& router_;
    Operator& op_;
    const SyncOptions& options_;
    std::vector<Unsent> unsent_; // fields skipped during the running operation
    bool unattended_ = false;
    std::unique_ptr<Operator> reporting_; // the operator's report() as an Operator
    std::function<void()> refreshOptions_;
    std::string currentPlace_;
    // The source-information output each unit (by device ID) was last written with.
    std::map<std::uint8_t, bool> sourceInfoSent_;
    bool rangeCacheOn_ = false; // what the plug-in was last told
};

} // namespace mlc
