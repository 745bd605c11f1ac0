#include "sync/device_sync.h"

#include "binding/driver_result.h"
#include "wall/enlargement.h"
#include "sync/progress.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <functional>

namespace mlc {

namespace {

const std::string kMainWindow = "wnWIN_MAIN";
const std::string kNoTarget;

std::string placeText(int column, int row, std::uint8_t id) {
    return "Column " + std::to_string(column) + ", row " + std::to_string(row) + " (ID " +
           std::to_string(id) + ")";
}

} // namespace

// One WriteMonitor: the steps in their fixed order, each sent only when needed.
class DeviceSync::MonitorWriter {
public:
    MonitorWriter(DeviceSync& sync, int column, int row)
        : sync_(sync), binding_(sync.binding_), lists_(sync.lists_), column_(column), row_(row),
          monitor_(sync.model_.Monitors.at(column, row)), state_(sync.model_.DeviceState.at(column, row)),
          s_(monitor_.Settings), d_(state_.Settings), all_(!monitor_.Synced) {}

    bool run(bool executeQueue) {
        const SyncOptions& options = sync_.options_;
        if (!ok(binding_.SelectDevice(monitor_.DeviceId)))
            return false;
        if (!ok(binding_.SetOperationIdentifier("op_IP_MISC_GPO", "gc8CHANNEL7",
                                                options.DisableSourceInfo ? "gc16CHANNEL2" : "gc16CHANNEL1")))
            return false;
        for (std::size_t k = 0; k < 4; ++k) {
            if (needs(s_.BindKey[k], d_.BindKey[k]) &&
                !listed("op_IP_MISC_BINDKEY", "gc8CHANNEL" + std::to_string(k + 1), lists_.InputSources,
                        s_.BindKey[k], "BindKey" + std::to_string(k + 1),
                        [k](TMonitorSettings& now, const TMonitorSettings& before) {
                            now.BindKey[k] = before.BindKey[k];
                        }))
                return false;
        }
        if (!ok(binding_.ExecuteOperation("op_IP_MISC_SETQUEUE", kNoTarget)))
            return false;
        return sendPicture() && sendEnlargement() && finish(executeQueue);
    }

private:
    using Restore = std::function<void(TMonitorSettings& now, const TMonitorSettings& before)>;

    template <typename T> bool needs(const T& wanted, const T& held) const { return all_ || wanted != held; }
    bool ok(std::uint8_t result) { return sync_.succeeded(result); }
    bool percent(const std::string& op, const std::string& target, std::int32_t value) {
        return ok(binding_.SetOperationPercent(op, target, value));
    }

    static Restore keep(std::int32_t TMonitorSettings::*field) {
        return [field](TMonitorSettings& now, const TMonitorSettings& before) { now.*field = before.*field; };
    }
    static Restore keep(double TMonitorSettings::*field) {
        return [field](TMonitorSettings& now, const TMonitorSettings& before) { now.*field = before.*field; };
    }

    void skip(const std::string& field, const std::string& value, Restore restore) {
        sync_.unsent_.push_back(placeText(column_, row_, monitor_.DeviceId) + ": " + field + " " + value);
        restores_.push_back(std::move(restore));
    }

    // Sends the identifier at a list position; a position the list has no entry for
    // is skipped, never read.
    bool listed(const std::string& op, const std::string& target, const MatchListPair& list,
                std::int32_t index, const std::string& field, Restore restore) {
        const std::string* id = list.idAt(index);
        if (!id) {
            skip(field, std::to_string(index), std::move(restore));
            return true;
        }
        return ok(binding_.SetOperationIdentifier(op, target, *id));
    }
    bool listed(const std::string& op, const std::string& target, const MatchListPair& list,
                std::int32_t TMonitorSettings::*field, const char* name) {
        return !needs(s_.*field, d_.*field) || listed(op, target, list, s_.*field, name, keep(field));
    }
    bool percentField(const std::string& op, const std::string& target,
                      std::int32_t TMonitorSettings::*field) {
        return !needs(s_.*field, d_.*field) || percent(op, target, s_.*field);
    }

