// The CORVANE-PLENAR memory editor against the simulated meter over a pseudo-terminal: Receive
// and Send of the sixteen measures in the XSR record, and the check of every memory against the
// options the meter reports before anything is sent.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "PlenMemoryKit.h"
#include "../../memories/SendFailures.h"
#include "PlenarSim.h"

using cvsim::PlenarProfile;
using memtestplen::Rig;

namespace {

class PlenarMemorySim : public testing::Test, public PlenarSim {
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
    Profile([&](PlenarProfile& p) { m.assign(p.xsrMemories.begin(), p.xsrMemories.end()); });
    return m;
  }
  std::vector<std::string> SentStarting(const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : sim->Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  void LoadDefaults() {
    rig->editor.records = memtestplen::DefaultRecords();
    rig->editor.loaded = true;
    rig->editor.FillMemoryList();
  }
  void Clear() {
    rig->host.Clear();
    rig->prompter.shown.clear();
    sim->ClearTraffic();
  }
  std::unique_ptr<Rig> rig;
};

}  // namespace

TEST_F(PlenarMemorySim, ReceiveAllInXsrFormAndSendThemBack) {
  rig->editor.ReceiveBtnClick();
  EXPECT_TRUE(rig->editor.loaded);
  EXPECT_TRUE(rig->prompter.shown.empty());
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Receiving memories from equipment...", "Receiving memories complete"}));
  const auto queries = SentStarting("*?XSR");
  ASSERT_EQ(queries.size(), 99u);
  EXPECT_EQ(queries[9], "*?XSR0A");
  EXPECT_TRUE(SentStarting("*?SR").empty());
  EXPECT_EQ(rig->editor.records, memtestplen::DefaultRecords());

  const auto before = Stored();
  Clear();
  rig->editor.SendBtnClick();
  EXPECT_EQ(rig->Log(), (std::vector<std::string>{"Sending memories to equipment...", "Sending memories complete"}));
  EXPECT_EQ(SentStarting("*?ID").size(), 1u);
  EXPECT_EQ(SentStarting("*XSR"), before);
  EXPECT_EQ(Stored(), before);
}

// Each row: the meter's option word and version, a change to one memory, what the log shows
// and whether anything went out.
TEST_F(PlenarMemorySim, LabelsWithSeparatorsGoThroughSaveReadAndSendUnshifted) {
  memtest::HostileLabelsThroughTheMeter(*rig, *rig->equip, [this] { LoadDefaults(); });
}

