// Texts of the timeline: item times, time-stamp counters and line texts.
#pragma once

#include "sequencer/sequence_item.h"

#include <string>

namespace mlc {

// "HH:MM:SS", each part at least two digits.
std::string FormatItemTime(int hours, int minutes, int seconds);

// The time of day within a fraction of a day, "HH:MM:SS"; whole days are dropped.
std::string FormatDayFraction(double days);

// "00:01:30 L - name", or "... - Sequence step #<position>" for an unnamed item.
std::string timelineLineText(const TSequenceItem& item, int position);

// An item's activation time in days.
double itemActivationTime(const TSequenceItem& item);

} // namespace mlc
