#pragma once
// A report for the plan readers that keeps nothing and answers every box, and the readers fed
// the way the editor feeds them.
#include <functional>
#include <iterator>

#include "Cv3Equip.h"
#include "FuzzSupport.h"
#include "PlanImport.h"
#include "PlanReport.h"
#include "PlanScript.h"
#include "PlanTextFile.h"

namespace cvfuzz {

class QuietReport : public cv::plan::Report {
 public:
  void Log(const std::string&) override {}
  void LogZone(const std::string&) override {}
  cv::Prompter& Ask() override { return prompter; }
  QuietPrompter prompter;
};

// The equipment's own field splitter, as the plan text readers take it.
inline cv::plan::FieldSplitter EquipmentSplitter(TCv3Equip& equip) {
  return [&equip](const std::string& line, std::vector<std::string>& fields) {
    const bool any = equip.SplitFields(line.c_str());
    fields.assign(std::begin(equip.fields), std::end(equip.fields));
    return any;
  };
}

// A plan text file's text read as Add reads it for the family, through the equipment's splitter.
inline bool ReadFamilyPlanText(const std::string& text, TCv3Equip& equip, const cv::plan::PlanFamily& family,
                               PlanSlot& slot) {
  cv::plan::TextFileLines file;
  cv::plan::SplitTextLines(text, file);
  QuietReport report;
  return cv::plan::ReadPlanText(file, "/fuzz/PLAN.CSV", EquipmentSplitter(equip), slot, report, family);
}

// The plans of a script's text, read in a family's dialect as the editor's Read does (every slot
// cleared first).
inline bool ReadScriptPlans(const std::string& text, const ScriptDialect& dialect, const std::string& model,
                            const cv::plan::PlanFamily& family, PlanSlots& plans) {
  for (auto& p : plans) ClearPlan(p);
  cv::plan::TextFileLines file;
  cv::plan::SplitTextLines(text, file);
  QuietReport report;
  return cv::plan::ReadProPlans(
      file, "/fuzz/PLANS.PRO",
      [&dialect](const std::string& l, int& k, std::vector<std::string>& a) {
        return cv::plan::ParseDialectLine(dialect, l, k, a);
      },
      model, plans, report, family);
}

// A script's plans as the family reads them, checked against the reader's limits (the band's
// range by `InBand`), then written by the family's writer and read back alike: names, bands,
// codes, channel names and commands. `sameChannel` compares a channel with its read-back.
inline void CheckScriptRoundTrip(const std::string& text, const ScriptDialect& dialect, const std::string& model,
                                 const cv::plan::PlanFamily& family,
                                 const std::function<bool(char band, const TChan3&, const TChan3&)>& sameChannel = nullptr) {
  PlanSlots plans;
  if (!ReadScriptPlans(text, dialect, model, family, plans)) return;
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan()) continue;
    FUZZ_CHECK(p.Channels().size() <= static_cast<size_t>(kMaxPlanChannels));
    FUZZ_CHECK(p.band == 'T' || p.band == 'S');
    for (const TChan3& c : p.Channels()) FUZZ_CHECK(cv::plan::InBand(family, p.band, c.frequency));
  }
  std::string script, error;
  PlanSlots saved = plans;
  if (!family.writer->Build(saved, cv::plan::PlanScriptWriter::Saved, script, error)) return;
  PlanSlots back;
  FUZZ_CHECK(ReadScriptPlans(script, dialect, model, family, back));
  for (size_t i = 0, j = 0; i < plans.size(); ++i) {
    if (!plans[i].HoldsPlan()) continue;
    while (j < back.size() && !back[j].HoldsPlan()) ++j;
    FUZZ_CHECK(j < back.size());
    const PlanSlot& a = plans[i];
    const PlanSlot& b = back[j];
    FUZZ_CHECK(b.band == a.band && b.code == a.code && std::string(b.name) == a.name);
    FUZZ_CHECK(b.Channels().size() == a.Channels().size());
    for (size_t c = 0; c < a.Channels().size(); ++c) {
      FUZZ_CHECK(std::string(b.Channels()[c].name) == a.Channels()[c].name);
      for (int k = 0; k < 3; ++k)
        FUZZ_CHECK(std::string(b.Channels()[c].commands[k]) == a.Channels()[c].commands[k]);
      if (sameChannel) FUZZ_CHECK(sameChannel(a.band, a.Channels()[c], b.Channels()[c]));
    }
    ++j;
  }
}

}  // namespace cvfuzz
