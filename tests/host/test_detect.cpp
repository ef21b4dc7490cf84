// Detection over pseudo-terminals, plug-in binding and dispatch, and the selection dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "AppServices.h"
#include "Detection.h"
#include "Equip.h"
#include "IniFile.h"
#include "Mainform.h"
#include "ModelConfig.h"
#include "Registry.h"
#include "Selectdlg.h"
#include "Serial.h"
#include "Simulator.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

const char* kGoodConfig = "[CORVANE3]\r\nCv3Tools\r\n3\r\n\r\n";

class DetectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    cv::SetHostIniPath(Path("CvTools.INI"));
    cv::SetRegistryFile(Path("registry.ini"));
    TMainForm::SetTimerIntervalForTests(1);
    // Every port but the simulator's leads nowhere.
    for (int n = 1; n <= 12; ++n) setenv(("CV_PORT_COM" + std::to_string(n)).c_str(), Path("absent" + QString::number(n)).c_str(), 1);
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    setenv("CV_PORT_COM3", sim.Path().c_str(), 1);
    ASSERT_TRUE(QFile::copy(QString(CV_BIN_DIR) + "/Cv3Tools.so", dir.filePath("Cv3Tools.so")));
  }
  void TearDown() override {
    for (int n = 1; n <= 12; ++n) unsetenv(("CV_PORT_COM" + std::to_string(n)).c_str());
    QDir::setCurrent(oldDir);
    cv::SetHostIniPath("");
    cv::SetRegistryFile("");
  }
  std::string Path(const QString& name) const { return dir.filePath(name).toStdString(); }
  void WriteFile(const QString& name, const QByteArray& content) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
  }
  void CopyTestPlugin(const char* name) {
    ASSERT_TRUE(QFile::copy(QString(CV_TEST_PLUGIN_DIR) + "/" + name, dir.filePath(name)));
  }
  // The memo lines from the last "Searching equipment..." on (or all of them).
  static QStringList Lines(TMainForm& w, const QString& from = {}) {
    QStringList all = w.LogMemo->toPlainText().split('\n');
    if (from.isEmpty()) return all;
    int at = all.lastIndexOf(from);
    return at < 0 ? QStringList{} : all.mid(at);
  }
  static QStringList Absent(int first, int last) {
    QStringList l;
    for (int n = first; n <= last; ++n) l << (n < 10 ? "COM" : "\\\\.\\COM") + QString::number(n) + " not available.";
    return l;
  }
  static std::vector<bool> Enabled(TMainForm& w) {
    std::vector<bool> e;
    for (QPushButton* b : {w.EditChBtn, w.EditMemBtn, w.DataLogBtn, w.MonitorBtn, w.SpectrumBtn, w.ConfigBtn, w.UpdateBtn, w.IdentBtn})
      e.push_back(b->isEnabled());
    return e;
  }
  static std::vector<bool> MenuEnabled(TMainForm& w) {
    std::vector<bool> e;
    for (QAction* a : {w.EditChMenu, w.EditMemMenu, w.DataLogMenu, w.MonitorMenu, w.SpectrumMenu, w.ConfigMenu, w.UpdateMenu, w.IdentMenu})
      e.push_back(a->isEnabled());
    return e;
  }

  QTemporaryDir dir;
  QString oldDir;
  cvsim::Simulator sim;
  cv::RecordingPrompter prompter;
};

// While it lives, a tool's modal dialog (when the tool has one) is closed as soon as it shows.
std::unique_ptr<QTimer> CloseToolDialogs() {
  auto closer = std::make_unique<QTimer>();
  closer->setInterval(5);
  QObject::connect(closer.get(), &QTimer::timeout, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  closer->start();
  return closer;
}

const std::vector<bool> kAllTools = {true, true, true, true, true, true, true, false};
const std::vector<bool> kOfflineTools = {true, true, false, false, false, false, false, false};
const std::vector<bool> kNoTools(8, false);

}  // namespace

