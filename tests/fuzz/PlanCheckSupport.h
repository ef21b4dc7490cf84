#pragma once
// The plan check before Send over what a person reads (a PRO script as Read takes it, a plan file
// as Add takes it) and the options a meter reports, with its verdict checked: a plan set the check
// lets through uses only what the options give, and a refused one has its lines and one box.
#include <optional>

#include "PlanCheck.h"
#include "PlanSupport.h"

namespace cvfuzz {

// Whether the plans use only what the options give: a band the family checks, channels below
// 45 MHz, and each command the meter is sent (a plan's three, a terrestrial or DAB channel's
// first, a satellite channel's three) whose code is one of the table's measures.
inline bool UsesOnlyWhatTheMeterHas(const PlanSlots& plans, const cv::plan::PlanCheckTable& table,
                                    cv::plan::OptionFlags flags) {
  auto has = [&](int flag) { return flag >= 0 && static_cast<size_t>(flag) < flags.size() && flags[flag] != 0; };
  auto given = [&](const char* mnemonic) {
    const int32_t code = table.commands->CodeOfMnemonic(mnemonic);
    for (const cv::plan::CheckedMeasure& m : table.measures)
      if (m.code == code && !has(m.flag)) return false;
    return true;
  };
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan() || !p.channels) continue;
    const bool satellite = p.band == 'S';
    const int bandFlag = satellite ? table.satelliteBandFlag : table.terrestrialBandFlag;
    if (bandFlag >= 0 && !has(bandFlag)) return false;
    for (const char* c : p.commands)
      if (!given(c)) return false;
    for (const TChan3& chan : p.Channels()) {
      if (chan.frequency < 45.0f && !has(table.below45MHzFlag)) return false;
      for (int k = 0; k < (satellite ? 3 : 1); ++k)
        if (!given(chan.commands[k])) return false;
    }
  }
  return true;
}

class CountingReport : public cv::plan::Report {
 public:
  void Log(const std::string&) override { ++lines; }
  void LogZone(const std::string&) override {}
  cv::Prompter& Ask() override { return prompter; }
  int lines = 0;
  QuietPrompter prompter;
};

// Runs the check as Send does and checks its verdict; `flags` none: the meter did not answer.
inline void CheckVerdict(const PlanSlots& plans, const cv::plan::PlanCheckTable& table,
                         std::optional<cv::plan::OptionFlags> flags) {
  CountingReport report;
  const bool passed = cv::plan::CheckPlansAgainstOptions(plans, table, flags, report);
  if (!flags) {
    FUZZ_CHECK(!passed && report.lines == 1 && report.prompter.shown == 0);
    return;
  }
  if (passed) {
    FUZZ_CHECK(UsesOnlyWhatTheMeterHas(plans, table, *flags));
    FUZZ_CHECK(report.lines == 0 && report.prompter.shown == 0);
  } else {
    FUZZ_CHECK(report.lines >= 1 && report.prompter.shown == 1);
  }
}

// One plan of a plan file read as Add reads it, into slot 0 of `plans` (the others empty).
inline bool ReadPlanFileAsAdd(const std::string& text, TCv3Equip& equip, const cv::plan::PlanFamily& family,
                              PlanSlots& plans) {
  for (auto& p : plans) ClearPlan(p);
  cv::plan::TextFileLines file;
  cv::plan::SplitTextLines(text, file);
  QuietReport report;
  const cv::plan::FieldSplitter split = EquipmentSplitter(equip);
  return family.readPlanFile ? family.readPlanFile(file, "/fuzz/PLAN.TXT", split, plans[0], report)
                             : cv::plan::ReadPlanText(file, "/fuzz/PLAN.TXT", split, plans[0], report, family);
}

// The input's first line is the meter's "*?ID" reply (an empty one: no answer), the rest the
// file the person read, taken both as a PRO script and as a plan file; every plan set read is
// checked against the options `parse` takes from the reply.
template <class Parse>
void CheckReadPlans(const std::string& input, const ScriptDialect& dialect, const std::string& model,
                    const cv::plan::PlanFamily& family, const cv::plan::PlanCheckTable& table, TCv3Equip& equip,
                    Parse parse) {
  const size_t lf = input.find('\n');
  const std::string reply = input.substr(0, lf);
  const std::string text = lf == std::string::npos ? std::string() : input.substr(lf + 1);
  std::optional<cv::plan::OptionFlags> flags;
  if (!reply.empty()) flags = parse(reply);
  PlanSlots plans;
  if (ReadScriptPlans(text, dialect, model, family, plans)) CheckVerdict(plans, table, flags);
  if (ReadPlanFileAsAdd(text, equip, family, plans)) CheckVerdict(plans, table, flags);
}

}  // namespace cvfuzz
