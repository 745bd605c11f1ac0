// The real plug-in on the emulator's terminal, packet by packet through SendPacket:
// the reply and link codes a host sees from the emulated chain, with and without
// faults.
#include "checksum.h"
#include "definitions.h"
#include "emulator_process.h"
#include "plugin_library.h"
#include "scoped_env.h"
#include "test_timeouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

using testsupport::EmulatorProcess;
using testsupport::fieldOf;
using testsupport::PluginLibrary;

using testsupport::ScopedEnv;

struct Codes {
    std::uint16_t select = 0;
    std::int32_t exclusive = 0;
    std::uint16_t brightness = 0;
    std::int32_t mainWindow = 0;
};

Codes codesFromFile() {
    const lv::Definitions d = lv::Definitions::fromFile(testsupport::binPath("mlcenter.PGC"));
    Codes codes;
    const lv::OperationDef* select = d.findOperation("op_IP_MISC_DEVICESELECTION");
    const lv::OperationDef* brightness = d.findOperation("op_BRIGHTNESS");
    if (!select || !brightness)
        return codes;
    codes.select = select->code;
    codes.brightness = brightness->code;
    if (const lv::MatchItem* item = d.findMatchItemByCode(select->targetList, "slmIMMEXCLUSIVE"))
        codes.exclusive = item->value;
    if (const lv::MatchItem* item = d.findMatchItemByCode(brightness->targetList, "wnWIN_MAIN"))
        codes.mainWindow = item->value;
    return codes;
}

// The plug-in with COM1 on the emulator's link; short time-outs keep silent
// units cheap (120 ms instead of 1.2 s).
class DriverOnEmulator {
public:
    DriverOnEmulator(const std::string& ids, const std::vector<std::string>& options = {})
        : emu(ids, options), ports_("LVDRIVER_PORTS", emu.link()),
          scale_("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.1)),
          plugin(std::make_unique<PluginLibrary>()), codes(codesFromFile()) {
        EXPECT_EQ(plugin->openHardwarePort(1), LV_RESULT_OK);
    }
    ~DriverOnEmulator() { plugin->closeHardwarePort(); }

    // One exchange of an operation packet; the record keeps any reply packet.
    std::uint32_t operation(std::uint8_t sub, std::uint16_t code, std::int32_t target, std::int32_t value) {
        record = std::make_unique<Packet>();
        record->type = LV_PACKET_TYPE_OPERATION;
        record->length = 25;
        record->payload[0] = sub;
        record->payload[1] = static_cast<std::uint8_t>(code);
        record->payload[2] = static_cast<std::uint8_t>(code >> 8);
        for (int i = 0; i < 4; ++i) {
            record->payload[5 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(target) >> (8 * i));
            record->payload[9 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        }
        return plugin->sendPacket(record.get());
    }
    std::uint32_t select(int id) { return operation(1, codes.select, codes.exclusive, id); }
    std::uint32_t getBrightness() { return operation(2, codes.brightness, codes.mainWindow, 0); }
    std::int32_t replyValue() const {
        return static_cast<std::int32_t>(record->payload[9] | record->payload[10] << 8 |
                                         record->payload[11] << 16 |
                                         static_cast<std::uint32_t>(record->payload[12]) << 24);
    }

    EmulatorProcess emu;

private:
    ScopedEnv ports_;
    ScopedEnv scale_;

public:
    std::unique_ptr<PluginLibrary> plugin;
    Codes codes;
    std::unique_ptr<Packet> record;
};

TEST(DriverLinkOnEmulator, ProbeOfAChainWithGaps) {
    DriverOnEmulator d("1-3,5,8-9");
    std::string present;
    for (int id = 1; id <= 10; ++id) {
        const std::uint32_t result = d.select(id);
        EXPECT_TRUE(result == LV_LINK_ACK || result == LV_LINK_NO_REPLY) << id << ": " << result;
        present += result == LV_LINK_ACK ? 'x' : '.';
    }
    EXPECT_EQ(present, "xxx.x..xx.");
    EXPECT_EQ(d.emu.logLines("dir=tx").size(), 6u);
}

TEST(DriverLinkOnEmulator, SetThenGetReturnsTheValueInAReplyPacket) {
    DriverOnEmulator d("4");
    ASSERT_EQ(d.select(4), LV_LINK_ACK);
    EXPECT_EQ(d.operation(1, d.codes.brightness, d.codes.mainWindow, 77), LV_LINK_ACK);
    EXPECT_EQ(d.getBrightness(), LV_LINK_PACKET);
    EXPECT_EQ(d.replyValue(), 77);
    EXPECT_TRUE(lv::packetChecksumValid(*d.record));
    EXPECT_EQ(d.operation(1, 0xFFFF, 0, 0), LV_LINK_NAK) << "unknown operation code";
}

TEST(DriverLinkOnEmulator, EachFaultGivesTheLinkCodeItShould) {
    struct Case {
        const char* fault;
        std::uint32_t expected;
    };
    // The second answer of unit 2 (its reply to the get) is hit.
    const Case cases[] = {
        {"drop,unit=2,at=2", LV_LINK_NO_REPLY}, {"nak,unit=2,at=2", LV_LINK_NAK},
        {"crc,unit=2,at=2", LV_LINK_NAK},       {"garbage,unit=2,at=2", LV_LINK_UNEXPECTED},
        {"late,unit=2,at=2", LV_LINK_NO_REPLY}, {"silent,unit=2,at=2", LV_LINK_NO_REPLY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        DriverOnEmulator d("1-2", {"--fault", c.fault});
        ASSERT_EQ(d.select(2), LV_LINK_ACK);
        EXPECT_EQ(d.getBrightness(), c.expected);
        // Afterwards: a silent unit stays silent, every other fault was a one-off.
        const std::uint32_t next = d.getBrightness();
        EXPECT_EQ(next, std::string(c.fault).rfind("silent", 0) == 0 ? LV_LINK_NO_REPLY : LV_LINK_PACKET);
        EXPECT_EQ(d.select(1), LV_LINK_ACK) << "the other unit is unaffected";
    }
}

TEST(DriverLinkOnEmulator, CrcFaultIsRefusedOnTheLineByTheHost) {
    DriverOnEmulator d("1", {"--fault", "crc,unit=1,at=2"});
    ASSERT_EQ(d.select(1), LV_LINK_ACK);
    EXPECT_EQ(d.getBrightness(), LV_LINK_NAK);
    d.select(1); // by now the host's refusal has certainly been read
    const auto acks = d.emu.logLines("kind=hostack");
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(fieldOf(acks[0], "hex"), "15");
}

} // namespace
