#include "modal.h"

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

TEST(GuiRunner, RunsOnTheOffscreenPlatformAndAnswersModalBoxes) {
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    guitest::whenModalOpens([](QWidget* box) { guitest::pressMessageBoxButton(box, "&No"); });
    EXPECT_EQ(QMessageBox::question(nullptr, "t", "q?", QMessageBox::Yes | QMessageBox::No), QMessageBox::No);
}
