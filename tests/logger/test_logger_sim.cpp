// The data logger dialog downloading from the simulated instrument.
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "HeldInput.h"
#include "LoggerFixture.h"

namespace {

std::string DL(int memory, int tp) {
  char text[16];
  std::snprintf(text, sizeof text, "*?DL%02X%02X", memory, tp);
  return text;
}

std::string ReadFile(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST_F(LoggerSim, AllOnBothGroupsWithNothingTickedDownloadsEveryValueInOrder) {
  Click("ReceiveNamesBtn");
  ASSERT_TRUE(dlg->Logger().namesReceived);
  Click("UnselectTPBtn");
  Click("UnselectMemBtn");
  SetRadio("TPButtonRadio", 1);
  SetRadio("MemButtonRadio", 1);
  sim->ClearTraffic();
  Click("ReceiveDataBtn");

  std::vector<std::string> expected;
  for (int t = 1; t <= 99; ++t)
    for (int m = 1; m <= 99; ++m) expected.push_back(DL(m, t));
  EXPECT_EQ(Sent("*?DL"), expected);
  const auto& d = *dlg->Logger().download;
  ASSERT_EQ(d.MemoryCount(), 99);
  ASSERT_EQ(d.TPCount(), 99);
  // Memory 1 is a level in dBuV: tenths 300 + 3 m + 2 t.
  EXPECT_EQ(d.cells[0][0], "    30,5");
  EXPECT_EQ(d.cells[0][98], "    50,1");
  EXPECT_EQ(Log().filter("DataLogger done").size(), 1);
  EXPECT_EQ(prompter.beeps, 1);
  EXPECT_EQ(Control<QProgressBar>("Gauge")->value(), 100);
  EXPECT_TRUE(Control("SaveAllBtn")->isEnabled());
  EXPECT_TRUE(Control("CloseDataLogBtn")->isEnabled());
  EXPECT_FALSE(Control("CancelDataLogBtn")->isEnabled());
}

// Receive Data receives the names first; the selected test points (1, 5, 9, ...) and memories
// (1, 4, 7, ...) are downloaded. A Cancel clicked while test point 5 is read takes effect after
// its last memory.
TEST_F(LoggerSim, CancelDuringTestPointFiveStopsAfterItsMemories) {
  cv::SetInstalledPrinterCount(1);
  QPushButton* cancel = Control("CancelDataLogBtn");
  Profile([cancel](cvsim::Corvane3Profile& p) {
    p.On("*?DL", [&p, cancel](const std::string& line) {
      const int m = std::stoi(line.substr(4, 2), nullptr, 16), t = std::stoi(line.substr(6, 2), nullptr, 16);
      if (t == 5 && m == 1) QMetaObject::invokeMethod(cancel, "click", Qt::QueuedConnection);
      const auto v = p.LoggerValueOf(m, t);
      return cvsim::Answer::Reply(std::string("*DL") + v.flag + v.sign + v.digits);
    });
  });
  Click("ReceiveDataBtn");
  std::vector<std::string> expected;
  for (int t : {1, 5})
    for (int m = 1; m <= 99; m += 3) expected.push_back(DL(m, t));
  EXPECT_EQ(Sent("*?DL"), expected);
  EXPECT_TRUE(Log().contains("DataLogger stopped by user"));
  EXPECT_FALSE(Log().contains("DataLogger done"));
  EXPECT_EQ(viewerRuns, 0) << "a stopped download opens no sheet";
  EXPECT_TRUE(Control("ReceiveDataBtn")->isEnabled());
  EXPECT_FALSE(dlg->Logger().download) << "a stopped download is no whole one";
  EXPECT_FALSE(Control("SaveAllBtn")->isEnabled());
}

// The link goes from one value on. The download that failed is dropped: the last whole one
// stays and saves as it did; without one Save All stays off. The box names the value.
TEST_F(LoggerSim, LinkLostPartWayKeepsTheLastWholeDownloadAndNamesWhatDidNotCome) {
  cv::SetInstalledPrinterCount(1);
  const QString path = start.filePath("kept.csv");
  dlg->chooseSaveFile = [&]() { return path; };
  struct Row {
    int memory, tp;
    bool previous;
  } rows[] = {{1, 1, true}, {4, 5, true}, {97, 97, true}, {4, 5, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "memory " << r.memory << " test point " << r.tp);
    // Each row is a launch of the tool, which opens the port afresh after the lost link.
    dlg.reset();
    port.Close();
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    dlg = std::make_unique<TDataLoggerDlg>(&host.form, equip.get());
    dlg->runViewer = [this]() { ++viewerRuns; };
    dlg->chooseSaveFile = [&]() { return path; };
    std::string before;
    if (r.previous) {
      Click("ReceiveDataBtn");
      Click("SaveAllBtn");
      before = ReadFile(path);
      ASSERT_FALSE(before.empty());
    }
    const auto kept = dlg->Logger().download;
    cvsim::Profile::Handler answers;
    Profile([&](cvsim::Corvane3Profile& p) {
      answers = p.HandlerOf("*?DL");
      auto lost = std::make_shared<bool>(false);
      p.On("*?DL", [answers, lost, r](const std::string& line) {
        if (line == DL(r.memory, r.tp)) *lost = true;
        return *lost ? cvsim::Answer::NoAnswer() : answers(line);
      });
    });
    host.Clear();
    sim->ClearTraffic();
    prompter.shown.clear();
    viewerRuns = 0;
    Click("ReceiveDataBtn");

    ASSERT_FALSE(Sent("*?DL").empty()) << (prompter.shown.empty() ? QString() : prompter.shown[0].text).toStdString();
    EXPECT_EQ(Sent("*?DL").back(), DL(r.memory, r.tp)) << "nothing is asked after the lost value";
    EXPECT_TRUE(Log().contains("DataLogger failed"));
    EXPECT_EQ(viewerRuns, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "DataLogger Error");
    EXPECT_EQ(prompter.shown[0].text, QString("The value of memory %1 at test point %2 did not come: the download is "
                                              "not complete and was not kept.")
                                          .arg(r.memory)
                                          .arg(r.tp));
    EXPECT_EQ(dlg->Logger().download, kept);
    EXPECT_EQ(Control("SaveAllBtn")->isEnabled(), r.previous);
    EXPECT_TRUE(Control("CloseDataLogBtn")->isEnabled());
    EXPECT_FALSE(Control("CancelDataLogBtn")->isEnabled());
    if (r.previous) {
      QFile::remove(path);
      Click("SaveAllBtn");
      const std::string after = ReadFile(path);
      // The first line carries the time of the save.
      EXPECT_EQ(after.substr(after.find('\n')), before.substr(before.find('\n')));
    }
    Profile([&](cvsim::Corvane3Profile& p) { p.On("*?DL", answers); });
  }
}

TEST_F(LoggerSim, SilentInstrumentFailsTheNamesWithABox) {
  sim->SetFaults({.silent = true});
  Click("ReceiveDataBtn");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Communication error. Failed\nMemory 1 did not come.");
  EXPECT_EQ(Log(), (QStringList{"DL: Reading memories...", "Communication error. Failed"}));
  EXPECT_EQ(Control<QListWidget>("TPCheckListBox")->count(), 0);
  EXPECT_EQ(Control<QListWidget>("MemCheckListBox")->count(), 0);
  EXPECT_FALSE(dlg->Logger().namesReceived);
  EXPECT_TRUE(Sent("*?DL").empty());
  EXPECT_FALSE(Control("SaveAllBtn")->isEnabled());
}

// An unreadable version fails the names after the memories were read.
TEST_F(LoggerSim, VersionDecidesTheTimeStamps) {
  struct Row {
    const char* version;
    size_t tpQueries;
    bool timeColumns;
    const char* firstStamp;
  } rows[] = {{"V2.44", 0, false, ""}, {"V2.45", 99, true, "10:01:05,03/04/05"}, {"V3.10", 99, true, "10:01:05,03/04/05"}};
  for (const Row& r : rows) {
    Profile([&](cvsim::Corvane3Profile& p) { p.version = r.version; });
    sim->ClearTraffic();
    Click("ReceiveNamesBtn");
    ASSERT_TRUE(dlg->Logger().namesReceived) << r.version;
    EXPECT_EQ(Sent("*?TP").size(), r.tpQueries) << r.version;
    EXPECT_EQ(Sent("*?DST").size(), 99u) << r.version;
    EXPECT_EQ(dlg->Logger().testPoints[0].timeStamp, r.firstStamp) << r.version;
    Click("ReceiveDataBtn");
    EXPECT_EQ(dlg->Logger().download->timeColumns, r.timeColumns) << r.version;
  }
  Profile([&](cvsim::Corvane3Profile& p) { p.On("*?VE", [](const std::string&) { return cvsim::Answer::NoAnswer(); }); });
  host.Clear();
  Click("ReceiveNamesBtn");
  EXPECT_FALSE(dlg->Logger().namesReceived);
  EXPECT_TRUE(Log().contains("Equipment not detected!"));
  EXPECT_EQ(Log().back(), "Communication error. Failed");
  EXPECT_EQ(Control<QListWidget>("TPCheckListBox")->count(), 99) << "the names received before stay";
}

// The memory replies' listed faults: a short one keeps the old record, one numbered 00 fills
// memory 1's record; the loop goes on to memory 99 either way.
TEST_F(LoggerSim, BadMemoryRepliesAreLoggedAndTheLoopGoesOn) {
  Click("ReceiveNamesBtn");
  const cv::logger::TLoggerMemory before3 = dlg->Logger().memories[2];
  Profile([](cvsim::Corvane3Profile& p) {
    p.loggerSrOverride[3] = "*SR03SHRT";
    auto m = p.loggerMemories[3];
    m.name = "ZERO";
    p.loggerSrOverride[4] = cvsim::Corvane3Profile::LoggerRecord(0, m);
  });
  host.Clear();
  sim->ClearTraffic();
  Click("ReceiveNamesBtn");
  EXPECT_TRUE(dlg->Logger().namesReceived);
  EXPECT_EQ(Sent("*?DSM").size(), 99u);
  EXPECT_TRUE(Log().contains("Longer SR answer expected from the equipment"));
  EXPECT_EQ(Log().filter("Memory number out of range in SR answer: ").size(), 1);
  EXPECT_STREQ(dlg->Logger().memories[2].name, before3.name);
  EXPECT_STREQ(dlg->Logger().memories[0].name, "ZERO");
  EXPECT_TRUE(Control<QListWidget>("MemCheckListBox")->item(0)->text().startsWith("0 ZERO"));
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LoggerSim, NothingWantedIsRefusedWithItsBox) {
  Click("ReceiveNamesBtn");
  struct Row {
    bool untickTPs, untickMemories;
    const char* text;
  } rows[] = {{true, true, "You must select Test Points and Memories"},
              {true, false, "You must select Test Points "},
              {false, true, "You must select Memories"}};
  for (const Row& r : rows) {
    Click("ReceiveNamesBtn");
    if (r.untickTPs) Click("UnselectTPBtn");
    if (r.untickMemories) Click("UnselectMemBtn");
    prompter.shown.clear();
    sim->ClearTraffic();
    Click("ReceiveDataBtn");
    ASSERT_EQ(prompter.shown.size(), 1u) << r.text;
    EXPECT_EQ(prompter.shown[0].caption, "DataLogger Error");
    EXPECT_EQ(prompter.shown[0].text, r.text);
    EXPECT_TRUE(Sent("*?DL").empty()) << r.text;
  }
}

// The sheet opens after a good download only when a printer is installed; Save All works
// without one, and the file follows the download, not the selection on screen afterwards.
TEST_F(LoggerSim, SheetNeedsAPrinterAndSaveAllFollowsTheDownload) {
  Click("ReceiveDataBtn");
  EXPECT_EQ(viewerRuns, 0);
  EXPECT_FALSE(Log().contains("Running DataLogger viewer"));
  ASSERT_TRUE(Control("SaveAllBtn")->isEnabled());

  const QString path = start.filePath("run.csv");
  dlg->chooseSaveFile = [&]() { return path; };
  Click("SaveAllBtn");
  const std::string first = ReadFile(path);
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(Log().back(), "DataLogger file: run.csv");
  // 33 memories, 25 test points, time columns (V2.10 has none).
  std::stringstream lines(first);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("## DataLogger generated by CvTools. ", 0), 0u);
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("Num:; 1; 4; 7;", 0), 0u) << line;

