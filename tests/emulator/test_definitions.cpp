#include "test_definitions.h"

#include "checksum.h"

#include <algorithm>
#include <fstream>

namespace emutest {

namespace {

constexpr std::uint8_t kKey = 0x5A;

struct Writer {
    std::vector<std::uint8_t> bytes{'P', 'G', 'C', 0x1A, kKey};

    void record(int kind, const std::vector<std::string>& fields) {
        bytes.push_back(static_cast<std::uint8_t>((0x80 + kind - 1) ^ kKey));
        for (const std::string& field : fields) {
            bytes.push_back(static_cast<std::uint8_t>(field.size() ^ kKey));
            for (char c : field)
                bytes.push_back(static_cast<std::uint8_t>(c ^ kKey));
        }
    }
    void item(const std::string& list, const std::string& code, int value) {
        record(2, {list, code + " description", code, std::to_string(value)});
    }
};

void le32(std::vector<std::uint8_t>& out, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

} // namespace

std::vector<std::uint8_t> testDefinitionsImage() {
    Writer w;
    w.record(1, {"", "op_IP_MISC_DEVICESELECTION", "1", "VALUE", "Device selection", "mDeviceSelect",
                 "mSelectMode"});
    w.record(1, {"", "op_IP_MISC_SETQUEUE", "2", "EXECUTE", "Open queue"});
    w.record(1, {"", "op_IP_MISC_EXECUTEQUEUE", "3", "EXECUTE", "Execute queue"});
    w.record(1, {"", "op_IP_LCRST_USERPARMSET", "4", "VALUE", "Memory", "mGenChannel16"});
    w.record(1, {"", "op_IP_LCRST_SAVEUSERPARMSET", "5", "EXECUTE", "Save memory"});
    w.record(1, {"", "op_IP_LCRST_RESTOREUSERSET", "6", "EXECUTE", "Recall memory"});
    w.record(1, {"", "op_DATA_MANAGER_RESET", "7", "EXECUTE", "Factory reset"});
    w.record(1, {"", "op_IP_MISC_RESET", "8", "EXECUTE", "Restart"});
    w.record(1, {"", "op_BRIGHTNESS", "10", "POT", "Brightness", "0", "255", "mWindows"});
    w.record(1, {"", "op_HUE", "11", "POT", "Hue", "-50", "50"});
    w.record(1, {"", "op_FREEZE_FRAME", "12", "VALUE", "Freeze", "mEnable", "mWindows"});
    w.record(1, {"", "op_PIP", "13", "TOGGLE", "Picture in picture"});
    w.record(1, {"", "op_AUTO_ADJUST", "14", "EXECUTE", "Auto adjust"});
    w.item("mSelectMode", "slmIMMEXCLUSIVE", 0);
    w.item("mDeviceSelect", "envNotEnabled", 0);
    w.item("mDeviceSelect", "envEnable", 1);
    for (int id = 2; id <= 99; ++id)
        w.item("mDeviceSelect", std::string("env") + (id < 10 ? "0" : "") + std::to_string(id), id);
    for (int n = 1; n <= 16; ++n)
        w.item("mGenChannel16", "gc16CHANNEL" + std::to_string(n), n - 1);
    w.item("mWindows", "wnWIN_MAIN", 0);
    w.item("mWindows", "wnWIN_PIP", 1);
    w.item("mEnable", "enNotEnabled", 0);
    w.item("mEnable", "enEnable", 1);
    w.record(5, {"", "", "veNUM0", "100"});
    w.record(5, {"", "", "veSETTINGS", "101"});
    w.record(3, {"", "5", "BOOLEAN", "varMUTE"});
    return w.bytes;
}

void writeTestDefinitions(const std::string& path) {
    const std::vector<std::uint8_t> image = testDefinitionsImage();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

std::vector<std::uint8_t> packet(std::uint8_t type, const std::vector<std::uint8_t>& payload) {
    return lv::encodeFrame(type, payload);
}

std::vector<std::uint8_t> opPacket(std::uint8_t sub, std::uint16_t code, std::int32_t target,
                                   std::int32_t value, std::int32_t step) {
    std::vector<std::uint8_t> payload(25, 0);
    payload[0] = sub;
    payload[1] = static_cast<std::uint8_t>(code);
    payload[2] = static_cast<std::uint8_t>(code >> 8);
    le32(payload, 5, target);
    le32(payload, 9, value);
    le32(payload, 21, step);
    return packet(3, payload);
}

std::vector<std::uint8_t> selectPacket(int id) {
    return opPacket(1, kSelect, 0, id);
}

} // namespace emutest
