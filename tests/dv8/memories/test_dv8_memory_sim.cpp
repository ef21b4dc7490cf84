// The DV-800 memory editor against the simulated meter over a pseudo-terminal: Receive with the
// meter's faults, Send All and Send One with the compatibility check, a refused memory, the save
// question.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

#include "Dv8MemoryKit.h"
#include "../../memories/SendFailures.h"
#include "Dv8Sim.h"

using cvsim::Dv8Profile;
using memtest8::Rig;

namespace {

class Dv8MemorySim : public testing::Test, public Dv8Sim {
 public:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    rig = std::make_unique<Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    rig->host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }

  std::vector<std::string> Stored() {
    std::vector<std::string> m;
    Profile([&](Dv8Profile& p) {
      for (int n = 1; n <= 99; ++n) m.push_back(p.Dv8MemoryReply(n));
    });
    return m;
  }
  std::vector<std::string> SentStarting(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  void LoadDefaults() {
    rig->editor.records = memtest8::DefaultRecords();
    rig->editor.loaded = true;
    rig->editor.FillMemoryList();
  }
  std::unique_ptr<Rig> rig;
};

}  // namespace

TEST_F(Dv8MemorySim, ReceiveAllAndSendThemBack) {
  rig->editor.ReceiveBtnClick();
  EXPECT_TRUE(rig->editor.loaded);
  EXPECT_TRUE(rig->prompter.shown.empty());
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Receiving memories from equipment...", "Receiving memories complete"}));
  const auto queries = SentStarting("*?SR");
  ASSERT_EQ(queries.size(), 99u);
  EXPECT_EQ(queries[9], "*?SR0A");
  EXPECT_EQ(rig->editor.records, memtest8::DefaultRecords());
  ASSERT_EQ(rig->editor.listLines.size(), 99u);
  EXPECT_EQ(rig->editor.listLines[0], " 1 M001 TER   53,25");
  EXPECT_EQ(rig->view.gauges.back(), 100);
  const cv::mem::MemoryButtons on{true, true, true, true, true, true, true};
  EXPECT_EQ(rig->editor.buttons, on);

  for (int i = 0; i < 99; ++i) std::snprintf(rig->editor.records[i].label, 5, "N%03u", static_cast<unsigned>(i + 1) % 1000u);
  rig->host.Clear();
  sim->ClearTraffic();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...", "Sending memories complete"}));
  const auto sent = SentStarting("*SR");
  ASSERT_EQ(sent.size(), 99u);
  EXPECT_EQ(sim->Lines().front(), "*?VE");
  EXPECT_EQ(Stored(), sent);
  EXPECT_EQ(sent[4].substr(0, 9), "*SR05N005");
}

// Received and sent back untouched, every memory goes out as the meter gave it.
TEST_F(Dv8MemorySim, ReceivedMemoriesGoBackByteForByte) {
  const auto before = Stored();
  rig->editor.ReceiveBtnClick();
  ASSERT_TRUE(rig->editor.loaded);
  sim->ClearTraffic();
  rig->editor.SendBtnClick();
  EXPECT_EQ(SentStarting("*SR"), before);
  EXPECT_EQ(Stored(), before);
}

TEST_F(Dv8MemorySim, LabelsWithSeparatorsGoThroughSaveReadAndSendUnshifted) {
  memtest::HostileLabelsThroughTheMeter(*rig, *rig->equip, [this] { LoadDefaults(); });
}

