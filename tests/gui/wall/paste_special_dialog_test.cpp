#include "wall/paste_special_dialog.h"

#include "files/ini_file.h"
#include "paths.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <fstream>

namespace {

QListWidget* list(QWidget* dialog) {
    return dialog->findChild<QListWidget*>("PasteWhat");
}

TEST(PasteSpecialDialog, TheChoiceGoesThroughTheSettingsFile) {
    testsupport::TempDir dir;
    const std::string file = dir.file("mlcenter.INI");
    // Missing (YPosition), extra (Bogus) and non-boolean (XZoom, Unselected) entries.
    std::ofstream(file) << "[PasteSpecial]\nUnselected=5\nXPosition=0\nXZoom=yes\nBrightness=-3\nBogus=1\n";
    mlc::ProgramSettings settings;
    mlc::WallModel wall;
    mlc::readSettings(*mlc::loadIniFile(file), 0, settings, wall);

    mlgui::TPasteSpecialFRM dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "Marlune Control Center - Paste special");
    QListWidget* what = list(&dialog);
    ASSERT_EQ(what->count(), 40);
    EXPECT_EQ(what->item(29)->text(), "Horizontal strerch");
    EXPECT_EQ(what->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(what->item(1)->checkState(), Qt::Checked);  // missing: the default
    EXPECT_EQ(what->item(2)->checkState(), Qt::Checked);  // unreadable: the default
    EXPECT_EQ(what->item(15)->checkState(), Qt::Checked); // any non-zero number
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("LeaveRBN")->isChecked());

    // Cancel keeps the settings as they were.
    dialog.findChild<QPushButton*>("AllBTN")->click();
    dialog.findChild<QPushButton*>("CancelBTN")->click();
    EXPECT_FALSE(settings.PasteSpecial[0]);

    mlgui::TPasteSpecialFRM again(settings);
    again.findChild<QPushButton*>("NoneBTN")->click();
    list(&again)->item(13)->setCheckState(Qt::Checked);
    again.findChild<QRadioButton*>("ResetRBN")->click();
    again.findChild<QPushButton*>("OkBTN")->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);

    mlc::IniFile ini = *mlc::loadIniFile(file);
    mlc::writeSettings(settings, wall, ini);
    ASSERT_TRUE(mlc::saveIniFile(file, ini));
    mlc::ProgramSettings reread;
    mlc::readSettings(*mlc::loadIniFile(file), 0, reread, wall);
    EXPECT_EQ(reread.PasteSpecialUnselected, 1);
    std::array<bool, 40> onlyFrameLock{};
    onlyFrameLock[13] = true;
    EXPECT_EQ(reread.PasteSpecial, onlyFrameLock);
    EXPECT_EQ(mlc::loadIniFile(file)->value("PasteSpecial", "Bogus"), "1");

    mlgui::TPasteSpecialFRM third(reread);
    EXPECT_EQ(list(&third)->item(13)->checkState(), Qt::Checked);
    EXPECT_TRUE(third.findChild<QRadioButton*>("ResetRBN")->isChecked());
}

} // namespace