TEST_F(DetectTest, FindsTheInstrumentOnCom3LoadsThePluginAndHandsItTheTools) {
  WriteFile("CvTools.cfg", kGoodConfig);
  TMainForm w;
  w.DetectBtnClick();
  EXPECT_EQ(Lines(w, "Searching equipment..."),
            QStringList({"Searching equipment..."}) + Absent(1, 2) +
                QStringList({"COM3(19200) -> CORVANE3 v2.10", "CORVANE3 v2.10 ready in COM3 (19200)", "Loading library...",
                             "Checking tuners", "Library Cv3Tools 1.22 loaded"}));
  EXPECT_EQ(w.LabelEquip->text(), "CORVANE3");
  EXPECT_EQ(w.LabelPort->text(), "COM3");
  EXPECT_EQ(w.SelectBtn->text(), "Select");
  EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled());
  EXPECT_EQ(w.modelCode, 3);
  EXPECT_EQ(w.foundPort, 2);
  ASSERT_NE(w.equipment, nullptr);
  ASSERT_NE(w.port, nullptr);
  EXPECT_FALSE(w.port->IsOpen());
  EXPECT_EQ(w.equipment->GetModelVariant(), 5);
  EXPECT_TRUE(prompter.shown.empty());

  cv::RunIdleHandler();
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), kAllTools);
  EXPECT_EQ(MenuEnabled(w), kAllTools);

  // A tool runs with all tools disabled, and the start directory comes back after it.
  QDir::setCurrent(QDir::tempPath());
  auto closer = CloseToolDialogs();
  w.SpectrumBtn->click();
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2), QStringList({"Executing Spectrum Analyser", "Spectrum Analyser closed. Ready"}));
  EXPECT_EQ(Enabled(w), kNoTools);
  EXPECT_EQ(QDir::currentPath(), dir.path());
  EXPECT_TRUE(w.StatusLine->currentMessage().isEmpty());
  QDir::setCurrent(QDir::tempPath());
  w.UpdateTools();
  w.MonitorMenu->trigger();  // the menu item shares the button's handler
  EXPECT_EQ(Lines(w).last(), "Remote Monitor closed. Ready");
  EXPECT_EQ(QDir::currentPath(), QDir(QDir::tempPath()).canonicalPath());
  QDir::setCurrent(dir.path());
  closer.reset();

  // Detect again while the plug-in holds the port: the plug-in goes first. A person takes longer
  // than the instrument's answer to the last tool's wake line, which must not be in flight.
  sim.WaitTxIdle();
  QThread::msleep(20);
  w.DetectBtnClick();
  QStringList again = Lines(w);
  int freeing = again.lastIndexOf("Freeing library...");
  ASSERT_GE(freeing, 0);
  EXPECT_LT(freeing, again.lastIndexOf("Searching equipment..."));
  EXPECT_NE(w.equipment, nullptr) << again.join("|").toStdString();
}

TEST_F(DetectTest, ConfigurationCasesMakeOnlyThatRateFail) {
  struct Row {
    const char* name;
    QByteArray config;
    QStringList com3;
    size_t boxes;
  } rows[] = {
      {"bad code, rates in order",
       "[CORVANE3]\nCv3Tools\nabc\nBAUDRATE=9600\n\n[X]\nXTools\n1\nBAUDRATE = 38400\n\n[Y]\nYTools\n2\nBAUDRATE=19200\n",
       {"Fatal error.", "Bad format of CvTools.cfg", "Unknown equipment", "COM3(19200) -> Equipment not detected",
        "Fatal error.", "Bad format of CvTools.cfg", "Unknown equipment", "COM3(38400) -> Equipment not detected",
        "Fatal error.", "Bad format of CvTools.cfg", "Unknown equipment", "COM3(9600) -> Equipment not detected"},
       3},
      {"code 127", "[CORVANE3]\nCv3Tools\n127\n", {"Unknown equipment", "COM3(19200) -> Equipment not detected"}, 0},
      {"code -1", "[CORVANE3]\nCv3Tools\n-1\n", {"Unknown equipment", "COM3(19200) -> Equipment not detected"}, 0},
      {"model not in the file", "[CORVANE4]\nCv4Tools\n4\n", {"Unknown equipment", "COM3(19200) -> Equipment not detected"}, 0},
  };
  for (const Row& r : rows) {
    WriteFile("CvTools.cfg", r.config);
    prompter.shown.clear();
    TMainForm w;
    w.DetectBtnClick();
    EXPECT_EQ(Lines(w, "Searching equipment..."), QStringList({"Searching equipment..."}) + Absent(1, 2) + r.com3 +
                                                      Absent(4, 12) + QStringList{"No connected equipment has been found!"})
        << r.name;
    EXPECT_EQ(prompter.shown.size(), r.boxes) << r.name;
    for (const auto& box : prompter.shown) EXPECT_EQ(box.text, "Fatal error.\nBad format of CvTools.cfg") << r.name;
    EXPECT_EQ(w.port, nullptr) << r.name;
    EXPECT_EQ(w.equipment, nullptr) << r.name;
    EXPECT_TRUE(w.LabelEquip->text().isEmpty() && w.LabelPort->text().isEmpty()) << r.name;
    EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled()) << r.name;
  }
}

