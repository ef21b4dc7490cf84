// The CORVANE-4 meter found by detection on COM3 through [Ports], and its plug-in selected
// without an instrument.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Profiles.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Simulator.h"
#include "ToolButtons.h"

namespace {

class Cv4Detect : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    for (const char* f : {"Cv4Tools.so", "CvTools.cfg"})
      ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f;
    sim = std::make_unique<cvsim::Simulator>(cvsim::MakeProfile("corvane4"));
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    QFile ini(home.filePath("CvTools.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Ports]\nCOM1=" + home.Path("no-such-device") + "\nCOM2=" + home.Path("no-such-device-either") +
               "\nCOM3=" + sim->Path() + "\n")
                  .c_str());
  }
  QStringList Lines(TMainForm& w) const { return LogLines(w); }
  // Clicks the Channel Plan Editor button; true when the family's plan editor opened (its
  // command combos hold the CORVANE-4 table's 58 rows) and closed again.
  static bool OpenPlanEditor(TMainForm& w) {
    bool opened = false;
    QTimer::singleShot(0, &w, [&opened] {
      QWidget* dlg = QApplication::activeModalWidget();
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->windowTitle(), "Channel Plan Editor");
      auto* combo = dlg->findChild<QComboBox*>("Comm1Combo");
      ASSERT_NE(combo, nullptr);
      opened = combo->count() == 58 && combo->currentText() == " -none-";
      dlg->findChild<QPushButton*>("CloseBtn")->click();
    });
    w.EditChBtn->click();
    return opened;
  }
  static std::vector<bool> Enabled(TMainForm& w) { return ToolButtonsEnabled(w); }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  cv::RecordingPrompter prompter;
};

}  // namespace

TEST_F(Cv4Detect, FoundOnCom3AndBoundToCv4Tools) {
  {
    TMainForm w;
    w.DetectBtnClick();
    QStringList lines = Lines(w);
    lines = lines.mid(lines.lastIndexOf("Searching equipment..."));
    EXPECT_EQ(lines, QStringList({"Searching equipment...", "COM1 not available.", "COM2 not available.",
                                  "COM3(19200) -> CORVANE-4 v2.00", "CORVANE-4 v2.00 ready in COM3 (19200)",
                                  "Loading library...", "Library Cv4Tools 1.16 loaded"}));
    EXPECT_EQ(w.LabelEquip->text(), "CORVANE-4");
    EXPECT_EQ(w.modelCode, 6);
    ASSERT_NE(w.equipment, nullptr);
    EXPECT_STREQ(w.equipment->modelName, "CORVANE-4");
    EXPECT_FALSE(w.equipment->HasChannelIdentifier());
    w.UpdateTools();
    EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, true, true, true, true, true, false}));
    EXPECT_TRUE(OpenPlanEditor(w));
    EXPECT_TRUE(prompter.shown.empty());
    sim->WaitTxIdle();
    // Identification only: the plug-in sends nothing when it loads (no tuner probe).
    for (const std::string& line : sim->Lines()) EXPECT_TRUE(line == "*?VE" || line == "*?NA" || line == "*") << line;
  }  // the main window unloads the plug-in
}

TEST_F(Cv4Detect, SelectedWithoutAnInstrumentOnlyTheEditors) {
  TMainForm w;
  QTimer::singleShot(0, &w, [] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    const int at = dlg->ListDLLsComboBox->findText("CV4TOOLS");
    ASSERT_GE(at, 0);
    dlg->ListDLLsComboBox->setCurrentIndex(at);
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_EQ(w.port, nullptr);
  EXPECT_EQ(Lines(w).last(), "Library Cv4Tools 1.16 loaded");
  EXPECT_FALSE(w.equipment->HasChannelIdentifier());
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, false, false, false, false, false, false}));
  EXPECT_TRUE(OpenPlanEditor(w));
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2),
            QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

// The Memory Editor button opens the family's memory editor: online it receives the meter's 99
// memories; after Select without an instrument it opens with Receive off.
TEST_F(Cv4Detect, MemoryEditorFromTheMainWindow) {
  struct Seen {
    QString title, receiveHint;
    bool receiveOn = false;
    int listed = -1;
  };
  // The plug-in's form is of its own copy of the framework: found by its controls' names.
  auto run = [](TMainForm& w, bool receive) {
    Seen seen;
    w.UpdateTools();
    QTimer::singleShot(0, &w, [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      if (!dlg) return;
      seen.title = dlg->windowTitle();
      auto* receiveBtn = dlg->findChild<QPushButton*>("ReceiveBtn");
      auto* list = dlg->findChild<QListWidget*>("MemoryListBox");
      if (receiveBtn && list) {
        seen.receiveHint = receiveBtn->toolTip();
        seen.receiveOn = receiveBtn->isEnabled();
        if (receive) receiveBtn->click();
        seen.listed = list->count();
      }
      if (auto* close = dlg->findChild<QPushButton*>("CloseBtn")) close->click();
    });
    w.EditMemBtn->click();
    return seen;
  };
  {
    TMainForm w;
    w.DetectBtnClick();
    ASSERT_NE(w.equipment, nullptr);
    const Seen online = run(w, true);
    EXPECT_EQ(online.title, "Memory Editor");
    EXPECT_EQ(online.receiveHint, "Receive memories from the equipment");
    EXPECT_TRUE(online.receiveOn);
    EXPECT_EQ(online.listed, 99);
    EXPECT_TRUE(Lines(w).contains("Receiving memories complete")) << Lines(w).join('\n').toStdString();
    sim->WaitTxIdle();
    EXPECT_EQ(sim->Lines().back(), "*?XSR63");
  }
  TMainForm w;
  QTimer::singleShot(0, &w, [] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    dlg->ListDLLsComboBox->setCurrentIndex(dlg->ListDLLsComboBox->findText("CV4TOOLS"));
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  const Seen offline = run(w, false);
  EXPECT_EQ(offline.title, "Memory Editor");
  EXPECT_FALSE(offline.receiveOn);
  EXPECT_EQ(offline.listed, 0);
}
