// The memory editor against the simulated CORVANE-3 over a pseudo-terminal: receive with bad
// memories and faults, send all and send one, the data logger's guard, records that must not
// go out.
#include <gtest/gtest.h>

#include <memory>

#include "Format.h"
#include "MemoryTestKit.h"
#include "SendFailures.h"
#include "SimOnCom1.h"

using cvsim::Corvane3Profile;
using memtest::Rig;

namespace {

class MemorySim : public testing::Test, public SimOnCom1 {
 public:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(StartSim());
    // A read waits 300 ms of real time: a loaded machine answers well within it, and the cases of
    // a silent instrument still end in a few seconds.
    port.timeScale = 0.15;
    rig = std::make_unique<Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());
    rig->host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }

  void SetMemory(int n, size_t at, const std::string& text) {
    Profile([&](Corvane3Profile& p) { p.loggerSrOverride[n] = p.MemoryReply(n).replace(at, text.size(), text); });
  }
  std::vector<std::string> Stored() {
    std::vector<std::string> m;
    Profile([&](Corvane3Profile& p) {
      for (int n = 1; n <= 99; ++n) m.push_back(p.MemoryReply(n));
    });
    return m;
  }
  // The lines the instrument received that store a memory.
  std::vector<std::string> RecordsSent() {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind("*SR", 0) == 0) out.push_back(l);
    return out;
  }
  void LoadDefaults() {
    rig->editor.records = memtest::DefaultRecords();
    rig->editor.loaded = true;
    rig->editor.FillMemoryList();
  }
  cv::mem::MemoryButtons Buttons(bool loaded) {
    cv::mem::MemoryButtons b;
    b.receive = true;
    b.edit = b.save = b.send = b.sendOne = loaded;
    return b;
  }
  std::unique_ptr<Rig> rig;
};

TEST_F(MemorySim, ReceiveLogsABadStandardAndGoesOn) {
  SetMemory(40, 10, "9");
  rig->editor.ReceiveBtnClick();
  const auto log = rig->Log();
  auto at = std::find(log.begin(), log.end(), "Error(s) in memory number 40:");
  ASSERT_NE(at, log.end());
  ASSERT_LT(at + 2, log.end());
  EXPECT_EQ(at[1], " TV Standard: 9 (0-7)");
  EXPECT_EQ(at[2], "Warning. Bad data in memory number 40");
  EXPECT_EQ(log.front(), "Receiving memories from equipment...");
  EXPECT_EQ(log.back(), "Receiving memories complete");
  EXPECT_EQ(log.size(), 5u);
  const auto defaults = memtest::DefaultRecords();
  EXPECT_EQ(rig->editor.records[40], defaults[40]);
  EXPECT_EQ(rig->editor.records[39].std, '9');
  EXPECT_TRUE(rig->editor.loaded);
  EXPECT_EQ(rig->editor.listLines.size(), 99u);
  EXPECT_EQ(rig->editor.listLines[39], "40 M040 SAT 1350,00");
  EXPECT_EQ(rig->editor.buttons, Buttons(true));
  EXPECT_TRUE(rig->prompter.shown.empty());
  EXPECT_EQ(sim->Lines().back(), "*?SR63");
}

