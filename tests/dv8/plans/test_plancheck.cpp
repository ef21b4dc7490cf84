// The check a DV-800 plan set passes before it is sent, against the meter's options.
#include <gtest/gtest.h>

#include "AppServices.h"
#include "ChanDV8.h"
#include "Commands8.h"
#include "Dv8Equip.h"
#include "Dv8PlanScript.h"

using namespace cv::dv8;

namespace {

class RecordingReport : public cv::plan::Report {
 public:
  void Log(const std::string& l) override { log.push_back(l); }
  void LogZone(const std::string& l) override { zone.push_back(l); }
  cv::Prompter& Ask() override { return prompter; }
  cv::RecordingPrompter prompter;
  std::vector<std::string> log, zone;
};

PlanSlot& AddPlan(PlanSlots& planSet, int slot, const char* name, char band, std::vector<TChanDV8> channels,
                  std::array<const char*, 3> commands = {"", "", ""}) {
  PlanSlot& p = planSet[slot];
  NewPlan(p);
  CopyField(p.name, name);
  p.band = band;
  for (int i = 0; i < 3; ++i) CopyField(p.commands[i], commands[i]);
  p.Channels() = std::move(channels);
  p.channelCount = static_cast<int32_t>(p.Channels().size());
  return p;
}

bool Check(const PlanSlots& planSet, const cv::plan::PlanCheckTable& table, const InstalledOptions& options,
           cv::plan::Report& report) {
  return cv::plan::CheckPlansAgainstOptions(planSet, table, options.flags, report);
}

InstalledOptions Dv800Options() {
  InstalledOptions o;
  TDV8Equip::ReadInstalledOptions(o);
  return o;
}

// Every command of the table on a plan or a channel, at least once.
PlanSlots Dv800Set() {
  PlanSlots planSet;
  std::vector<TChanDV8> ter;
  for (int row = 0; row < cv::dv8::kNoCommand; ++row)
    ter.push_back(ChanFromFrequency("T" + std::to_string(row), 100.0f + row, 8, 'T', kDv8Lookups.CommandMnemonic(row)));
  ter.insert(ter.begin() + 3, ChanFromFrequency("LOW", 40.0f, 8, 'T', "SY00"));
  AddPlan(planSet, 0, "TERR", 'T', ter, {"SY36", "UN2", "CW0320"});
  AddPlan(planSet, 4, "ASTRA", 'S',
          {ChanFromFrequency("S1", 1200.0f, 0, 'S', "ME0", "ME7", "SOF6A9"),
           ChanFromFrequency("S2", 1300.0f, 0, 'S', "UN1", "NOPE", "")},
          {"ME3", "SV1", ""});
  AddPlan(planSet, 9, "EMPTY", 'T', {});
  return planSet;
}

}  // namespace

TEST(PlanCheck, TheDv800sOwnOptionsPassEveryPlanItsEditorHolds) {
  RecordingReport report;
  EXPECT_TRUE(Check(Dv800Set(), Dv8CheckTable(kCommands8), Dv800Options(), report));
  EXPECT_TRUE(report.log.empty());
  EXPECT_TRUE(report.zone.empty());
  EXPECT_TRUE(report.prompter.shown.empty());
}

