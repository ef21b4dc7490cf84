// The check Send runs before a CORVANE-PLENAR canalization goes to the meter: one table of the
// options reported, the plans, the log lines, the box and the result.
#include <gtest/gtest.h>

#include <cstdio>

#include "../../plans/PlanFakes.h"
#include "ChanPlen.h"
#include "PlenPlanFamily.h"

using cv::plenar::TChanPlen;
using cv::plenar::TInstalledOptions;
using namespace cv::plenar;

namespace {

class RecordingReport : public cv::plan::Report {
 public:
  void Log(const std::string& l) override { log.push_back(l); }
  void LogZone(const std::string&) override {}
  cv::Prompter& Ask() override { return prompter; }
  plantest::RecordingPrompter prompter;
  std::vector<std::string> log;
};

// The word a meter with every option reports.
constexpr uint32_t kAll = 0x01FF01F7;

// Every option the meter can report, less the flags given.
uint32_t AllBut(std::initializer_list<int> flags) {
  uint32_t word = kAll;
  for (int f : flags) word &= ~(1u << OptionBit(f));
  return word;
}

PlanSlot Plan(const char* name, char band) {
  PlanSlot s;
  NewPlan(s);
  CopyField(s.name, name);
  s.band = band;
  return s;
}

void AddChannel(PlanSlot& plan, const char* name, float mhz, std::array<const char*, 3> commands) {
  TChan3 c = TChanPlen::FromFrequency(name, mhz, 800, plan.band, commands[0]);
  // Set whole: a terrestrial channel's record drops commands 2 and 3, which some files hold.
  for (int k = 0; k < 3; ++k) CopyField(c.commands[k], commands[k]);
  plan.Channels().push_back(c);
  plan.channelCount = static_cast<int32_t>(plan.Channels().size());
}

struct Case {
  const char* what;
  uint32_t options;
  bool optionsRead;
  std::vector<PlanSlot> plans;  // slots 0, 1, ...
  std::vector<std::string> log;
  bool result;
};

}  // namespace

TEST(PlenPlanCheck, OptionsAgainstPlansAsOneTable) {
  PlanSlot satCofdm3 = Plan("SATP", 'S');
  AddChannel(satCofdm3, "S1", 1200.0f, {"", "", "ME6"});
  PlanSlot terCofdm3 = Plan("TERP", 'T');
  AddChannel(terCofdm3, "T1", 474.0f, {"", "", "ME6"});
  PlanSlot low = Plan("LOWP", 'T');
  AddChannel(low, "L1", 40.0f, {"ME6", "", ""});
  AddChannel(low, "L2", 474.0f, {"ME6", "", ""});
  PlanSlot at45 = Plan("EDGE", 'T');
  AddChannel(at45, "E1", 45.0f, {"", "", ""});
  PlanSlot under45 = Plan("EDGE", 'T');
  AddChannel(under45, "E1", 44.95f, {"", "", ""});
  PlanSlot dabPlan = Plan("DABP", 'D');
  CopyField(dabPlan.commands[1], "ME8");
  AddChannel(dabPlan, "5A", 174.928f, {"ME8", "", ""});
  PlanSlot ter = Plan("TER", 'T');
  AddChannel(ter, "T1", 474.0f, {"", "", ""});
  PlanSlot dab = Plan("DAB", 'D');
  AddChannel(dab, "5A", 174.928f, {"", "", ""});
  PlanSlot sat = Plan("SAT", 'S');
  AddChannel(sat, "S1", 1200.0f, {"ME4", "ME5", "ME6"});
  PlanSlot qpsk = Plan("QPSKP", 'T');
  AddChannel(qpsk, "T1", 474.0f, {"ME4", "", ""});
  PlanSlot noList = Plan("NOLIST", 'S');
  noList.channels.reset();

  const std::string box = "Canalization not compatible with connected equipment\nPlease see LOG file";
  const std::vector<Case> cases = {
      {"BER COFDM third command of a SAT channel", AllBut({6}), true, {satCofdm3},
       {"Plan SATP, channel S1: Meas BER (COFDM) not supported."}, false},
      {"the same in a TER channel's third slot is not examined", AllBut({6}), true, {terCofdm3}, {}, true},
      {"below 45 MHz without flag 14: one line, no command checked", AllBut({14, 6}), true, {low},
       {"Plan LOWP, channel L1: 40.00 MHz not supported."}, false},
      {"45.00 MHz without flag 14 is taken", AllBut({14}), true, {at45}, {}, true},
      {"44.95 MHz without flag 14 is not", AllBut({14}), true, {under45},
       {"Plan EDGE, channel E1: 44.95 MHz not supported."}, false},
      {"below 45 MHz with flag 14: that channel and the later ones are checked", AllBut({6}), true, {low},
       {"Plan LOWP, channel L1: Meas BER (COFDM) not supported.",
        "Plan LOWP, channel L2: Meas BER (COFDM) not supported."},
       false},
      {"Meas DAB without flag 0, in the plan and in the channel", AllBut({0}), true, {dabPlan},
       {"Plan DABP: Meas DAB not supported.", "Plan DABP: Meas DAB not supported."}, false},
      {"QPSK over a channel's commands names only the plan", AllBut({8}), true, {qpsk},
       {"Plan QPSKP: Meas BER (QPSK) not supported."}, false},
      {"a check goes on after a finding, in slot order", AllBut({6, 8}), true, {sat, terCofdm3, qpsk},
       {"Plan SAT, channel S1: Meas BER (COFDM) not supported.", "Plan SAT: Meas BER (QPSK) not supported.",
        "Plan QPSKP: Meas BER (QPSK) not supported."},
       false},
      {"TER and DAB plans without the TER band", AllBut({15}), true, {ter, sat, dab},
       {"Plan 0: connected equipment does not have TER band", "Plan 2: connected equipment does not have TER band"},
       false},
      {"SAT plan without the SAT band ends its checks", AllBut({16, 6}), true, {ter, sat},
       {"Plan 1: connected equipment does not have SAT band"}, false},
      {"every band and option", kAll, true, {ter, sat, dab, satCofdm3, low, dabPlan}, {}, true},
      {"a slot without a channel list is passed over", AllBut({16}), true, {noList}, {}, true},
      {"unanswered *?ID", kAll, false, {ter},
       {"The installed options could not be read: the canalization is not sent."}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlanSlots held;
    for (auto& s : held) ClearPlan(s);
    for (size_t i = 0; i < c.plans.size(); ++i) held[i] = c.plans[i];
    TInstalledOptions options;
    char reply[32];
    std::snprintf(reply, sizeof reply, "*ID010%08X", static_cast<unsigned>(c.options));
    ASSERT_TRUE(ParseOptionsReply(reply, options));
    RecordingReport report;
    EXPECT_EQ(CheckPlenPlans(held, c.optionsRead ? &options : nullptr, report), c.result);
    EXPECT_EQ(report.log, c.log);
    const auto boxes = report.prompter.Boxes();
    // The unanswered query has shown its own box; the check adds none.
    const bool boxExpected = !c.result && c.optionsRead;
    ASSERT_EQ(boxes.size(), boxExpected ? 1u : 0u);
    if (boxExpected) {
      EXPECT_EQ(boxes[0].text, box);
      EXPECT_EQ(boxes[0].caption, "PLANS ERROR");
      EXPECT_EQ(boxes[0].icon, cv::MsgIcon::Warning);
    }
  }
}
