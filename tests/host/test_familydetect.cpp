// The families that derive from the framework's equipment object, each found by detection on
// COM3 through [Ports] and bound to its plug-in, and selected without an instrument.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HostHome.h"
#include "Mainform.h"
#include "Printers.h"
#include "Profiles.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Simulator.h"
#include "ToolButtons.h"

namespace {

struct Family {
  const char* profile;
  const char* plugin;      // its file, and its name in the selection list upper-cased
  const char* model;
  const char* version;     // as the detection lines give it
  const char* loadedLine;  // the plug-in's first line
  int modelCode;
  bool planEditor;    // the plug-in carries its channel-plan editor
  bool memoryEditor;  // and its memory editor
  bool portTools;     // and its configuration and data logger
  const char* lastMemoryQuery;  // the query of memory 99 as Receive sends it
  bool identifier;    // the plug-in offers its channel identifier with a port (the host hides it)
  int planCommandRows = 58;  // the rows of its plan editor's command combos
  bool dataLogger = true;  // the family has a data logger: its button lights up with a port
};

const Family kFamilies[] = {
    {"corvane4", "Cv4Tools", "CORVANE-4", "2.00", "Library Cv4Tools 1.16 loaded", 6, true, true, true, "*?XSR63", false},
    {"dv8", "DV8Tools", "DV-800", "2.50", "Library DV8Tools 1.14 loaded", 8, true, true, false, "*?SR63", false, 37},
    {"plenar", "CvPlenar", "CORVANE-PLENAR", "2.22", "Library CvPlenar 1.17 loaded", 7, true, true, false, "*?XSR63", true,
     60},
    {"corvane2", "Cv2Tools", "CORVANE-2", "1.14", "Library Cv2Tools 1.14 loaded", 2, true, true, false, "*?SR63", false,
     44, false},
};

class FamilyDetect : public ::testing::TestWithParam<Family> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, GetParam().plugin, GetParam().profile, sim));
  }
  QStringList Lines(TMainForm& w) const { return LogLines(w); }
  // Clicks the Channel Plan Editor button; true when the family's plan editor opened (its
  // command combos hold the family table's rows) and closed again.
  bool OpenPlanEditor(TMainForm& w) {
    if (!GetParam().planEditor) {  // the launcher logs its lines and opens nothing
      w.EditChBtn->click();
      return true;
    }
    bool opened = false;
    QTimer::singleShot(0, &w, [&opened, rows = GetParam().planCommandRows] {
      QWidget* dlg = QApplication::activeModalWidget();
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->windowTitle(), "Channel Plan Editor");
      auto* combo = dlg->findChild<QComboBox*>("Comm1Combo");
      ASSERT_NE(combo, nullptr);
      opened = combo->count() == rows && combo->currentText() == " -none-";
      dlg->findChild<QPushButton*>("CloseBtn")->click();
    });
    w.EditChBtn->click();
    return opened;
  }
  static std::vector<bool> Enabled(TMainForm& w) { return ToolButtonsEnabled(w); }
  // Clicks `button`; `step` runs on the tool's modal form every 20 ms until it says it is done
  // (it closes the form itself), or 20 s pass and the form is closed for it.
  static void RunTool(QPushButton* button, const std::function<bool(QWidget*)>& step) {
    QTimer poll;
    QElapsedTimer since;
    since.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      if (!dlg) return;
      if (step(dlg)) {
        poll.stop();
      } else if (since.elapsed() > 20000) {
        ADD_FAILURE() << "the tool never got where the test waits";
        poll.stop();
        dlg->close();
      }
    });
    poll.start(20);
    button->click();
  }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  cv::RecordingPrompter prompter;
};

}  // namespace

TEST_P(FamilyDetect, FoundOnCom3AndBoundToItsPlugin) {
  const Family& f = GetParam();
  const QString found = QString("%1 v%2").arg(f.model, f.version);
  {
    TMainForm w;
    w.DetectBtnClick();
    QStringList lines = Lines(w);
    lines = lines.mid(lines.lastIndexOf("Searching equipment..."));
    EXPECT_EQ(lines, QStringList({"Searching equipment...", "COM1 not available.", "COM2 not available.",
                                  "COM3(19200) -> " + found, found + " ready in COM3 (19200)",
                                  "Loading library...", f.loadedLine}));
    EXPECT_EQ(w.LabelEquip->text(), f.model);
    EXPECT_EQ(w.modelCode, f.modelCode);
    ASSERT_NE(w.equipment, nullptr);
    EXPECT_STREQ(w.equipment->modelName, f.model);
    EXPECT_EQ(w.equipment->HasChannelIdentifier(), f.identifier);
    w.UpdateTools();
    EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, f.dataLogger, true, true, true, true, false}));
    EXPECT_TRUE(OpenPlanEditor(w));
    EXPECT_TRUE(prompter.shown.empty());
    sim->WaitTxIdle();
    // Identification only: the plug-in sends nothing when it loads (no tuner probe).
    for (const std::string& line : sim->Lines()) EXPECT_TRUE(line == "*?VE" || line == "*?NA" || line == "*") << line;
  }  // the main window unloads the plug-in
}

