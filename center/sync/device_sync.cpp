#include "sync/device_sync.h"

#include "binding/driver_result.h"
#include "sync/field_values.h"
#include "sync/monitor_fields.h"
#include "sync/progress.h"
#include "sync/write_check.h"
#include "wall/enlargement.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <optional>

namespace mlc {

namespace {

const std::string kNoTarget;

bool appliesTo(ForSource sources, bool rgb) {
    return sources == ForSource::Any || (sources == ForSource::AnalogRgb) == rgb;
}

template <typename Body> bool forEachInGroup(FieldGroup group, Body body) {
    for (const MonitorField& field : kMonitorFields)
        if (field.group == group && !body(field))
            return false;
    return true;
}

} // namespace

// One WriteMonitor: the fields in their fixed order, each sent only when needed.
class DeviceSync::MonitorWriter {
public:
    // check: where the fields sent to the unit's queue are noted, if anywhere.
    MonitorWriter(DeviceSync& sync, int column, int row, WriteCheck* check = nullptr)
        : sync_(sync), binding_(sync.binding_), lists_(sync.lists_), column_(column), row_(row),
          monitor_(sync.model_.Monitors.at(column, row)), state_(sync.model_.DeviceState.at(column, row)),
          s_(monitor_.Settings), d_(state_.Settings), all_(!monitor_.Synced),
          rgb_(IsAnalogRgbSource(lists_, s_.SourceInput)), check_(check) {}

    bool run(bool executeQueue) {
        const SyncOptions& options = sync_.options_;
        const auto send = [this](const MonitorField& field) { return sendIfNeeded(field); };
        const bool written = ok(binding_.SelectDevice(monitor_.DeviceId)) &&
                             ok(binding_.SetOperationIdentifier(
                                 "op_IP_MISC_GPO", "gc8CHANNEL7",
                                 options.DisableSourceInfo ? "gc16CHANNEL2" : "gc16CHANNEL1")) &&
                             forEachInGroup(FieldGroup::Keys, send) &&
                             ok(binding_.ExecuteOperation("op_IP_MISC_SETQUEUE", kNoTarget)) &&
                             forEachInGroup(FieldGroup::Picture, send) &&
                             forEachInGroup(FieldGroup::Enlargement, send) && finish(executeQueue);
        // Some settings may have reached the unit before the failure: what it holds
        // is no longer known, and the status must not say the wall is in sync.
        if (!written)
            monitor_.Synced = false;
        return written;
    }

    // Synced, no field to send, no router input to set, and the unit holds the
    // source-information output that goes with the options now.
    bool hasNothingToSend() const {
        if (!monitor_.Synced || routerInputChanges())
            return false;
        const auto held = sync_.sourceInfoSent_.find(monitor_.DeviceId);
        if (held == sync_.sourceInfoSent_.end() || held->second != sync_.options_.DisableSourceInfo)
            return false;
        return std::none_of(kMonitorFields.begin(), kMonitorFields.end(), [this](const MonitorField& field) {
            return appliesTo(field.sentFor, rgb_) && needed(field);
        });
    }
    // Records a write that had nothing to send, as a write that sent it would.
    void passOver() { hold(false); }

private:
    bool ok(std::uint8_t result) { return sync_.succeeded(result); }

    bool needed(const MonitorField& field) const {
        if (all_ || fieldDiffers(field, s_, d_))
            return true;
        // The device's pan value depends on the zoom, so a new zoom re-sends the pan.
        return field.value == FieldValue::Pan && s_.*field.zoom != d_.*field.zoom;
    }

    bool routerInputChanges() const {
        const SyncOptions& options = sync_.options_;
        return s_.VideoMatrixSource != d_.VideoMatrixSource && options.ActivateVideoRouter &&
               !options.InhibitSerialCommunication;
    }

    bool sendIfNeeded(const MonitorField& field) {
        if (!appliesTo(field.sentFor, rgb_) || !needed(field))
            return true;
        const std::optional<DeviceValue> value = deviceValueOf(field, s_, lists_);
        if (!value)
            return skip(field);
        const bool sent = std::holds_alternative<std::string>(*value)
                              ? ok(binding_.SetOperationIdentifier(field.operation, field.target,
                                                                   std::get<std::string>(*value)))
                              : ok(binding_.SetOperationPercent(field.operation, field.target,
                                                                std::get<std::int32_t>(*value)));
        if (sent && check_ && field.group != FieldGroup::Keys) {
            const MonitorPlace place{column_, row_, monitor_.DeviceId};
            if (all_) // DeviceState may not be what the unit held
                check_->noteWrittenWhole(place);
            else
                check_->noteQueued(place, field, *value, deviceValueOf(field, d_, lists_));
        }
        return sent;
    }

