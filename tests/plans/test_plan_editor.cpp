#include <gtest/gtest.h>

#include <QFile>

#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "PlanFakes.h"
#include "PlanScript.h"
#include "RefusingWorkDir.h"

namespace plantest {
namespace {

std::string ReadAll(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
}

void Fill(EditorRig& r, int n) {
  for (int i = 0; i < n; ++i) r.editor.NewBtnClick();
}

TEST(PlanEditor, FullCanalizationRefusesNewInsertAndAdd) {
  EditorRig r;
  Fill(r, 32);
  EXPECT_TRUE(r.prompter.Boxes().empty());
  r.chooser.openPath = r.Path("never.csv");
  r.editor.NewBtnClick();
  r.editor.InsertBtnClick();
  r.editor.AddBtnClick();
  ASSERT_EQ(r.prompter.Boxes().size(), 3u);
  for (auto& b : r.prompter.Boxes()) {
    EXPECT_EQ(b.text, "Maximum number of plans reached");
    EXPECT_EQ(b.caption, "PLANS ERROR");
  }
}

TEST(PlanEditor, InsertMovesPlansTowardsTheNearestEmptySlot) {
  EditorRig r;
  Fill(r, 4);  // slots 0..3
  for (int i = 0; i < 4; ++i) CopyField(r.editor.planSlots[i].name, std::string(1, 'A' + i));
  r.editor.listIndex = 1;
  r.editor.InsertBtnClick();  // B, C, D move down into slot 4
  EXPECT_STREQ(r.editor.planSlots[1].name, "NEW");
  EXPECT_STREQ(r.editor.planSlots[2].name, "B");
  EXPECT_STREQ(r.editor.planSlots[4].name, "D");
  Fill(r, 27);  // full but for slot 0, before the insert position
  r.editor.listIndex = 0;
  r.editor.DeleteBtnClick();
  r.editor.listIndex = 3;
  r.editor.InsertBtnClick();  // slots 1..3 move up into slot 0
  EXPECT_STREQ(r.editor.planSlots[1].name, "B");
  EXPECT_STREQ(r.editor.planSlots[2].name, "C");
  EXPECT_STREQ(r.editor.planSlots[3].name, "NEW");
  EXPECT_STREQ(r.editor.planSlots[4].name, "D");
}

TEST(PlanEditor, DeleteSelectsTheNextPlanAndMovesStopAtTheEnds) {
  EditorRig r;
  Fill(r, 3);
  r.editor.listIndex = 2;
  r.editor.DeleteBtnClick();
  EXPECT_FALSE(r.editor.planSlots[2].HoldsPlan());
  EXPECT_EQ(r.editor.listIndex, 0);  // wrapped to the start
  r.editor.UpBtnClick();             // slot 0: nothing
  EXPECT_STREQ(r.editor.planSlots[0].name, "NEW");
  r.editor.listIndex = 31;
  r.editor.DownBtnClick();
  EXPECT_EQ(r.editor.listIndex, 31);
  r.editor.listIndex = 0;
  r.editor.DeleteBtnClick();
  r.editor.DeleteBtnClick();
  EXPECT_FALSE(r.editor.planSelected);
  EXPECT_FALSE(r.editor.modified);
  EXPECT_EQ(r.editor.EditBtnClick(), -1);  // nothing to open the channel editor on
}

TEST(PlanEditor, ReadersRefuseOutOfRangeValues) {
  EditorRig r;
  Fill(r, 1);
  EXPECT_EQ(r.editor.ReadCodeEdit("256"), -1);
  EXPECT_EQ(r.editor.planSlots[0].code, 1);
  EXPECT_EQ(r.editor.ReadCodeEdit("255"), 1);
  EXPECT_EQ(r.editor.ReadLNBEdit("9750"), -2);  // terrestrial plan: dropped
  EXPECT_EQ(r.editor.ReadBandCombo(1), 1);
  EXPECT_EQ(r.editor.ReadLNBEdit("52428.8"), -1);
  EXPECT_EQ(r.editor.ReadLNBEdit("52428.7"), 1);
  EXPECT_STREQ(r.editor.planSlots[0].lnbText, "7FFFF");
  EXPECT_EQ(r.prompter.beeps, 3);
  std::string name = "  A(B) C";
  EXPECT_EQ(r.editor.ReadNameEdit(name), 1);
  EXPECT_EQ(name, "A_B_");  // shown without the padding the instrument's name gets
  EXPECT_STREQ(r.editor.planSlots[0].name, "  A_B_  ");
  EXPECT_EQ(r.editor.ReadNameEdit(name), 0) << "the name as shown, left as it is";
  EXPECT_EQ(r.editor.ReadCommandCombo(2, 44), 1);
  EXPECT_STREQ(r.editor.planSlots[0].commands[2], "CW0320");
}

TEST(PlanEditor, CancelInTheSaveQuestionStopsCloseReadAndReceive) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0].channels = MakePlan("NEW", 'T', 2).channels;
  r.prompter.answer = cv::MsgAnswer::Cancel;
  r.chooser.openPath = r.Path("x.PRO");
  EXPECT_FALSE(r.editor.CloseBtnClick());
  r.editor.ReadBtnClick();
  r.equip.plans[0] = MakePlan("INSTR", 'T', 1);
  r.editor.ReceiveBtnClick();
  EXPECT_STREQ(r.editor.planSlots[0].name, "NEW");
  EXPECT_TRUE(r.editor.modified);
  // Yes goes on only when the save completed: a cancelled file dialog keeps the editor open.
  r.prompter.answer = cv::MsgAnswer::Yes;
  r.chooser.savePath.clear();
  EXPECT_FALSE(r.editor.CloseBtnClick());
  EXPECT_TRUE(r.editor.modified);
  r.chooser.savePath = r.Path("ok.PRO");
  EXPECT_TRUE(r.editor.CloseBtnClick());
  EXPECT_FALSE(r.editor.modified);
}

