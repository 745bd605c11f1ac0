#include "remote/remote_layout.h"

#include "dialogs/remote_keys.h"

#include <array>

namespace mlgui {
namespace {

// By tag; the picture draws each key inside its area.
constexpr std::array<QRect, mlc::kRemoteKeyCount> kKeyAreas{{
    {60, 52, 76, 24},   // 1 auto adjust
    {46, 92, 24, 24},   // 2 menu up
    {20, 118, 24, 24},  // 3 menu left
    {72, 118, 24, 24},  // 4 menu right
    {46, 144, 24, 24},  // 5 menu down
    {126, 92, 24, 24},  // 6 up
    {100, 118, 24, 24}, // 7 left
    {152, 118, 24, 24}, // 8 right
    {126, 144, 24, 24}, // 9 down
    {20, 52, 36, 24},   // 10 info
    {20, 196, 36, 24},  // 11 quick menu
    {60, 196, 36, 24},  // 12 zoom
    {100, 196, 36, 24}, // 13 videowall
    {140, 196, 36, 24}, // 14 settings
    {20, 228, 36, 24},  // 15 S1
    {60, 228, 36, 24},  // 16 S2
    {100, 228, 36, 24}, // 17 S3
    {140, 228, 36, 24}, // 18 S4
    {20, 276, 36, 26},  // 19 1
    {60, 276, 36, 26},  // 20 2
    {100, 276, 36, 26}, // 21 3
    {140, 276, 36, 26}, // 22 memory 1
    {20, 308, 36, 26},  // 23 4
    {60, 308, 36, 26},  // 24 5
    {100, 308, 36, 26}, // 25 6
    {140, 308, 36, 26}, // 26 memory 2
    {20, 340, 36, 26},  // 27 7
    {60, 340, 36, 26},  // 28 8
    {100, 340, 36, 26}, // 29 9
    {140, 340, 36, 26}, // 30 memory 3
    {20, 372, 36, 26},  // 31 ID request
    {60, 372, 36, 26},  // 32 0
    {100, 372, 36, 26}, // 33 ID clear
    {140, 372, 36, 26}, // 34 memory 4
    {140, 52, 36, 24},  // 35 escape
}};

} // namespace

QSize remotePictureSize() {
    return {196, 436};
}

QRect remoteKeyArea(int tag) {
    if (tag < 1 || tag > mlc::kRemoteKeyCount)
        return {};
    return kKeyAreas[static_cast<std::size_t>(tag - 1)];
}

QRect remoteCloseArea() {
    return {160, 16, 22, 22};
}

} // namespace mlgui
