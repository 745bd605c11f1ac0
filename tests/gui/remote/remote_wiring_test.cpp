// The remote control, the special functions and the phase editor reached from the
// main window.
#include "main_window_fixture.h"
#include "modal.h"
#include "remote/remote_form.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QToolButton>

namespace {

class RemoteWiring : public guitest::MainWindowFixture {};

} // namespace

TEST_F(RemoteWiring, TheRemoteExistsFromTheStartAndShowsWithoutWaitingWhereItWasLeft) {
    mlgui::TMainFRM& w = openWindow();
    auto* remote = w.findChild<mlgui::TRemoteFRM*>("RemoteFRM");
    ASSERT_NE(remote, nullptr);
    EXPECT_FALSE(remote->isVisible());

    ASSERT_TRUE(w.actions().ShowRemoteACTN->isEnabled());
    w.actions().ShowRemoteACTN->trigger();
    EXPECT_TRUE(remote->isVisible());
    EXPECT_FALSE(remote->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    remote->move(remote->pos() + QPoint(15, 25));
    const QPoint moved = remote->pos();
    QTest::mouseClick(remote->findChild<QAbstractButton*>("CloseBTN"), Qt::LeftButton);
    EXPECT_FALSE(remote->isVisible());
    w.actions().ShowRemoteACTN->trigger();
    EXPECT_TRUE(remote->isVisible());
    EXPECT_EQ(remote->pos(), moved);
}

TEST_F(RemoteWiring, TheToolButtonOpensSpecialFunctionsAndWithShiftThePhaseEditor) {
    mlgui::TMainFRM& w = openWindow();
    QToolButton* button = w.findChild<QToolButton*>("SpecialFunctionsTOOL");
    ASSERT_NE(button, nullptr);
    QStringList opened;
    const auto closeIt = [&opened](QWidget* dialog) {
        opened << dialog->objectName();
        static_cast<QDialog*>(dialog)->reject();
    };

    guitest::whenModalOpens("VPhaseEditorFRM", closeIt);
    QTest::mouseClick(button, Qt::LeftButton, Qt::ShiftModifier);
    guitest::whenModalOpens("SpecialFunctionsFRM", closeIt);
    QTest::mouseClick(button, Qt::LeftButton);
    guitest::whenModalOpens("SpecialFunctionsFRM", closeIt);
    w.actions().SpecialFunctionsACTN->trigger();

    EXPECT_EQ(opened, QStringList({"VPhaseEditorFRM", "SpecialFunctionsFRM", "SpecialFunctionsFRM"}));
    EXPECT_FALSE(button->isDown());
}