TEST(PlanEditor, FailedSaveIsReportedAndLeavesModifiedSet) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0].channels = MakePlan("NEW", 'T', 2).channels;
  // A file that cannot be written: its name is taken by a directory.
  ASSERT_TRUE(QDir(r.dir.path()).mkdir("PLANS.PRO"));
  std::string target = r.Path("PLANS.PRO");
  r.chooser.savePath = target;
  EXPECT_FALSE(r.editor.SaveBtnClick());
  EXPECT_TRUE(r.editor.modified);
  EXPECT_TRUE(r.prompter.Shown("Couldn't create file " + target));
  EXPECT_FALSE(r.equip.Logged("Plans saved to file"));
  r.chooser.savePath.clear();  // cancelled dialog
  EXPECT_FALSE(r.editor.SaveBtnClick());
  EXPECT_TRUE(r.editor.modified);
}

// The plan script and the extracted CSV under file-size limits below, at and above the write
// buffer: each saved whole, or reported with the old file left as it was.
TEST(PlanEditor, SavesWriteTheWholeFileOrKeepTheOldOne) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0] = MakePlan("TERRA", 'T', 120);
  const std::string pro = r.Path("PLANS.PRO"), csv = r.Path("T.csv");
  cvtest::ExpectWholeOrOldFile(pro, [&] {
    r.chooser.savePath = pro;
    r.editor.modified = true;
    return r.editor.SaveBtnClick();
  });
  cvtest::ExpectWholeOrOldFile(csv, [&] {
    r.chooser.savePath = csv;
    r.equip.log.clear();
    r.editor.ExtractBtnClick();
    return !r.equip.Logged("Couldn't generate CSV file");
  });
}

// Saves that fail while writing (the disk fills up) keep the old files whole and say so.
TEST(PlanEditor, SavesCutShortKeepTheOldFilesAndAreReported) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0] = MakePlan("TERRA", 'T', 20);
  const std::string pro = r.Path("PLANS.PRO"), csv = r.Path("T.csv");
  for (const std::string& path : {pro, csv}) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old\n");
  }
  auto read = [](const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
  };
  r.editor.modified = true;
  {
    cvtest::FileSizeLimit limit(64);
    r.chooser.savePath = pro;
    EXPECT_FALSE(r.editor.SaveBtnClick());
    r.chooser.savePath = csv;
    r.editor.ExtractBtnClick();
  }
  EXPECT_TRUE(r.editor.modified);
  EXPECT_FALSE(r.equip.Logged("Plans saved to file"));
  EXPECT_TRUE(r.equip.Logged("Couldn't generate CSV file T.csv"));
  ASSERT_EQ(r.prompter.Boxes().size(), 2u);
  EXPECT_TRUE(r.prompter.Shown("Couldn't create the script file "));
  EXPECT_TRUE(r.prompter.Shown("Couldn't create file " + csv));
  EXPECT_EQ(read(pro), "old\n");
  EXPECT_EQ(read(csv), "old\n");
  QStringList files = QDir(r.dir.path()).entryList(QDir::Files);
  files.sort();
  EXPECT_EQ(files, (QStringList{"PLANS.PRO", "T.csv"}));  // no temporary left
}