  // Unselect All and a radio change after the download change nothing in the file; a rename does.
  Click("UnselectMemBtn");
  SetRadio("TPButtonRadio", 1);
  dlg->Logger().testPoints[4].name = "ROOF";
  Click("SaveAllBtn");
  std::string expected = first;
  const size_t at = expected.find("\nTP5;");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 5, "\nROOF;");
  EXPECT_EQ(ReadFile(path).substr(first.find('\n')), expected.substr(first.find('\n')));

  cv::SetInstalledPrinterCount(1);
  SetRadio("TPButtonRadio", 0);
  Click("ReceiveNamesBtn");
  EXPECT_FALSE(Control("SaveAllBtn")->isEnabled()) << "Receive Names switches Save All off";
  host.Clear();
  Click("ReceiveDataBtn");
  EXPECT_EQ(viewerRuns, 1);
  EXPECT_EQ(Log().mid(Log().size() - 3),
            (QStringList{"DataLogger done", "Running DataLogger viewer", "Closed DataLogger viewer"}));
}

TEST_F(LoggerSim, FileThatCannotBeCreatedIsToldInABox) {
  Click("ReceiveDataBtn");
  const QString path = start.filePath("missing/run.csv");
  dlg->chooseSaveFile = [&]() { return path; };
  host.Clear();
  Click("SaveAllBtn");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Warning);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Couldn't open or create file " + path +
                                        "\nBe sure this file is not in use by another program.");
  EXPECT_EQ(Log().first(), "Couldn't open or create file " + path);
  EXPECT_FALSE(Log().join('\n').contains("DataLogger file: "));
}