TEST_F(MemorySim, FailedMemoriesEndTheReceive) {
  struct Case {
    const char* name;
    std::function<void(MemorySim&)> arrange;
    std::vector<std::string> log;  // after "Receiving memories from equipment..."
    size_t listed;
    std::string why;  // what the box says of the memory that came and was refused; none: nothing came
  };
  const std::string short3 = Corvane3Profile::DefaultMemory(3).substr(0, 37);
  const std::vector<Case> cases = {
      {"satellite memory at 700 MHz", [](MemorySim& t) { t.SetMemory(5, 11, "24dc"); },
       {"Error(s) in memory number 5:", " Frequency: 700 (862.1-2150)", "Warning. Bad data in memory number 5"}, 4,
       "Error(s) in memory number 5:\n Frequency: 700 (862.1-2150)"},
      {"reply naming another memory", [](MemorySim& t) { t.Profile([](Corvane3Profile& p) { p.wrongNumberFor = 7; }); },
       {"Error. The answer for memory number 7 names memory number 08: nothing stored",
        "Warning. Bad data in memory number 7"},
       6, "Error. The answer for memory number 7 names memory number 08: nothing stored"},
      {"short reply", [](MemorySim& t) { t.Profile([](Corvane3Profile& p) { p.shortReplyFor = 3; }); },
       {"Bad SR answer from equipment:", short3, "Warning. Bad data in memory number 3"}, 2,
       "Bad SR answer from equipment:\n" + short3},
      {"unanswered query", [](MemorySim& t) { t.Profile([](Corvane3Profile& p) { p.unansweredFor = 12; }); },
       {"Error asking equipment for memory number 12"}, 11, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.arrange(*this);
    rig->editor.ReceiveBtnClick();
    std::vector<std::string> expected = {"Receiving memories from equipment..."};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(rig->Log(), expected);
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(cv::To1252(rig->prompter.shown[0].text),
              c.why.empty() ? memtest::ReceiveFailedBox(c.listed + 1)
                            : cv::Format("Error receiving data\nMemory number %d came from the equipment but could not "
                                         "be taken:\n",
                                         static_cast<int>(c.listed + 1)) +
                                  c.why +
                                  "\nThe list holds only the memories before it, which cannot be edited, saved or "
                                  "sent until all 99 are received or read.");
    EXPECT_EQ(rig->prompter.shown[0].caption, "CvTools Error");
    EXPECT_EQ(rig->prompter.shown[0].icon, cv::MsgIcon::Error);
    EXPECT_FALSE(rig->editor.loaded);
    EXPECT_EQ(rig->editor.listLines.size(), c.listed);
    EXPECT_EQ(rig->editor.buttons, Buttons(false));
    // The memory after the failed one was never filled from a foreign reply.
    EXPECT_EQ(rig->editor.records[c.listed + 1], MemoryRecord{});
    TearDown();
  }
}

// The line goes down while memory 30 is on its way: the box names it, the 29 before stay in the
// list, and the set is neither saved nor sent as if whole.
TEST_F(MemorySim, ALinkLostPartWayLeavesAnUnsendableSet) {
  const int lost = 30;
  rig->view.onGauge = [&](int percent) {
    if (percent == lost * 100 / 99) sim->UpdateFaults([](cvsim::Faults& f) { f.cutAfterReplyBytes = 10; });
  };
  rig->editor.ReceiveBtnClick();
  rig->view.onGauge = nullptr;
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(cv::To1252(rig->prompter.shown[0].text), memtest::ReceiveFailedBox(lost));
  EXPECT_EQ(rig->Log().back(), cv::Format("Error asking equipment for memory number %d", lost));
  EXPECT_EQ(rig->editor.listLines.size(), static_cast<size_t>(lost - 1));
  EXPECT_FALSE(rig->editor.loaded);
  EXPECT_EQ(rig->editor.buttons, Buttons(false));
  // Were the handlers reached anyway, they would take nothing as a set.
  rig->chooser.savePath = "never.csv";
  EXPECT_FALSE(rig->editor.SaveBtnClick());
  EXPECT_EQ(rig->chooser.saves, 0);
  sim->ClearTraffic();
  rig->editor.SendBtnClick();
  rig->editor.SendOneBtnClick();
  EXPECT_TRUE(RecordsSent().empty());
}

TEST_F(MemorySim, SendsThatStopAreToldInTheEditor) {
  // Send One asks nothing first: its record waits for a meter that never says it is ready.
  memtest::SendFailuresAreBoxed(*sim, *rig, "*SR", [this] { LoadDefaults(); },
                                memtest::SendFailureRows("Memory number 30 was not sent.\nThe equipment did not answer.", 0));
}

TEST_F(MemorySim, NoInstrumentNoReceive) {
  sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
  rig->editor.ReceiveBtnClick();
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Receiving memories Error: equipment not detected"});
  EXPECT_TRUE(rig->prompter.Showed("Error receiving data"));
  EXPECT_FALSE(rig->editor.loaded);
}

TEST_F(MemorySim, SendAllThenReceiveGivesTheSameRecords) {
  // The instrument holds other memories until the send.
  Profile([](Corvane3Profile& p) {
    for (int n = 1; n <= 99; ++n) {
      p.loggerSrOverride[n] = Corvane3Profile::DefaultMemory(100 - n).replace(3, 2, cv::Format("%02x", n));
    }
  });
  LoadDefaults();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...", "Sending memories complete"}));
  const auto lines = sim->Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "*?DA");
  EXPECT_EQ(lines[1], "*?VE");
  std::vector<std::string> expected;
  for (int n = 1; n <= 99; ++n) expected.push_back(Corvane3Profile::DefaultMemory(n));
  EXPECT_EQ(RecordsSent(), expected);
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(rig->view.gauges.back(), 100);

  rig->editor.records.fill(MemoryRecord{});
  rig->editor.ReceiveBtnClick();
  EXPECT_EQ(rig->editor.records, memtest::DefaultRecords());
  EXPECT_TRUE(rig->editor.loaded);
}

