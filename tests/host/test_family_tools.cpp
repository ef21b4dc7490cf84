// The tools of a family's plug-in opened from the main window's buttons, with the plug-in found
// by detection on COM3 against the simulated meter: the monitor shows a reading, the firmware
// update runs a script chosen in the open dialog, and its MP button opens the MPEG-2 analyser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>

#include "AppServices.h"
#include "FamilyOnCom3.h"
#include "HeldInput.h"
#include "HostHome.h"
#include "Mainform.h"
#include "PlenarProfile.h"
#include "Profiles.h"
#include "Simulator.h"
#include "ToolButtons.h"

namespace {

struct Family {
  const char* profile;
  const char* plugin;
  const char* newVersion;  // the meter's version after an update
};

const Family kFamilies[] = {
    {"corvane4", "Cv4Tools", "2.10"},
    {"plenar", "CvPlenar", "2.30"},
};

class FamilyTools : public ::testing::TestWithParam<Family> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceFamilyOnCom3(home, GetParam().plugin, GetParam().profile, sim));
    w = std::make_unique<TMainForm>();
    w->DetectBtnClick();
    ASSERT_NE(w->equipment, nullptr);
    w->UpdateTools();
  }
  void TearDown() override { w.reset(); }
  // A person presses nothing before the meter has answered the wake line of the port's last
  // set-up (since the traffic was cleared): the line has arrived and the answer has gone out, which
  // a loaded machine can hold back for a while.
  void AwaitWakeLineAnswered() {
    SpinUntil([&] {
      const std::vector<std::string> lines = sim->Lines();
      return std::find(lines.begin(), lines.end(), "*") != lines.end() &&
             sim->Sent().find('\x11') != std::string::npos;
    });
    sim->WaitTxIdle();
    QThread::msleep(20);
  }

  HostHome home;
  std::unique_ptr<cvsim::Simulator> sim;
  std::unique_ptr<TMainForm> w;
  cv::RecordingPrompter prompter;
};

TEST_P(FamilyTools, MonitorShowsAReading) {
  QString title, shown;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    title = dlg->windowTitle();
    auto* memo = NamedChild<QPlainTextEdit>(dlg, "DisplayMemo");
    SpinUntil([&] { return memo && memo->toPlainText().contains("MHz"); });
    if (memo) shown = memo->toPlainText();
    NamedChild<QPushButton>(dlg, "CloseBtn")->click();
  });
  w->MonitorBtn->click();
  EXPECT_EQ(title, "Monitor");
  EXPECT_TRUE(shown.contains(" MHz")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("dBuV")) << shown.toStdString();
  EXPECT_TRUE(prompter.shown.empty());
}

