#pragma once
// A report for the plan readers that keeps nothing and answers every box, and the readers fed
// the way the editor feeds them.
#include <iterator>

#include "Cv3Equip.h"
#include "FuzzSupport.h"
#include "PlanImport.h"
#include "PlanReport.h"
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

}  // namespace cvfuzz