// A plan opened from a write-protected stick: the working directory takes no script, so Save and
// Send write theirs in a folder of their own and go on with the same content; Close -> Yes closes.
TEST(PlanEditor, SaveAndSendGoOnWhenTheWorkingDirectoryTakesNoFile) {
  EditorRig r;
  Fill(r, 2);
  r.editor.planSlots[0] = MakePlan("#TER;1.x", 'T', 3, 1);
  r.editor.planSlots[1] = MakePlan("SAT", 'S', 2, 3, 10600.0f);
  // The loader stays beside the program.
  r.equip.startDir = r.dir.path().toStdString();
  QFile(QString::fromStdString(r.Path("update.hex"))).open(QIODevice::WriteOnly);
  r.chooser.savePath = r.Path("first.PRO");
  ASSERT_TRUE(r.editor.SaveBtnClick());
  r.editor.SendBtnClick();
  ASSERT_EQ(r.equip.ranScripts.size(), 1u);
  const std::string saved = ReadAll(r.Path("first.PRO")), sent = ReadAll(r.equip.ranScripts[0]);
  {
    cvtest::RefusingWorkDir stick(r.dir.path());
    ASSERT_FALSE(stick.TakesFiles());
    r.editor.modified = true;
    r.chooser.savePath = r.Path("saved.PRO");
    EXPECT_TRUE(r.editor.SaveBtnClick());
    EXPECT_FALSE(r.editor.modified);
    r.editor.modified = true;
    r.prompter.answer = cv::MsgAnswer::Yes;
    r.chooser.savePath = r.Path("closed.PRO");
    EXPECT_TRUE(r.editor.CloseBtnClick());
    r.editor.SendBtnClick();
    ASSERT_EQ(r.equip.ranScripts.size(), 2u);
    EXPECT_EQ(ReadAll(r.equip.ranScripts[1]), sent);
  }
  EXPECT_EQ(ReadAll(r.Path("saved.PRO")), saved);
  EXPECT_EQ(ReadAll(r.Path("closed.PRO")), saved);
  ASSERT_EQ(r.prompter.Boxes().size(), 1u) << r.prompter.Boxes()[1].text;  // Close's question alone
  EXPECT_EQ(r.prompter.Boxes()[0].text, "Data has been modified\nDo you want to save?");
  EXPECT_TRUE(r.equip.Logged("Plans saved to file: saved.PRO"));
}

