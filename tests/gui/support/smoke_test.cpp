#include <QApplication>
#include <gtest/gtest.h>

TEST(GuiRunner, RunsOnTheOffscreenPlatform) {
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
}
