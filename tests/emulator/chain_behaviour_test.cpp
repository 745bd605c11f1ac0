// How the emulated units answer and what they keep, packet by packet.
#include "session_harness.h"

#include <gtest/gtest.h>

using namespace emutest;

namespace {

enum : std::uint8_t { kSet = 1, kGet = 2, kInc = 3, kDec = 4, kExec = 5, kAvail = 6, kRange = 7 };

TEST(ChainSelection, OnlyTheUnitSelectedAloneAnswers) {
    SessionHarness h({1, 2, 5});
    // Nobody is selected at start: silence, but the port probe is answered.
    EXPECT_EQ(h.exchange(opPacket(kGet, kBrightness)), kNothing);
    EXPECT_EQ(h.exchange(packet(1, {6, 0, 0, 0, 0})), kAck);

    EXPECT_EQ(h.select(5), kAck);
    EXPECT_EQ(h.chain().selectedId(), 5);
    EXPECT_EQ(h.select(3), kNothing) << "a missing ID stays silent";
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 0, 10)), kNothing);
    EXPECT_EQ(h.exchange(packet(1, {6, 0, 0, 0, 0})), kAck);

    // All units at once act and stay silent.
    EXPECT_EQ(h.select(0), kNothing);
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 0, 200)), kNothing);
    for (int id : {1, 2, 5})
        EXPECT_EQ(h.unit(id).value(kBrightness, 0), 200);
    EXPECT_EQ(h.exchange(packet(1, {6, 0, 0, 0, 0})), kAck) << "the probe is answered whatever the selection";
}

TEST(ChainSelection, RefusesWhatItDoesNotKnowAndAcceptsUnknownPacketTypes) {
    SessionHarness h({1});
    h.select(1);
    EXPECT_EQ(h.exchange(opPacket(kSet, 999, 0, 1)), kNak) << "unknown operation code";
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 7, 1)), kNak) << "target not in the list";
    EXPECT_EQ(h.exchange(opPacket(kSet, kHue, 1, 1)), kNak) << "target on an operation without one";
    EXPECT_EQ(h.exchange(opPacket(kSet, kFreeze, 0, 5)), kNak) << "value not in the value list";
    EXPECT_EQ(h.exchange(opPacket(kExec, kBrightness)), kNak) << "execute of a POT";
    EXPECT_EQ(h.exchange(opPacket(kSet, kAutoAdjust)), kNak) << "set of an EXECUTE";
    EXPECT_EQ(h.exchange(packet(2, {0x39, 0x30, 0, 0, 0, 0})), kNak) << "unknown event";
    EXPECT_EQ(h.exchange(packet(3, {1, 10, 0})), kNak) << "operation payload cut short";
    // A phase packet of a type the units do not interpret is simply taken.
    EXPECT_EQ(h.exchange(packet(11, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 0xF2, 0x0F, 0, 1, 0, 0x34, 0x12})),
              kAck);
}

TEST(UnitValues, PotValuesStayInTheUnitsRange) {
    SessionHarness h({1});
    h.select(1);
    EXPECT_EQ(h.get(kBrightness, 0), 127) << "factory value: middle of 0..255";
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 1, 300)), kAck);
    EXPECT_EQ(h.get(kBrightness, 1), 255);
    EXPECT_EQ(h.get(kBrightness, 0), 127) << "each target keeps its own value";
    EXPECT_EQ(h.exchange(opPacket(kDec, kBrightness, 1, 0, 1000)), kAck);
    EXPECT_EQ(h.get(kBrightness, 1), 0);
    EXPECT_EQ(h.exchange(opPacket(kInc, kBrightness, 1, 0, 17)), kAck);
    EXPECT_EQ(h.get(kBrightness, 1), 17);

    // A negative minimum: the driver sends 0..(max - min), and that is what is kept.
    EXPECT_EQ(h.get(kHue), 50);
    h.exchange(opPacket(kSet, kHue, 0, 100));
    EXPECT_EQ(h.get(kHue), 100);
    h.exchange(opPacket(kSet, kHue, 0, -20));
    EXPECT_EQ(h.get(kHue), 0);
}

TEST(UnitValues, QueriesAnswerWithReplyPacketsByteForByte) {
    SessionHarness h({1});
    h.select(1);
    h.exchange(opPacket(kSet, kBrightness, 1, 0x1234 & 0xFF));
    Bytes getReply(25, 0);
    getReply[0] = kGet;
    getReply[1] = kBrightness;
    getReply[5] = 1;
    getReply[9] = 0x34;
    Bytes expected = {30};
    const Bytes sealed = packet(3, getReply);
    expected.insert(expected.end(), sealed.begin(), sealed.end());
    EXPECT_EQ(h.exchange(opPacket(kGet, kBrightness, 1)), expected);
    EXPECT_EQ(h.exchange({6}), kNothing) << "the host's acknowledgement is taken quietly";

    Bytes rangeReply(25, 0);
    rangeReply[0] = kRange;
    rangeReply[1] = kHue;
    for (int i = 0; i < 4; ++i) {
        rangeReply[13 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(-50) >> (8 * i));
        rangeReply[17 + i] = static_cast<std::uint8_t>(50 >> (8 * i));
    }
    expected = {30};
    const Bytes sealedRange = packet(3, rangeReply);
    expected.insert(expected.end(), sealedRange.begin(), sealedRange.end());
    EXPECT_EQ(h.exchange(opPacket(kRange, kHue)), expected) << "the range as the file gives it";
    h.exchange({6});

    const Bytes avail = h.exchange(opPacket(kAvail, kFreeze));
    ASSERT_EQ(avail.size(), 33u);
    EXPECT_EQ(avail[1 + 7 + 3], 1) << "available";
}

