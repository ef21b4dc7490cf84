// The CORVANE-4 plan editor's question about unsaved edits: Cancel stops Close, Read and Receive;
// Yes goes on only once the save has completed.
#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "Cv4PlanRig.h"

using namespace cv4test;
using Variant = cv::plan::PlanScriptWriter::Variant;

TEST(Cv4PlanQuestions, CancelStopsAndYesGoesOnOnlyAfterACompletedSave) {
  enum Action { Close, Read, Receive };
  const struct {
    const char* what;
    cv::MsgAnswer answer;
    bool saveChosen;  // false: the file dialog is cancelled
    bool goesOn;
  } answers[] = {{"Cancel", cv::MsgAnswer::Cancel, true, false},
                 {"Yes, save dialog cancelled", cv::MsgAnswer::Yes, false, false},
                 {"Yes, saved", cv::MsgAnswer::Yes, true, true},
                 {"No", cv::MsgAnswer::No, true, true}};
  for (Action action : {Close, Read, Receive}) {
    for (const auto& a : answers) {
      SCOPED_TRACE(std::string(action == Close ? "Close" : action == Read ? "Read" : "Receive") + ", " + a.what);
      Cv4EditorRig r;
      PlanSlots golden = GoldenCanalization();
      std::ofstream(r.Path("in.PRO"), std::ios::binary) << Build(golden, Variant::Saved);
      r.chooser.openPath = r.Path("in.PRO");
      r.equip.plans[0] = Cv4Plan("INSTR", 'T', 1);
      r.editor.planSlots[0] = Cv4Plan("NEW", 'T', 2, 1);
      r.editor.planSelected = true;
      r.editor.modified = true;
      r.prompter.answer = a.answer;
      r.chooser.savePath = a.saveChosen ? r.Path("saved.PRO") : "";
      bool closed = false;
      switch (action) {
        case Close: closed = r.editor.CloseBtnClick(); break;
        case Read: r.editor.ReadBtnClick(); break;
        case Receive: r.editor.ReceiveBtnClick(); break;
      }
      EXPECT_TRUE(r.prompter.Shown("")) << "no question asked";
      const char* name = action == Read ? "TERRE" : action == Receive ? "INSTR" : "NEW";
      if (action == Close) {
        EXPECT_EQ(closed, a.goesOn);
      }
      EXPECT_EQ(std::string(r.editor.planSlots[0].name).rfind(a.goesOn ? name : "NEW", 0), 0u)
          << r.editor.planSlots[0].name;
      if (action != Close || !a.goesOn) {
        EXPECT_EQ(r.editor.modified, !a.goesOn);
      }
      // Yes saved the edits before anything replaced them.
      const bool saved = a.answer == cv::MsgAnswer::Yes && a.saveChosen;
      EXPECT_EQ(QFile::exists(QString::fromStdString(r.Path("saved.PRO"))), saved);
    }
  }
}
