// The two clocks playback reads, passed in by whoever drives the sequencer (the
// window's timer, mlctl, tests), so that nothing in the core reads a clock itself.
#pragma once

namespace mlc {

struct ClockReading {
    // The local time of day as a fraction of a day (0.5 = noon): items due "from
    // midnight" and the midnight counter follow it, clock changes included.
    double timeOfDay = 0.0;
    // Seconds from any fixed origin on a clock that is never set (a monotonic
    // clock): items due "from start" or "from last event" count on it, so that a
    // change to or from summer time, or a corrected system clock, moves none of them.
    double monotonicSeconds = 0.0;
};

} // namespace mlc