TEST_F(DetectTest, ModelCodesAtBothEndsOfTheirRangeAreAccepted) {
  for (int code : {0, 126}) {
    WriteFile("CvTools.cfg", "[CORVANE3]\nCv3Tools\n" + QByteArray::number(code) + "\n");
    TMainForm w;
    w.DetectBtnClick();
    EXPECT_TRUE(Lines(w).contains("COM3(19200) -> CORVANE3 v2.10")) << code;
    EXPECT_EQ(w.modelCode, code);
    EXPECT_EQ(w.LabelEquip->text(), "CORVANE3") << code;
    w.FreeEquipmentDll();
  }
}

// The XON that follows the last identification reply may still be on its way when detection
// closes the port: on a line paced like the real one, and from an instrument that sends it late
// (100 ms, past the close and the next open). Unless detection takes it, the next session reads it
// as its own handshake and every reply after pairs with the command before.
TEST(DetectionOnASlowLine, AQueryRightAfterDetectionIsInStep) {
  const struct {
    const char* what;
    int baud;
    int lateXonMs;
  } rows[] = {{"paced at 4800", 4800, 0}, {"XON 100 ms late", 0, 100}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    cvsim::SimOptions options;
    options.baud = row.baud;
    cvsim::Simulator sim(nullptr, options);
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    sim.UpdateFaults([&](cvsim::Faults& f) { f.lateXonMs = row.lateXonMs; });
    for (int n = 1; n <= 12; ++n) setenv(("CV_PORT_COM" + std::to_string(n)).c_str(), "/nonexistent/tty", 1);
    setenv("CV_PORT_COM1", sim.Path().c_str(), 1);
    TModelConfig config;
    ASSERT_TRUE(config.ReadConfigText(kGoodConfig, "CvTools.cfg", error)) << error;
    TDetection detection(config);
    TSerial port(0);
    ASSERT_TRUE(detection.Search(port));
    ASSERT_TRUE(port.OpenConfigured(19200, 8, 0, 0));
    for (const char* query : {"*?VE", "*?NA", "*?VE", "*?NA"}) {
      char buffer[kReplyBufferSize] = {};
      std::strcpy(buffer, query);
      ASSERT_TRUE(port.Transact(buffer)) << query;
      EXPECT_EQ(std::string(buffer), std::string(query) == "*?VE" ? "*VE V2.10" : "*NA CORVANE 3") << query;
    }
    port.Close();
    for (int n = 1; n <= 12; ++n) unsetenv(("CV_PORT_COM" + std::to_string(n)).c_str());
  }
}

TEST_F(DetectTest, AMissingOrTruncatedConfigurationIsReportedAndLeavesTheButtonsUsable) {
  struct Row {
    const char* name;
    QByteArray config;  // empty: no file
    QString message;
  } rows[] = {
      {"missing", {}, "Unable to read the configuration file CvTools.cfg"},
      {"truncated", "[CORVANE3]\nCv3Tools\n3\n\n[CORVANE4]\nCv4Tools", "CvTools.cfg, line 5: the record [CORVANE4] lacks its library name or its model code"},
  };
  for (const Row& r : rows) {
    // An instrument found by an earlier detection: the failed one leaves nothing of it shown.
    WriteFile("CvTools.cfg", kGoodConfig);
    TMainForm w;
    w.DetectBtnClick();
    ASSERT_EQ(w.LabelEquip->text(), "CORVANE3") << r.name;
    QFile::remove(dir.filePath("CvTools.cfg"));
    if (!r.config.isEmpty()) WriteFile("CvTools.cfg", r.config);
    prompter.shown.clear();
    w.DetectBtnClick();
    EXPECT_EQ(Lines(w).last(), r.message) << r.name;
    EXPECT_TRUE(w.LabelEquip->text().isEmpty()) << r.name;
    EXPECT_TRUE(w.LabelPort->text().isEmpty()) << r.name;
    EXPECT_EQ(w.equipment, nullptr) << r.name;
    EXPECT_EQ(w.port, nullptr) << r.name;
    ASSERT_EQ(prompter.shown.size(), 1u) << r.name;
    EXPECT_EQ(prompter.shown[0].text, r.message) << r.name;
    EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled()) << r.name;
    EXPECT_EQ(w.SelectBtn->text(), "Select") << r.name;
    EXPECT_FALSE(w.detecting) << r.name;
  }
  // Select with no file at all: the message, no dialog, both buttons usable.
  QFile::remove(dir.filePath("CvTools.cfg"));
  prompter.shown.clear();
  TMainForm w;
  w.SelectBtnClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Unable to read the configuration file CvTools.cfg");
  EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled());
}