    // A field without a value the units understand: a list position without an
    // identifier, or a zoom of 0.
    bool skip(const MonitorField& field) {
        const std::string value =
            field.value == FieldValue::Listed ? std::to_string(integerOf(field, s_)) : "0";
        sync_.unsent_.push_back({column_, row_, monitor_.DeviceId, std::string(field.name) + " " + value});
        skipped_.push_back(&field);
        return true;
    }

    bool finish(bool executeQueue) {
        const SyncOptions& options = sync_.options_;
        const bool newInput = routerInputChanges();
        if (newInput && !sync_.router_.SetNewInput(monitor_.DeviceId, s_.VideoMatrixSource)) {
            sync_.out().showMessage(MessageKind::Error,
                                    "Virtual video router refused to set the specified input");
            return false;
        }
        if (executeQueue) {
            if (!ok(binding_.ExecuteOperation("op_IP_MISC_EXECUTEQUEUE", kNoTarget)))
                return false;
            if (options.ActivateVideoRouter)
                sync_.router_.CommitChanges();
        }
        sync_.sourceInfoSent_[monitor_.DeviceId] = options.DisableSourceInfo;
        hold(newInput);
        return true;
    }

    // DeviceState takes the record whole, but for what was not sent.
    void hold(bool newInput) {
        // Skipped fields keep what the unit is known to hold, so a later write tries again.
        TMonitorSettings held = s_;
        for (const MonitorField* field : skipped_)
            copyField(*field, d_, held);
        // The router input counts as held only when the router took it.
        if (!newInput)
            held.VideoMatrixSource = d_.VideoMatrixSource;
        d_ = held;
        monitor_.Synced = true;
    }