TEST_F(PlenarMemorySim, CompatibilityDecidesBeforeAnythingIsSent) {
  const uint32_t all = PlenarProfile::kAllOptions;
  struct Case {
    const char* name;
    uint32_t options;
    const char* version;
    int memory;
    std::function<void(MemoryRecord&)> set;
    std::vector<std::string> log;
  } cases[] = {
      {"version 2.20 refuses measure 9 even with QPSK", all, "2.20", 10, nullptr,
       {"Memory 10: The specified datalogger measurement", "is not supported by the equipment."}},
      {"version 2.20 and no QPSK: both lines", all & ~PlenarProfile::kQpskOption, "2.20", 10, nullptr,
       {"Memory 10: The specified datalogger measurement", "is not supported by the equipment.",
        "Memory 10: QPSK not supported."}},
      {"an SNR DAB memory without DAB", all & ~PlenarProfile::kDabOption, "2.22", 16, nullptr,
       {"Memory 16: DAB not supported."}},
      {"memory 3 at 40 MHz without low frequencies", all & ~PlenarProfile::kBelow45Option, "2.22", 3,
       [](MemoryRecord& r) { r.freq = 40.0f; }, {"Memory 3: 40.00 MHz not supported."}},
      {"a QAM-MER memory without QAM", all & ~PlenarProfile::kQamOption, "2.22", 12, nullptr,
       {"Memory 12: QAM not supported."}},
      {"a terrestrial memory on a satellite-only meter", all & ~PlenarProfile::kTerOption, "2.22", 1, nullptr,
       {"Memory 1: connected equipment has not TER band"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Profile([&](PlenarProfile& p) {
      p.optionWord = c.options;
      p.version = c.version;
    });
    // Only the case's memory can fail: the others are made plain terrestrial LEVEL memories.
    LoadDefaults();
    for (int i = 0; i < 99; ++i)
      if (i != c.memory - 1) rig->editor.records[i] = memtestplen::DefaultRecords()[2];
    if (c.set) c.set(rig->editor.records[c.memory - 1]);
    if (!(c.options & PlenarProfile::kTerOption))
      for (int i = 1; i < 99; ++i) rig->editor.records[i] = memtestplen::DefaultRecords()[3];  // satellite
    const auto before = Stored();
    Clear();
    rig->editor.SendBtnClick();
    EXPECT_EQ(rig->Log(), c.log);
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "There are memories not compatible\nwith connected equipment");
    EXPECT_EQ(rig->prompter.shown[0].caption, "MEMORIES ERROR");
    EXPECT_EQ(rig->prompter.shown[0].icon, cv::MsgIcon::Warning);

    Clear();
    rig->editor.SelectLine(c.memory - 1);
    rig->editor.SendOneBtnClick();
    EXPECT_EQ(rig->Log(), c.log);
    ASSERT_EQ(rig->prompter.shown.size(), 1u);
    EXPECT_EQ(rig->prompter.shown[0].text, "This memory is not compatible\nwith the connected equipment");
    EXPECT_TRUE(SentStarting("*XSR").empty());
    EXPECT_EQ(Stored(), before);
  }
}

// A meter that does not answer "*?ID" stays stuck, so each send is tried on a fresh one.
TEST_F(PlenarMemorySim, AnUnansweredOptionQueryStopsSendAll) {
  Profile([](PlenarProfile& p) { p.idSilent = true; });
  LoadDefaults();
  rig->editor.SendBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment not detected!");
  EXPECT_EQ(rig->prompter.shown[1].text, "There are memories not compatible\nwith connected equipment");
  EXPECT_TRUE(SentStarting("*XSR").empty());
}

// Send One ends at the unanswered query: its box alone, no refusal box, nothing after the query.
TEST_F(PlenarMemorySim, AnUnansweredOptionQueryStopsSendOne) {
  Profile([](PlenarProfile& p) { p.idSilent = true; });
  LoadDefaults();
  rig->editor.SendOneBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment not detected!");
  EXPECT_TRUE(SentStarting("*XSR").empty());
  EXPECT_EQ(sim->Lines().back(), "*?ID");
  EXPECT_TRUE(rig->Log().empty());
}

TEST_F(PlenarMemorySim, SendOneKeepsTheMeasureCode) {
  LoadDefaults();
  rig->editor.SelectLine(12);  // memory 13, 'C'
  ASSERT_EQ(rig->editor.records[12].meas, 'C');
  rig->editor.SendOneBtnClick();
  EXPECT_EQ(rig->Log(), std::vector<std::string>{"Memory number 13 sent"});
  const auto sent = SentStarting("*XSR");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], PlenarProfile::XsrRecord(13));
  EXPECT_EQ(sent[0][23], 'C');
}

// A meter that is logging is asked nothing more: its box, no option query, nothing sent, even
// for a memory its options would refuse.
TEST_F(PlenarMemorySim, ALoggingMeterStopsSendOneBeforeItsOptionsAreAsked) {
  Profile([](PlenarProfile& p) {
    p.dataLogging = true;
    p.optionWord = PlenarProfile::kAllOptions & ~PlenarProfile::kTerOption;
  });
  LoadDefaults();
  rig->editor.SelectLine(0);  // terrestrial: refused by these options
  rig->editor.SendOneBtnClick();
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].text, "Equipment cannot be in Datalogger mode now");
  EXPECT_TRUE(SentStarting("*?ID").empty());
  EXPECT_TRUE(SentStarting("*XSR").empty());
  EXPECT_EQ(sim->Lines().back(), "*?DA");
  EXPECT_TRUE(rig->Log().empty());
}

TEST_F(PlenarMemorySim, SendsThatStopAreToldInTheEditor) {
  memtest::SendFailuresAreBoxed(*sim, *rig, "*XSR", [this] { LoadDefaults(); },
                                memtest::SendFailureRows("Sending memory Error: Equipment not detected", 0));
}
