// The CORVANE-4 memory editor against the simulated meter over a pseudo-terminal: Receive and
// Send All in the form the firmware picks, a refused memory, the data logger's guard, the save
// question, Send One.
#include <gtest/gtest.h>

#include "Cv4MemoryKit.h"
#include "../../memories/SendFailures.h"
#include "Cv4Sim.h"
#include "Format.h"

using cvsim::Corvane4Profile;
using memtest4::Rig;

namespace {

class Cv4MemorySim : public testing::Test, public Cv4Sim {
 public:
  void Start(const char* version = "2.00", bool blank = true) {
    auto profile = std::make_unique<Corvane4Profile>("CORVANE-4", version);
    profile->versionBlank = blank;
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<Rig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    rig->host.Clear();
    sim->ClearTraffic();
  }
  void TearDown() override { port.Close(); }

  // What the meter holds, as SR records.
  std::vector<std::string> Stored() {
    std::vector<std::string> m;
    Profile([&](Corvane4Profile& p) {
      for (int n = 1; n <= 99; ++n) m.push_back(p.Cv4MemoryReply(n));
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
    rig->editor.records = memtest4::DefaultRecords();
    rig->editor.loaded = true;
    rig->editor.FillMemoryList();
  }
  std::unique_ptr<Rig> rig;
};

}  // namespace

TEST_F(Cv4MemorySim, ReceiveAndSendAllInTheFormTheVersionPicks) {
  const struct {
    const char* version;
    bool blank;
    const char* query;
    const char* record;
  } cases[] = {{"2.00", true, "*?XSR", "*XSR"}, {"1.95", true, "*?XSR", "*XSR"}, {"1.94", true, "*?SR", "*SR"},
               {"2.00", false, "*?SR", "*SR"}};  // no blank: the version cannot be read
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.version) + (c.blank ? "" : " without blank"));
    ASSERT_NO_FATAL_FAILURE(Start(c.version, c.blank));
    rig->editor.ReceiveBtnClick();
    EXPECT_TRUE(rig->editor.loaded);
    EXPECT_TRUE(rig->prompter.shown.empty());
    const auto log = rig->Log();
    EXPECT_EQ(log, (std::vector<std::string>{"Receiving memories from equipment...", "Receiving memories complete"}));
    const auto queries = SentStarting(c.query);
    ASSERT_EQ(queries.size(), 99u);
    EXPECT_EQ(queries[9], std::string(c.query) + "0A");
    EXPECT_EQ(queries[98], std::string(c.query) + "63");
    const auto defaults = memtest4::DefaultRecords();
    for (int i = 0; i < 99; ++i) EXPECT_EQ(rig->editor.records[i], defaults[i]) << "memory " << i + 1;
    EXPECT_EQ(rig->editor.listLines.size(), 99u);

    // Every memory renamed and sent back: the meter then holds the editor's memories.
    for (int i = 0; i < 99; ++i) std::snprintf(rig->editor.records[i].label, 5, "N%03u", static_cast<unsigned>(i + 1) % 1000u);
    rig->host.Clear();
    sim->ClearTraffic();
    rig->editor.SendBtnClick();
    EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...", "Sending memories complete"}));
    EXPECT_EQ(SentStarting(c.record).size(), 99u);
    const auto stored = Stored();
    cv::cv4::Cv4MemoryCodec codec("Cv4Tools 1.16");
    for (int i = 0; i < 99; ++i) {
      MemoryRecord r = codec.Cleared();
      codec.Decode(stored[i], r);
      EXPECT_EQ(r, rig->editor.records[i]) << "memory " << i + 1;
    }
    port.Close();
    rig.reset();
  }
}

// Received and sent back untouched in the SR form, every memory goes out as the meter gave it.
TEST_F(Cv4MemorySim, ReceivedMemoriesGoBackByteForByte) {
  ASSERT_NO_FATAL_FAILURE(Start("1.94", true));
  const auto before = Stored();
  rig->editor.ReceiveBtnClick();
  ASSERT_TRUE(rig->editor.loaded);
  sim->ClearTraffic();
  rig->editor.SendBtnClick();
  EXPECT_EQ(SentStarting("*SR"), before);
  EXPECT_EQ(Stored(), before);
}