// The confirming identification (a second "*?NA") comes back garbled: the instrument found first
// stays identified and its plug-in is loaded.
TEST_F(DetectTest, AGarbledConfirmingReplyKeepsTheFirstIdentity) {
  WriteFile("CvTools.cfg", kGoodConfig);
  sim.WithProfile([](cvsim::Profile& p) {
    p.On("*?NA", [&p, asked = 0](const std::string&) mutable {
      return cvsim::Answer::Reply(++asked == 2 ? "*NA C#RV%NE 3" : "*NA " + p.model);
    });
  });
  TMainForm w;
  w.DetectBtnClick();
  EXPECT_EQ(Lines(w, "Searching equipment..."),
            QStringList({"Searching equipment..."}) + Absent(1, 2) +
                QStringList({"COM3(19200) -> CORVANE3 v2.10", "Unknown equipment", "CORVANE3 v2.10 ready in COM3 (19200)",
                             "Loading library...", "Checking tuners", "Library Cv3Tools 1.22 loaded"}));
  EXPECT_EQ(w.pluginName, "CV3TOOLS");
  EXPECT_EQ(w.LabelEquip->text(), "CORVANE3");
  EXPECT_EQ(w.modelCode, 3);
  EXPECT_NE(w.equipment, nullptr);
  EXPECT_TRUE(prompter.shown.empty());
}

// An instrument that runs at 14400 baud only, a rate outside the fixed termios set: the line is
// really set to it, and the instrument is found there and nowhere else.
TEST_F(DetectTest, FindsAnInstrumentAtARateOutsideTheFixedSet) {
  WriteFile("CvTools.cfg", "[CORVANE3]\nCv3Tools\n3\nBAUDRATE=14400\n");
  cvsim::SimOptions options;
  options.instrumentBaud = 14400;
  cvsim::Simulator at14400(nullptr, options);
  std::string error;
  ASSERT_TRUE(at14400.Start(&error)) << error;
  setenv("CV_PORT_COM3", at14400.Path().c_str(), 1);
  TModelConfig config;
  ASSERT_TRUE(config.ReadConfigFile(Path("CvTools.cfg"), error)) << error;
  TDetection detection(config);
  QStringList log;
  detection.log = [&log](const std::string& line) { log << QString::fromStdString(line); };
  TSerial port(1);
  port.timeScale = 0.05;  // the silent rate costs its XON wait
  ASSERT_TRUE(detection.Search(port));
  EXPECT_EQ(log, QStringList({"Searching equipment..."}) + Absent(1, 2) +
                     QStringList({"COM3(19200) -> Equipment not detected", "COM3(14400) -> CORVANE3 v2.10",
                                  "CORVANE3 v2.10 ready in COM3 (14400)"}));
  EXPECT_EQ(detection.foundBaud, 14400);
  EXPECT_EQ(at14400.LineBaud(), 14400u);
}

// A port whose line settings cannot be set is not asked at: its rate fails like any other.
TEST_F(DetectTest, APortThatRefusesItsSetUpIsNotAsked) {
  WriteFile("CvTools.cfg", kGoodConfig);
  WriteFile("com1", QByteArray("..\x11"));  // an XON waiting, after the wake line's place
  setenv("CV_PORT_COM1", Path("com1").c_str(), 1);
  setenv("CV_PORT_COM3", Path("absent3").c_str(), 1);
  TModelConfig config;
  std::string error;
  ASSERT_TRUE(config.ReadConfigFile(Path("CvTools.cfg"), error)) << error;
  TDetection detection(config);
  QStringList log;
  detection.log = [&log](const std::string& line) { log << QString::fromStdString(line); };
  TSerial port(1);
  port.timeScale = 0.05;
  EXPECT_FALSE(detection.Search(port));
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log[1], "COM1(19200) -> Equipment not detected");
  QFile sent(dir.filePath("com1"));
  ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
  EXPECT_EQ(sent.readAll(), QByteArray("*\r\x11"));  // the wake line only, no "*?VE"
}