TEST_F(Dv8MemorySim, ReceiveFaults) {
  struct Case {
    const char* name;
    std::function<void(Dv8Profile&)> fault;
    bool ok;
    std::vector<std::string> log;  // between the first line and the last
    size_t listed;
  };
  const Case cases[] = {
      {"a field out of range is kept", [](Dv8Profile& p) { p.outOfRangeMemory = 4; }, true,
       {"Error(s) in memory number 4:", " Color TV: 9 (0-3)", "Warning. Bad data in memory number 4"}, 99},
      {"a satellite C/N reference memory ends it", [](Dv8Profile& p) { p.satelliteMemory = 5; }, false,
       {"Error(s) in memory number 5:", " Frequency: 1000 (5-862)", " C/N reference frequency: 1200 (5-862)",
        "Warning. Bad data in memory number 5"},
       4},
      {"an answer numbered 00 stores nothing", [](Dv8Profile& p) { p.zeroNumberFor = 6; }, false,
       {"Error. The answer for memory number 6 names memory number 00: nothing stored",
        "Warning. Bad data in memory number 6"},
       5},
      {"a memory that does not answer", [](Dv8Profile& p) { p.unansweredFor = 7; }, false,
       {"Error asking equipment for memory number 7"}, 6},
      {"a BER COFDM memory comes in whole", [](Dv8Profile& p) { p.cofdmMemory = 8; }, true, {}, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile([](Dv8Profile& p) { p.outOfRangeMemory = p.satelliteMemory = p.zeroNumberFor = p.unansweredFor = 0; });
    Profile(c.fault);
    rig->host.Clear();
    rig->prompter.shown.clear();
    rig->editor.loaded = false;
    rig->editor.ReceiveBtnClick();
    EXPECT_EQ(rig->editor.loaded, c.ok);
    auto log = rig->Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end() - (c.ok ? 1 : 0)), c.log);
    EXPECT_EQ(rig->editor.listLines.size(), c.listed);
    EXPECT_EQ(rig->prompter.shown.size(), c.ok ? 0u : 1u);
    // A memory that came is named with why it was refused; one that did not come, as missing.
    const bool came = !c.log.empty() && c.log.back().rfind("Warning. Bad data", 0) == 0;
    if (!c.ok) {
      EXPECT_EQ(cv::To1252(rig->prompter.shown[0].text),
                came ? memtest::ReceiveRefusedBox(static_cast<int>(c.listed + 1), {c.log.begin(), c.log.end() - 1})
                     : memtest::ReceiveFailedBox(c.listed + 1));
    }
  }
  EXPECT_EQ(rig->editor.records[7].meas, '6');
  EXPECT_EQ(rig->editor.records[7].carriers, "04"[8 % 2]);
}

TEST_F(Dv8MemorySim, IncompatibleMemoriesAreNeverSent) {
  struct Case {
    const char* name;
    int memory;
    std::function<void(MemoryRecord&)> set;
    const char* line;
  } cases[] = {
      {"a satellite memory", 5, [](MemoryRecord& r) { r.band = 'S'; r.freq = 1200.0f; },
       "Memory 5: connected equipment has not SAT band"},
      {"a BER COFDM memory", 9, [](MemoryRecord& r) { r.meas = '6'; r.carriers = '0'; r.guardInt = '1'; },
       "Memory 9: COFDM not supported."},
  };
  const auto before = Stored();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadDefaults();
    c.set(rig->editor.records[c.memory - 1]);
    rig->host.Clear();
    rig->prompter.shown.clear();
    sim->ClearTraffic();
    rig->editor.SendBtnClick();
    EXPECT_EQ(rig->Log(), std::vector<std::string>{c.line});
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "There are memories not compatible\nwith connected equipment");
    EXPECT_EQ(rig->prompter.shown[0].caption, "MEMORIES ERROR");
    EXPECT_EQ(rig->prompter.shown[0].icon, cv::MsgIcon::Warning);

    rig->host.Clear();
    rig->editor.SelectLine(c.memory - 1);
    rig->editor.SendOneBtnClick();
    EXPECT_EQ(rig->Log(), std::vector<std::string>{c.line});
    ASSERT_EQ(rig->prompter.shown.size(), 2u);
    EXPECT_EQ(rig->prompter.shown[1].text, "This memory is not compatible\nwith the connected equipment");
    EXPECT_TRUE(SentStarting("*SR").empty());
    EXPECT_EQ(Stored(), before);
  }
}

