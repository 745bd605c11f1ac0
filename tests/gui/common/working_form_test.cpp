// The progress window as the core drives it through the window's operator.
#include "common/qt_operator.h"
#include "common/working_form.h"
#include "sync/progress.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkingForm, ShowsThePercentageOfItsRangeAndHidesTheBarAtMinusOne) {
    mlgui::QtOperator op;
    {
        mlc::ProgressWindow progress(op);
        mlgui::TWorkingFRM* window = op.progressWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), "Marlune Control Center");
        EXPECT_EQ(window->text(), "Working...");
        EXPECT_FALSE(window->barShown());

        progress.setText("Updating videowall...");
        progress.setRange(1, 99);
        const std::pair<int, const char*> steps[] = {{1, "0%"}, {50, "50%"}, {99, "100%"}};
        for (const auto& [position, text] : steps) {
            progress.setPosition(position);
            EXPECT_TRUE(window->barShown());
            EXPECT_EQ(window->percentText(), text) << position;
        }
        EXPECT_EQ(window->percent(), 100);
        EXPECT_EQ(window->text(), "Updating videowall...");

        progress.setPosition(-1);
        EXPECT_FALSE(window->barShown());
        EXPECT_TRUE(window->findChild<QWidget*>("ProgressPercentage")->isHidden());
    }
    EXPECT_EQ(op.progressWindow(), nullptr);
}

} // namespace