TEST(PlanEditor, SavedScriptReadsBackAndAFailedReadKeepsThePlans) {
  EditorRig r;
  Fill(r, 2);
  r.editor.planSlots[0].channels = MakePlan("A", 'T', 3, 1).channels;
  r.editor.planSlots[1] = MakePlan("SAT", 'S', 2, 3, 10600.0f);
  r.chooser.savePath = r.Path("PLANS.PRO");
  ASSERT_TRUE(r.editor.SaveBtnClick());
  EXPECT_TRUE(r.equip.Logged("Plans saved to file: PLANS.PRO"));
  EXPECT_EQ(ReadAll(r.Path("PLANS.PRO")), ReadAll(r.Path(kTempScript)));

  // A truncated copy: the read fails and the editor keeps what it had.
  std::string whole = ReadAll(r.Path("PLANS.PRO"));
  {
    QFile f(QString::fromStdString(r.Path("CUT.PRO")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(whole.substr(0, whole.find("CHAN3S (1")).c_str());
  }
  r.editor.modified = false;
  r.editor.planSlots[5] = MakePlan("KEEP", 'T', 1);
  r.chooser.openPath = r.Path("CUT.PRO");
  r.editor.ReadBtnClick();
  EXPECT_TRUE(r.equip.Logged("Couldn't finish load of PRO file CUT.PRO"));
  EXPECT_STREQ(r.editor.planSlots[5].name, "KEEP");

  r.chooser.openPath = r.Path("PLANS.PRO");
  r.editor.ReadBtnClick();
  EXPECT_FALSE(r.editor.planSlots[5].HoldsPlan());
  EXPECT_EQ(r.editor.planSlots[1].Channels().size(), 2u);
  EXPECT_EQ(r.editor.planSlots[1].Channels()[1].word, MakePlan("SAT", 'S', 2).Channels()[1].word);
  EXPECT_TRUE(r.editor.planSelected);
  EXPECT_FALSE(r.editor.modified);
}

TEST(PlanEditor, ReceivedPlansAreReadLazilyAndIncompleteOnesAreNotWritten) {
  EditorRig r;
  PlanSlot p0 = MakePlan("ONE", 'T', 3);
  r.equip.plans[0] = p0;
  r.equip.plans[2] = MakePlan("TWO", 'T', 2);
  r.equip.channels[0] = p0.Channels();
  r.equip.channels[2] = MakePlan("TWO", 'T', 2).Channels();
  r.editor.ReceiveBtnClick();
  EXPECT_TRUE(r.editor.planSelected);
  EXPECT_EQ(r.editor.planSlots[0].origin, PlanSlot::Received);
  EXPECT_TRUE(r.editor.planSlots[0].Channels().empty());
  EXPECT_FALSE(r.editor.planSlots[1].HoldsPlan());

  r.equip.channelLimit = 1;  // the instrument stops answering after one channel
  r.chooser.savePath = r.Path("P.PRO");
  EXPECT_FALSE(r.editor.SaveBtnClick());
  EXPECT_TRUE(r.prompter.Shown("Only 1 of the 3 channels of plan ONE"));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path(kTempScript))));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path("P.PRO"))));

  r.equip.channelLimit = 1 << 30;
  r.editor.planSlots[0].Channels().clear();
  ASSERT_TRUE(r.editor.SaveBtnClick());
  std::string script = ReadAll(r.Path("P.PRO"));
  EXPECT_NE(script.find("HEADER3 (ONE, 0x0400, 3,"), std::string::npos);
  EXPECT_NE(script.find("HEADER3 (TWO, 0x0900, 2,"), std::string::npos);

  r.equip.plans.clear();
  r.editor.modified = false;
  r.editor.ReceiveBtnClick();
  EXPECT_TRUE(r.prompter.Shown("No Channel Plans present"));
}

// A received plan whose channels stop coming, on its first channel or a later one: Edit says so
// before the list opens, Save and Send stop with a box naming the plan and the channel that
// failed; the plan is whole again once the person rebuilds its channels, not when Edit only
// looks at it.
TEST(PlanEditor, AnUnreadReceivedPlanIsToldAtEveryStopAndWholeOnceRebuilt) {
  for (int failsFrom : {0, 2}) {
    SCOPED_TRACE(failsFrom);
    EditorRig r;
    {
      QFile f(QString::fromStdString(r.Path("update.hex")));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const PlanSlot rx = MakePlan("ASTRA", 'T', 3);
    r.equip.plans[0] = rx;
    r.equip.channels[0] = rx.Channels();
    r.equip.channelLimit = failsFrom;
    r.editor.ReceiveBtnClick();
    const std::string why = "Plan ASTRA: channel " + std::to_string(failsFrom + 1) + " of 3 (index " +
                            std::to_string(failsFrom) + ") could not be read from the equipment.";

    ASSERT_EQ(r.editor.EditBtnClick(), 0);
    ASSERT_EQ(r.prompter.Boxes().size(), 1u);
    EXPECT_EQ(r.prompter.Boxes()[0].text, why);
    EXPECT_EQ(r.prompter.Boxes()[0].caption, "PLANS ERROR");
    EXPECT_TRUE(r.equip.Logged(why));
    EXPECT_EQ(r.editor.planSlots[0].Channels().size(), static_cast<size_t>(failsFrom));
    r.editor.ChannelsEdited(0);  // OK on the list as it came: still not the instrument's plan

    r.chooser.savePath = r.Path("P.PRO");
    for (int press = 0; press < 2; ++press) {
      r.prompter.shown.clear();
      press == 0 ? void(r.editor.SaveBtnClick()) : r.editor.SendBtnClick();
      ASSERT_EQ(r.prompter.Boxes().size(), 1u) << press;
      EXPECT_EQ(r.prompter.Boxes()[0].text.rfind(why + "\nOnly " + std::to_string(failsFrom) +
                                                     " of the 3 channels of plan ASTRA",
                                                 0),
                0u)
          << r.prompter.Boxes()[0].text;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path("P.PRO"))));
    EXPECT_TRUE(r.equip.ranScripts.empty());

    // Rebuilt: two channels of the person's own make the plan whole, though the meter is still
    // silent.
    r.prompter.shown.clear();
    ASSERT_EQ(r.editor.EditBtnClick(), 0);
    r.editor.planSlots[0].Channels() = {TChan3::FromFrequency("N0", 500.0f, 8, 'T'),
                                        TChan3::FromFrequency("N1", 508.0f, 8, 'T')};
    r.editor.ChannelsEdited(0);
    ASSERT_TRUE(r.editor.SaveBtnClick());
    EXPECT_NE(ReadAll(r.Path("P.PRO")).find("HEADER3 (ASTRA, 0x0400, 2,"), std::string::npos);
    r.editor.SendBtnClick();
    ASSERT_EQ(r.equip.ranScripts.size(), 1u);
    EXPECT_TRUE(r.equip.Logged("Sending successful"));
  }
}

