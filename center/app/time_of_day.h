// The real clocks, as the sequencer reads them (see sequencer/clock_reading.h).
#pragma once

#include "sequencer/clock_reading.h"

namespace mlc {

// 0.0 at midnight, 0.5 at noon; milliseconds included.
double LocalTimeOfDay();
// Seconds on a clock that is never set and keeps counting while the machine sleeps.
double MonotonicSeconds();
// Both, read one after the other.
ClockReading ReadClocks();

} // namespace mlc
