#include "dialogs/phase_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace mlc;

TEST(PhaseText, ReadsDecimalAndEveryHexadecimalPrefix) {
    EXPECT_EQ(ParsePhaseText("4660"), 0x1234);
    EXPECT_EQ(ParsePhaseText("0x1234"), 0x1234);
    EXPECT_EQ(ParsePhaseText("0X1234"), 0x1234);
    EXPECT_EQ(ParsePhaseText("$ffff"), 0xFFFF);
    EXPECT_EQ(ParsePhaseText("x10"), 0x10);
    EXPECT_EQ(ParsePhaseText(" 12 "), 12);
    EXPECT_EQ(ParsePhaseText("-1"), 0xFFFF);
}

TEST(PhaseText, TextThatIsNoNumberGivesZero) {
    for (const char* text : {"abc", "", "0x", "$", "12a", "0x12g", "--1", "1 2", "x-1"})
        EXPECT_EQ(ParsePhaseText(text), 0) << '"' << text << '"';
}

TEST(PhaseText, KeepsTheLowSixteenBitsOfANumberOfAnyLength) {
    EXPECT_EQ(ParsePhaseText("0x123456"), 0x3456);
    EXPECT_EQ(ParsePhaseText("65537"), 1);
    EXPECT_EQ(ParsePhaseText("4294967296"), 0);           // 2^32
    EXPECT_EQ(ParsePhaseText("18446744073709551617"), 1); // 2^64 + 1
    EXPECT_EQ(ParsePhaseText("0x" + std::string(998, 'F')), 0xFFFF);
    EXPECT_EQ(ParsePhaseText(std::string(999, '9') + "x"), 0);
}

TEST(PhaseText, ShowsFourUpperCaseHexadecimalDigits) {
    EXPECT_EQ(PhaseText(0), "0x0000");
    EXPECT_EQ(PhaseText(0x1234), "0x1234");
    EXPECT_EQ(PhaseText(0xABCD), "0xABCD");
}

TEST(PhaseText, PacketCarriesThePhaseLowByteFirstAfterTheFixedPayload) {
    auto packet = std::make_unique<Packet>();
    std::memset(packet.get(), 0, sizeof(Packet));
    BuildPhasePacket(*packet, 0x1234);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(packet.get());
    const std::uint8_t expected[] = {0xBE, 0xEF, 0x0B, 0x11, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0x2C, 0xF2, 0x0F, 0x00, 0x01, 0x00, 0x34, 0x12};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    EXPECT_EQ(bytes[sizeof expected], 0);
}