    bool sendPicture() {
        const bool rgb = IsAnalogRgbSource(lists_, s_.SourceInput);
        if (!listed("op_SELECT_SOURCE", kMainWindow, lists_.InputSources, &TMonitorSettings::SourceInput,
                    "SourceInput"))
            return false;
        if (rgb && !percentField("op_HORZ_POSITION", kMainWindow, &TMonitorSettings::HSamplingPos))
            return false;
        if (rgb && !percentField("op_VERT_POSITION", kMainWindow, &TMonitorSettings::VSamplingPos))
            return false;
        if (needs(s_.Freeze, d_.Freeze) &&
            !ok(binding_.SetOperationIdentifier("op_FREEZE_FRAME", kMainWindow,
                                                s_.Freeze ? "enEnable" : "enNotEnabled")))
            return false;
        if (!listed("op_IP_MISC_GPO", "gc8CHANNEL8", lists_.FrameLock, &TMonitorSettings::FrameLock,
                    "FrameLock"))
            return false;
        if (!listed("op_INTERPOLATIONTYPE", kMainWindow, lists_.Interpolation,
                    &TMonitorSettings::Interpolation, "Interpolation"))
            return false;
        if (!percentField("op_BRIGHTNESS", kMainWindow, &TMonitorSettings::Brightness) ||
            !percentField("op_CONTRAST", kMainWindow, &TMonitorSettings::Contrast))
            return false;
        if (!rgb && !percentField("op_SHARPNESS", kMainWindow, &TMonitorSettings::Sharpness))
            return false;
        if (rgb &&
            !listed("op_FILTER_SELECT", kNoTarget, lists_.InputFilter, &TMonitorSettings::Filter, "Filter"))
            return false;
        if (rgb && (!percentField("op_PHASE", kMainWindow, &TMonitorSettings::Phase) ||
                    !percentField("op_HORZ_TOTAL", kMainWindow, &TMonitorSettings::Frequency)))
            return false;
        if (!listed("op_COLOR_TEMP", kNoTarget, lists_.ColorTemp, &TMonitorSettings::ColorTemperature,
                    "ColorTemperature"))
            return false;
        if (!percentField("op_RED_TEMP", kNoTarget, &TMonitorSettings::RedUserTemp) ||
            !percentField("op_GREEN_TEMP", kNoTarget, &TMonitorSettings::GreenUserTemp) ||
            !percentField("op_BLUE_TEMP", kNoTarget, &TMonitorSettings::BlueUserTemp))
            return false;
        if (!rgb && (!percentField("op_SATURATION", kMainWindow, &TMonitorSettings::Saturation) ||
                     !percentField("op_HUE", kMainWindow, &TMonitorSettings::Hue)))
            return false;
        if (!percentField("op_IP_MISC_GAMMACONTINUOUS", kNoTarget, &TMonitorSettings::Gamma))
            return false;
        if (!listed("op_KEYSTONE_MODE", kMainWindow, lists_.KeystoningMode, &TMonitorSettings::KeystoneMode,
                    "KeystoneMode"))
            return false;
        if (!percentField("op_KEYSTONE", kMainWindow, &TMonitorSettings::Keystone))
            return false;
        return listed("op_BLANK_DISPLAY_COLOR", kNoTarget, lists_.ScreenColors, &TMonitorSettings::BlankColor,
                      "BlankColor") &&
               listed("op_TEST_PATTERN", kNoTarget, lists_.TestPattern, &TMonitorSettings::TestPattern,
                      "TestPattern");
    }

    bool zoom(const std::string& op, double TMonitorSettings::*field, const char* name) {
        const auto value = ZoomToDevice(s_.*field);
        if (!value) {
            skip(name, "0", keep(field));
            return true;
        }
        return percent(op, kNoTarget, *value);
    }

    bool sendEnlargement() {
        // The device's pan value depends on the zoom, so a new zoom re-sends the pan.
        const bool xZoom = needs(s_.XZoom, d_.XZoom);
        const bool yZoom = needs(s_.YZoom, d_.YZoom);
        if (xZoom && !zoom("op_IP_MISC_HZOOM", &TMonitorSettings::XZoom, "XZoom"))
            return false;
        if (yZoom && !zoom("op_IP_MISC_VZOOM", &TMonitorSettings::YZoom, "YZoom"))
            return false;
        if ((xZoom || needs(s_.XPosition, d_.XPosition)) &&
            !percent("op_IP_MISC_HPAN", kNoTarget, PanToDevice(s_.XZoom, s_.XPosition)))
            return false;
        if ((yZoom || needs(s_.YPosition, d_.YPosition)) &&
            !percent("op_IP_MISC_VPAN", kNoTarget, PanToDevice(s_.YZoom, s_.YPosition)))
            return false;
        return true;
    }