TEST_F(Dv8MemorySim, SendOne) {
  LoadDefaults();
  std::memcpy(rig->editor.records[0].label, "ONE1", 4);
  ASSERT_EQ(rig->editor.listIndex, -1);
  const cv::mem::MemoryButtons before = rig->editor.buttons;
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->editor.listIndex, 0);
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Memory number 1 sent"});
  EXPECT_EQ(sim->Lines().front(), "*?VE");
  ASSERT_EQ(SentStarting("*SR").size(), 1u);
  EXPECT_EQ(Stored()[0].substr(5, 4), "ONE1");
  EXPECT_EQ(rig->editor.buttons, before);

  // A field widened by a value that failed its check is not sent.
  rig->host.Clear();
  sim->ClearTraffic();
  rig->editor.records[0].bw = 999.99f;
  rig->editor.SendOneBtnClick();
  auto log = rig->Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "Error. Bad *?SR length: ");
  EXPECT_EQ(log[1].size(), 43u);
  EXPECT_TRUE(SentStarting("*SR").empty());

  // Refused by the meter.
  rig->editor.records[0] = memtest8::DefaultRecords()[0];
  Profile([](Dv8Profile& p) { p.refusedMemory = 1; });
  rig->host.Clear();
  rig->editor.SendOneBtnClick();
  log = rig->Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "Error: memory not accepted by equipment: ");
  EXPECT_EQ(log[1], cvsim::Dv8Profile::Dv8Record(1));
}

TEST_F(Dv8MemorySim, ARefusedMemoryStopsSendAll) {
  Profile([](Dv8Profile& p) { p.refusedMemory = 3; });
  LoadDefaults();
  rig->editor.SendBtnClick();
  const auto sent = SentStarting("*SR");
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...",
                                                  "Error: memory number 3 not accepted by equipment: ", sent[2]}));
  EXPECT_TRUE(rig->editor.loaded);
}

TEST_F(Dv8MemorySim, SilentMeter) {
  LoadDefaults();
  sim->SetFaults([] {
    cvsim::Faults f;
    f.silent = true;
    return f;
  }());
  rig->editor.SendOneBtnClick();
  rig->editor.SendBtnClick();
  rig->editor.ReceiveBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memory Error: Equipment not detected",
                                                  "Sending memories Error: Equipment not detected",
                                                  "Receiving memories Error: equipment not detected"}));
}

// The save question before Receive: Cancel, or a Yes whose save does not complete, stops it; No,
// or a Yes that saved, goes on.
TEST_F(Dv8MemorySim, TheSaveQuestion) {
  QTemporaryDir dir;
  struct Case {
    const char* name;
    cv::MsgAnswer answer;
    bool savePicked;
    bool received;
  } cases[] = {{"Cancel", cv::MsgAnswer::Cancel, true, false},
               {"Yes, save cancelled", cv::MsgAnswer::Yes, false, false},
               {"Yes, saved", cv::MsgAnswer::Yes, true, true},
               {"No", cv::MsgAnswer::No, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadDefaults();
    std::memcpy(rig->editor.records[0].label, "EDIT", 4);
    rig->editor.modified = true;
    rig->prompter.shown.clear();
    rig->prompter.answers = {c.answer};
    const std::string path = dir.filePath(QString(c.name) + ".csv").toStdString();
    rig->chooser.savePath = c.savePicked ? path : std::string();
    sim->ClearTraffic();
    rig->editor.ReceiveBtnClick();
    ASSERT_GE(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "Data has been modified\nDo you want to save?");
    EXPECT_EQ(rig->prompter.shown[0].caption, "Warning");
    EXPECT_EQ(SentStarting("*?SR").size(), c.received ? 99u : 0u);
    EXPECT_EQ(rig->editor.modified, !c.received);
    EXPECT_EQ(std::string(rig->editor.records[0].label), c.received ? "M001" : "EDIT");
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), c.answer == cv::MsgAnswer::Yes && c.savePicked);
  }
  // Close asks too: Cancel keeps the dialog, No closes it.
  rig->editor.modified = true;
  rig->prompter.answers = {cv::MsgAnswer::Cancel, cv::MsgAnswer::No};
  EXPECT_FALSE(rig->editor.CloseBtnClick());
  EXPECT_TRUE(rig->editor.CloseBtnClick());
}

TEST_F(Dv8MemorySim, SendsThatStopAreToldInTheEditor) {
  memtest::SendFailuresAreBoxed(*sim, *rig, "*SR", [this] { LoadDefaults(); },
                                memtest::SendFailureRows("Sending memory Error: Equipment not detected", 0));
}
