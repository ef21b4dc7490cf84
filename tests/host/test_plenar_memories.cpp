// The CORVANE-PLENAR memories as a user reaches them: detected on COM3, Memory Editor, Receive,
// Edit of a COFDM memory kept as 'C', OK without a change, Send One. The meter's record comes back
// byte for byte: the 'C' is not folded into its measure family on the way through the dialog.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "Mainform.h"
#include "PlenarProfile.h"

TEST(PlenarMemoriesFromMainWindow, EditOkAndSendOneGiveTheMetersRecordBack) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "CvPlenar", "plenar", sim));
  const int kMemory = 13;  // the delivery's 'C' memory
  std::string delivered;
  sim->WithProfile([&](cvsim::Profile& p) { delivered = static_cast<cvsim::PlenarProfile&>(p).xsrMemories[kMemory - 1]; });
  ASSERT_EQ(delivered.size(), 45u);
  ASSERT_EQ(delivered[23], 'C');
  cv::RecordingPrompter prompter;
  prompter.answers.push_back(cv::MsgAnswer::No);  // the save question on Close

  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();

  struct Seen {
    int listed = -1;
    QString title;
    bool editorOpenAfterClose = true;
  } seen;
  QTimer::singleShot(0, &w, [&] {
    QWidget* editor = ModalWindow();
    auto* list = NamedChild<QListWidget>(editor, "MemoryListBox");
    NamedChild<QPushButton>(editor, "ReceiveBtn")->click();
    seen.listed = list->count();
    if (seen.listed < kMemory) return NamedChild<QPushButton>(editor, "CloseBtn")->click();
    list->setCurrentRow(kMemory - 1);
    QTimer::singleShot(0, editor, [&] {
      QWidget* d = ModalWindow();
      seen.title = d->windowTitle();
      NamedChild<QPushButton>(d, "OKBtn")->click();
    });
    NamedChild<QPushButton>(editor, "EditBtn")->click();
    sim->ClearTraffic();
    NamedChild<QPushButton>(editor, "SendOneBtn")->click();
    NamedChild<QPushButton>(editor, "CloseBtn")->click();
    seen.editorOpenAfterClose = editor->isVisible();
  });
  w.EditMemBtn->click();

  EXPECT_EQ(seen.listed, 99);
  EXPECT_EQ(seen.title, "Measurement Configuration - Memory 13");
  EXPECT_FALSE(seen.editorOpenAfterClose);
  std::vector<std::string> written;
  for (const std::string& l : sim->Lines())
    if (l.rfind("*XSR", 0) == 0) written.push_back(l);
  EXPECT_EQ(written, std::vector<std::string>{delivered});
  std::string stored;
  sim->WithProfile([&](cvsim::Profile& p) { stored = static_cast<cvsim::PlenarProfile&>(p).xsrMemories[kMemory - 1]; });
  EXPECT_EQ(stored, delivered);
  for (const auto& s : prompter.shown) EXPECT_NE(s.caption, "MEMORIES ERROR") << s.text.toStdString();
}