TEST_F(Cv4MemorySim, LabelsWithSeparatorsGoThroughSaveReadAndSendUnshifted) {
  ASSERT_NO_FATAL_FAILURE(Start());
  memtest::HostileLabelsThroughTheMeter(*rig, *rig->equip, [this] { LoadDefaults(); });
}

TEST_F(Cv4MemorySim, ARefusedMemoryStopsSendAll) {
  ASSERT_NO_FATAL_FAILURE(Start("1.94"));
  Profile([](Corvane4Profile& p) { p.refusedMemory = 2; });
  LoadDefaults();
  rig->editor.SendBtnClick();
  const auto sent = SentStarting("*SR");
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...",
                                                  "Error: memory number 2 not accepted by equipment: ", sent[1]}));
  EXPECT_EQ(sent[1].size(), 43u);
  EXPECT_TRUE(rig->editor.loaded);
}

TEST_F(Cv4MemorySim, NothingIsSentWhileTheMeterLogs) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Profile([](Corvane4Profile& p) { p.dataLogging = true; });
  LoadDefaults();
  rig->editor.SendBtnClick();
  rig->editor.SendOneBtnClick();
  EXPECT_TRUE(SentStarting("*XSR").empty());
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment cannot be in Datalogger mode now");
  EXPECT_EQ(rig->prompter.shown[0].caption, "CvTools Error");
}

TEST_F(Cv4MemorySim, CancelInTheSaveQuestionStopsReceive) {
  ASSERT_NO_FATAL_FAILURE(Start());
  LoadDefaults();
  rig->editor.modified = true;
  rig->prompter.answers = {cv::MsgAnswer::Cancel};
  rig->editor.ReceiveBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Data has been modified\nDo you want to save?");
  EXPECT_TRUE(sim->Lines().empty());
  EXPECT_TRUE(rig->editor.modified);
  EXPECT_EQ(rig->editor.records, memtest4::DefaultRecords());
}

TEST_F(Cv4MemorySim, AShortReplyFailsTheReceive) {
  ASSERT_NO_FATAL_FAILURE(Start("1.94"));
  Profile([](Corvane4Profile& p) { p.shortReplyFor = 3; });
  rig->editor.ReceiveBtnClick();
  const auto log = rig->Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], "Bad SR answer from equipment:");
  EXPECT_EQ(log[2].size(), 42u);
  EXPECT_EQ(log[3], "Warning. Bad data in memory number 3");
  EXPECT_FALSE(rig->editor.loaded);
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(cv::To1252(rig->prompter.shown[0].text), memtest::ReceiveRefusedBox(3, {log[1], log[2]}));
  EXPECT_EQ(rig->editor.listLines.size(), 2u);  // what came before stays
}

TEST_F(Cv4MemorySim, SendOneSendsTheSelectedMemoryAndKeepsTheButtons) {
  ASSERT_NO_FATAL_FAILURE(Start());
  LoadDefaults();
  rig->editor.records[6].label[0] = 'X';
  rig->editor.SelectLine(6);
  const cv::mem::MemoryButtons before = rig->editor.buttons;
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Memory number 7 sent"});
  ASSERT_EQ(SentStarting("*XSR").size(), 1u);
  EXPECT_EQ(Stored()[6].substr(5, 4), "X007");
  EXPECT_EQ(rig->editor.buttons, before);

  // A short name is logged and not sent.
  rig->host.Clear();
  std::snprintf(rig->editor.records[6].label, 5, "AB");
  rig->editor.SendOneBtnClick();
  const auto log = rig->Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "Error. Bad *?XSR length: ");
  EXPECT_EQ(log[1], "*XSR07AB");
  EXPECT_EQ(SentStarting("*XSR").size(), 1u);
}

TEST_F(Cv4MemorySim, SilentMeter) {
  ASSERT_NO_FATAL_FAILURE(Start());
  LoadDefaults();
  sim->SetFaults([] {
    cvsim::Faults f;
    f.silent = true;
    return f;
  }());
  rig->editor.SendOneBtnClick();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memory Error: Equipment not detected",
                                                  "Sending memories Error: Equipment not detected"}));
}

TEST_F(Cv4MemorySim, SendsThatStopAreToldInTheEditor) {
  ASSERT_NO_FATAL_FAILURE(Start());
  memtest::SendFailuresAreBoxed(*sim, *rig, "*XSR", [this] { LoadDefaults(); },
                                memtest::SendFailureRows("Sending memory Error: Equipment not detected", 0));
}
