#include "modal.h"
#include "monitor/quick_menu_form.h"
#include "monitor/value_slider.h"
#include "monitor_fixture.h"

#include <QComboBox>

#include <algorithm>

using namespace mlgui;

TEST_F(MonitorDialogs, QuickMenuWritesTheSelectionAndKeepsEachMonitorsPanAndOtherFields) {
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            settings(c, r).XPosition = 10.0 * c;
            settings(c, r).YPosition = 5.0 * r;
            settings(c, r).ColorTemperature = (c + r) % 3;
        }
    settings(3, 2).Brightness = 12000; // the current cell: the dialog shows its values
    settings(3, 2).SourceInput = 1;
    const mlc::WallModel before = wall;

    TQuickMenuFRM dialog({wall, history, lists, programSettings, devices()}, 3, 2, {2, 1, 3, 3});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Marlune Control Center - Quick videowall settings");
    EXPECT_DOUBLE_EQ(child<ValueSlider>(&dialog, "Brightness")->value(), 12);
    EXPECT_EQ(child<QComboBox>(&dialog, "InputSource")->currentIndex(), 1);
    EXPECT_FALSE(child<QComboBox>(&dialog, "VideoMatrixSource")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dialog, "VideoMatrixSourceLBL")->isEnabled());
    guitest::saveShot(&dialog, "quick-menu");

    const int rgb = lists.InputSources.indexOf("isANALOGRGB1");
    child<QComboBox>(&dialog, "InputSource")->setCurrentIndex(rgb);
    EXPECT_FALSE(child<QWidget>(&dialog, "Saturation")->isEnabled());
    EXPECT_FALSE(child<QWidget>(&dialog, "HueLBL")->isEnabled());
    child<ValueSlider>(&dialog, "Brightness")->setValue(20);
    child<ValueSlider>(&dialog, "XZoom")->setValue(2);
    EXPECT_EQ(receivedCount(), 0u);
    click(&dialog, "OkBTN");
    EXPECT_FALSE(dialog.isVisible());

    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
            const mlc::TMonitorSettings& now = settings(c, r);
            const mlc::TMonitorSettings& was = before.Monitors.at(c, r).Settings;
            EXPECT_EQ(now.XPosition, was.XPosition);
            EXPECT_EQ(now.YPosition, was.YPosition);
            EXPECT_EQ(now.ColorTemperature, was.ColorTemperature);
            if (c == 1) {
                EXPECT_EQ(now, was) << "outside the selection";
                continue;
            }
            EXPECT_EQ(now.SourceInput, rgb);
            EXPECT_EQ(now.Brightness, 20000);
            EXPECT_EQ(now.XZoom, 50);
            EXPECT_EQ(now.YZoom, 100);
            EXPECT_TRUE(wall.Monitors.at(c, r).Synced);
        }
    }
    // Six monitors, row by row, each with its queue executed; the first column untouched.
    std::vector<std::string> executed;
    for (const std::string& op : received())
        if (op.find("op_IP_MISC_EXECUTEQUEUE") != std::string::npos)
            executed.push_back(op.substr(0, op.find(' ')));
    EXPECT_EQ(executed, (std::vector<std::string>{"12", "13", "22", "23", "32", "33"}));
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(wall.VideowallModified);
}
