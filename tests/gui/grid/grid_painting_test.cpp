// The wall grid as drawn: cell sizes, the painting rules on the pixels of a
// rendered grid, and the demo pictures.
#include "grid/demo_picture.h"
#include "grid/grid_geometry.h"
#include "grid/wall_grid_view.h"
#include "modal.h"
#include "paths.h"

#include <QFile>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include <memory>

namespace {

using mlgui::FitGrid;

TEST(FitGrid, GivesASingleMonitorTheWholeRemainingArea) {
    const mlgui::GridSizes sizes = FitGrid(300, 200, 2, 2);
    EXPECT_EQ(sizes.columnWidths, (std::vector<int>{20, 278}));
    EXPECT_EQ(sizes.rowHeights, (std::vector<int>{20, 178}));
}

TEST(FitGrid, PutsTheRemainderIntoTheLastColumnAndRow) {
    // 107 - 20 - 1 = 86 for three columns: 28 each, the last 30; every width without its line.
    const mlgui::GridSizes sizes = FitGrid(107, 90, 4, 3);
    EXPECT_EQ(sizes.columnWidths, (std::vector<int>{20, 27, 27, 29}));
    EXPECT_EQ(sizes.rowHeights, (std::vector<int>{20, 33, 34}));
}

// A 4 x 1 wall drawn 421 x 221: the number row and column take 21 pixels, each
// monitor column 100 (99 and its grid line), the row 200.
class GridPainting : public ::testing::Test {
protected:
    void SetUp() override {
        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(QString::fromStdString(dir.file("red.bmp"))));
        ASSERT_TRUE(pictures.load({dir.file("red.bmp")}, 1).empty());
        wall.WallColumns = 4;
        wall.WallRows = 1;
        settings.ShowDeviceId = false;
        view = std::make_unique<mlgui::WallGridView>(wall, settings, pictures);
        view->resize(421, 221);
        view->resetSize();
        view->show();
    }
    void setZoom(int column, double zoom) {
        wall.Monitors.at(column, 1).Settings.XZoom = zoom;
        wall.Monitors.at(column, 1).Settings.YZoom = zoom;
    }
    QImage render() {
        view->FitGrid();
        return view->grab().toImage();
    }
    static int left(int column) { return 21 + (column - 1) * 100; }
    QColor base() const { return view->palette().color(QPalette::Base); }

    testsupport::TempDir dir;
    mlc::WallModel wall;
    mlc::ProgramSettings settings;
    mlgui::DemoPictures pictures;
    std::unique_ptr<mlgui::WallGridView> view;
};

TEST_F(GridPainting, FillsCellsByZoomAndMarksTheSelectionByHighlightType) {
    setZoom(1, 0); // no enlargement: the plain fill
    setZoom(2, 0);
    view->setSelectionRect({2, 1, 2, 1});
    view->selectionModel()->select(view->model()->index(0, 3), QItemSelectionModel::Select);

    QImage shot = render();
    guitest::saveShot(view.get(), "grid-highlight-invert");
    const int y = 100;
    EXPECT_EQ(shot.pixelColor(left(1) + 50, y), base());
    EXPECT_EQ(shot.pixelColor(left(2) + 50, y).rgb() & 0xFFFFFF, ~base().rgb() & 0xFFFFFF);
    EXPECT_EQ(shot.pixelColor(left(3) + 50, y), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(left(4) + 50, y), QColor(Qt::cyan)); // red, every bit flipped
    // The grid line between cells, and none once grid lines are off: cells touch.
    EXPECT_NE(shot.pixelColor(left(4) - 1, y), QColor(Qt::red));
    settings.DisplayGrid = false;
    shot = render();
    EXPECT_EQ(shot.pixelColor(left(4) - 1, y), QColor(Qt::red));

    settings.HighlightType = 1;
    shot = render();
    EXPECT_EQ(shot.pixelColor(left(2) + 50, y), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(4) + 50, y), QColor(Qt::black));
    settings.HighlightType = 2;
    shot = render();
    EXPECT_EQ(shot.pixelColor(left(2) + 50, y), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(left(4) + 50, y), QColor(Qt::white));
}

TEST_F(GridPainting, InsetsAZoomAboveOneHundredPercent) {
    settings.DisplayGrid = false; // cells of exactly 100 x 200
    setZoom(1, 200);              // inset of half the width on each side: one pixel column left
    setZoom(2, 150);              // a quarter on each side
    const QImage shot = render();
    guitest::saveShot(view.get(), "grid-inset");
    EXPECT_EQ(shot.pixelColor(left(1) + 10, 100), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(1) + 50, 21 + 10), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(2) + 24, 150), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(2) + 25, 150), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(left(2) + 74, 150), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(left(2) + 75, 150), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(2) + 50, 21 + 49), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(left(2) + 50, 21 + 50), QColor(Qt::red));
}

TEST_F(GridPainting, CentresTheDeviceIdWithALeadingZeroOnItsBackground) {
    settings.ShowDeviceId = true;
    settings.IdBackgroundColor = 0x00FF00; // green, as 0x00BBGGRR
    wall.Monitors.at(1, 1).DeviceId = 7;
    view->selectionModel()->clearSelection();
    const QImage shot = render();
    const QFontMetrics metrics(view->font());
    const int width = metrics.horizontalAdvance(QStringLiteral("07"));
    const int height = metrics.height();
    const int x = left(1) + (99 - width) / 2;
    const int y = 21 + (199 - height) / 2;
    EXPECT_EQ(shot.pixelColor(x, y), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(x + width - 1, y + height - 1), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(x - 1, y), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(x, y - 1), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(x + width, y + height), QColor(Qt::red));
}

TEST(DemoPictures, GeneratesTheColourBarsAndStandsInForPicturesThatCannotBeRead) {
    const QImage picture = mlgui::generateDemoPicture();
    ASSERT_EQ(picture.size(), QSize(640, 480));
    const QRgb bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(picture.pixel(i * 80 + 40, 470) & 0xFFFFFF, bars[i]) << "bar " << i;
    // The title in white with its black shadow somewhere in the top lines.
    bool title = false;
    for (int y = 30; y < 70 && !title; ++y)
        for (int x = 100; x < 540 && !title; ++x)
            title = picture.pixel(x, y) == picture.pixel(x + 1, y + 1)
                        ? false
                        : (picture.pixel(x + 1, y + 1) & 0xFFFFFF) == 0;
    EXPECT_TRUE(title);

    testsupport::TempDir dir;
    QFile broken(QString::fromStdString(dir.file("broken.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not a picture");
    broken.close();
    mlgui::DemoPictures pictures;
    const auto unreadable = pictures.load({dir.file("broken.bmp"), dir.file("missing.png"), ""}, 3);
    EXPECT_EQ(unreadable, std::vector<std::string>{dir.file("broken.bmp")});
    ASSERT_EQ(pictures.count(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(pictures.picture(i), picture);
    EXPECT_EQ(pictures.picture(99), picture); // an input without a picture
}

} // namespace