TEST(UnitValues, ValueOperationsStepThroughTheirList) {
    SessionHarness h({1});
    h.select(1);
    EXPECT_EQ(h.get(kFreeze), 0);
    h.exchange(opPacket(kInc, kFreeze, 0, 0, 5));
    EXPECT_EQ(h.get(kFreeze), 1) << "stops at the last item";
    h.exchange(opPacket(kSet, kFreeze, 0, 0));
    EXPECT_EQ(h.get(kFreeze), 0);
    EXPECT_EQ(h.exchange(opPacket(kExec, kPipToggle)), kAck);
    EXPECT_EQ(h.unit(1).value(kPipToggle, 0), 1);
}

TEST(UnitQueue, HoldsChangesUntilExecutedAndGetsShowTheValueInEffect) {
    SessionHarness h({1, 2});
    for (int id : {1, 2}) {
        h.select(id);
        EXPECT_EQ(h.exchange(opPacket(kExec, kSetQueue)), kAck);
        EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 0, 10 * id)), kAck);
        h.exchange(opPacket(kInc, kBrightness, 0, 0, 1));
        EXPECT_EQ(h.get(kBrightness), 127) << "queued, not yet in effect";
    }
    EXPECT_EQ(h.unit(1).queue().size(), 2u);
    h.select(0);
    EXPECT_EQ(h.exchange(opPacket(kExec, kExecuteQueue)), kNothing);
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 11) << "applied in order";
    EXPECT_EQ(h.unit(2).value(kBrightness, 0), 21);
    EXPECT_FALSE(h.unit(1).queueOpen());

    // A restart drops an open queue and keeps the values.
    h.select(1);
    h.exchange(opPacket(kExec, kSetQueue));
    h.exchange(opPacket(kSet, kBrightness, 0, 99));
    EXPECT_EQ(h.exchange(opPacket(kExec, kRestart)), kAck);
    EXPECT_FALSE(h.unit(1).queueOpen());
    EXPECT_TRUE(h.unit(1).queue().empty());
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 11);
    h.exchange(opPacket(kExec, kExecuteQueue));
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 11);
}

TEST(UnitQueue, SelectionAndMemoryChoiceAreNotHeldBack) {
    SessionHarness h({1, 2});
    h.select(1);
    h.exchange(opPacket(kExec, kSetQueue));
    EXPECT_EQ(h.exchange(opPacket(kSet, kMemorySelect, 0, 4)), kAck);
    EXPECT_EQ(h.unit(1).chosenMemory(), 5);
    EXPECT_EQ(h.select(2), kAck);
    EXPECT_EQ(h.chain().selectedId(), 2);
}

TEST(UnitMemories, StoreRecallAndFactoryReset) {
    SessionHarness h({1});
    h.select(1);
    h.exchange(opPacket(kSet, kBrightness, 0, 40));
    h.exchange(opPacket(kSet, kFreeze, 0, 1));
    EXPECT_EQ(h.exchange(opPacket(kSet, kMemorySelect, 0, 2)), kAck); // gc16CHANNEL3
    EXPECT_EQ(h.exchange(opPacket(kExec, kMemorySave)), kAck);
    h.exchange(opPacket(kSet, kBrightness, 0, 200));
    h.exchange(opPacket(kSet, kFreeze, 0, 0));
    EXPECT_EQ(h.exchange(opPacket(kExec, kMemoryRestore)), kAck);
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 40);
    EXPECT_EQ(h.unit(1).value(kFreeze, 0), 1);

    // A memory never stored holds the factory values.
    h.exchange(opPacket(kSet, kMemorySelect, 0, 9));
    h.exchange(opPacket(kExec, kMemoryRestore));
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 127);
    EXPECT_EQ(h.unit(1).value(kFreeze, 0), 0);

    // Factory reset: factory values, memories emptied.
    h.exchange(opPacket(kSet, kBrightness, 0, 1));
    h.exchange(opPacket(kExec, kFactoryReset));
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 127);
    h.exchange(opPacket(kSet, kMemorySelect, 0, 2));
    h.exchange(opPacket(kExec, kMemoryRestore));
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 127);
}

TEST(UnitOtherPackets, EventsVariablesAndOem) {
    SessionHarness h({1, 2});
    h.select(0);
    EXPECT_EQ(h.exchange(packet(2, {100, 0, 7, 0, 0, 0})), kNothing);
    EXPECT_EQ(h.unit(2).eventCount(), 1u);
    EXPECT_EQ(h.unit(2).events().back().parameter, 7u);

    h.select(1);
    EXPECT_EQ(h.exchange(packet(14, {2, 1, 5, 0, 1, 0})), kAck) << "set";
    Bytes expected = {30};
    const Bytes varReply = packet(14, {1, 1, 5, 0, 0xFF, 0xFF});
    expected.insert(expected.end(), varReply.begin(), varReply.end());
    EXPECT_EQ(h.exchange(packet(14, {1, 1, 5, 0, 0, 0})), expected) << "get";
    h.exchange({6});
    EXPECT_EQ(h.exchange(packet(14, {4, 1, 5, 0, 0, 0})), kAck) << "toggle";
    EXPECT_EQ(h.unit(1).variables().count(5), 0u);
    EXPECT_EQ(h.exchange(packet(14, {1, 1, 9, 0, 0, 0})), kNak) << "unknown variable";

    expected = {30};
    const Bytes oemReply = packet(16, {0x22, 0x11, 3, 0, 'a', 'b', 'c'});
    expected.insert(expected.end(), oemReply.begin(), oemReply.end());
    EXPECT_EQ(h.exchange(packet(16, {0x22, 0x11, 3, 0, 'a', 'b', 'c'})), expected);
}

} // namespace