TEST_F(MemorySim, LabelsWithSeparatorsGoThroughSaveReadAndSendUnshifted) {
  memtest::HostileLabelsThroughTheMeter(*rig, rig->equip, [this] { LoadDefaults(); });
}

TEST_F(MemorySim, SendOneSendsTheSelectedMemoryOrTheFirst) {
  LoadDefaults();
  ASSERT_EQ(rig->editor.listIndex, -1);
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*?DA", Corvane3Profile::DefaultMemory(1)}));
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Memory number 1 sent"});
  EXPECT_EQ(rig->editor.listIndex, 0);
  sim->ClearTraffic();
  rig->host.Clear();
  rig->editor.SelectLine(6);
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(RecordsSent(), std::vector<std::string>{Corvane3Profile::DefaultMemory(7)});
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Memory number 7 sent"});
}

TEST_F(MemorySim, DataLoggerModeRefusesBothSends) {
  Profile([](Corvane3Profile& p) { p.dataLogging = true; });
  LoadDefaults();
  rig->editor.SendBtnClick();
  rig->editor.SendOneBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  for (const auto& box : rig->prompter.shown) {
    EXPECT_EQ(box.text, "Equipment cannot be in Datalogger mode now");
    EXPECT_EQ(box.caption, "CvTools Error");
    EXPECT_EQ(box.icon, cv::MsgIcon::Error);
  }
  EXPECT_EQ(sim->Lines(), (std::vector<std::string>{"*?DA", "*?DA"}));
  EXPECT_TRUE(rig->Log().empty());
  EXPECT_EQ(rig->editor.buttons, Buttons(true));
}

TEST_F(MemorySim, WidenedOrRefusedRecordsStopTheSend) {
  LoadDefaults();
  const auto stored = Stored();
  rig->editor.records[4].symRate = 99999;  // as read from a file: widens its field
  MemoryRecord widened = rig->editor.records[4];
  const std::string text = cv::mem::EncodeMemoryRecord(widened);
  ASSERT_EQ(text.size(), 43u);
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...", "Error. Bad *?SR length: ", text}));
  EXPECT_EQ(RecordsSent(), std::vector<std::string>(stored.begin(), stored.begin() + 4));
  sim->ClearTraffic();
  rig->host.Clear();
  rig->editor.SelectLine(4);
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Error. Bad *?SR length: ", text}));
  EXPECT_TRUE(sim->Lines().empty());

  // The instrument refuses memory 3.
  Profile([](Corvane3Profile& p) {
    p.On("*SR", [](const std::string& line) {
      return line.compare(3, 2, "03") == 0 ? cvsim::Answer::Nak() : cvsim::Answer::Ok();
    });
  });
  rig->editor.records[4].symRate = 27900;
  sim->ClearTraffic();
  rig->host.Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...",
                                                  "Error: memory number 3 not accepted by equipment: ", stored[2]}));
  EXPECT_EQ(RecordsSent(), std::vector<std::string>(stored.begin(), stored.begin() + 3));
  rig->host.Clear();
  rig->editor.SelectLine(2);
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Error: memory not accepted by equipment: ", stored[2]}));
}

}  // namespace