    DeviceSync& sync_;
    DriverBinding& binding_;
    const MatchLists& lists_;
    int column_;
    int row_;
    TWallMonitor& monitor_;
    TWallMonitor& state_;
    const TMonitorSettings& s_;
    TMonitorSettings& d_;
    bool all_;
    bool rgb_;
    WriteCheck* check_;
    std::vector<const MonitorField*> skipped_;
};

DeviceSync::DeviceSync(WallModel& model, const MatchLists& lists, DriverBinding& binding, VideoRouter& router,
                       Operator& op, const SyncOptions& options)
    : model_(model), lists_(lists), binding_(binding), router_(router), op_(op), options_(options),
      reporting_(std::make_unique<ReportingOperator>(op)) {}

DeviceSync::~DeviceSync() = default;

Operator& DeviceSync::out() {
    return unattended_ ? *reporting_ : op_;
}

// Names the monitor being worked on for as long as it lives.
class DeviceSync::PlaceScope {
public:
    PlaceScope(DeviceSync& sync, int column, int row, std::uint8_t id) : sync_(sync) {
        sync_.currentPlace_ =
            "monitor " + std::to_string(column) + ", " + std::to_string(row) + ", ID " + std::to_string(id);
    }
    ~PlaceScope() { sync_.currentPlace_.clear(); }
    PlaceScope(const PlaceScope&) = delete;
    PlaceScope& operator=(const PlaceScope&) = delete;

private:
    DeviceSync& sync_;
};

bool DeviceSync::Busy() const {
    return binding_.Exchanges().busy();
}

bool DeviceSync::succeeded(std::uint8_t result) {
    return !binding_.ShowDriverResult(out(), result);
}

template <typename Body, typename Refused> bool DeviceSync::guarded(Body body, Refused refused) {
    if (!binding_.IsLoaded())
        return false;
    auto scope = binding_.Exchanges().tryEnter(out());
    if (!scope) {
        refused();
        return false;
    }
    if (refreshOptions_)
        refreshOptions_();
    tellRangeCache();
    unsent_.clear();
    const bool result = body();
    reportUnsent();
    return result;
}

void DeviceSync::reportUnsent() {
    if (unsent_.empty())
        return;
    // One box (or report) however many there are: the count, then the first few.
    constexpr std::size_t kNamed = 5;
    std::vector<std::pair<int, int>> monitors;
    for (const Unsent& u : unsent_)
        if (std::find(monitors.begin(), monitors.end(), std::pair{u.column, u.row}) == monitors.end())
            monitors.emplace_back(u.column, u.row);
    const std::size_t fields = unsent_.size();
    std::string text = std::to_string(fields) + (fields == 1 ? " setting" : " settings") + " on " +
                       std::to_string(monitors.size()) + (monitors.size() == 1 ? " monitor" : " monitors") +
                       (fields == 1 ? " has" : " have") + " no value the units understand and " +
                       (fields == 1 ? "was" : "were") + " not sent:";
    for (std::size_t i = 0; i < std::min(fields, kNamed); ++i) {
        const Unsent& u = unsent_[i];
        text += "\r\nColumn " + std::to_string(u.column) + ", row " + std::to_string(u.row) + " (ID " +
                std::to_string(u.id) + "): " + u.field;
    }
    if (fields > kNamed)
        text += "\r\nand " + std::to_string(fields - kNamed) + " more.";
    unsent_.clear();
    out().showMessage(MessageKind::Warning, text);
}

namespace {
bool inWall(int column, int row) {
    return column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows;
}
} // namespace

bool DeviceSync::WriteMonitor(int column, int row, bool executeQueue) {
    // Refused, the monitor keeps settings its unit does not have.
    return inWall(column, row) && guarded([&] { return sendMonitorInExchange(column, row, executeQueue); },
                                          [&] { model_.Monitors.at(column, row).Synced = false; });
}

bool DeviceSync::Exchange::WriteMonitor(int column, int row, bool executeQueue) {
    return inWall(column, row) && sync_.sendMonitorInExchange(column, row, executeQueue);
}

bool DeviceSync::RunExchange(const std::function<bool(Exchange&)>& body) {
    return guarded([&] {
        Exchange running(*this);
        return body(running);
    });
}

bool DeviceSync::sendMonitorInExchange(int column, int row, bool executeQueue) {
    PlaceScope place(*this, column, row, model_.Monitors.at(column, row).DeviceId);
    return MonitorWriter(*this, column, row).run(executeQueue);
}

bool DeviceSync::WriteWall() {
    // Refused, no monitor can be taken to hold what its unit has.
    return guarded([&] { return writeWallInExchange(); }, [&] { SetAllSynced(model_, false); });
}

void DeviceSync::tellRangeCache() {
    if (options_.CacheUnitRanges == rangeCacheOn_)
        return;
    binding_.SetRangeCacheStatus(options_.CacheUnitRanges);
    rangeCacheOn_ = options_.CacheUnitRanges;
}

bool DeviceSync::writeWallInExchange() {
    ProgressWindow progress(out());
    progress.setText("Updating videowall...");
    // With the link off the units cannot be read back.
    std::optional<WriteCheck> check;
    if (options_.VerifyWrites && !options_.InhibitSerialCommunication)
        check.emplace();
    WriteCheck* noted = check ? &*check : nullptr;
    if (!forEachUsedMonitor(progress, [&](int c, int r) { return sendMonitorOfWall(c, r, noted); }))
        return false;
    if (!sendQueueExecutionInExchange())
        return false;
    if (options_.ActivateVideoRouter && !options_.InhibitSerialCommunication) {
        progress.setText("Updating external hardware...");
        progress.setPosition(-1);
        if (!router_.CommitChanges())
            return false;
    }
    return !check || checkWallWrite(*check, progress);
}

bool DeviceSync::sendMonitorOfWall(int column, int row, WriteCheck* check) {
    const std::uint8_t id = model_.Monitors.at(column, row).DeviceId;
    PlaceScope place(*this, column, row, id);
    // A monitor with ID 0 addresses every unit: none of them can be read back.
    MonitorWriter writer(*this, column, row, id != 0 ? check : nullptr);
    if (options_.QuickSync && writer.hasNothingToSend()) {
        writer.passOver();
        return true;
    }
    return writer.run(false);
}

bool DeviceSync::checkWallWrite(const WriteCheck& check, ProgressWindow& progress) {
    if (check.empty())
        return true;
    const WriteCheck::Result result = check.run(binding_, progress);
    // Not synced, the status asks for a synchronisation and the next write sends them whole.
    for (const MonitorPlace& place : result.wrong)
        model_.Monitors.at(place.column, place.row).Synced = false;
    if (!result.repaired.empty())
        out().report(MessageKind::Information, repairedUnitsText(result.repaired));
    if (result.wrong.empty())
        return true;
    out().showMessage(MessageKind::Error, wrongUnitsText(result.wrong));
    return false;
}

bool DeviceSync::ExecuteQueue() {
    return guarded([&] { return sendQueueExecutionInExchange(); });
}

bool DeviceSync::sendQueueExecutionInExchange() {
    return succeeded(binding_.SelectDevice(0)) &&
           succeeded(binding_.ExecuteOperation("op_IP_MISC_EXECUTEQUEUE", kNoTarget));
}

bool DeviceSync::readsAllowed() {
    // With the link off the plug-in answers every get without a value; reading
    // would fill DeviceState with zeros and call it synced.
    if (!options_.InhibitSerialCommunication)
        return true;
    out().showMessage(MessageKind::Warning, kReadsNeedLinkMessage);
    return false;
}

bool DeviceSync::ReadMonitor(int column, int row) {
    return inWall(column, row) &&
           guarded([&] { return readsAllowed() && readMonitorInExchange(column, row); });
}

bool DeviceSync::readMonitorInExchange(int column, int row) {
    TWallMonitor& monitor = model_.Monitors.at(column, row);
    TWallMonitor& state = model_.DeviceState.at(column, row);
    if (monitor.DeviceId == 0) {
        out().showMessage(MessageKind::Error,
                          "The monitor at column " + std::to_string(column) + ", row " + std::to_string(row) +
                              " has the device ID 0, which addresses every unit at once.\r\n"
                              "It cannot be read back.");
        return false;
    }
    state.DeviceId = monitor.DeviceId;
    PlaceScope place(*this, column, row, state.DeviceId);
    TMonitorSettings& r = state.Settings;
    if (!succeeded(binding_.SelectDevice(state.DeviceId)))
        return false;
    // The picture settings first: whether the input is analog RGB decides what follows.
    const auto read = [&](const MonitorField& field) {
        return !appliesTo(field.readFor, IsAnalogRgbSource(lists_, r.SourceInput)) || readField(field, r);
    };
    if (!forEachInGroup(FieldGroup::Picture, read) || !forEachInGroup(FieldGroup::Keys, read) ||
        !forEachInGroup(FieldGroup::Enlargement, read))
        return false;
    state.Synced = true;
    monitor.Synced = true;
    return true;
}

bool DeviceSync::readField(const MonitorField& field, TMonitorSettings& r) {
    if (field.value == FieldValue::Listed || field.value == FieldValue::Switch) {
        std::string text;
        if (!succeeded(binding_.GetOperationIdentifier(field.operation, field.target, text)))
            return false;
        if (field.value == FieldValue::Switch)
            r.*field.flag = text == kSwitchOn;
        else // the first position holding the identifier, or 0 when the list has none
            integerOf(field, r) = std::max((lists_.*field.list).indexOf(text), 0);
        return true;
    }
    std::int32_t value = 0;
    if (!succeeded(binding_.GetOperationPercent(field.operation, field.target, value)))
        return false;
    if (field.value == FieldValue::Percent)
        integerOf(field, r) = value;
    else if (field.value == FieldValue::Zoom)
        r.*field.real = DeviceToZoom(value);
    else
        r.*field.real = DeviceToPan(r.*field.zoom, value);
    return true;
}

bool DeviceSync::ReadWall(bool force) {
    return guarded([&] { return readsAllowed() && readWallInExchange(force); });
}

bool DeviceSync::readWallInExchange(bool force) {
    ProgressWindow progress(out());
    progress.setText("Reading videowall...");
    return forEachUsedMonitor(progress, [&](int c, int r) {
        return (!force && model_.Monitors.at(c, r).Synced) || readMonitorInExchange(c, r);
    });
}

template <typename Body> bool DeviceSync::forEachUsedMonitor(ProgressWindow& progress, Body body) {
    const int columns = UsedColumns(model_);
    const int rows = UsedRows(model_);
    const int count = columns * rows;
    // A single monitor gets no bar.
    if (count > 1)
        progress.setRange(1, count);
    int position = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            if (count > 1)
                progress.setPosition(++position);
            if (!body(c, r))
                return false;
        }
    }
    return true;
}

