#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include "AppServices.h"
#include "Csvview.h"
#include "HostHome.h"
#include "IniFile.h"
#include "Mainform.h"
#include "ModalHelper.h"
#include "Registry.h"
#include "Scratchpad.h"

namespace {

class MainWiringTest : public ::testing::Test {
 protected:
  QStringList Memo(TMainForm& w) { return w.LogMemo->toPlainText().split('\n'); }

  HostHome home;
  cv::RecordingPrompter prompter;
};

TEST_F(MainWiringTest, EditorOpensModallyAndLogs) {
  TMainForm w;
  TScratchPad pad;
  ASSERT_TRUE(w.EditButton->isEnabled());
  QTemporaryDir elsewhere;
  cvtest::WhenModal<TScratchPad>([&elsewhere](TScratchPad* p) {
    QDir::setCurrent(elsewhere.path());  // a tool may leave the current directory anywhere
    p->FileExitClick();
  });
  w.FileEditor->trigger();
  QStringList memo = Memo(w);
  ASSERT_GE(memo.size(), 2);
  EXPECT_EQ(memo[memo.size() - 2], "Editor opened");
  EXPECT_EQ(memo.back(), "Editor closed. Ready");
  EXPECT_EQ(QDir::currentPath(), QDir(home.path()).canonicalPath());
}

// Quitting the program with modified text in the editor asks the editor's own question first.
TEST_F(MainWiringTest, ProgramExitGoesThroughTheEditorsSaveQuestion) {
  TMainForm w;
  TScratchPad pad;
  pad.Memo->setPlainText("unsaved");
  pad.Memo->document()->setModified(true);
  w.show();
  prompter.answers = {cv::MsgAnswer::Cancel};
  EXPECT_FALSE(w.close());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("CvTools Editor"));
  EXPECT_EQ(prompter.shown[0].text, QStringLiteral("The current file has been modified. Save changes?"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_NE(Memo(w).back(), "CvTools session properly closed.");
  EXPECT_EQ(pad.Memo->toPlainText(), "unsaved");

  // Yes with a save that is cancelled stays too; No lets the program go.
  prompter.answers = {cv::MsgAnswer::Yes};
  cvtest::CancelFileDialog();
  EXPECT_FALSE(w.close());
  prompter.answers = {cv::MsgAnswer::No};
  EXPECT_TRUE(w.close());
  EXPECT_EQ(Memo(w).back(), "CvTools session properly closed.");
}

TEST_F(MainWiringTest, CsvViewerOpensModallyLogsToTheMainWindowAndGoes) {
  TMainForm w;
  ASSERT_TRUE(w.CSVButton->isEnabled());
  QString shownCaption;
  cvtest::WhenModal<TCSVViewer>([&shownCaption, this](TCSVViewer* v) {
    shownCaption = v->windowTitle();
    v->LoadFile(home.filePath("none.csv"));
    v->CloseBtn->click();
  });
  w.CSVButton->click();
  EXPECT_EQ(shownCaption, QStringLiteral("CSV Viewer"));
  QStringList memo = Memo(w);
  ASSERT_GE(memo.size(), 3);
  EXPECT_EQ(memo[memo.size() - 3], "CSV Viewer opened");
  EXPECT_EQ(memo[memo.size() - 2], "Couldn't open CSV file " + home.filePath("none.csv"));
  EXPECT_EQ(memo.back(), "CSV Viewer closed. Ready");
  EXPECT_EQ(w.findChild<TCSVViewer*>(), nullptr);
}

}  // namespace
