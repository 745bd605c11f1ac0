// The phase editor: the text it reads and shows, and the packet that reaches the
// line, byte for byte, at a scripted unit on a pseudo-terminal.
#include "binding/driver_binding.h"
#include "paths.h"
#include "pty_peer.h"
#include "remote/phase_editor_form.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/chain_settings.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mlgui;
using testsupport::Bytes;

namespace {

class PhaseEditor : public ::testing::Test {
protected:
    void SetUp() override {
        peer.setDefaultReply(Bytes{0x06});
        ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath("LVDRIVER.so"))) << binding.LoadError();
        ASSERT_EQ(binding.OpenHardwarePort(1), LV_RESULT_OK);
        box = editor.findChild<QLineEdit*>("VPhase");
        send = editor.findChild<QPushButton*>("SendBTN");
        ASSERT_TRUE(box && send);
    }
    void TearDown() override {
        binding.CloseHardwarePort();
        binding.UnloadDriverLibrary();
    }

    // Types a text into the box, presses Send and returns the packets that arrived.
    std::vector<Bytes> sendText(const QString& text, std::size_t expected = 1) {
        peer.clearReceived();
        box->setText(text);
        QTest::mouseClick(send, Qt::LeftButton);
        return peer.packets(expected, std::chrono::seconds(expected ? 5 : 0));
    }

    testsupport::PtyPeer peer;
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv ports{"LVDRIVER_PORTS", peer.path()};
    testsupport::ScriptedOperator op;
    mlc::DriverBinding binding;
    mlc::WallModel model;
    mlc::ChainSettings settings{model, binding, op};
    TVPhaseEditorFRM editor{settings};
    QLineEdit* box = nullptr;
    QPushButton* send = nullptr;
};

Bytes phasePacket(std::uint8_t crcHigh, std::uint8_t crcLow, std::uint8_t low, std::uint8_t high) {
    return {0xBE, 0xEF, 0x0B, 0x11, 0x00, crcHigh, crcLow, 0x02, 0x00, 0x00, 0x00, 0x00,
            0x00, 0x00, 0x00, 0x00, 0x2C, 0xF2,    0x0F,   0x00, 0x01, 0x00, low,  high};
}

} // namespace

TEST_F(PhaseEditor, DecimalAndHexadecimalTextSendTheSamePacketAndShowTheValueRead) {
    EXPECT_EQ(editor.windowTitle(), "Marlune Control Center - Phase editor");
    EXPECT_EQ(box->text(), "0x0000");
    for (const QString text : {"4660", "0x1234"}) {
        const auto packets = sendText(text);
        ASSERT_EQ(packets.size(), 1u) << text.toStdString();
        EXPECT_EQ(packets[0], phasePacket(0x91, 0xBD, 0x34, 0x12)) << text.toStdString();
        EXPECT_EQ(box->text(), "0x1234");
    }
    auto packets = sendText("abc");
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].size(), 24u);
    EXPECT_EQ(packets[0][22], 0x00);
    EXPECT_EQ(packets[0][23], 0x00);
    EXPECT_EQ(box->text(), "0x0000");

    packets = sendText(QString(1000, '7')); // 77...7 (1,000 digits) modulo 65536 is 0x1C71
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0][22], 0x71);
    EXPECT_EQ(packets[0][23], 0x1C);
    EXPECT_EQ(box->text(), "0x1C71");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(PhaseEditor, AnEmptyBoxSendsNothing) {
    EXPECT_TRUE(sendText("", 0).empty());
    EXPECT_EQ(box->text(), "");
}
