// The window's message boxes: title, icon, buttons and the answer of a closed box.
#include "common/file_dialogs.h"
#include "common/qt_operator.h"
#include "modal.h"

#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(QtOperator, AsksWithTheProgramTitleIconAndButtonsOfEachKind) {
    mlgui::QtOperator op;
    guitest::whenModalOpens([](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Marlune Control Center");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->text(), "Not saved.\nSave?");
        EXPECT_EQ(box->buttons().size(), 3);
        guitest::pressMessageBoxButton(box, "&No");
    });
    EXPECT_EQ(op.ask(mlc::QuestionIcon::Question, mlc::Buttons::YesNoCancel, "Not saved.\r\nSave?"),
              mlc::Answer::No);

    // Closing the box: No where there is no Cancel.
    guitest::whenModalOpens([](QWidget* box) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::Warning);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(op.ask(mlc::QuestionIcon::Warning, mlc::Buttons::YesNo, "Sure?"), mlc::Answer::No);

    guitest::whenModalOpens([](QWidget* box) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::Critical);
        guitest::pressMessageBoxButton(box, "OK");
    });
    op.showMessage(mlc::MessageKind::Error, "ERROR ($05): Read/Write error");
}

TEST(FileDialogs, FiltersMatchExtensionsInEitherCase) {
    EXPECT_EQ(mlgui::nameFilters("All supported formats|*.MLV;*.MLS|Videowall settings (*.MLV)|*.MLV"),
              QStringList({"All supported formats (*.MLV *.mlv *.MLS *.mls)",
                           "Videowall settings (*.MLV) (*.MLV *.mlv)"}));

    // What the operator sees: the descriptions as the program names them.
    QStringList shown;
    guitest::whenModalOpens([&shown](QWidget* dialog) {
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    mlgui::QtFileDialogs dialogs;
    EXPECT_FALSE(dialogs.chooseFileToOpen(
        {"Open file", "All supported formats|*.MLV;*.MLS|Videowall settings (*.MLV)|*.MLV", "", "/tmp", ""},
        nullptr));
    EXPECT_EQ(shown, QStringList({"All supported formats", "Videowall settings (*.MLV)"}));
}

TEST(FileDialogs, RefuseToSaveWhereNothingCanBeWritten) {
    EXPECT_TRUE(mlgui::saveTargetProblem(QDir::tempPath() + "/wall.MLV").isEmpty());
    EXPECT_EQ(mlgui::saveTargetProblem("/no/such/folder/wall.MLV"),
              "The folder /no/such/folder does not exist.");
    // Not even root may create files in another process's /proc folder.
    EXPECT_EQ(mlgui::saveTargetProblem("/proc/1/wall.MLV"),
              "The folder /proc/1 cannot be written.\nChoose another folder.");
}

} // namespace