// A good update file, then a corrupted one (its second line's checksum wrong), which leaves the
// version the good one gave.
TEST_P(FamilyTools, UpdateFromTheMainWindow) {
  const Family& f = GetParam();
  struct Run {
    const char* file;
    QStringList tail;  // the last lines of both logs
    std::string version;
  } runs[] = {
      {":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n",
       {"Updating successful", QString("New version:  ") + f.newVersion}, f.newVersion},
      {":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n", {"Updating failed"}, f.newVersion},
  };
  std::ofstream(home.Path("upd.pro")) << "SENDHEX fw.upd *HX\n";
  for (const Run& r : runs) {
    SCOPED_TRACE(r.tail.join('|').toStdString());
    std::ofstream(home.Path("fw.upd")) << r.file;
    QStringList zone;
    bool buttonsBack = false;
    QTimer::singleShot(0, w.get(), [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->windowTitle(), "Update Firmware");
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
    w->UpdateTools();  // the buttons come back after a tool on the main window's timer
    ASSERT_TRUE(w->UpdateBtn->isEnabled());
    w->UpdateBtn->click();
    EXPECT_TRUE(buttonsBack);
    EXPECT_EQ(zone.mid(zone.size() - r.tail.size()), r.tail) << zone.join('\n').toStdString();
    QStringList log = LogLines(*w);
    log = log.mid(log.lastIndexOf("PRO file found: upd.pro,"));
    ASSERT_GE(log.size(), 2) << LogLines(*w).join('\n').toStdString();
    EXPECT_EQ(log[1], "with updating file:  fw.upd");
    EXPECT_TRUE(log.join('\n').contains(r.tail.join('\n'))) << log.join('\n').toStdString();
    QFile transcript(home.filePath("upd.LOG"));
    ASSERT_TRUE(transcript.open(QIODevice::ReadOnly));
    EXPECT_TRUE(transcript.readAll().contains("SENDHEX fw.upd *HX"));
    // The version the meter holds now.
    sim->WithProfile([&](cvsim::Profile& p) { EXPECT_EQ(p.version, r.version); });
  }
  EXPECT_TRUE(prompter.shown.empty());
}

// MP in Update Firmware: the analyser runs on the port the button opens and closes, and the port
// is opened again after it, so a script started next in the same dialog updates the meter; a new
// Update Firmware updates again.
TEST_P(FamilyTools, AnalyzerFromTheUpdateDialog) {
  const Family& f = GetParam();
  std::ofstream(home.Path("upd.pro")) << "SENDHEX fw.upd *HX\n";
  std::ofstream(home.Path("fw.upd")) << ":0400000001020304F2\n:0400040005060708DE\n:00000001FF\n";
  QString analyzer, status;
  QStringList zone;
  QString received = "?";
  bool buttonsBack = false;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    // The update dialog's own wake line first: were its answer still on the way when MP reopens
    // the port, the analyser would pair it with its first query.
    AwaitWakeLineAnswered();
    QTimer::singleShot(0, dlg, [&] {
      QWidget* mpeg = QApplication::activeModalWidget();
      ASSERT_NE(mpeg, nullptr);
      analyzer = mpeg->windowTitle();
      AwaitWakeLineAnswered();
      NamedChild<QPushButton>(mpeg, "EstatMpegBtn")->click();
      if (auto* edit = NamedChild<QLineEdit>(mpeg, "EstatMpegEdit")) status = edit->text();
      mpeg->close();
    });
    sim->ClearTraffic();
    NamedChild<QPushButton>(dlg, "Mpeg2Btn")->click();
    AwaitWakeLineAnswered();  // the port opened again after the analyser
    QTimer::singleShot(0, dlg, [&] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(open, nullptr);
      open->selectFile(home.filePath("upd.pro"));
      QMetaObject::invokeMethod(open, "accept");
    });
    sim->WaitTxIdle();
    sim->ClearTraffic();
    auto* startBtn = NamedChild<QPushButton>(dlg, "StartBtn");
    auto* closeBtn = NamedChild<QPushButton>(dlg, "CloseBtn");
    startBtn->click();
    received = QString::fromStdString(sim->Received());
    zone = NamedChild<QPlainTextEdit>(dlg, "LogZone")->toPlainText().split('\n', Qt::SkipEmptyParts);
    buttonsBack = startBtn->isEnabled() && closeBtn->isEnabled();
    closeBtn->click();
  });
  w->UpdateTools();
  ASSERT_TRUE(w->UpdateBtn->isEnabled());
  sim->WaitTxIdle();
  sim->ClearTraffic();
  w->UpdateBtn->click();
  EXPECT_EQ(analyzer, "Mpeg2 Analyzer");
  EXPECT_TRUE(status.startsWith(" LOCK")) << status.toStdString();
  EXPECT_TRUE(received.contains("*HX:00000001FF\r")) << received.toStdString();
  EXPECT_EQ(zone.value(zone.size() - 1), QString("New version:  ") + f.newVersion) << zone.join('\n').toStdString();
  EXPECT_TRUE(buttonsBack);
  QStringList log = LogLines(*w);
  const int mp = log.indexOf("Executing Mpeg2 Analyzer");
  ASSERT_GE(mp, 0) << log.join('\n').toStdString();
  EXPECT_EQ(log.value(mp + 1), "Mpeg2 Analyzer closed. Ready");
  EXPECT_FALSE(log.mid(mp).contains("Updating failed"));
  sim->WithProfile([&](cvsim::Profile& p) { EXPECT_EQ(p.version, f.newVersion); });

  // Update Firmware again: its launcher opens the port, and the update runs to its new version.
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    QTimer::singleShot(0, dlg, [&] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(open, nullptr);
      open->selectFile(home.filePath("upd.pro"));
      QMetaObject::invokeMethod(open, "accept");
    });
    NamedChild<QPushButton>(dlg, "StartBtn")->click();
    zone = NamedChild<QPlainTextEdit>(dlg, "LogZone")->toPlainText().split('\n', Qt::SkipEmptyParts);
    NamedChild<QPushButton>(dlg, "CloseBtn")->click();
  });
  w->UpdateTools();
  ASSERT_TRUE(w->UpdateBtn->isEnabled());
  w->UpdateBtn->click();
  EXPECT_EQ(zone.value(zone.size() - 1), QString("New version:  ") + f.newVersion) << zone.join('\n').toStdString();
  sim->WithProfile([&](cvsim::Profile& p) { EXPECT_EQ(p.version, f.newVersion); });
  EXPECT_TRUE(prompter.shown.empty());
}