// Receive Names failing at any query keeps the lists, their ticks and a typed test-point name,
// and Save All as it was; the box names what did not come.
TEST_F(LoggerSim, NamesFailingPartWayKeepWhatThePersonHad) {
  Profile([](cvsim::Corvane3Profile& p) { p.version = "V2.45"; });
  Click("ReceiveDataBtn");
  ASSERT_TRUE(Control("SaveAllBtn")->isEnabled());
  auto* tps = Control<QListWidget>("TPCheckListBox");
  auto* memories = Control<QListWidget>("MemCheckListBox");
  tps->item(1)->setCheckState(Qt::Checked);
  memories->item(0)->setCheckState(Qt::Unchecked);
  dlg->Logger().testPoints[2].name = "ROOF";
  dlg->ShowLoggerItem(2);
  const auto download = dlg->Logger().download;
  const cv::logger::TLoggerTP tp3 = dlg->Logger().testPoints[2];

  struct Row {
    const char* prefix;
    const char* query;
    const char* missing;  // the box's second line; empty: none
  } rows[] = {{"*?SR", "*?SR01", "Memory 1 did not come."},
              {"*?DSM", "*?DSM32", "Memory 50 did not come."},
              {"*?SR", "*?SR63", "Memory 99 did not come."},
              {"*?VE", "*?VE", ""},
              {"*?DST", "*?DST01", "Test point 1 did not come."},
              {"*?TP", "*?TP63", "Test point 99 did not come."}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.query);
    cvsim::Profile::Handler answers;
    Profile([&](cvsim::Corvane3Profile& p) {
      answers = p.HandlerOf(r.prefix);
      p.On(r.prefix, [answers, &r](const std::string& line) {
        return line == r.query ? cvsim::Answer::NoAnswer() : answers(line);
      });
    });
    prompter.shown.clear();
    sim->ClearTraffic();
    Click("ReceiveNamesBtn");
    Profile([&](cvsim::Corvane3Profile& p) { p.On(r.prefix, answers); });

    ASSERT_FALSE(sim->Lines().empty());
    EXPECT_EQ(sim->Lines().back(), r.query);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              QString("Communication error. Failed") + (*r.missing ? QString("\n") + r.missing : QString()));
    EXPECT_FALSE(dlg->Logger().namesReceived);
    ASSERT_EQ(tps->count(), 99);
    ASSERT_EQ(memories->count(), 99);
    EXPECT_EQ(tps->item(2)->text(), "3 ROOF");
    EXPECT_EQ(tps->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(memories->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(dlg->Logger().testPoints[2].name, "ROOF");
    EXPECT_EQ(dlg->Logger().testPoints[2].timeStamp, tp3.timeStamp);
    EXPECT_TRUE(dlg->Logger().testPoints[1].selected);
    EXPECT_FALSE(dlg->Logger().memories[0].selected);
    EXPECT_EQ(dlg->Logger().download, download);
    EXPECT_TRUE(Control("SaveAllBtn")->isEnabled());
    EXPECT_TRUE(Control("ReceiveNamesBtn")->isEnabled());
    // The instrument stuck on the unanswered line: the cable is put back, the dialog stays.
    port.Close();
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
  }
  // A good reply resets them, as names received are the instrument's.
  Click("ReceiveNamesBtn");
  EXPECT_TRUE(dlg->Logger().namesReceived);
  EXPECT_EQ(tps->item(2)->text(), "3 TP3");
  EXPECT_FALSE(Control("SaveAllBtn")->isEnabled());
}

