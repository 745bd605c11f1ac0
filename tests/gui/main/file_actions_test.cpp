// Open, save and the close query through the window, answered by the scripted
// operator and file dialogs.
#include "app/control_center.h"
#include "files/wall_file.h"
#include "main_window_fixture.h"

#include <filesystem>
#include <fstream>

namespace {

using mlc::Answer;

class FileActions : public guitest::MainWindowFixture {
protected:
    // Opens the window without a chain and forgets the port failure.
    mlgui::TMainFRM& open() {
        writeSettings("[Videowall]\nWidth=2\nHeight=2\n");
        mlgui::TMainFRM& w = openWindow();
        op.messages.clear();
        return w;
    }
    std::vector<std::string> questions() const {
        std::vector<std::string> texts;
        for (const auto& q : op.questions)
            texts.push_back(q.text);
        return texts;
    }
};

TEST_F(FileActions, CloseQueryAsksOnceForAChangedWallAndSavesItOnYes) {
    mlgui::TMainFRM& w = open();
    w.center().wall().VideowallModified = true;
    op.scriptAnswers({Answer::Cancel, Answer::Yes});
    EXPECT_FALSE(w.close());
    dialogs.answer(path("kept.MLV"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(questions(), std::vector<std::string>(2, mlc::kWallNotSavedQuestion));
    EXPECT_EQ(dialogs.requests.at(0).title, "Save videowall to file");
    EXPECT_TRUE(std::filesystem::exists(path("kept.MLV")));
}

TEST_F(FileActions, CloseQueryAsksAboutTheSequenceAloneAndNoClosesWithoutSaving) {
    mlgui::TMainFRM& w = open();
    w.center().sequencer().setModified(true);
    op.scriptAnswers({Answer::No});
    EXPECT_TRUE(w.close());
    EXPECT_EQ(questions(), std::vector<std::string>{mlc::kSequenceNotSavedQuestion});
    EXPECT_TRUE(dialogs.requests.empty());
}

TEST_F(FileActions, CloseQueryAsksAboutBothFilesOnceAndYesSavesBoth) {
    mlgui::TMainFRM& w = open();
    w.center().wall().VideowallModified = true;
    w.center().sequencer().setModified(true);
    op.scriptAnswers({Answer::Yes});
    dialogs.answer(path("both.MLV"));
    dialogs.answer(path("both.MLS"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(questions(), std::vector<std::string>{mlc::kFilesNotSavedQuestion});
    EXPECT_TRUE(std::filesystem::exists(path("both.MLV")));
    EXPECT_TRUE(std::filesystem::exists(path("both.MLS")));
    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [both.MLS - both.MLV]");
}

TEST_F(FileActions, OpenReadsAWallFileOfAnyCaseAndIgnoresAForeignOne) {
    mlgui::TMainFRM& w = open();
    mlc::WallSettings scene = mlc::wallSettingsOf(w.center().wall().Monitors);
    scene[mlc::placeIndex(2, 2)].Brightness = 12345;
    ASSERT_TRUE(mlc::saveVideowallFile(op, path("scene.mlv"), scene));

    dialogs.answer(path("scene.mlv"));
    w.actions().LoadACTN->trigger();
    EXPECT_EQ(dialogs.requests.at(0).title, "Open file");
    EXPECT_EQ(w.center().wall().Monitors.at(2, 2).Settings.Brightness, 12345);
    EXPECT_FALSE(w.center().wall().VideowallModified);
    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [Untitled - scene.mlv]");

    std::ofstream(path("foreign.MLV"), std::ios::binary) << std::string(43016, 'x');
    op.messages.clear();
    dialogs.answer(path("foreign.MLV"));
    w.actions().LoadACTN->trigger();
    EXPECT_EQ(w.center().wall().Monitors.at(2, 2).Settings.Brightness, 12345);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(w.windowTitle(), "Marlune Control Center - [Untitled - scene.mlv]");
}

} // namespace