TEST_P(FamilyDetect, SelectedWithoutAnInstrumentOnlyTheEditors) {
  const Family& f = GetParam();
  TMainForm w;
  QTimer::singleShot(0, &w, [&f] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    const int at = dlg->ListDLLsComboBox->findText(QString(f.plugin).toUpper());
    ASSERT_GE(at, 0);
    dlg->ListDLLsComboBox->setCurrentIndex(at);
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_EQ(w.port, nullptr);
  EXPECT_EQ(Lines(w).last(), f.loadedLine);
  EXPECT_FALSE(w.equipment->HasChannelIdentifier());
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), std::vector<bool>({true, true, false, false, false, false, false, false}));
  EXPECT_TRUE(OpenPlanEditor(w));
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2),
            QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}));
  // A port tool asked for without an instrument says so and opens nothing.
  const int linesBefore = Lines(w).size();
  EXPECT_FALSE(w.equipment->RunMonitor());
  EXPECT_EQ(Lines(w).mid(linesBefore), QStringList{"Impossible to run Monitor without equipment"});
  sim->WaitTxIdle();
  EXPECT_EQ(sim->Received(), "");
}

// The Memory Editor button opens the family's memory editor: online it receives the meter's 99
// memories; after Select without an instrument it opens with Receive off.
TEST_P(FamilyDetect, MemoryEditorFromTheMainWindow) {
  if (!GetParam().memoryEditor) GTEST_SKIP() << "no memory editor in this plug-in yet";
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
    EXPECT_EQ(sim->Lines().back(), GetParam().lastMemoryQuery);
  }
  TMainForm w;
  QTimer::singleShot(0, &w, [] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    dlg->ListDLLsComboBox->setCurrentIndex(dlg->ListDLLsComboBox->findText(QString(GetParam().plugin).toUpper()));
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  const Seen offline = run(w, false);
  EXPECT_EQ(offline.title, "Memory Editor");
  EXPECT_FALSE(offline.receiveOn);
  EXPECT_EQ(offline.listed, 0);
}

namespace {

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

// The configuration and data logger of the plug-in, from the main window's buttons (the port
// tools' forms are of the plug-in's own copy of the framework: found by their controls' names).
TEST_P(FamilyDetect, EquipmentConfigurationButtonShowsTheMetersBoards) {
  if (!GetParam().portTools) GTEST_SKIP() << "no configuration dialog in this plug-in yet";
  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();
  QString model, title;
  QStringList items;
  RunTool(w.ConfigBtn, [&](QWidget* dlg) {
    auto* list = dlg->findChild<QListWidget*>("OptionsListBox");
    if (!list || list->count() == 0) return false;  // the start sequence runs 500 ms after opening
    title = dlg->windowTitle();
    model = dlg->findChild<QLabel*>("MakeLabel")->text();
    items = Items(list);
    dlg->findChild<QPushButton*>("CancelBtn")->click();
    return true;
  });
  EXPECT_EQ(title, "Equipment configuration");
  EXPECT_EQ(model, "CORVANE-4 v2.00");
  EXPECT_EQ(items, (QStringList{"0102 TER TUNER (5-862) in slot 03", "0100 SAT TUNER (950-2150) in slot 04",
                                "0101 MPEG2 (1.4) in slot 07", "     CONAX"}));
  EXPECT_EQ(LogLines(w).last(), "Equipment Configuration closed. Ready");
}

TEST_P(FamilyDetect, DataLoggerButtonDownloadsUntilCancel) {
  if (!GetParam().portTools) GTEST_SKIP() << "no data logger in this plug-in yet";
  cv::SetInstalledPrinterCount(0);
  TMainForm w;
  w.DetectBtnClick();
  ASSERT_NE(w.equipment, nullptr);
  w.UpdateTools();
  bool started = false;
  RunTool(w.DataLogBtn, [&](QWidget* dlg) {
    if (started) return false;
    started = true;
    // The download's first pump of the message loop, after test point 1, sees the Cancel.
    QTimer::singleShot(0, dlg, [dlg] { dlg->findChild<QPushButton*>("CancelDataLogBtn")->click(); });
    dlg->findChild<QPushButton*>("ReceiveDataBtn")->click();
    dlg->findChild<QPushButton*>("CloseDataLogBtn")->click();
    return true;
  });
  const QStringList lines = LogLines(w);
  EXPECT_TRUE(lines.contains("DataLogger stopped by user")) << lines.join('\n').toStdString();
  EXPECT_FALSE(lines.contains("DataLogger done"));
  sim->WaitTxIdle();
  size_t values = 0;
  for (const std::string& l : sim->Lines()) values += l.rfind("*?DL", 0) == 0;
  EXPECT_EQ(values, 33u) << "one test point's memories, then the Cancel";
  cv::SetInstalledPrinterCount(-1);
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyDetect, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.profile); });
