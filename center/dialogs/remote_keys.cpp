#include "dialogs/remote_keys.h"

namespace mlc {

const std::array<RemoteKey, kRemoteKeyCount>& RemoteKeys() {
    static constexpr std::array<RemoteKey, kRemoteKeyCount> keys{{
        {1, "Auto_AdjustBTN", "Auto adjust", "veAUTO_ADJUST"},
        {2, "MenuUpBTN", "Menu up", "veMENUUP"},
        {3, "MenuLeftBTN", "Menu left", "veMENULEFT"},
        {4, "MenuRightBTN", "Menu right", "veMENURIGHT"},
        {5, "MenuDownBTN", "Menu down", "veMENUDOWN"},
        {6, "UpBTN", "Up", "veUP"},
        {7, "LeftBTN", "Left", "veLEFT"},
        {8, "RightBTN", "Right", "veRIGHT"},
        {9, "DownBTN", "Down", "veDOWN"},
        {10, "InfoBTN", "Info", "veINFO"},
        {11, "QuickMenuBTN", "Quick menu", "veQUICKMENU"},
        {12, "ZoomBTN", "Zoom", "veZOOM"},
        {13, "VideowallBTN", "Videowall", "veVIDEOWALL"},
        {14, "SettingsBTN", "Settings", "veSETTINGS"},
        {15, "F1BTN", "S1", "veF1"},
        {16, "F2BTN", "S2", "veF2"},
        {17, "F3BTN", "S3", "veF3"},
        {18, "F4BTN", "S4", "veF4"},
        {19, "Num1BTN", "1", "veNUM1"},
        {20, "Num2BTN", "2", "veNUM2"},
        {21, "Num3BTN", "3", "veNUM3"},
        {22, "Memory1BTN", "Memory 1", "veMEMORY1"},
        {23, "Num4BTN", "4", "veNUM4"},
        {24, "Num5BTN", "5", "veNUM5"},
        {25, "Num6BTN", "6", "veNUM6"},
        {26, "Memory2BTN", "Memory 2", "veMEMORY2"},
        {27, "Num7BTN", "7", "veNUM7"},
        {28, "Num8BTN", "8", "veNUM8"},
        {29, "Num9BTN", "9", "veNUM9"},
        {30, "Memory3BTN", "Memory 3", "veMEMORY3"},
        {31, "IdRequestBTN", "ID request", "veIDREQUEST"},
        {32, "Num0BTN", "0", "veNUM0"},
        {33, "IdClearBTN", "ID clear", "veIDCLEAR"},
        {34, "Memory4BTN", "Memory 4", "veMEMORY4"},
        {35, "EscapeBTN", "Escape", "veESCAPE"},
    }};
    return keys;
}

const RemoteKey* RemoteKeyByTag(int tag) {
    if (tag < 1 || tag > kRemoteKeyCount)
        return nullptr;
    return &RemoteKeys()[static_cast<std::size_t>(tag - 1)];
}

} // namespace mlc