TEST_F(DetectTest, StopEndsTheSearchAndSelectWaitsForTheLoop) {
  WriteFile("CvTools.cfg", kGoodConfig);
  TMainForm w;
  bool selectEnabledAfterStop = true;
  QTimer::singleShot(0, &w, [&] {
    EXPECT_EQ(w.SelectBtn->text(), "Stop");
    w.SelectBtnClick();
    selectEnabledAfterStop = w.SelectBtn->isEnabled();
  });
  w.DetectBtnClick();
  EXPECT_FALSE(selectEnabledAfterStop);
  EXPECT_EQ(Lines(w, "Searching equipment..."), QStringList({"Searching equipment..."}) + Absent(1, 2) + Absent(4, 12) +
                                                    QStringList{"No connected equipment has been found!"});
  EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled());
  EXPECT_EQ(w.SelectBtn->text(), "Select");
  EXPECT_EQ(w.equipment, nullptr);
}

TEST_F(DetectTest, ExitDuringDetectionWaitsForItToEnd) {
  WriteFile("CvTools.cfg", kGoodConfig);
  TMainForm w;
  w.show();
  QTimer::singleShot(0, &w, [&] { w.FileExit(); });
  w.DetectBtnClick();
  EXPECT_FALSE(w.isVisible());
  QStringList lines = Lines(w);
  EXPECT_EQ(lines.last(), "CvTools session properly closed.");
  EXPECT_GT(lines.indexOf("No connected equipment has been found!"), 0);
}

TEST_F(DetectTest, ABusyPortSaysWhyBesideTheUsualLine) {
  WriteFile("CvTools.cfg", kGoodConfig);
  TSerial holder(2);
  ASSERT_TRUE(holder.Open());
  TMainForm w;
  w.DetectBtnClick();
  QStringList lines = Lines(w, "Searching equipment...");
  int at = lines.indexOf("COM3 not available.");
  ASSERT_GT(at, 0);
  ASSERT_LT(at + 1, lines.size());
  EXPECT_NE(lines[at + 1], "COM4 not available.");
  EXPECT_TRUE(lines[at + 1].contains(QString::fromStdString(sim.Path()))) << lines[at + 1].toStdString();
}

TEST_F(DetectTest, LibrariesThatCannotServeAreReportedAndTheHostStaysUsable) {
  for (const char* n : {"NoEntryTools.so", "NullTools.so", "BrokenTools.so", "FalseTools.so"}) CopyTestPlugin(n);
  struct Row {
    const char* plugin;
    bool loaded;
    QStringList log;  // the lines the load adds (the loader's own text only checked for a word)
    QString box;
    bool equipment;
  } rows[] = {
      {"MISSING", false, {"Unable to find MISSING.dll"}, "Unable to find MISSING.dll", false},
      {"NOENTRYTOOLS", false, {"Loading library...", "Unable to execute NOENTRYTOOLS.dll"}, "Unable to execute NOENTRYTOOLS.dll", false},
      {"BROKENTOOLS", false, {"Unable to find BROKENTOOLS.dll", "cv_symbol_nobody_defines"}, "Unable to find BROKENTOOLS.dll", false},
      {"NullTools.dll", true, {"Loading library..."}, {}, false},
      {"falsetools", true, {"Loading library..."}, {}, true},
  };
  TMainForm w;
  for (const Row& r : rows) {
    prompter.shown.clear();
    int before = Lines(w).size();
    w.SetDllName(r.plugin);
    EXPECT_EQ(w.LoadEquipmentDll(), r.loaded) << r.plugin;
    QStringList added = Lines(w).mid(before);
    if (added.value(0) == "Freeing library...") added.removeFirst();
    ASSERT_EQ(added.size(), r.log.size()) << r.plugin << ": " << added.join(" | ").toStdString();
    for (int i = 0; i < r.log.size(); ++i) EXPECT_TRUE(added[i].contains(r.log[i])) << r.plugin << ": " << added[i].toStdString();
    if (r.box.isEmpty()) {
      EXPECT_TRUE(prompter.shown.empty()) << r.plugin;
    } else {
      ASSERT_EQ(prompter.shown.size(), 1u) << r.plugin;
      EXPECT_EQ(prompter.shown[0].caption, "CvTools");
      EXPECT_EQ(prompter.shown[0].text, r.box);
    }
    EXPECT_EQ(w.equipment != nullptr, r.equipment) << r.plugin;
    w.UpdateTools();
    EXPECT_EQ(Enabled(w), kNoTools) << r.plugin;
    EXPECT_TRUE(w.SelectBtn->isEnabled() && w.DetectBtn->isEnabled()) << r.plugin;
  }
  // The next load frees the plug-in through its _FreeEquip.
  w.SetDllName("MISSING");
  w.LoadEquipmentDll();
  EXPECT_EQ(qApp->property("cvFalseToolsFreed").toInt(), 1);
}