// The download lets window events run, and what comes after its last pass of the event loop is
// held by the window system until it ends. A person pressing every other control, Esc and the
// close box from some point of the download on changes nothing, then or afterwards: the wire
// carries the download alone, the dialog stays and the download ends whole. The controls come
// back as they were.
TEST_F(LoggerSim, NoControlActsWhileValuesAreRead) {
  const char* locked[] = {"ReceiveNamesBtn", "ReceiveDataBtn", "SaveAllBtn", "UnselectTPBtn",
                          "UnselectMemBtn",  "HelpDataLogBtn", "CloseDataLogBtn"};
  struct Row {
    const char* during;
    size_t after;  // the presses come once this many of the 25 x 33 values were asked
  } rows[] = {{"*?DL", 40}, {"*?DL", 800}};
  dlg->show();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.after);
    int presses = 0;
    bool anyOn = false;
    QTimer presser;
    presser.setInterval(0);
    QObject::connect(&presser, &QTimer::timeout, [&] {
      if (Sent(r.during).size() < r.after) return;
      ++presses;
      for (const char* name : locked) {
        anyOn = anyOn || Control(name)->isEnabled();
        cvtest::QueueClick(Control(name));
      }
      cvtest::QueueKey(dlg.get(), Qt::Key_Escape);
      cvtest::QueueCloseRequest(dlg.get());
    });
    Click("ReceiveNamesBtn");  // names received, so Receive Data reads no names first
    sim->ClearTraffic();
    presser.start();
    Click("ReceiveDataBtn");
    presser.stop();
    cvtest::DrainEvents();
    ASSERT_GT(presses, 0);
    EXPECT_FALSE(anyOn);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Sent("*?DL").size(), 25u * 33u);
    EXPECT_EQ(Sent("*?DL").size(), sim->Lines().size()) << "nothing else was asked";
    EXPECT_TRUE(Log().contains("DataLogger done"));
    EXPECT_TRUE(prompter.shown.empty());
    for (const char* name : locked) EXPECT_TRUE(Control(name)->isEnabled()) << name;
    EXPECT_FALSE(Control("CancelDataLogBtn")->isEnabled());
  }
}