// An Intel HEX update of `records` data records and its end record, each line a record.
std::vector<std::string> UpdateRecords(int records) {
  std::vector<std::string> lines;
  for (int i = 0; i < records; ++i) {
    const int address = i * 4;
    const int bytes[] = {4, (address >> 8) & 0xFF, address & 0xFF, 0, i & 0xFF, 0x5A, 0xA5, (i * 7) & 0xFF};
    int sum = 0;
    std::string line = ":";
    for (int b : bytes) {
      line += QString("%1").arg(b, 2, 16, QChar('0')).toUpper().toStdString();
      sum += b;
    }
    lines.push_back(line + QString("%1").arg((0x100 - (sum & 0xFF)) & 0xFF, 2, 16, QChar('0')).toUpper().toStdString());
  }
  lines.push_back(":00000001FF");
  return lines;
}

// Every family's Update Firmware while its update runs: a person presses MP (which would open the
// port again and talk into the firmware being written), Start, Close, Esc and the close box from
// its fifth record on, as input queued to the window: the run's own event pumping lets it in, and
// what comes after its last pass is held until it ends. Nothing acts, then or afterwards: the
// dialog stays, every record reaches the meter once and in order with nothing between them and no
// second run, and the update ends with the new version.
class UpdateUnderFire : public FamilyTools {};

TEST_P(UpdateUnderFire, NoControlActsWhileAnUpdateRuns) {
  const std::vector<std::string> records = UpdateRecords(60);
  std::ofstream(home.Path("upd.pro")) << "SENDHEX fw.upd *HX\n";
  {
    std::ofstream file(home.Path("fw.upd"));
    for (const std::string& r : records) file << r << "\n";
  }
  struct Seen {
    bool pressed = false, stayed = false, anyOn = true, hasMp = false;
    size_t atRecord = 0;
    QStringList zone;
  } seen;
  QTimer::singleShot(0, w.get(), [&] {
    QWidget* dlg = QApplication::activeModalWidget();
    ASSERT_NE(dlg, nullptr);
    auto* startBtn = NamedChild<QPushButton>(dlg, "StartBtn");
    auto* closeBtn = NamedChild<QPushButton>(dlg, "CloseBtn");
    auto* mpBtn = dlg->findChild<QPushButton*>("Mpeg2Btn");
    seen.hasMp = mpBtn != nullptr;
    QTimer::singleShot(0, dlg, [&] {
      auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(open, nullptr);
      open->selectFile(home.filePath("upd.pro"));
      QMetaObject::invokeMethod(open, "accept");
    });
    // Were a control to open a window of its own, it must not hold the test.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [dlg] {
      QWidget* top = QApplication::activeModalWidget();
      if (top && top != dlg) top->close();
    });
    QTimer presser;
    presser.setInterval(0);
    QObject::connect(&presser, &QTimer::timeout, [&] {
      if (QApplication::activeModalWidget() != dlg) return;
      const std::vector<std::string> lines = sim->Lines();
      const size_t sent = std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("*HX", 0) == 0; });
      if (sent < 5) return;
      if (!seen.pressed) {
        seen.atRecord = sent;
        seen.anyOn = false;
        closer.start(100);
      }
      seen.pressed = true;
      seen.anyOn = seen.anyOn || startBtn->isEnabled() || closeBtn->isEnabled() || (mpBtn && mpBtn->isEnabled());
      for (QPushButton* b : {mpBtn, startBtn, closeBtn})
        if (b) cvtest::QueueClick(b);
      cvtest::QueueKey(dlg, Qt::Key_Escape);
      cvtest::QueueCloseRequest(dlg);
    });
    sim->WaitTxIdle();
    sim->ClearTraffic();
    presser.start();
    startBtn->click();
    presser.stop();
    cvtest::DrainEvents();
    seen.stayed = dlg->isVisible();
    seen.zone = NamedChild<QPlainTextEdit>(dlg, "LogZone")->toPlainText().split('\n', Qt::SkipEmptyParts);
    if (seen.stayed) closeBtn->click();
  });
  w->UpdateTools();
  ASSERT_TRUE(w->UpdateBtn->isEnabled());
  w->UpdateBtn->click();
  ASSERT_TRUE(seen.pressed) << "the run ended before the presses";
  EXPECT_LT(seen.atRecord, records.size()) << "pressed mid-run";
  EXPECT_FALSE(seen.anyOn);
  EXPECT_TRUE(seen.stayed);
  EXPECT_EQ(seen.hasMp, std::string(GetParam().profile) == "corvane4" || std::string(GetParam().profile) == "plenar");
  std::vector<std::string> lines = sim->Lines();
  const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("*HX", 0) == 0; });
  std::vector<std::string> run(first, std::min(lines.end(), first + static_cast<long>(records.size())));
  std::vector<std::string> expected;
  for (const std::string& r : records) expected.push_back("*HX" + r);
  EXPECT_EQ(run, expected) << "every record once, in order, nothing between";
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("*HX", 0) == 0; }),
            static_cast<long>(records.size()))
      << "no second run";
  EXPECT_TRUE(seen.zone.value(seen.zone.size() - 1).startsWith("New version:")) << seen.zone.join('\n').toStdString();
  const QStringList log = LogLines(*w);
  EXPECT_FALSE(log.contains("Executing Mpeg2 Analyzer")) << log.join('\n').toStdString();
  EXPECT_TRUE(prompter.shown.empty());
}

