// The serial traffic window on a chain where one unit answers badly once and one
// is missing: the packets, the units' state, the filter, Save and the tap.
#include "grid/wall_grid_view.h"
#include "main_window_fixture.h"
#include "modal.h"
#include "traffic/traffic_form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {

class TrafficWindow : public guitest::MainWindowFixture {
protected:
    static QString cell(const QTableView* view, int row, int column) {
        return view->model()->index(row, column).data().toString();
    }
};

TEST_F(TrafficWindow, ShowsThePacketsAndEachUnitsStateWhileOpen) {
    startEmulator("11,12", {"--fault", "crc,unit=12,op=op_BRIGHTNESS,at=1"});
    writeSettings("[Videowall]\nWidth=3\nHeight=1\n"); // 13 is not on the chain
    mlgui::TMainFRM& w = openWindow();
    w.actions().TrafficACTN->trigger();
    auto* form = w.findChild<mlgui::TTrafficFRM*>("TrafficFRM");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(form->windowTitle(), "Marlune Control Center - Serial traffic");

    EXPECT_FALSE(w.devices().writeWall()); // unit 12's damaged reply stops it
    EXPECT_FALSE(w.devices().writeWall()); // unit 13 does not answer
    form->follow();
    auto* units = form->findChild<QTableView*>("UnitsGRD");
    ASSERT_EQ(units->model()->rowCount(), 3);
    EXPECT_EQ(cell(units, 1, 0), "12");
    EXPECT_EQ(cell(units, 1, 1), "2, 1");
    EXPECT_EQ(cell(units, 1, 5), "1"); // one damaged reply
    EXPECT_EQ(cell(units, 1, 7), "acknowledge (6)");
    EXPECT_FALSE(units->model()->index(1, 0).data(Qt::DecorationRole).isValid());
    EXPECT_EQ(cell(units, 2, 3), "1"); // no answer
    EXPECT_EQ(cell(units, 2, 8), "never");
    EXPECT_TRUE(units->model()->index(2, 0).data(Qt::DecorationRole).isValid()); // marked
    auto* packets = form->findChild<QTableView*>("PacketsGRD");
    const int last = packets->model()->rowCount() - 1;
    EXPECT_EQ(cell(packets, last, 2), "13");
    EXPECT_EQ(cell(packets, last, 7), "no reply (255)");
    guitest::saveShot(form, "traffic-window");

    form->findChild<QSpinBox*>("UnitFilterSPN")->setValue(12);
    form->findChild<QCheckBox*>("ErrorsOnlyCHK")->setChecked(true);
    ASSERT_EQ(packets->model()->rowCount(), 1);
    EXPECT_EQ(cell(packets, 0, 3), "operation range");
    EXPECT_EQ(cell(packets, 0, 4), "op_BRIGHTNESS");
    EXPECT_EQ(cell(packets, 0, 5), "wnWIN_MAIN");
    EXPECT_EQ(cell(packets, 0, 7), "reply packet with a wrong checksum, refused (21)");
    dialogs.answer(path("traffic.log"));
    form->findChild<QAbstractButton*>("SaveBTN")->click();
    std::ifstream saved(path("traffic.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(saved, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(
        lines[0].find(" sent unit=12 operation range op_BRIGHTNESS target=wnWIN_MAIN min=0 max=0 | BE EF "),
        std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find(" reply unit=12 reply packet with a wrong checksum, refused (21)"),
              std::string::npos);

    // A unit's row selects its monitor in the grid.
    const QRect row = units->visualRect(units->model()->index(2, 1));
    QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, row.center()); // as a mouse does
    QTest::mouseDClick(units->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(grid().selectionRect().Left, 3);
    EXPECT_EQ(grid().selectionRect().Right, 3);

    // Closed, it is handed nothing more.
    form->close();
    const int before = packets->model()->rowCount();
    form->findChild<QCheckBox*>("ErrorsOnlyCHK")->setChecked(false);
    const int all = packets->model()->rowCount();
    EXPECT_GT(all, before);
    w.devices().writeWall();
    form->follow();
    EXPECT_EQ(packets->model()->rowCount(), all);
}

} // namespace
