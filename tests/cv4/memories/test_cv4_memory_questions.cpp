// The CORVANE-4 memory editor's question about unsaved edits stops Read on Cancel.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "Cv4MemoryKit.h"

TEST(Cv4MemoryQuestions, CancelInTheSaveQuestionStopsRead) {
  QTemporaryDir dir;
  // A good memory file that Read would load.
  const std::string path = dir.filePath("other.csv").toStdString();
  {
    memtest4::Rig writer;
    writer.editor.records = memtest4::DefaultRecords();
    writer.editor.records[0].freq = 474.0f;
    ASSERT_TRUE(writer.editor.WriteMemoryFile(path));
  }
  memtest4::Rig rig;
  rig.editor.records = memtest4::DefaultRecords();
  rig.editor.loaded = true;
  rig.editor.modified = true;
  rig.chooser.openPath = path;
  rig.prompter.answers = {cv::MsgAnswer::Cancel};
  rig.editor.ReadBtnClick();
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text, "Data has been modified\nDo you want to save?");
  EXPECT_EQ(rig.chooser.opens, 0);
  EXPECT_TRUE(rig.editor.modified);
  EXPECT_EQ(rig.editor.records, memtest4::DefaultRecords());
  // Without the question's Cancel the same Read loads the file: the row above would have seen it.
  rig.editor.modified = false;
  rig.editor.ReadBtnClick();
  EXPECT_EQ(rig.editor.records[0].freq, 474.0f);
}
