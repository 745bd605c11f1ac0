// The local time of day as the sequencer counts it: a fraction of a day.
#pragma once

namespace mlc {

// 0.0 at midnight, 0.5 at noon; milliseconds included.
double LocalTimeOfDay();

} // namespace mlc
