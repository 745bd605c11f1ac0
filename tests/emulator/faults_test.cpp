// Fault injection: which answers are hit, and the bytes the host then sees.
#include "faults.h"
#include "session_harness.h"

#include <gtest/gtest.h>

using namespace emutest;
using namespace std::chrono_literals;

namespace {

mlemu::SessionOptions withFaults(const std::vector<std::string>& specs, std::uint64_t seed = 1) {
    mlemu::SessionOptions options;
    options.seed = seed;
    for (const std::string& spec : specs) {
        std::string error;
        auto fault = mlemu::parseFault(spec, error);
        EXPECT_TRUE(fault) << error;
        if (fault)
            options.faults.push_back(*fault);
    }
    return options;
}

TEST(FaultSpecs, ParseAndRefuse) {
    std::string error;
    const auto late = mlemu::parseFault("late,unit=3,at=2,delay=0.5", error);
    ASSERT_TRUE(late);
    EXPECT_EQ(late->kind, mlemu::FaultKind::Late);
    EXPECT_EQ(late->unit, 3);
    EXPECT_EQ(late->at, 2u);
    EXPECT_DOUBLE_EQ(late->delay, 0.5);
    EXPECT_EQ(late->text(), "late,unit=3,at=2,delay=0.5");
    const auto miss = mlemu::parseFault("miss,unit=5,op=op_IP_MISC_EXECUTEQUEUE,p=0.2", error);
    ASSERT_TRUE(miss);
    EXPECT_EQ(miss->text(), "miss,unit=5,op=op_IP_MISC_EXECUTEQUEUE,p=0.2");
    for (const char* bad : {"", "explode", "drop,unit=0", "drop,at=0", "nak,p=1.5", "nak,at=1,p=0.5",
                            "crc,unit=x", "garbage,colour=red", "late,delay=-1", "miss,op="})
        EXPECT_FALSE(mlemu::parseFault(bad, error)) << bad;
}

TEST(FaultKinds, EachChangesTheAnswerAsDescribed) {
    const Bytes select = selectPacket(3);
    struct Case {
        const char* spec;
        Bytes expected;
    };
    Bytes crcEcho = {30};
    const Bytes echo = selectPacket(3);
    crcEcho.insert(crcEcho.end(), echo.begin(), echo.end());
    crcEcho[7] ^= 0xFF;
    const Case cases[] = {
        {"drop", kNothing}, {"nak", kNak},        {"garbage", {0xA5, 0x5A, 0xC3, 6}},
        {"crc", crcEcho},   {"silent", kNothing},
    };
    for (const Case& c : cases) {
        SessionHarness h({3}, withFaults({c.spec}));
        EXPECT_EQ(h.exchange(select), c.expected) << c.spec;
    }
}

TEST(FaultKinds, CrcSpoilsAReplyPacketsChecksum) {
    SessionHarness h({3}, withFaults({"crc,unit=3,at=2"}));
    EXPECT_EQ(h.select(3), kAck);
    const Bytes reply = h.exchange(opPacket(2, kBrightness));
    ASSERT_EQ(reply.size(), 33u);
    Bytes fixed(reply.begin() + 1, reply.end());
    fixed[6] ^= 0xFF;
    Bytes payload(fixed.begin() + 7, fixed.end());
    EXPECT_EQ(fixed, packet(3, payload)) << "only the checksum is wrong";
}

TEST(FaultKinds, LateAnswersComeAfterTheDelayWithoutHoldingBackTheNext) {
    SessionHarness h({3}, withFaults({"late,at=1,delay=1.5"}));
    EXPECT_EQ(h.select(3), kNothing);
    EXPECT_EQ(h.wait(1200ms), kNothing);
    EXPECT_EQ(h.exchange(opPacket(1, kBrightness, 0, 9)), kAck);
    EXPECT_EQ(h.wait(200ms), kNothing);
    EXPECT_EQ(h.wait(200ms), kAck);
}

TEST(FaultTargets, AtCountsTheAnswersOfOneUnitOrOfTheChain) {
    SessionHarness h({1, 2}, withFaults({"drop,unit=2,at=2", "nak,at=5"}));
    EXPECT_EQ(h.select(2), kAck);                                  // chain 1, unit 2: 1
    EXPECT_EQ(h.select(1), kAck);                                  // chain 2
    EXPECT_EQ(h.select(2), kNothing) << "second answer of unit 2"; // chain 3
    EXPECT_EQ(h.select(2), kAck);                                  // chain 4
    EXPECT_EQ(h.select(1), kNak) << "fifth answer of the chain";
    EXPECT_EQ(h.select(1), kAck);
}

TEST(FaultTargets, SilentStopsOneUnitForGood) {
    SessionHarness h({1, 2}, withFaults({"silent,unit=2,at=2"}));
    EXPECT_EQ(h.select(2), kAck);
    EXPECT_EQ(h.select(2), kNothing);
    EXPECT_EQ(h.select(1), kAck);
    EXPECT_EQ(h.select(2), kNothing);
    EXPECT_EQ(h.exchange(opPacket(1, kBrightness, 0, 5)), kNothing);
    EXPECT_EQ(h.unit(2).value(kBrightness, 0), 5) << "it still acts, it only stops answering";
}

TEST(FaultTargets, ProbabilityIsReproducibleForASeed) {
    auto pattern = [](std::uint64_t seed) {
        SessionHarness h({1}, withFaults({"drop,p=0.5"}, seed));
        std::string hits;
        for (int i = 0; i < 64; ++i)
            hits += h.select(1).empty() ? 'x' : '.';
        return hits;
    };
    const std::string first = pattern(7);
    EXPECT_EQ(first, pattern(7));
    EXPECT_NE(first, pattern(8));
    EXPECT_NE(first.find('x'), std::string::npos);
    EXPECT_NE(first.find('.'), std::string::npos);
}

} // namespace

