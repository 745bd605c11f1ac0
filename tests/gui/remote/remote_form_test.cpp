// The virtual remote control: its key areas, its shape, clicks reaching the units,
// dragging, hiding and a picture that cannot be loaded.
#include "chain_fixture.h"
#include "dialogs/remote_keys.h"
#include "modal.h"
#include "remote/remote_form.h"
#include "remote/remote_layout.h"

#include <QAbstractButton>
#include <QSvgRenderer>
#include <QTest>

using namespace mlgui;
using remotetest::ChainFixture;

namespace {

QAbstractButton* keyNamed(QWidget& remote, const char* name) {
    return remote.findChild<QAbstractButton*>(name);
}

// A point on the picture's body that no key covers: between the cursor keys and
// the row below them.
const QPoint kBodyPoint{98, 186};

} // namespace

using RemoteOnEmulator = ChainFixture;
using RemoteWithoutPort = ChainFixture;

TEST(RemoteForm, KeysCarryTheirNameHintTagAndHandCursorOverTheirDrawnKey) {
    mlc::DriverBinding binding;
    testsupport::ScriptedOperator op;
    mlc::WallModel model;
    mlc::ChainCommands chain(model, binding, op);
    TRemoteFRM remote(chain);
    ASSERT_TRUE(remote.hasPicture());
    EXPECT_EQ(remote.objectName(), "RemoteFRM");
    EXPECT_EQ(remote.windowTitle(), "Lumivane virtual remote");
    EXPECT_TRUE(remote.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(remote.size(), remotePictureSize());

    QSvgRenderer art{QString(kRemotePicture)};
    const QRegion shape = remote.mask();
    for (const mlc::RemoteKey& key : mlc::RemoteKeys()) {
        SCOPED_TRACE(key.control);
        QAbstractButton* area = keyNamed(remote, key.control);
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->toolTip(), key.hint);
        EXPECT_EQ(area->property("tag").toInt(), key.tag);
        EXPECT_EQ(area->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(area->geometry(), remoteKeyArea(key.tag));
        // The picture draws the key inside its area (its stroke on the area's edge).
        EXPECT_TRUE(
            QRectF(area->geometry()).adjusted(-1, -1, 1, 1).contains(art.boundsOnElement(key.control)));
        EXPECT_TRUE(shape.contains(area->geometry().center()));
    }
    QAbstractButton* close = keyNamed(remote, "CloseBTN");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->toolTip(), "Close");
    EXPECT_TRUE(QRectF(close->geometry()).adjusted(-1, -1, 1, 1).contains(art.boundsOnElement("CloseBTN")));

    // The rounded corners and the bottom-right pixel are outside the window.
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(remote.width() - 1, remote.height() - 1)));
    EXPECT_TRUE(shape.contains(kBodyPoint));
    EXPECT_EQ(remote.childAt(kBodyPoint)->objectName(), "Background");
    EXPECT_EQ(remote.childAt(kBodyPoint)->accessibleName(), "Virtual remote control");
    guitest::saveShot(&remote, "remote");
}

TEST_F(RemoteOnEmulator, AKeySendsItsEventToEveryUnitAndTheBackgroundSendsNothing) {
    start("1-3");
    TRemoteFRM remote(chain);
    remote.move(100, 100);
    remote.show();
    QTest::mouseClick(keyNamed(remote, "Num0BTN"), Qt::LeftButton);
    const std::string state = settledState();
    for (const char* unit : {"1", "2", "3"})
        EXPECT_NE(state.find(std::string("unit ") + unit + " event veNUM0 0"), std::string::npos) << unit;
    EXPECT_EQ(emu->logLines("kind=event").size(), 1u);
    EXPECT_TRUE(op.messages.empty());

    // Pressing the body drags the window and sends nothing.
    const std::size_t received = emu->logLines("dir=rx").size();
    QTest::mousePress(&remote, Qt::LeftButton, {}, kBodyPoint);
    QMouseEvent move(QEvent::MouseMove, QPointF(kBodyPoint + QPoint(30, 20)),
                     QPointF(remote.mapToGlobal(kBodyPoint + QPoint(30, 20))), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&remote, &move);
    QTest::mouseRelease(&remote, Qt::LeftButton, {}, kBodyPoint + QPoint(30, 20));
    EXPECT_EQ(remote.pos(), QPoint(130, 120));
    EXPECT_EQ(emu->logLines("dir=rx").size(), received);

    // The close key hides the window; shown again it is where it was.
    QTest::mouseClick(keyNamed(remote, "CloseBTN"), Qt::LeftButton);
    EXPECT_FALSE(remote.isVisible());
    remote.show();
    EXPECT_EQ(remote.pos(), QPoint(130, 120));
    EXPECT_EQ(emu->logLines("dir=rx").size(), received);
}

TEST_F(RemoteWithoutPort, AFailedSelectionIsShownOnceAndNothingElseIsSent) {
    start("");
    TRemoteFRM remote(chain);
    QTest::mouseClick(keyNamed(remote, "MenuUpBTN"), Qt::LeftButton);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, mlc::MessageKind::Error);
    EXPECT_EQ(op.messages[0].text.rfind("ERROR ($", 0), 0u) << op.messages[0].text;
}

TEST_F(RemoteWithoutPort, WithoutItsPictureTheWindowIsARectangleOfPlainKeysAndOddSendersDoNothing) {
    start("");
    TRemoteFRM remote(chain, nullptr, QString::fromStdString(dir.file("missing.svg")));
    EXPECT_FALSE(remote.hasPicture());
    EXPECT_TRUE(remote.mask().isEmpty());
    EXPECT_EQ(remote.size(), remotePictureSize());
    EXPECT_EQ(remote.findChildren<QAbstractButton*>().size(), mlc::kRemoteKeyCount + 1);
    guitest::saveShot(&remote, "remote-plain");

    QWidget outOfRange(&remote);
    for (const QVariant& tag : {QVariant(0), QVariant(36), QVariant(-1), QVariant("x"), QVariant()}) {
        outOfRange.setProperty("tag", tag);
        remote.RemoteClick(&outOfRange);
    }
    QObject notAControl;
    notAControl.setProperty("tag", 32);
    remote.RemoteClick(&notAControl);
    remote.RemoteClick(nullptr);
    EXPECT_TRUE(op.messages.empty());

    // The plain keys still send: here the missing port says so.
    QTest::mouseClick(keyNamed(remote, "Num0BTN"), Qt::LeftButton);
    EXPECT_EQ(op.messages.size(), 1u);
}
