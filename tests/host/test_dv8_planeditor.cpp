// The DV-800 channel-plan editor opened from the main window after Select without an instrument:
// a plan made with New, its channels from a block, one plan added from a plan text file, the
// plan extracted, the canalization saved (a golden file) and read back; Send and Receive stay off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>
#include <sstream>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "ModalSteps.h"
#include "Selectdlg.h"
#include "ToolButtons.h"

namespace {

using namespace hoststeps;

TEST(Dv8PlanEditorOffline, NewBlockAddExtractSaveAndReadWithoutAnInstrument) {
  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "DV8Tools", "dv8", sim));
  ASSERT_TRUE(QFile::copy(QString(CV_TEST_DATA_DIR) + "/dv8/plan_semicolon.csv", home.filePath("test.csv")));
  cv::RecordingPrompter prompter;
  TMainForm w;
  ASSERT_NO_FATAL_FAILURE(SelectOffline(w, "DV8TOOLS"));

  struct Seen : PlanEditorSeen {
    QString title;
    bool sendOn = true, receiveOn = true;
    int commandRows = 0;
  } seen;
  OnNextModal([&](QWidget* dlg) {
    seen.title = dlg->windowTitle();
    seen.commandRows = Child<QComboBox>(dlg, "Comm1Combo")->count();
    Child<QPushButton>(dlg, "NewBtn")->click();
    // A name the script must carry whole: a leading '#', a dot, a quote and a non-ASCII letter.
    auto* name = Child<QLineEdit>(dlg, "NameEdit");
    name->setText(QString::fromUtf8("#TV.\"\u00d1"));
    Leave(name);
    BlockOfDefaults(dlg, seen);
    seen.sendOn = Child<QPushButton>(dlg, "SendBtn")->isEnabled();
    seen.receiveOn = Child<QPushButton>(dlg, "ReceiveBtn")->isEnabled();
    // Add a terrestrial plan from a plan text file in the host's separators (without a setting:
    // decimal comma, list semicolon), extract the first one, save and read back.
    AddExtractSaveRead(dlg, home.filePath("test.csv"), home.filePath("first.csv"), home.filePath("plans.pro"), seen);
    Child<QPushButton>(dlg, "CloseBtn")->click();
  });
  w.EditChBtn->click();

  EXPECT_EQ(seen.title, "Channel Plan Editor");
  EXPECT_EQ(seen.commandRows, 37);
  EXPECT_FALSE(seen.sendOn);
  EXPECT_FALSE(seen.receiveOn);
  EXPECT_EQ(seen.blockFirst, "A00, 471.25 MHz.");
  EXPECT_EQ(seen.channels, QStringList({"A00 (471.25)", "A01 (479.25)"}));
  // A leading '#' would make the name a comment of the script.
  EXPECT_EQ(seen.plans, QStringList({QString::fromUtf8("_TV.\"\u00d1"), "TEST"}));
  EXPECT_EQ(seen.readBack, seen.plans);
  EXPECT_TRUE(prompter.shown.empty()) << (prompter.shown.empty() ? "" : prompter.shown[0].text.toStdString());
  const QStringList log = LogLines(w);
  EXPECT_TRUE(log.contains("Saved CSV file first.csv")) << log.join('\n').toStdString();
  EXPECT_TRUE(log.contains("Plans saved to file: plans.pro")) << log.join('\n').toStdString();
  EXPECT_TRUE(ReadAll(home.filePath("first.csv")).find("479,25;8") != std::string::npos)
      << ReadAll(home.filePath("first.csv"));

  const std::string golden = std::string(CV_TEST_DATA_DIR) + "/dv8/offline_plans.pro";
  const std::string saved = ReadAll(home.filePath("plans.pro"));
  if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(golden, std::ios::binary) << saved;
  EXPECT_EQ(saved, ReadAll(QString::fromStdString(golden)));
  // Saved through the framework's temporary script; Send's own is never written offline.
  EXPECT_TRUE(QFile::exists(home.filePath("___CH3__.TMP")));
  EXPECT_FALSE(QFile::exists(home.filePath("_DV800__.TMP")));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

}  // namespace