    bool finish(bool executeQueue) {
        const SyncOptions& options = sync_.options_;
        if (s_.VideoMatrixSource != d_.VideoMatrixSource && options.ActivateVideoRouter &&
            !options.InhibitSerialCommunication &&
            !sync_.router_.SetNewInput(monitor_.DeviceId, s_.VideoMatrixSource)) {
            sync_.op_.showMessage(MessageKind::Error,
                                  "Virtual video router refused to set the specified input");
            return false;
        }
        if (executeQueue) {
            if (!ok(binding_.ExecuteOperation("op_IP_MISC_EXECUTEQUEUE", kNoTarget)))
                return false;
            if (options.ActivateVideoRouter)
                sync_.router_.CommitChanges();
        }
        TMonitorSettings held = s_;
        for (const Restore& restore : restores_)
            restore(held, d_);
        d_ = held;
        monitor_.Synced = true;
        return true;
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
    std::vector<Restore> restores_; // fields skipped: DeviceState keeps them
};

DeviceSync::DeviceSync(WallModel& model, const MatchLists& lists, DriverBinding& binding, VideoRouter& router,
                       Operator& op, const SyncOptions& options)
    : model_(model), lists_(lists), binding_(binding), router_(router), op_(op), options_(options) {}

bool DeviceSync::Busy() const {
    return binding_.Exchanges().busy();
}

bool DeviceSync::succeeded(std::uint8_t result) {
    return !binding_.ShowDriverResult(op_, result);
}

template <typename Body> bool DeviceSync::exchange(Body body) {
    if (!binding_.IsLoaded())
        return false;
    auto scope = binding_.Exchanges().tryEnter();
    if (!scope)
        return false;
    unsent_.clear();
    const bool result = body();
    reportUnsent();
    return result;
}

void DeviceSync::reportUnsent() {
    if (unsent_.empty())
        return;
    std::string text = "These settings have no value the units understand and were not sent:";
    for (const auto& line : unsent_)
        text += "\r\n" + line;
    unsent_.clear();
    op_.showMessage(MessageKind::Warning, text);
}

namespace {
bool inWall(int column, int row) {
    return column >= 1 && column <= kMaxColumns && row >= 1 && row <= kMaxRows;
}
} // namespace

bool DeviceSync::WriteMonitor(int column, int row, bool executeQueue) {
    return inWall(column, row) && exchange([&] { return sendMonitorInExchange(column, row, executeQueue); });
}

bool DeviceSync::Exchange::WriteMonitor(int column, int row, bool executeQueue) {
    return inWall(column, row) && sync_.sendMonitorInExchange(column, row, executeQueue);
}

bool DeviceSync::RunExchange(const std::function<bool(Exchange&)>& body) {
    return exchange([&] {
        Exchange running(*this);
        return body(running);
    });
}

bool DeviceSync::sendMonitorInExchange(int column, int row, bool executeQueue) {
    return MonitorWriter(*this, column, row).run(executeQueue);
}

bool DeviceSync::WriteWall() {
    return exchange([&] {
        ProgressWindow progress(op_);
        progress.setText("Updating videowall...");
        if (!forEachUsedMonitor(progress, [&](int c, int r) { return sendMonitorInExchange(c, r, false); }))
            return false;
        if (!sendQueueExecutionInExchange())
            return false;
        if (options_.ActivateVideoRouter && !options_.InhibitSerialCommunication) {
            progress.setText("Updating external hardware...");
            progress.setPosition(-1);
            if (!router_.CommitChanges())
                return false;
        }
        return true;
    });
}

bool DeviceSync::ExecuteQueue() {
    return exchange([&] { return sendQueueExecutionInExchange(); });
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
    op_.showMessage(MessageKind::Warning,
                    "The serial link is switched off, so the units cannot be read back.");
    return false;
}

bool DeviceSync::ReadMonitor(int column, int row) {
    return inWall(column, row) && exchange([&] { return readsAllowed() && readMonitorInExchange(column, row); });
}

bool DeviceSync::readMonitorInExchange(int column, int row) {
    TWallMonitor& monitor = model_.Monitors.at(column, row);
    TWallMonitor& state = model_.DeviceState.at(column, row);
    if (monitor.DeviceId == 0) {
        op_.showMessage(MessageKind::Error,
                        "The monitor at column " + std::to_string(column) + ", row " + std::to_string(row) +
                            " has the device ID 0, which addresses every unit at once.\r\n"
                            "It cannot be read back.");
        return false;
    }
    state.DeviceId = monitor.DeviceId;
    TMonitorSettings& r = state.Settings;

    auto identifier = [&](const std::string& op, const std::string& target, std::string& text) {
        return succeeded(binding_.GetOperationIdentifier(op, target, text));
    };
    // The first position holding the identifier read, or 0 when the list has none.
    auto listed = [&](const std::string& op, const std::string& target, const MatchListPair& list,
                      std::int32_t& field) {
        std::string text;
        if (!identifier(op, target, text))
            return false;
        field = std::max(list.indexOf(text), 0);
        return true;
    };
    auto percent = [&](const std::string& op, const std::string& target, std::int32_t& field) {
        std::int32_t value = 0;
        if (!succeeded(binding_.GetOperationPercent(op, target, value)))
            return false;
        field = value;
        return true;
    };

    if (!succeeded(binding_.SelectDevice(state.DeviceId)))
        return false;
    if (!listed("op_SELECT_SOURCE", kMainWindow, lists_.InputSources, r.SourceInput))
        return false;
    const bool rgb = IsAnalogRgbSource(lists_, r.SourceInput);
    if (rgb && (!percent("op_HORZ_POSITION", kMainWindow, r.HSamplingPos) ||
                !percent("op_VERT_POSITION", kMainWindow, r.VSamplingPos)))
        return false;
    std::string freeze;
    if (!identifier("op_FREEZE_FRAME", kMainWindow, freeze))
        return false;
    r.Freeze = freeze == "enEnable";
    if (!listed("op_IP_MISC_GPO", "gc8CHANNEL8", lists_.FrameLock, r.FrameLock) ||
        !listed("op_INTERPOLATIONTYPE", kMainWindow, lists_.Interpolation, r.Interpolation) ||
        !percent("op_BRIGHTNESS", kMainWindow, r.Brightness) ||
        !percent("op_CONTRAST", kMainWindow, r.Contrast))
        return false;
    if (!rgb && !percent("op_SHARPNESS", kMainWindow, r.Sharpness))
        return false;
    if (rgb &&
        (!listed("op_FILTER_SELECT", kNoTarget, lists_.InputFilter, r.Filter) ||
         !percent("op_PHASE", kMainWindow, r.Phase) || !percent("op_HORZ_TOTAL", kMainWindow, r.Frequency)))
        return false;
    if (!listed("op_COLOR_TEMP", kNoTarget, lists_.ColorTemp, r.ColorTemperature) ||
        !percent("op_RED_TEMP", kNoTarget, r.RedUserTemp) ||
        !percent("op_GREEN_TEMP", kNoTarget, r.GreenUserTemp) ||
        !percent("op_BLUE_TEMP", kNoTarget, r.BlueUserTemp) ||
        !percent("op_SATURATION", kMainWindow, r.Saturation) || !percent("op_HUE", kMainWindow, r.Hue) ||
        !percent("op_IP_MISC_GAMMACONTINUOUS", kNoTarget, r.Gamma) ||
        !listed("op_KEYSTONE_MODE", kMainWindow, lists_.KeystoningMode, r.KeystoneMode) ||
        !percent("op_KEYSTONE", kMainWindow, r.Keystone) ||
        !listed("op_BLANK_DISPLAY_COLOR", kNoTarget, lists_.ScreenColors, r.BlankColor) ||
        !listed("op_TEST_PATTERN", kNoTarget, lists_.TestPattern, r.TestPattern))
        return false;
    for (std::size_t k = 0; k < 4; ++k)
        if (!listed("op_IP_MISC_BINDKEY", "gc8CHANNEL" + std::to_string(k + 1), lists_.InputSources,
                    r.BindKey[k]))
            return false;

    std::int32_t value = 0;
    if (!percent("op_IP_MISC_HZOOM", kNoTarget, value))
        return false;
    r.XZoom = DeviceToZoom(value);
    if (!percent("op_IP_MISC_VZOOM", kNoTarget, value))
        return false;
    r.YZoom = DeviceToZoom(value);
    if (!percent("op_IP_MISC_HPAN", kNoTarget, value))
        return false;
    r.XPosition = DeviceToPan(r.XZoom, value);
    if (!percent("op_IP_MISC_VPAN", kNoTarget, value))
        return false;
    r.YPosition = DeviceToPan(r.YZoom, value);

    state.Synced = true;
    monitor.Synced = true;
    return true;
}

bool DeviceSync::ReadWall(bool force) {
    return exchange([&] { return readsAllowed() && readWallInExchange(force); });
}

bool DeviceSync::readWallInExchange(bool force) {
    ProgressWindow progress(op_);
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
    return exchange([&] {
        if (!readsAllowed() || !readWallInExchange(true))
            return false;
        if (options_.ActivateVideoRouter)
            router_.ResyncVideowall();
        return true;
    });
}

bool DeviceSync::ConfigureRouter() {
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
