#include "binding/driver_binding.h"
#include "binding/driver_result.h"
#include "binding/text_buffer.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace mlc;

TEST(DriverResultText, FormatsFailuresAndHidesSuccesses) {
    EXPECT_EQ(DriverResultText(0, false), "");
    EXPECT_EQ(DriverResultText(128, false), "");
    EXPECT_EQ(DriverResultText(128, true), "ERROR ($80): Operation executed on hardware device");
    EXPECT_EQ(DriverResultText(0, true), "ERROR ($00): No error");
    EXPECT_EQ(DriverResultText(1, false), "ERROR ($01): Cannot open communication port");
    EXPECT_EQ(DriverResultText(5, false),
              "ERROR ($05): Read/Write error on hardware communication interface");
    EXPECT_EQ(DriverResultText(8, false), "ERROR ($08): Access violation");
    EXPECT_EQ(DriverResultText(9, false), "ERROR ($09): Unknown");
    EXPECT_EQ(DriverResultText(127, false), "ERROR ($7F): Unknown");
    EXPECT_EQ(DriverResultText(129, false), "ERROR ($81): The specified event code is unknown");
    EXPECT_EQ(DriverResultText(133, false), "ERROR ($85): Unknown target identifier");
    EXPECT_EQ(DriverResultText(141, false), "ERROR ($8D): This operation can be executed only");
    EXPECT_EQ(DriverResultText(147, false), "ERROR ($93): Index out of range");
    EXPECT_EQ(DriverResultText(148, false), "ERROR ($94): Unknown");
    EXPECT_EQ(DriverResultText(255, false), "ERROR ($FF): Unknown");
}

TEST(ShowDriverResult, ShowsOneErrorBoxPerFailureWithOptionalDetail) {
    testsupport::ScriptedOperator op;
    EXPECT_FALSE(ShowDriverResult(op, 0, false));
    EXPECT_FALSE(ShowDriverResult(op, 128, false));
    EXPECT_TRUE(op.messages.empty());

    EXPECT_TRUE(ShowDriverResult(op, 130, false));
    EXPECT_TRUE(ShowDriverResult(op, 5, false, "PurgeComm function failed (errno 9: Bad file descriptor)"));
    ASSERT_EQ(op.messages.size(), 2u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(op.messages[0].text, "ERROR ($82): The specified operation code is unknown");
    EXPECT_EQ(op.messages[1].text, "ERROR ($05): Read/Write error on hardware communication interface\r\n"
                                   "PurgeComm function failed (errno 9: Bad file descriptor)");
}

TEST(DeviceSelectionIdentifier, NamesEveryRangeOfIds) {
    EXPECT_EQ(DeviceSelectionIdentifier(0), "envNotEnabled");
    EXPECT_EQ(DeviceSelectionIdentifier(1), "envEnable");
    EXPECT_EQ(DeviceSelectionIdentifier(2), "env02");
    EXPECT_EQ(DeviceSelectionIdentifier(7), "env07");
    EXPECT_EQ(DeviceSelectionIdentifier(9), "env09");
    EXPECT_EQ(DeviceSelectionIdentifier(10), "env10");
    EXPECT_EQ(DeviceSelectionIdentifier(99), "env99");
    EXPECT_EQ(DeviceSelectionIdentifier(255), "env255");
}

TEST(DriverTextBuffer, IsPrefilledAndTrimsWhatTheDriverWrote) {
    DriverTextBuffer buffer;
    EXPECT_EQ(buffer.data()[0], 255);
    EXPECT_EQ(buffer.data()[255], ' ');
    EXPECT_EQ(buffer.text(), "");
    // The driver writes the characters only, from offset 1.
    std::memcpy(buffer.data() + 1, "  isVIDEO1", 10);
    EXPECT_EQ(buffer.text(), "isVIDEO1");
    // A driver that writes a length byte too is read up to that length.
    buffer.prefill();
    buffer.data()[0] = 3;
    std::memcpy(buffer.data() + 1, "abcdef", 6);
    EXPECT_EQ(buffer.text(), "abc");
}
