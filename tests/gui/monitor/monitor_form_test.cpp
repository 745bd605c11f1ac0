#include "modal.h"
#include "monitor/demo_preview.h"
#include "monitor/monitor_form.h"
#include "monitor/value_slider.h"
#include "monitor_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

#include <numeric>

using namespace mlgui;
using Ops = std::vector<std::string>;

namespace {

// Left half red, right half blue.
QImage twoHalves() {
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QPainter(&picture).fillRect(320, 0, 320, 480, Qt::blue);
    return picture;
}

int bytesOf(const std::vector<std::string>& lines) {
    return std::accumulate(lines.begin(), lines.end(), 0, [](int sum, const std::string& line) {
        return sum + std::atoi(testsupport::fieldOf(line, "bytes").c_str());
    });
}

} // namespace

class MonitorForm : public MonitorDialogs {
protected:
    std::unique_ptr<TMonitorFRM> open(int column, int row, PictureProvider pictures = {}) {
        auto dialog = std::make_unique<TMonitorFRM>(
            MonitorDialogContext{wall, history, lists, programSettings, devices()}, column, row,
            std::move(pictures));
        dialog->show();
        return dialog;
    }
    static void setSlider(QWidget* dialog, const char* name, double value) {
        child<ValueSlider>(dialog, name)->setValue(value);
    }
    static QComboBox* list(QWidget* dialog, const char* name) { return child<QComboBox>(dialog, name); }
};

TEST_F(MonitorForm, OpensWithTheMonitorAndItsValuesAndSendsNothingUntilConfirmed) {
    settings(2, 3).Brightness = 50196;
    settings(2, 3).XZoom = 133.33;
    settings(2, 3).XPosition = 5;
    settings(2, 3).KeystoneMode = 99; // beyond its list
    const mlc::TMonitorSettings before = settings(2, 3);
    auto dialog = open(2, 3);
    EXPECT_EQ(dialog->windowTitle(), "Marlune Control Center - Monitor settings");
    EXPECT_EQ(child<QLabel>(dialog.get(), "Row")->text(), "3");
    EXPECT_EQ(child<QLabel>(dialog.get(), "Column")->text(), "2");
    EXPECT_EQ(child<QLabel>(dialog.get(), "ID")->text(), "32");
    EXPECT_EQ(child<ValueSlider>(dialog.get(), "Brightness")->valueBox()->text(), "50.196 %");
    EXPECT_DOUBLE_EQ(child<ValueSlider>(dialog.get(), "XZoom")->value(), 0.75);
    EXPECT_DOUBLE_EQ(child<ValueSlider>(dialog.get(), "XPos")->value(), 0);
    EXPECT_EQ(list(dialog.get(), "KeystoneMode")->currentIndex(), 0);
    auto* selector = child<QListWidget>(dialog.get(), "BoxSelector");
    ASSERT_EQ(selector->count(), 7);
    EXPECT_EQ(selector->item(6)->text(), "On-screen display");
    EXPECT_TRUE(child<QWidget>(dialog.get(), "ZoomBOX")->isVisible());
    for (int box = 0; box < 7; ++box) {
        dialog->ShowSettingsBox(box);
        guitest::saveShot(dialog.get(), QString("monitor-dialog-%1").arg(box));
    }
    dialog->ShowSettingsBox(0);

    // Lists, check boxes and sliders send nothing, and Cancel stores nothing.
    const int rgb = lists.InputSources.indexOf("isANALOGRGB2");
    list(dialog.get(), "InputSource")->setCurrentIndex(rgb);
    list(dialog.get(), "ColorTemp")->setCurrentIndex(lists.ColorTemp.indexOf("ctUSER"));
    child<QCheckBox>(dialog.get(), "Freeze")->setChecked(true);
    setSlider(dialog.get(), "Brightness", 80);
    setSlider(dialog.get(), "YZoom", 3);
    selector->setCurrentRow(1);
    EXPECT_TRUE(child<QWidget>(dialog.get(), "ImageBOX")->isVisible());
    EXPECT_FALSE(child<QWidget>(dialog.get(), "ZoomBOX")->isVisible());
    // The RGB input swaps sharpness for the filter list; the user temperature unlocks its sliders.
    EXPECT_TRUE(child<QWidget>(dialog.get(), "Filter")->isVisible());
    EXPECT_FALSE(child<QWidget>(dialog.get(), "Sharpness")->isVisible());
    EXPECT_TRUE(child<QWidget>(dialog.get(), "Phase")->isEnabled());
    EXPECT_FALSE(child<QWidget>(dialog.get(), "Hue")->isEnabled());
    EXPECT_TRUE(child<QWidget>(dialog.get(), "RedTemp")->isEnabled());
    EXPECT_EQ(child<QLabel>(dialog.get(), "SharpnessLBL")->buddy(), child<QWidget>(dialog.get(), "Filter"));
    EXPECT_TRUE(child<QWidget>(dialog.get(), "ScalerMode")->isHidden());
    EXPECT_TRUE(child<QWidget>(dialog.get(), "Video11Term")->isHidden());

    click(dialog.get(), "CancelBTN");
    EXPECT_EQ(receivedCount(), 0u);
    EXPECT_EQ(settings(2, 3), before);
    EXPECT_FALSE(wall.VideowallModified);
}

