// The CORVANE-2 plug-in's configuration and firmware update opened from the main window's
// buttons, with the plug-in found by detection on COM3 against the simulated meter.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <fstream>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "SaveLimits.h"
#include "ToolButtons.h"

namespace {

class Cv2Tools : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, "Cv2Tools", "corvane2", sim));
    w = std::make_unique<TMainForm>();
    w->DetectBtnClick();
    ASSERT_NE(w->equipment, nullptr);
    w->UpdateTools();
  }
  void TearDown() override { w.reset(); }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  std::unique_ptr<TMainForm> w;
  cv::RecordingPrompter prompter;
};

// The transcript's start and end stamps, elapsed time and folder masked.
std::string Masked(const std::string& text, const QString& folder) {
  static const QRegularExpression date(R"(\d{1,2}/\d{1,2}/\d{4})"), time(R"(\d{1,2}:\d\d(:\d\d)?)"),
      elapsed(R"(Elapsed time: +\d+)");
  return QString::fromStdString(text)
      .replace(folder, "HOME")
      .replace(date, "D")
      .replace(time, "T")
      .replace(elapsed, "Elapsed time: N")
      .toStdString();
}

TEST_F(Cv2Tools, UpdateFirmwareButtonRunsTheScriptThroughTheFamilysEngine) {
  std::ofstream(home.Path("upd.pro")) << "IFVER2 (=, 1.14)\nENDIF\nSENDHEX fw.upd *HX\nIFVER2 (=, 1.20)\nENDIF\n";
  std::ofstream(home.Path("fw.upd")) << ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";
  QStringList zone;
  bool buttonsBack = false, noAnalyser = false;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = ModalWindow();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Update Firmware");
    noAnalyser = dlg->findChild<QPushButton*>("Mpeg2Btn") == nullptr;
    QTimer::singleShot(0, dlg, [&] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(open, nullptr);
      open->selectFile(home.filePath("upd.pro"));
      QMetaObject::invokeMethod(open, "accept");
    });
    auto* startBtn = NamedChild<QPushButton>(dlg, "StartBtn");
    auto* closeBtn = NamedChild<QPushButton>(dlg, "CloseBtn");
    startBtn->click();
    zone = NamedChild<QPlainTextEdit>(dlg, "LogZone")->toPlainText().split('\n', Qt::SkipEmptyParts);
    buttonsBack = startBtn->isEnabled() && closeBtn->isEnabled();
    closeBtn->click();
  });
  ASSERT_TRUE(w->UpdateBtn->isEnabled());
  w->UpdateBtn->click();
  EXPECT_TRUE(noAnalyser);
  EXPECT_TRUE(buttonsBack);
  const QStringList tail{"Updating successful", "New version:  1.20"};
  EXPECT_EQ(zone.mid(zone.size() - 2), tail) << zone.join('\n').toStdString();
  QStringList log = LogLines(*w);
  log = log.mid(log.lastIndexOf("Executing Update Firmware"));
  ASSERT_GE(log.size(), 3) << LogLines(*w).join('\n').toStdString();
  EXPECT_EQ(log.mid(1, 2), (QStringList{"PRO file found: upd.pro,", "with updating file:  fw.upd"}));
  EXPECT_TRUE(log.join('\n').contains(tail.join('\n'))) << log.join('\n').toStdString();
  EXPECT_EQ(log.last(), "Update Firmware closed. Ready");
  sim->WithProfile([](cvsim::Profile& p) { EXPECT_EQ(p.version, "1.20"); });

  const std::string transcript = Masked(cvtest::FileBytes(home.Path("upd.LOG")), home.path());
  const std::string golden = std::string(CV_TEST_DATA_DIR) + "/cv2/update2_transcript.LOG";
  if (qEnvironmentVariableIsSet("CV_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << transcript;
  EXPECT_EQ(transcript, cvtest::FileBytes(golden));
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Cv2Tools, ConfigurationButtonShowsTheMetersBoards) {
  QString model;
  QStringList items;
  bool rotary = true;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = ModalWindow();
    ASSERT_NE(dlg, nullptr);
    auto* list = NamedChild<QListWidget>(dlg, "OptionsListBox");
    SpinUntil([&] { return list && list->count() > 0; });
    for (int i = 0; list && i < list->count(); ++i) items << list->item(i)->text();
    if (auto* label = NamedChild<QLabel>(dlg, "MakeLabel")) model = label->text();
    rotary = dlg->findChild<QWidget*>("CWRadioButton") || dlg->findChild<QWidget*>("ApplyBtn");
    NamedChild<QPushButton>(dlg, "CancelBtn")->click();
  });
  ASSERT_TRUE(w->ConfigBtn->isEnabled());
  w->ConfigBtn->click();
  EXPECT_EQ(model, "CORVANE-2 v1.14");
  EXPECT_EQ(items.size(), 5) << items.join('\n').toStdString();
  EXPECT_FALSE(rotary);
  EXPECT_EQ(LogLines(*w).last(), "Equipment Configuration closed. Ready");
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
