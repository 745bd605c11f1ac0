// The special functions dialog: its lists and buttons, and what its commands do
// to every unit of an emulated chain.
#include "chain_fixture.h"
#include "modal.h"
#include "remote/special_functions_form.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace mlgui;
using remotetest::ChainFixture;

namespace {

QPushButton* button(QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
}
QComboBox* list(QWidget& dialog, const char* name) {
    return dialog.findChild<QComboBox*>(name);
}

} // namespace

using SpecialFunctionsOnEmulator = ChainFixture;

TEST(SpecialFunctionsForm, ListsShowTheMatchListsFirstItemSelectedAndAnEmptyListDisablesItsButton) {
    mlc::DriverBinding binding;
    testsupport::ScriptedOperator op;
    mlc::WallModel model;
    mlc::ChainSettings settings(model, binding, op);
    mlc::MatchLists lists;
    lists.OutputDisplays = {{"odA", "odB"}, {"A display", "B display"}};
    TSpecialFunctionsFRM dialog(settings, lists);
    EXPECT_EQ(dialog.windowTitle(), "Marlune Control Center - Special functions");
    ASSERT_NE(list(dialog, "Resolution"), nullptr);
    EXPECT_EQ(list(dialog, "Resolution")->count(), 2);
    EXPECT_EQ(list(dialog, "Resolution")->currentText(), "A display");
    EXPECT_TRUE(button(dialog, "ResolutionBTN")->isEnabled());
    EXPECT_EQ(list(dialog, "Language")->count(), 0);
    EXPECT_FALSE(button(dialog, "LanguageBTN")->isEnabled());
    EXPECT_TRUE(button(dialog, "ResetBTN")->isEnabled());
    dialog.LanguageBTNClick(); // no identifier: nothing to send, no crash

    QStringList headings;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->font().bold())
            headings << label->text();
    EXPECT_EQ(headings, QStringList({"Factory reset:", "Output resolution:", "OSD lanuguage:"}));
    dialog.show();
    guitest::saveShot(&dialog, "special-functions");

    // Nothing asks before a reset: Enter where the dialog opens, or in a list, only closes it.
    QSignalSpy resets(button(dialog, "ResetBTN"), &QPushButton::clicked);
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_NE(dialog.focusWidget(), nullptr);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    QTest::keyClick(list(dialog, "Resolution"), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(resets.count(), 0);

    dialog.show();
    QTest::mouseClick(button(dialog, "CloseBTN"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SpecialFunctionsOnEmulator, FactoryResetRestoresEveryUnitAndEmptiesItsMemories) {
    start("1-3");
    const auto factory = linesOf(settledState(), "unit 2 value");
    ASSERT_FALSE(factory.empty());
    // Unit 2 gets a brightness of its own and stores it in memory 3.
    ASSERT_EQ(binding.SelectDevice(2), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(binding.SetOperationPercent("op_BRIGHTNESS", "wnWIN_MAIN", 90000), LV_RESULT_DEVICE_OK);
    ASSERT_EQ(binding.SetOperationIdentifier("op_IP_LCRST_USERPARMSET", "", "gc16CHANNEL3"),
              LV_RESULT_DEVICE_OK);
    ASSERT_EQ(binding.ExecuteOperation("op_IP_LCRST_SAVEUSERPARMSET", ""), LV_RESULT_DEVICE_OK);
    const std::string changed = settledState();
    ASSERT_NE(linesOf(changed, "unit 2 value"), factory);
    ASSERT_FALSE(linesOf(changed, "unit 2 memory 3 ").empty());

    TSpecialFunctionsFRM dialog(settings, lists);
    QTest::mouseClick(button(dialog, "ResetBTN"), Qt::LeftButton);
    const std::string state = settledState();
    EXPECT_EQ(linesOf(state, "unit 2 value"), factory);
    EXPECT_TRUE(linesOf(state, "unit 2 memory ").empty());
    EXPECT_EQ(linesOf(state, "unit 2 memory-chosen").at(0), "unit 2 memory-chosen 1");
    const auto resets = emu->logLines("name=op_DATA_MANAGER_RESET");
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(testsupport::fieldOf(resets[0], "unit"), "all");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(SpecialFunctionsOnEmulator, ResolutionAndLanguageReachEveryUnitAndTheSettingsMenuFollowsTheLanguage) {
    start("1-3");
    TSpecialFunctionsFRM dialog(settings, lists);
    ASSERT_GE(list(dialog, "Resolution")->count(), 3);
    ASSERT_GE(list(dialog, "Language")->count(), 2);
    list(dialog, "Resolution")->setCurrentIndex(2);
    list(dialog, "Language")->setCurrentIndex(1);
    const std::string display = lists.OutputDisplays.Ids[2];
    const std::string language = lists.Language.Ids[1];
    QTest::mouseClick(button(dialog, "ResolutionBTN"), Qt::LeftButton);
    QTest::mouseClick(button(dialog, "LanguageBTN"), Qt::LeftButton);

    const std::string state = settledState();
    for (const char* unit : {"1", "2", "3"}) {
        const std::string prefix = std::string("unit ") + unit + " value ";
        EXPECT_EQ(testsupport::fieldOf(linesOf(state, prefix + "op_PANEL_SELECT").at(0), "item"), display)
            << unit;
        EXPECT_EQ(testsupport::fieldOf(linesOf(state, prefix + "op_LANGUAGE").at(0), "item"), language)
            << unit;
        EXPECT_EQ(linesOf(state, std::string("unit ") + unit + " event veSETTINGS").size(), 1u) << unit;
    }
    // In order on the line: the language, then the settings menu.
    const auto toAll = emu->logLines("dir=rx unit=all");
    const auto at = [&](const std::string& text) {
        return std::find_if(toAll.begin(), toAll.end(),
                            [&](const std::string& line) { return line.find(text) != std::string::npos; }) -
               toAll.begin();
    };
    EXPECT_LT(at("name=op_LANGUAGE"), at("name=veSETTINGS"));
    EXPECT_LT(at("name=veSETTINGS"), static_cast<long>(toAll.size()));
}
