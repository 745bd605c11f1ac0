// The check after a wall write that every unit applied its queue.
//
// The closing broadcast that executes the queues is not answered, so a unit that
// missed it would keep its changes queued while the wall counts as synced. During
// the write one field sent to each unit's queue is noted, the one that tells most:
// an identifier whose value changed (exact, and read without a range query), else
// the percentage that changed most. After the broadcast each unit is read back. A
// unit that queues changes answers a read with the value in effect, the old one,
// and applies its whole queue at once, so one field stands for all. A unit that
// does not show the value sent has its queue executed again, addressed to it alone
// and answered, and is read once more.
//
// A read tells only when the unit's old value is known: for a monitor written whole
// (not synced: after start-up, a failure, a memory recall) the unit may have held
// the value sent already. Such a unit has its queue executed again, addressed to
// it and answered, instead of a read: a unit that answers has applied whatever it
// held queued. One that does not answer is sent the execution once more.
#pragma once

#include "binding/driver_binding.h"
#include "sync/field_values.h"
#include "sync/monitor_fields.h"
#include "sync/progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mlc {

struct MonitorPlace {
    int column = 0;
    int row = 0;
    std::uint8_t id = 0;
};

class WriteCheck {
public:
    // A field went into the queue of the unit at a place, sent as `sent`; `before`
    // is what the unit was known to hold (nothing when that had no value to send).
    void noteQueued(const MonitorPlace& place, const MonitorField& field, const DeviceValue& sent,
                    const std::optional<DeviceValue>& before);
    // Fields went into the queue of a unit whose old values are not known.
    void noteWrittenWhole(const MonitorPlace& place);
    bool empty() const { return witnesses_.empty(); }

    struct Result {
        std::vector<MonitorPlace> repaired; // missed the broadcast, took the second execution
        std::vector<MonitorPlace> wrong;    // still not showing what was sent, or not answering
    };
    // Reads the units back after the broadcast, showing its progress.
    Result run(DriverBinding& binding, ProgressWindow& progress) const;

private:
    struct Witness {
        MonitorPlace place;
        const MonitorField* field; // null: the queue is executed again instead of a read
        DeviceValue sent;
        std::optional<DeviceValue> before;
        int rank;            // which witness of a monitor is kept: the highest
        std::int64_t spread; // percentages: how far apart the two values are
    };
    void keep(const Witness& witness);
    enum class Verdict { Applied, Repaired, Wrong };
    static Verdict check(DriverBinding& binding, const Witness& witness);
    static bool applied(const Witness& witness, const DeviceValue& read);
    static std::optional<DeviceValue> read(DriverBinding& binding, const Witness& witness);

    std::vector<Witness> witnesses_; // one per monitor, in the order written
};

// The message naming the units a check repaired (an information) and the one naming
// those still wrong (an error); empty when there are none.
std::string repairedUnitsText(const std::vector<MonitorPlace>& places);
std::string wrongUnitsText(const std::vector<MonitorPlace>& places);

} // namespace mlc