TEST_F(DetectTest, SelectionListsConfiguredLibrariesAndLoadsWithoutAPort) {
  CopyTestPlugin("NullTools.so");
  WriteFile("CvTools.cfg", "[Corvane3]\nCv3Tools\n3\n\n[CORVANE3S]\nCV3TOOLS\n4\n\n[CORVANE3T]\ncv3tools\n5\n\n[OTHER]\nMissingTools\n6\n");
  {
    TMainForm w;
    TSelectEquipmentDlg dlg(&w);
    ASSERT_EQ(dlg.ListDLLsComboBox->count(), 1);
    EXPECT_EQ(dlg.ListDLLsComboBox->itemText(0), "CV3TOOLS");
    QStringList models;
    for (int i = 0; i < dlg.EquipmentsListBox->count(); ++i) models << dlg.EquipmentsListBox->item(i)->text();
    EXPECT_EQ(models, QStringList({"CORVANE3", "CORVANE3S", "CORVANE3T"}));
    emit dlg.EquipmentsListBox->itemDoubleClicked(dlg.EquipmentsListBox->item(2));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(w.pluginName, "CV3TOOLS");
  }

  TMainForm w;
  w.DetectBtnClick();  // an instrument first, so Select must drop its port
  ASSERT_NE(w.port, nullptr);
  QTimer::singleShot(0, &w, [] {
    auto* dlg = qobject_cast<TSelectEquipmentDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    dlg->OKBtn->click();
  });
  w.SelectBtnClick();
  EXPECT_EQ(w.port, nullptr);
  EXPECT_EQ(w.LabelEquip->text(), "CV3TOOLS");
  EXPECT_EQ(w.LabelPort->text(), "No connection");
  ASSERT_NE(w.equipment, nullptr);
  EXPECT_EQ(Lines(w).last(), "Library Cv3Tools 1.22 loaded");
  w.UpdateTools();
  EXPECT_EQ(Enabled(w), kOfflineTools);
  EXPECT_EQ(MenuEnabled(w), kOfflineTools);
  auto closer = CloseToolDialogs();
  w.EditChBtn->click();
  EXPECT_EQ(Lines(w).mid(Lines(w).size() - 2),
            QStringList({"Executing Channel Editor (without equipment)", "Channel Editor closed. Ready"}));
}

TEST_F(DetectTest, SelectionWithoutRecordsOrLibraries) {
  WriteFile("CvTools.cfg", "; nothing here\n");
  {
    TMainForm w;
    TSelectEquipmentDlg dlg(&w);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "No DLLs found");
    EXPECT_EQ(dlg.ListDLLsComboBox->count(), 0);
    dlg.Accept();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
  }
  prompter.shown.clear();
  QFile::remove(dir.filePath("Cv3Tools.so"));
  WriteFile("CvTools.cfg", kGoodConfig);
  TMainForm w;
  TSelectEquipmentDlg dlg(&w);
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text,
            "Impossible to find any available equipment\nBe sure DLL files are in the same directory as CvTools.exe");
  EXPECT_EQ(prompter.shown[1].text, "No DLLs found");
  EXPECT_EQ(dlg.ListDLLsComboBox->count(), 0);
}

TEST_F(DetectTest, LibraryFileNamesMatchWithoutCase) {
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), "CV3TOOLS"), Path("Cv3Tools.so"));
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), "Cv3Tools.dll"), Path("Cv3Tools.so"));
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), "cv3tools.SO"), Path("Cv3Tools.so"));
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), "Cv3"), "");
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), "../x/Cv3Tools"), "");
  EXPECT_EQ(TPluginLibrary::FindLibraryFile(dir.path().toStdString(), ""), "");
}
