#include "setup/wall_autodetect.h"

#include "binding/driver_result.h"
#include "sync/chain_commands.h"

#include <algorithm>
#include <optional>

namespace mlc {

namespace {

// The chosen port open with the link on for as long as the object lives; the
// configured port and the link switch come back when it goes, whatever happened.
class PortSwitch {
public:
    PortSwitch(DriverBinding& binding, ProgramSettings& settings, Operator& op, int port)
        : binding_(binding), settings_(settings), op_(op), inhibit_(settings.InhibitSerialCommunication),
          gate_(binding.Exchanges().tryEnter(op)) {
        if (!gate_)
            return;
        switched_ = true;
        settings_.InhibitSerialCommunication = false;
        setTestMode(false);
        binding_.CloseHardwarePort();
        opened_ =
            !binding_.ShowDriverResult(op_, binding_.OpenHardwarePort(static_cast<std::uint32_t>(port)));
    }
    ~PortSwitch() { restore(); }
    PortSwitch(const PortSwitch&) = delete;
    PortSwitch& operator=(const PortSwitch&) = delete;

    bool opened() const { return opened_; }
    // Lets the probe take the gate itself.
    void releaseGate() { gate_.reset(); }

    void restore() {
        if (!switched_)
            return;
        switched_ = false;
        if (!gate_ && !binding_.Exchanges().busy())
            gate_.emplace(binding_.Exchanges());
        binding_.CloseHardwarePort();
        binding_.ShowDriverResult(op_, binding_.OpenHardwarePort(settings_.SerialPortNumber));
        settings_.InhibitSerialCommunication = inhibit_;
        setTestMode(inhibit_);
        gate_.reset();
    }

private:
    void setTestMode(bool on) {
        // Without a driver its absence was reported at load; there is nothing to switch.
        if (binding_.IsLoaded())
            binding_.ShowDriverResult(op_, binding_.SetTestMode(on));
    }

    DriverBinding& binding_;
    ProgramSettings& settings_;
    Operator& op_;
    const bool inhibit_;
    std::optional<ExchangeGate::Scope> gate_;
    bool switched_ = false;
    bool opened_ = false;
};

} // namespace

std::vector<std::string> portNames(int count) {
    std::vector<std::string> names;
    for (int port = 1; port <= count; ++port)
        names.push_back("COM" + std::to_string(port));
    return names;
}

int portListIndex(int port, int count) {
    return port >= 1 && port <= count ? port - 1 : 0;
}

WallAutodetect::WallAutodetect(DriverBinding& binding, ProgramSettings& settings, WallModel& model,
                               Operator& op)
    : binding_(binding), settings_(settings), model_(model), op_(op) {}

int WallAutodetect::portCount() {
    return static_cast<int>(std::min<std::uint32_t>(binding_.PortCount(), 255));
}

DetectionOutcome WallAutodetect::run(int port, const ProbeHook& probing) {
    DetectionOutcome outcome;
    ChainCommands chain(model_, binding_, op_);
    {
        PortSwitch chosen(binding_, settings_, op_, port);
        if (!chosen.opened())
            return outcome;
        if (probing)
            probing(true);
        chosen.releaseGate();
        outcome.presentIds = chain.DetectWall().presentIds;
    }
    if (probing)
        probing(false);
    const int found = static_cast<int>(outcome.presentIds.size());
    if (found == 0) {
        outcome.status = DetectionOutcome::Status::NoDevices;
        op_.showMessage(MessageKind::Warning, kNoDevicesFoundWarning);
        return outcome;
    }
    outcome.status = DetectionOutcome::Status::Found;
    op_.showMessage(MessageKind::Information, std::to_string(found) + kDevicesFoundSuffix);
    outcome.shape = chain.ShapeWall(found);
    outcome.ids = AssignDetectedIds(outcome.shape, outcome.presentIds);
    return outcome;
}

void applyDetectedIds(WallModel& model, const WallShape& shape, const DetectedIds& ids) {
    for (int row = 1; row <= std::min(shape.rows, kMaxRows); ++row)
        for (int column = 1; column <= std::min(shape.columns, kMaxColumns); ++column) {
            const std::uint8_t id =
                ids[static_cast<std::size_t>(column - 1)][static_cast<std::size_t>(row - 1)];
            model.Monitors.at(column, row).DeviceId = id;
            model.DeviceState.at(column, row).DeviceId = id;
        }
}

} // namespace mlc