namespace {

TEST(FaultMiss, AUnitIgnoresOnlyThePacketsOfTheNamedOperationItIsCounted) {
    constexpr std::uint8_t kSet = 1, kExec = 5;
    SessionHarness h({1, 2}, withFaults({"miss,unit=2,op=op_IP_MISC_EXECUTEQUEUE,at=1"}));
    for (int id : {1, 2}) {
        h.select(id);
        h.exchange(opPacket(kExec, kSetQueue));
        h.exchange(opPacket(kSet, kBrightness, 0, 10 * id));
    }
    h.select(0);
    h.exchange(opPacket(kExec, kExecuteQueue));
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 10);
    EXPECT_EQ(h.unit(2).value(kBrightness, 0), 127) << "the broadcast execution was missed";
    EXPECT_TRUE(h.unit(2).queueOpen());

    // Its second execution, addressed to it alone, is heard and answered.
    EXPECT_EQ(h.select(2), kAck);
    EXPECT_EQ(h.exchange(opPacket(kExec, kExecuteQueue)), kAck);
    EXPECT_EQ(h.unit(2).value(kBrightness, 0), 20);
}

TEST(FaultMiss, AMissedPacketIsNeitherActedOnNorAnswered) {
    constexpr std::uint8_t kSet = 1;
    SessionHarness h({1, 2}, withFaults({"miss,unit=1,at=2"}));
    EXPECT_EQ(h.select(1), kAck);
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 0, 5)), kNothing);
    EXPECT_EQ(h.unit(1).value(kBrightness, 0), 127);
    EXPECT_EQ(h.exchange(opPacket(kSet, kBrightness, 0, 6)), kAck);

    // A unit that misses its own selection leaves nobody selected.
    SessionHarness deaf({1, 2}, withFaults({"miss,unit=2,at=1"}));
    EXPECT_EQ(deaf.select(2), kNothing);
    EXPECT_EQ(deaf.chain().selection(), mlemu::Chain::Selection::None);
}

} // namespace