// One changed brightness on a synced monitor: the selection, the source information
// output, the queue, the brightness and the queue execution, and not a byte more.
TEST_F(MonitorForm, ApplySendsOnlyTheChangedFieldWithOneQueueExecution) {
    ASSERT_TRUE(sync.WriteMonitor(1, 1, true));
    const std::size_t mark = receivedCount();
    const std::size_t allMark = emu->logLines().size();
    auto dialog = open(1, 1);
    setSlider(dialog.get(), "Brightness", 70);
    click(dialog.get(), "ApplyBTN");

    EXPECT_EQ(received(mark),
              (Ops{"11 op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE", "11 op_IP_MISC_GPO gc8CHANNEL7",
                   "11 op_IP_MISC_SETQUEUE", "11 op_BRIGHTNESS wnWIN_MAIN", "11 op_IP_MISC_EXECUTEQUEUE"}));
    const auto lines = emu->logLines();
    const std::vector<std::string> applied(lines.begin() + static_cast<std::ptrdiff_t>(allMark), lines.end());
    // Five requests of 32 bytes, each acknowledged with one byte, and the driver's
    // query of the brightness range that scales the percentage: 32 bytes, a 33-byte
    // answer and the host's acknowledgement.
    EXPECT_EQ(bytesOf(applied), 5 * (32 + 1) + (32 + 33 + 1)) << testing::PrintToString(applied);
    EXPECT_EQ(settings(1, 1).Brightness, 70000);
    EXPECT_TRUE(wall.VideowallModified);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(dialog->isVisible()); // Apply keeps the dialog open
}

TEST_F(MonitorForm, ZoomAndPanSlidersMoveThePreview) {
    auto dialog = open(1, 1, [](int) { return twoHalves(); });
    const QImage& shown = child<DemoPreview>(dialog.get(), "Demo")->picture();
    EXPECT_EQ(shown.pixelColor(10, 35), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(90, 35), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(3, 3), dialog->palette().color(QPalette::Window));

    setSlider(dialog.get(), "XZoom", 2);
    EXPECT_DOUBLE_EQ(dialog->enlargement().XZoom, 50);
    setSlider(dialog.get(), "XPos", 100);
    EXPECT_DOUBLE_EQ(dialog->enlargement().XPosition, 50);
    EXPECT_EQ(dialog->enlargement().YZoom, 100);
    EXPECT_EQ(shown.pixelColor(10, 35), QColor(Qt::blue));
    click(dialog.get(), "OkBTN");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(settings(1, 1).XZoom, 50);
    EXPECT_EQ(settings(1, 1).XPosition, 50);
}

TEST_F(MonitorForm, NewDefaultsFromOneMonitorAreRestoredOnAnother) {
    auto first = open(1, 1);
    setSlider(first.get(), "Brightness", 33);
    setSlider(first.get(), "Keystone", 12.5);
    setSlider(first.get(), "XZoom", 4);
    setSlider(first.get(), "YPos", 40);
    list(first.get(), "KeystoneMode")->setCurrentIndex(2);
    list(first.get(), "S3")->setCurrentIndex(4);
    list(first.get(), "HD15Sync")->setCurrentIndex(1); // hidden, stored all the same
    child<QCheckBox>(first.get(), "Freeze")->setChecked(true);
    click(first.get(), "DefaultSaveBTN");
    click(first.get(), "CancelBTN");
    const mlc::TMonitorSettings defaults = wall.DefaultSettings;
    EXPECT_EQ(defaults.KeystoneMode, 2);
    EXPECT_EQ(defaults.Keystone, 12500);
    EXPECT_EQ(defaults.HD15Sync, 1);
    EXPECT_EQ(defaults.XZoom, 25);
    EXPECT_EQ(receivedCount(), 0u);

    settings(3, 2).Brightness = 90000;
    settings(3, 2).Freeze = false;
    settings(3, 2).XZoom = 50;
    settings(3, 2).VideoMatrixSource = 2;
    auto second = open(3, 2);
    click(second.get(), "DefaultReadBTN");
    EXPECT_DOUBLE_EQ(child<ValueSlider>(second.get(), "XZoom")->value(), 4);
    EXPECT_EQ(receivedCount(), 0u);
    click(second.get(), "OkBTN");
    mlc::TMonitorSettings expected = defaults;
    expected.VideoMatrixSource = 2; // no router: the monitor keeps its input
    EXPECT_EQ(settings(3, 2), expected);
}

