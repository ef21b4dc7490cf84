// The TV MIRELTO analyser found by detection at its own rate, and its plug-in selected offline.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <chrono>

#include "AppServices.h"
#include "HostHome.h"
#include "ModalHelper.h"
#include "Mainform.h"
#include "ModalHelper.h"
#include "Profiles.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Simulator.h"
#include "ToolButtons.h"

namespace {

class Xr9Detect : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    for (const char* f : {"XR9Tools.so", "CvTools.cfg"})
      ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/" + f, home.filePath(f))) << f;
    // The analyser as cvsim --profile xr9 plays it: silent unless the line runs at 115200.
    sim = std::make_unique<cvsim::Simulator>(cvsim::MakeProfile("xr9"));
    std::string error;
    ASSERT_TRUE(sim->Start(&error)) << error;
    QFile ini(home.filePath("CvTools.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[Ports]\nCOM1=" + home.Path("no-such-device") + "\nCOM2=" + sim->Path() + "\n").c_str());
  }
  QStringList Lines(TMainForm& w) const { return LogLines(w); }
  static std::vector<bool> Enabled(TMainForm& w) { return ToolButtonsEnabled(w); }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  cv::RecordingPrompter prompter;
};

const std::vector<bool> kXr9Tools = {true, false, true, false, false, false, false, false};

// Closes the plug-in's channel-plan editor with its EXIT button once it shows (no plan changed:
// no question).
void ExitChannelEditor() {
  cvtest::WhenModal<QDialog>([](QDialog* d) {
    EXPECT_EQ(d->objectName(), "ChannelsPlanDlg");
    if (auto* exit = d->findChild<QPushButton*>("CloseBtn"))
      exit->click();
    else
      d->reject();
  });
}

}  // namespace

TEST_F(Xr9Detect, FoundOnCom2At115200WithItsTwoTools) {
  TMainForm w;
  w.DetectBtnClick();
  QStringList lines = Lines(w);
  lines = lines.mid(lines.lastIndexOf("Searching equipment..."));
  EXPECT_EQ(lines, QStringList({"Searching equipment...", "COM1 not available.", "COM2(19200) -> Equipment not detected",
                                "COM2(115200) -> VELDIX-5 v4.05", "VELDIX-5 v4.05 ready in COM2 (115200)",
                                "Loading library...", "Library XR9Tools 1.14 loaded"}));
  EXPECT_EQ(w.LabelEquip->text(), "VELDIX-5");
  EXPECT_EQ(w.modelCode, 5);
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_STREQ(w.equipment->modelName, "VELDIX-5");
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), kXr9Tools);
  EXPECT_TRUE(prompter.shown.empty());

  // The channel editor opens the link at the analyser's rate and closes it again.
  sim->ClearTraffic();
  ExitChannelEditor();
  w.EditChBtn->click();
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2), QStringList({"Executing Channel Editor", "Channel Editor closed. Ready"}));
  EXPECT_FALSE(w.port->IsOpen());
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (sim->Received().empty() && std::chrono::steady_clock::now() < until) QThread::msleep(1);
  EXPECT_EQ(sim->Received(), "*\r");
}

TEST_F(Xr9Detect, SelectedWithoutAnInstrumentBothToolsRunOffline) {
  TMainForm w;
  QTimer::singleShot(0, &w, [] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    const int at = dlg->ListDLLsComboBox->findText("XR9TOOLS");
    ASSERT_GE(at, 0);
    dlg->ListDLLsComboBox->setCurrentIndex(at);
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_EQ(w.port, nullptr);
  EXPECT_EQ(Lines(w).last(), "Library XR9Tools 1.14 loaded");
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), kXr9Tools);
  ExitChannelEditor();
  w.EditChBtn->click();
  w.UpdateTools();
  // The data logger's dialog opens offline; its EXIT closes it.
  QString title;
  cvtest::WhenModal<QDialog>([&title](QDialog* d) {
    title = d->windowTitle();
    auto* exit = d->findChild<QPushButton*>("CloseBtn");
    if (exit) exit->click();
    else d->reject();
  });
  w.DataLogBtn->click();
  EXPECT_EQ(title, "TV MIRELTO DATALOGGER");
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 4),
            QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready",
                         "Executing DataLogger (without equipment)", "DataLogger closed. Ready"}));
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}
