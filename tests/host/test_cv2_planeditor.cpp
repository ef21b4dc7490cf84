// The CORVANE-2 channel-plan editor opened from the main window after Select without an
// instrument: the family's 44 commands in the combos, a satellite plan under a C-band oscillator
// made with New and filled by a block, a satellite plan added from a plan text file, the plan
// extracted, the canalization saved (a golden file) and read back; Send and Receive stay off.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "ModalSteps.h"
#include "ToolButtons.h"

namespace {

using namespace hoststeps;

TEST(Cv2PlanEditorOffline, NewBlockAddExtractSaveAndReadWithoutAnInstrument) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "Cv2Tools", "corvane2", sim));
  ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/cv2/plan_cband.csv", home.filePath("cband.csv")));
  cv::RecordingPrompter prompter;
  TMainForm w;
  ASSERT_NO_FATAL_FAILURE(SelectOffline(w, "CV2TOOLS"));

  struct Seen : PlanEditorSeen {
    QString title, firstCommand;
    bool sendOn = true, receiveOn = true;
    int commandRows = 0;
  } seen;
  OnNextModal([&](QWidget* dlg) {
    seen.title = dlg->windowTitle();
    auto* comm1 = Child<QComboBox>(dlg, "Comm1Combo");
    seen.commandRows = comm1->count();
    Child<QPushButton>(dlg, "NewBtn")->click();
    seen.firstCommand = comm1->currentText();
    auto* name = Child<QLineEdit>(dlg, "NameEdit");
    name->setText("C-BAND");
    Leave(name);
    auto* band = Child<QComboBox>(dlg, "BandCombo");
    band->setCurrentIndex(1);
    emit band->activated(1);
    auto* lnb = Child<QLineEdit>(dlg, "LNBEdit");
    lnb->setText("5150");
    Leave(lnb);
    BlockOfDefaults(dlg, seen);
    seen.sendOn = Child<QPushButton>(dlg, "SendBtn")->isEnabled();
    seen.receiveOn = Child<QPushButton>(dlg, "ReceiveBtn")->isEnabled();
    // Add a satellite plan from a plan text file in the host's separators (decimal comma, list
    // semicolon), extract the first one, save and read back.
    AddExtractSaveRead(dlg, home.filePath("cband.csv"), home.filePath("first.csv"), home.filePath("plans.pro"), seen);
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w.EditChBtn->click();

  EXPECT_EQ(seen.title, "Channel Plan Editor");
  EXPECT_EQ(seen.commandRows, 44);
  EXPECT_EQ(seen.firstCommand, " -none-");
  EXPECT_FALSE(seen.sendOn);
  EXPECT_FALSE(seen.receiveOn);
  // The block starts at the stored 1500 MHz, shown through the C-band oscillator; a step up in
  // intermediate frequency is a step down in the satellite's.
  EXPECT_EQ(seen.blockFirst, "A00, 3650.00 MHz.");
  EXPECT_EQ(seen.channels, QStringList({"A00 (3650.00)", "A01 (3642.00)"}));
  EXPECT_EQ(seen.plans, QStringList({"C-BAND", "CBAND"}));
  EXPECT_EQ(seen.readBack, seen.plans);
  EXPECT_TRUE(prompter.shown.empty()) << (prompter.shown.empty() ? "" : prompter.shown[0].text.toStdString());
  const QStringList log = LogLines(w);
  EXPECT_TRUE(log.contains("Saved CSV file first.csv")) << log.join('\n').toStdString();
  EXPECT_TRUE(log.contains("Plans saved to file: plans.pro")) << log.join('\n').toStdString();
  EXPECT_NE(ReadAll(home.filePath("first.csv")).find("\n A00; 3650,00\n A01; 3642,00\n"), std::string::npos)
      << ReadAll(home.filePath("first.csv"));

  const std::string golden = std::string(CV_TEST_DATA_DIR) + "/cv2/offline_plans.pro";
  const std::string saved = ReadAll(home.filePath("plans.pro"));
  if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(golden, std::ios::binary) << saved;
  EXPECT_EQ(saved, ReadAll(QString::fromStdString(golden)));
  EXPECT_NE(saved.find("\nCHAN3S (1,  A01, 3642.00, "), std::string::npos);
  // Saved through the family's temporary script.
  EXPECT_TRUE(QFile::exists(home.filePath("___CH2__.TMP")));
  EXPECT_FALSE(QFile::exists(home.filePath("___CH3__.TMP")));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

}  // namespace