TEST_F(MonitorForm, VideoSourceListFollowsTheRouterSetting) {
    settings(1, 2).VideoMatrixSource = 7;
    programSettings.InhibitSerialCommunication = true;
    auto off = open(1, 2);
    EXPECT_EQ(list(off.get(), "VideoMatrixSource")->count(), 0);
    EXPECT_FALSE(list(off.get(), "VideoMatrixSource")->isEnabled());
    EXPECT_FALSE(child<QWidget>(off.get(), "ApplyBTN")->isEnabled());
    click(off.get(), "OkBTN"); // OK still applies
    EXPECT_EQ(settings(1, 2).VideoMatrixSource, 7);
    EXPECT_TRUE(wall.VideowallModified);

    programSettings = {};
    programSettings.ActivateVideoRouter = true;
    options.ActivateVideoRouter = true;
    settings(1, 2).VideoMatrixSource = 1;
    auto on = open(1, 2);
    QComboBox* sources = list(on.get(), "VideoMatrixSource");
    EXPECT_TRUE(sources->isEnabled());
    ASSERT_EQ(sources->count(), 3);
    EXPECT_EQ(sources->currentText(), "Camera 2");
    sources->setCurrentIndex(2);
    click(on.get(), "OkBTN");
    EXPECT_EQ(settings(1, 2).VideoMatrixSource, 2);
}

TEST_F(MonitorForm, OpensOnListsAndPicturesItCannotFullyUse) {
    std::string names(255, 'x');
    for (int i = 0; i < 9999; ++i)
        names += ",i";
    testsupport::ScopedEnv manyInputs("MATRIXSW_INPUTS", names);
    programSettings.ActivateVideoRouter = true;
    settings(1, 1).VideoMatrixSource = 255;
    mlc::MatchLists few;
    few.InputSources = {{"isVIDEO1"}, {"Video"}};
    auto dialog =
        std::make_unique<TMonitorFRM>(MonitorDialogContext{wall, history, few, programSettings, devices()}, 1,
                                      1, [](int) { return QImage(1, 1, QImage::Format_RGB32); });
    dialog->show();
    QComboBox* sources = list(dialog.get(), "VideoMatrixSource");
    EXPECT_EQ(sources->count(), 256);
    EXPECT_EQ(sources->itemText(0).size(), 255);
    EXPECT_EQ(sources->currentIndex(), 255);
    EXPECT_EQ(list(dialog.get(), "TestPattern")->count(), 0);
    EXPECT_EQ(list(dialog.get(), "InputSource")->currentIndex(), 0);

    const mlc::MatchLists noLists;
    auto none = std::make_unique<TMonitorFRM>(
        MonitorDialogContext{wall, history, noLists, programSettings, devices()}, 1, 1,
        [](int) { return QImage(); });
    none->show();
    EXPECT_EQ(child<DemoPreview>(none.get(), "Demo")->picture().pixelColor(50, 35), QColor(Qt::black));
}

// The progress window lets events through while the monitor is sent: a slider moved
// then counts for the next Apply, it is not left showing a value the dialog ignores.
TEST_F(MonitorForm, EditsMadeWhileApplyingAreKept) {
    auto dialog = open(1, 1);
    setSlider(dialog.get(), "Brightness", 20);
    op.onPendingEvents = [&] {
        op.onPendingEvents = nullptr;
        setSlider(dialog.get(), "XZoom", 2);
        list(dialog.get(), "InputSource")->setCurrentIndex(lists.InputSources.indexOf("isANALOGRGB1"));
    };
    click(dialog.get(), "ApplyBTN");
    EXPECT_EQ(settings(1, 1).XZoom, 100); // taken before the edit
    EXPECT_DOUBLE_EQ(dialog->enlargement().XZoom, 50);
    EXPECT_FALSE(child<QWidget>(dialog.get(), "Filter")->isHidden());
    click(dialog.get(), "ApplyBTN");
    EXPECT_EQ(settings(1, 1).XZoom, 50);
}
