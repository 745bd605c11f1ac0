#include "sequencer/time_text.h"

#include <cmath>
#include <cstdio>

namespace mlc {

namespace {

std::string twoDigits(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02ld", value);
    return text;
}

} // namespace

std::string FormatItemTime(int hours, int minutes, int seconds) {
    return twoDigits(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds);
}

std::string FormatDayFraction(double days) {
    if (!std::isfinite(days))
        days = 0.0;
    const double fraction = days - std::trunc(days);
    // Whole seconds; the tiny allowance keeps 1/24 day from reading as 00:59:59
    // after the division's rounding.
    const long seconds = static_cast<long>(std::trunc(fraction * 86400.0 + (fraction < 0 ? -1e-6 : 1e-6)));
    const long sign = seconds < 0 ? -1 : 1;
    const long magnitude = seconds * sign;
    return twoDigits(sign * (magnitude / 3600)) + ":" + twoDigits(sign * (magnitude / 60 % 60)) + ":" +
           twoDigits(sign * (magnitude % 60));
}

std::string timelineLineText(const TSequenceItem& item, int position) {
    std::string text = FormatItemTime(item.Hours, item.Minutes, item.Seconds) + " ";
    switch (item.TimeMode) {
    case FromMidnight:
        text += "M";
        break;
    case FromStart:
        text += "S";
        break;
    case FromLastEvent:
        text += "L";
        break;
    default:
        break;
    }
    text += " - ";
    text += item.NameLength > 0 ? item.name() : "Sequence step #" + std::to_string(position);
    return text;
}

double itemActivationTime(const TSequenceItem& item) {
    return item.Hours / 24.0 + item.Minutes / 1440.0 + item.Seconds / 86400.0;
}

} // namespace mlc
