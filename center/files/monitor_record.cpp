#include "files/monitor_record.h"

#include "little_endian.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mlc {

using lv::getLe32Signed;
using lv::getLeF64;
using lv::putLe32;
using lv::putLeF64;

namespace {

// Offsets of the 32-bit integer fields from SourceInput on, in record order.
struct IntField {
    std::size_t offset;
    std::int32_t TMonitorSettings::*field;
};

constexpr std::array<IntField, 26> kIntFields{{
    {36, &TMonitorSettings::SourceInput},   {40, &TMonitorSettings::HSamplingPos},
    {44, &TMonitorSettings::VSamplingPos},  {52, &TMonitorSettings::FrameLock},
    {60, &TMonitorSettings::Interpolation}, {64, &TMonitorSettings::Brightness},
    {68, &TMonitorSettings::Contrast},      {72, &TMonitorSettings::Sharpness},
    {76, &TMonitorSettings::Filter},        {80, &TMonitorSettings::Phase},
    {84, &TMonitorSettings::Frequency},     {88, &TMonitorSettings::ColorTemperature},
    {92, &TMonitorSettings::RedUserTemp},   {96, &TMonitorSettings::GreenUserTemp},
    {100, &TMonitorSettings::BlueUserTemp}, {104, &TMonitorSettings::Saturation},
    {108, &TMonitorSettings::Hue},          {112, &TMonitorSettings::Gamma},
    {116, &TMonitorSettings::ScalerMode},   {120, &TMonitorSettings::HStretch},
    {124, &TMonitorSettings::VStretch},     {128, &TMonitorSettings::KeystoneMode},
    {132, &TMonitorSettings::Keystone},     {136, &TMonitorSettings::BlankColor},
    {140, &TMonitorSettings::HD15Sync},     {144, &TMonitorSettings::TestPattern},
}};

constexpr std::size_t kTerminationOffset = 48;
constexpr std::size_t kFreezeOffset = 56;
constexpr std::size_t kBindKeyOffset = 148;

} // namespace

void encodeMonitorSettings(const TMonitorSettings& s, std::uint8_t* out) {
    std::memset(out, 0, kMonitorSettingsRecordSize);
    putLeF64(out + 0, s.XPosition);
    putLeF64(out + 8, s.YPosition);
    putLeF64(out + 16, s.XZoom);
    putLeF64(out + 24, s.YZoom);
    out[32] = s.VideoMatrixSource;
    for (std::size_t k = 0; k < 4; ++k)
        out[kTerminationOffset + k] = s.Termination[k] ? 1 : 0;
    out[kFreezeOffset] = s.Freeze ? 1 : 0;
    for (const IntField& f : kIntFields)
        putLe32(out + f.offset, s.*f.field);
    for (std::size_t k = 0; k < 4; ++k)
        putLe32(out + kBindKeyOffset + 4 * k, s.BindKey[k]);
}

TMonitorSettings decodeMonitorSettings(const std::uint8_t* in) {
    TMonitorSettings s;
    s.XPosition = getLeF64(in + 0);
    s.YPosition = getLeF64(in + 8);
    s.XZoom = getLeF64(in + 16);
    s.YZoom = getLeF64(in + 24);
    s.VideoMatrixSource = in[32];
    for (std::size_t k = 0; k < 4; ++k)
        s.Termination[k] = in[kTerminationOffset + k] != 0;
    s.Freeze = in[kFreezeOffset] != 0;
    for (const IntField& f : kIntFields)
        s.*f.field = getLe32Signed(in + f.offset);
    for (std::size_t k = 0; k < 4; ++k)
        s.BindKey[k] = getLe32Signed(in + kBindKeyOffset + 4 * k);
    return s;
}

void decodeMonitorSettingsPrefix(const std::uint8_t* in, std::size_t available, TMonitorSettings& settings) {
    std::array<std::uint8_t, kMonitorSettingsRecordSize> record{};
    encodeMonitorSettings(settings, record.data());
    std::memcpy(record.data(), in, std::min(available, record.size()));
    settings = decodeMonitorSettings(record.data());
}

} // namespace mlc
