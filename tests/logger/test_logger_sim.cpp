// The data logger dialog downloading from the simulated instrument.
#include <QProgressBar>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

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
  EXPECT_TRUE(Control("SaveAllBtn")->isEnabled());
  EXPECT_TRUE(Control("ReceiveDataBtn")->isEnabled());
  const auto& d = *dlg->Logger().download;
  EXPECT_FALSE(d.cells[0][1].empty()) << "test point 5 was read";
  EXPECT_TRUE(d.cells[0][2].empty()) << "test point 9 was not";
}

TEST_F(LoggerSim, UnansweredValueFailsTheDownloadAndKeepsWhatWasRead) {
  cv::SetInstalledPrinterCount(1);
  Click("ReceiveNamesBtn");
  Profile([](cvsim::Corvane3Profile& p) {
    p.On("*?DL", [&p](const std::string& line) {
      if (line == DL(4, 5)) return cvsim::Answer::NoAnswer();
      const auto v = p.LoggerValueOf(std::stoi(line.substr(4, 2), nullptr, 16), std::stoi(line.substr(6, 2), nullptr, 16));
      return cvsim::Answer::Reply(std::string("*DL") + v.flag + v.sign + v.digits);
    });
  });
  Click("ReceiveDataBtn");
  EXPECT_EQ(Sent("*?DL").back(), DL(4, 5));
  EXPECT_TRUE(Log().contains("DataLogger failed"));
  EXPECT_EQ(viewerRuns, 0);
  const auto& d = *dlg->Logger().download;
  EXPECT_FALSE(d.cells[0][1].empty()) << "memory 1 of test point 5 stays";
  EXPECT_TRUE(d.cells[1][1].empty());
  EXPECT_TRUE(Control("SaveAllBtn")->isEnabled());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(LoggerSim, SilentInstrumentFailsTheNamesWithABox) {
  sim->SetFaults({.silent = true});
  Click("ReceiveDataBtn");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Communication error. Failed");
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
  EXPECT_EQ(Control<QListWidget>("TPCheckListBox")->count(), 0);
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
