#include "wall/panning_dialog.h"
#include "wall/wall_history.h"

#include "modal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class PanningDialog : public ::testing::Test {
protected:
    void SetUp() override {
        model.WallColumns = 4;
        model.WallRows = 3;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c) {
                auto& s = model.Monitors.at(c, r).Settings;
                s.XZoom = s.YZoom = 25.0;
                s.XPosition = s.YPosition = 5.0;
            }
    }
    QToolButton* arrow(QWidget* dialog, const char* name) { return dialog->findChild<QToolButton*>(name); }

    mlc::WallModel model;
    std::string wallFile;
    mlc::WallHistory history{model, wallFile};
    int writes = 0;
    int repaints = 0;
};

TEST_F(PanningDialog, TheArrowPadFollowsTheTableAndEveryStepIsSent) {
    mlgui::TPanningFRM dialog(
        model, history, mlc::WallRect{2, 2, 2, 2},
        [this] {
            ++writes;
            return true;
        },
        [this] { ++repaints; });
    EXPECT_EQ(dialog.windowTitle(), "Marlune Control Center - Global panning");
    auto* speed = dialog.findChild<QComboBox*>("Speed");
    EXPECT_EQ(speed->currentText(), "0.10%");
    EXPECT_EQ(speed->lineEdit()->maxLength(), 6);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("SelectedRBN")->isChecked());

    struct Expected {
        const char* name;
        const char* hint;
        int tag;
    };
    for (const Expected e : {Expected{"PanDownBTN", "Pan up", 4}, Expected{"PanRightBTN", "Pan left", 3},
                             Expected{"PanLeftBTN", "Pan right", 2}, Expected{"PanUpBTN", "Pan down", 1}}) {
        QToolButton* b = arrow(&dialog, e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->toolTip(), e.hint);
        EXPECT_EQ(b->property("tag").toInt(), e.tag);
        EXPECT_TRUE(b->isEnabled()) << e.name;
    }
    dialog.show();
    // Top, left, right, bottom of the pad.
    EXPECT_LT(arrow(&dialog, "PanDownBTN")->y(), arrow(&dialog, "PanRightBTN")->y());
    EXPECT_LT(arrow(&dialog, "PanRightBTN")->x(), arrow(&dialog, "PanLeftBTN")->x());
    EXPECT_GT(arrow(&dialog, "PanUpBTN")->y(), arrow(&dialog, "PanLeftBTN")->y());
    guitest::saveShot(&dialog, "panning");

    speed->setCurrentText("5");
    arrow(&dialog, "PanLeftBTN")->click(); // the picture moves right: XPosition -= 5
    EXPECT_EQ(model.Monitors.at(2, 2).Settings.XPosition, 0.0);
    EXPECT_EQ(model.Monitors.at(1, 1).Settings.XPosition, 5.0);
    EXPECT_FALSE(arrow(&dialog, "PanLeftBTN")->isEnabled());
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(repaints, 1);
    EXPECT_FALSE(model.VideowallModified);

    dialog.findChild<QRadioButton*>("AllRBN")->click();
    EXPECT_FALSE(arrow(&dialog, "PanLeftBTN")->isEnabled()); // (2, 2) is still at 0
    arrow(&dialog, "PanDownBTN")->click();
    EXPECT_EQ(model.Monitors.at(4, 3).Settings.YPosition, 10.0);

    speed->setCurrentText("abc");
    for (const char* name : {"PanDownBTN", "PanRightBTN", "PanLeftBTN", "PanUpBTN"})
        EXPECT_FALSE(arrow(&dialog, name)->isEnabled()) << name;
    dialog.findChild<QPushButton*>("CloseBTN")->click();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