const Family kUpdateFamilies[] = {
    {"corvane3", "Cv3Tools", ""}, {"corvane4", "Cv4Tools", ""}, {"dv8", "DV8Tools", ""},
    {"plenar", "CvPlenar", ""},   {"corvane2", "Cv2Tools", ""},
};

INSTANTIATE_TEST_SUITE_P(Families, UpdateUnderFire, ::testing::ValuesIn(kUpdateFamilies),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.profile); });

// The CORVANE-PLENAR's 26 option records from the Equipment Configuration button: a meter with
// only its identity records, then one with every board and the CA text.
class PlenarTools : public FamilyTools {};

TEST_P(PlenarTools, ConfigurationFromTheMainWindow) {
  struct Case {
    const char* what;
    void (*set)(cvsim::PlenarProfile&);
    int lines;
  } cases[] = {{"identity only",
                [](cvsim::PlenarProfile& p) {
                  p.ClearBoards();
                  p.SetRegisterText(0x1591, "", 31);
                },
                1},
               {"every board", [](cvsim::PlenarProfile& p) { p.FitEveryBoard(); }, 22}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim->WithProfile([&](cvsim::Profile& p) { c.set(static_cast<cvsim::PlenarProfile&>(p)); });
    QString model;
    QStringList items;
    QTimer::singleShot(0, w.get(), [&] {
      QWidget* dlg = QApplication::activeModalWidget();
      ASSERT_NE(dlg, nullptr);
      auto* list = NamedChild<QListWidget>(dlg, "OptionsListBox");
      SpinUntil([&] { return list && list->count() > 0; });
      for (int i = 0; list && i < list->count(); ++i) items << list->item(i)->text();
      if (auto* label = NamedChild<QLabel>(dlg, "MakeLabel")) model = label->text();
      NamedChild<QPushButton>(dlg, "CancelBtn")->click();
    });
    w->UpdateTools();
    ASSERT_TRUE(w->ConfigBtn->isEnabled());
    w->ConfigBtn->click();
    EXPECT_EQ(model, "CORVANE-PLENAR v2.22");
    ASSERT_EQ(items.size(), c.lines) << items.join('\n').toStdString();
    if (c.lines == 1) EXPECT_EQ(items[0], "No options detected");
    else EXPECT_EQ(items[14], "     CONAX");
  }
  EXPECT_TRUE(prompter.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Plenar, PlenarTools, ::testing::Values(kFamilies[1]),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.profile); });

INSTANTIATE_TEST_SUITE_P(Families, FamilyTools, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.profile); });

}  // namespace