bool DeviceSync::ResyncVideowall() {
    return guarded([&] {
        // Starting from what the units hold: their ranges are asked for afresh too.
        if (rangeCacheOn_)
            binding_.SetRangeCacheStatus(true);
        if (!readsAllowed() || !readWallInExchange(true))
            return false;
        if (options_.ActivateVideoRouter)
            router_.ResyncVideowall();
        return true;
    });
}

bool DeviceSync::ConfigureRouter() {
    // Registering the wall clears the monitors' Synced: not in the middle of a write.
    if (binding_.Exchanges().refuse(out()))
        return false;
    if (refreshOptions_)
        refreshOptions_();
    for (int id = 1; id <= 99; ++id) {
        if (!router_.SetDeviceUsage(static_cast<std::uint8_t>(id), false)) {
            op_.showMessage(MessageKind::Error, "Virtual video router refused to configure");
            return false;
        }
    }
    for (int r = 1; r <= UsedRows(model_); ++r) {
        for (int c = 1; c <= UsedColumns(model_); ++c) {
            TWallMonitor& monitor = model_.Monitors.at(c, r);
            monitor.Synced = false;
            if (!router_.SetDeviceUsage(monitor.DeviceId, true)) {
                op_.showMessage(MessageKind::Error, "Virtual video router refused to configure");
                return false;
            }
        }
    }
    return true;
}

} // namespace mlc