TEST(PlanCheck, RefusalsAreLoggedThenOneBox) {
  // A made-up table holding the BER COFDM code the DV-800's lacks.
  static const CommandRow rows[] = {
      {"Meas LEVEL", "ME0", 0x1B00, 0, 0, false},
      {"Meas BER (COFDM)", "ME6", 0x1B06, 0, 2, false},
      {" -none-", "", 0xFFFF, 0, 0xFFFF, false},
  };
  static const TCommandTable berTable(rows, 3);
  struct Row {
    const char* what;
    PlanSlots planSet;
    bool berOption, below45Option;
    std::vector<std::string> log;  // empty: passes with no box
  };
  auto lowPlan = [] {
    PlanSlots s;
    AddPlan(s, 1, "LOWBAND", 'T',
            {ChanFromFrequency("A", 30.0f, 8, 'T', "ME6"), ChanFromFrequency("B", 40.0f, 8, 'T', "ME6"),
             ChanFromFrequency("C", 300.0f, 8, 'T', "ME6")});
    AddPlan(s, 2, "NEXT", 'T', {ChanFromFrequency("D", 400.0f, 8, 'T', "ME6")});
    return s;
  };
  auto berPlans = [] {
    PlanSlots s;
    AddPlan(s, 0, "TER", 'T',
            {ChanFromFrequency("T1", 100.0f, 8, 'T', "ME0"), ChanFromFrequency("T2", 200.0f, 8, 'T', "ME6")},
            {"ME6", "XX", "ME6"});
    // A terrestrial channel's later planSet are not examined; a satellite channel's are.
    s[0].Channels()[0].commands[1][0] = 0;
    CopyField(s[0].Channels()[0].commands[2], "ME6");
    AddPlan(s, 3, "SAT", 'S', {ChanFromFrequency("S1", 1200.0f, 0, 'S', "ME0", "", "ME6")});
    return s;
  };
  Row rows2[] = {
      {"below 45 MHz accepted: those channels and the later ones are checked", lowPlan(), false, true,
       {"Plan LOWBAND, channel A: Meas BER (COFDM) not supported.",
        "Plan LOWBAND, channel B: Meas BER (COFDM) not supported.",
        "Plan LOWBAND, channel C: Meas BER (COFDM) not supported.",
        "Plan NEXT, channel D: Meas BER (COFDM) not supported."}},
      {"below 45 MHz refused: one line, the plan's rest unexamined", lowPlan(), true, false,
       {"Plan LOWBAND, channel A: 30.00 MHz not supported."}},
      {"below 45 MHz refused and no BER", lowPlan(), false, false,
       {"Plan LOWBAND, channel A: 30.00 MHz not supported.", "Plan NEXT, channel D: Meas BER (COFDM) not supported."}},
      {"BER without its option", berPlans(), false, true,
       {"Plan TER: Meas BER (COFDM) not supported.", "Plan TER: Meas BER (COFDM) not supported.",
        "Plan TER, channel T2: Meas BER (COFDM) not supported.", "Plan SAT, channel S1: Meas BER (COFDM) not supported."}},
      {"BER with its option", berPlans(), true, true, {}},
  };
  for (Row& r : rows2) {
    SCOPED_TRACE(r.what);
    InstalledOptions options = Dv800Options();
    options.flags[InstalledOptions::kBerCofdm] = r.berOption;
    options.flags[InstalledOptions::kBelow45MHz] = r.below45Option;
    RecordingReport report;
    EXPECT_EQ(Check(r.planSet, Dv8CheckTable(berTable), options, report), r.log.empty());
    EXPECT_EQ(report.log, r.log);
    EXPECT_TRUE(report.zone.empty());  // refusals go to the host's log only
    if (r.log.empty()) {
      EXPECT_TRUE(report.prompter.shown.empty());
    } else {
      ASSERT_EQ(report.prompter.shown.size(), 1u);
      EXPECT_EQ(report.prompter.shown[0].caption, "PLANS ERROR");
      EXPECT_EQ(report.prompter.shown[0].text,
                "Canalization not compatible with connected equipment\nPlease see LOG file");
      EXPECT_EQ(report.prompter.shown[0].icon, cv::MsgIcon::Warning);
    }
  }
}

TEST(PlanCheck, BandFlagsOnlyWhereTheFamilyChecksThem) {
  const cv::plan::PlanCheckTable off = Dv8CheckTable(kCommands8);
  cv::plan::PlanCheckTable on = off;
  on.terrestrialBandFlag = 12;
  on.satelliteBandFlag = 11;
  PlanSlots planSet;
  AddPlan(planSet, 0, "TER", 'T', {ChanFromFrequency("T1", 100.0f, 8, 'T')});
  AddPlan(planSet, 2, "SAT", 'S', {ChanFromFrequency("S1", 1200.0f, 0, 'S')});
  InstalledOptions options = Dv800Options();  // SAT flag set, TER flag clear
  RecordingReport unchecked;
  EXPECT_TRUE(Check(planSet, off, options, unchecked));
  EXPECT_TRUE(unchecked.log.empty());
  RecordingReport checked;
  EXPECT_FALSE(Check(planSet, on, options, checked));
  EXPECT_EQ(checked.log, std::vector<std::string>{"Plan 0: connected equipment does not have TER band"});
  options.flags[11] = 0;
  options.flags[12] = 1;
  RecordingReport swapped;
  EXPECT_FALSE(Check(planSet, on, options, swapped));
  EXPECT_EQ(swapped.log, std::vector<std::string>{"Plan 2: connected equipment does not have SAT band"});
}