TEST(PlanEditor, SendNeedsTheLoaderFileBeforeAnythingReachesTheInstrument) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0].channels = MakePlan("A", 'T', 3).channels;
  r.editor.SendBtnClick();
  EXPECT_TRUE(r.prompter.Shown("Couldn't find the loader file update.hex"));
  EXPECT_TRUE(r.equip.ranScripts.empty());
  {
    QFile f(QString::fromStdString(r.Path("update.hex")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  r.editor.SendBtnClick();
  ASSERT_EQ(r.equip.ranScripts.size(), 1u);
  EXPECT_EQ(r.equip.ranScripts[0], kTempScript);
  EXPECT_TRUE(r.equip.Logged("Sending successful"));
  EXPECT_FALSE(r.view.busy);
}

TEST(PlanEditor, AddAndExtractAPlanTextFile) {
  EditorRig r;
  Fill(r, 1);
  r.editor.planSlots[0] = MakePlan("TERRA", 'T', 4);
  r.editor.ExtractBtnClick();  // cancelled dialog
  r.chooser.savePath = r.Path("T.csv");
  r.editor.ExtractBtnClick();
  EXPECT_TRUE(r.equip.Logged("Saved CSV file T.csv"));
  r.chooser.openPath = r.Path("T.csv");
  r.editor.AddBtnClick();
  EXPECT_EQ(r.editor.planSlots[1].Channels().size(), 4u);
  EXPECT_EQ(r.editor.planSlots[1].code, 2);
  EXPECT_EQ(r.editor.planSlots[1].instrumentPlan, 1);
  r.editor.planSlots[2] = MakePlan("EMPTY", 'T', 0);
  r.editor.listIndex = 2;
  r.editor.ExtractBtnClick();
  EXPECT_TRUE(r.prompter.Shown("This plan is empty"));
}

// Names as a person types them, through Extract then Add under either separator pair: a list
// separator or a leading '#' in a name would move the line's fields or make it a comment, so
// each is written as '_' and every channel comes back in its own field.
TEST(PlanEditor, ExtractThenAddKeepsEveryChannelOfHostileNames) {
  for (auto [dec, list] : {std::pair{',', ';'}, std::pair{'.', ','}}) {
    SCOPED_TRACE(std::string(1, list));
    EditorRig r;
    r.equip.dec = dec;
    r.equip.list = list;
    Fill(r, 1);
    const std::string L(1, list);
    PlanSlot plan = MakePlan("x", 'T', 3);
    CopyField(plan.name, "#P" + L + "Q");
    CopyField(plan.Channels()[0].name, " C" + L + "1");
    CopyField(plan.Channels()[1].name, "  #2");
    CopyField(plan.Channels()[2].name, " 3.4");
    r.editor.planSlots[0] = plan;
    r.chooser.savePath = r.Path("H.csv");
    r.editor.ExtractBtnClick();
    r.chooser.openPath = r.Path("H.csv");
    r.editor.AddBtnClick();
    const PlanSlot& back = r.editor.planSlots[1];
    ASSERT_TRUE(back.HoldsPlan()) << ReadAll(r.Path("H.csv"));
    EXPECT_STREQ(back.name, "_P_Q");
    ASSERT_EQ(back.Channels().size(), 3u) << ReadAll(r.Path("H.csv"));
    const char* names[] = {" C_1", "  _2", " 3.4"};
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_STREQ(back.Channels()[i].name, names[i]);
      EXPECT_EQ(back.Channels()[i].word, plan.Channels()[i].word);
      EXPECT_EQ(back.Channels()[i].bandwidth, plan.Channels()[i].bandwidth);
    }
    EXPECT_TRUE(r.prompter.Boxes().empty());
  }
}

}  // namespace
}  // namespace plantest
