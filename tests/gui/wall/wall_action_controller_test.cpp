// The wall actions as the main window carries them, against the emulated units.
#include "wall/wall_action_controller.h"

#include "emulated_wall.h"
#include "modal.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

namespace {

class WallActionWindow : public EmulatedWall {
protected:
    void SetUp() override {
        memoryBox = new QSpinBox(&window);
        memoryBox->setRange(1, 16);
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }

    void makeController() {
        controller = std::make_unique<mlgui::WallActionController>(
            actions,
            mlgui::WallActionContext{model, history, settings, binding, op,
                                     mlc::WallActionHooks{[this] { return sync.WriteWall(); },
                                                          [this] { return sync.ResyncVideowall(); }, [] {},
                                                          [this] { ++captions; }, [] { return true; }},
                                     [this] { return selection; }, *memoryBox, window});
    }
    int brightnessOf(int id) { return percent(static_cast<std::uint8_t>(id), "op_BRIGHTNESS"); }

    QWidget window;
    mlgui::MainActions actions = mlgui::createMainActions(&window);
    QSpinBox* memoryBox = nullptr;
    mlc::ProgramSettings settings;
    mlc::WallRect selection{1, 1, 1, 1};
    int captions = 0;
    std::unique_ptr<mlgui::WallActionController> controller;
};

TEST_F(WallActionWindow, MemoryWriteAndQuickRecallReachTheUnits) {
    start("11,12", 2, 1);
    if (HasFatalFailure())
        return;
    makeController();
    for (int c = 1; c <= 2; ++c)
        model.Monitors.at(c, 1).Settings.Brightness = 20000;
    ASSERT_TRUE(sync.WriteWall());

    memoryBox->setValue(3);
    op.scriptAnswers({mlc::Answer::Yes});
    action("MemoryStoreACTN")->trigger();
    EXPECT_EQ(op.questions.back().text, "You are about to write current settings into the internal Marlune "
                                        "effect memory.\r\n\r\nAre you sure you want to proceed?");
    settle(11);
    EXPECT_NE(stateField("unit 12 memory 3 op_BRIGHTNESS", "percent"), "");

    for (int c = 1; c <= 2; ++c)
        model.Monitors.at(c, 1).Settings.Brightness = 90000;
    ASSERT_TRUE(sync.WriteWall());
    settle(11);
    EXPECT_GT(brightnessOf(12), 80000);

    memoryBox->setValue(1);
    EXPECT_EQ(action("MemRead3ACTN")->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(action("MemRead11ACTN")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    action("MemRead3ACTN")->trigger();
    EXPECT_EQ(memoryBox->value(), 3);
    settle(11);
    EXPECT_LT(brightnessOf(11), 25000);
    EXPECT_LT(brightnessOf(12), 25000);
    EXPECT_FALSE(mlc::IsWallSynced(model)); // the status bar asks for a synchronisation
    EXPECT_GT(captions, 0);
    EXPECT_EQ(model.Monitors.at(1, 1).Settings.Brightness, 90000); // the wall itself stays
    EXPECT_TRUE(op.messages.empty()) << op.messages[0].text;

    // Copy from videowall reads the units back, since the wall is not synced.
    action("CopyVideowallACTN")->trigger();
    EXPECT_LT(model.Monitors.at(2, 1).Settings.Brightness, 25000);
    EXPECT_TRUE(model.VideowallModified);
    EXPECT_TRUE(mlc::IsWallSynced(model));
}

TEST_F(WallActionWindow, PasteWaitsForTheFirstCopyAndPasteSpecialForOk) {
    start("11,12", 2, 1);
    if (HasFatalFailure())
        return;
    makeController();
    EXPECT_FALSE(action("ClipboardPasteACTN")->isEnabled());
    EXPECT_FALSE(action("PasteSpecialACTN")->isEnabled());
    model.Monitors.at(1, 1).Settings.Contrast = 70000;
    model.Monitors.at(1, 1).Settings.Hue = 70000;
    action("ClipboardCopyACTN")->trigger();
    EXPECT_TRUE(action("ClipboardPasteACTN")->isEnabled());
    EXPECT_TRUE(action("PasteSpecialACTN")->isEnabled());

    selection = {2, 1, 2, 1};
    guitest::whenModalOpens("PasteSpecialFRM", [](QWidget* dialog) {
        dialog->findChild<QPushButton*>("NoneBTN")->click();
        dialog->findChild<QListWidget*>("PasteWhat")->item(16)->setCheckState(Qt::Checked); // Contrast
        dialog->findChild<QPushButton*>("OkBTN")->click();
    });
    action("PasteSpecialACTN")->trigger();
    EXPECT_EQ(model.Monitors.at(2, 1).Settings.Contrast, 70000);
    EXPECT_NE(model.Monitors.at(2, 1).Settings.Hue, 70000);
    EXPECT_TRUE(settings.PasteSpecial[16]);
    settle(11);
    EXPECT_GT(percent(12, "op_CONTRAST"), 65000);
}

} // namespace
