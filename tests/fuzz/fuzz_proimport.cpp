// The PRO plan import: a programming script's canalization decoded without running it. Plans
// imported are written as Save writes them and must import again alike.
#include "PlanFormat.h"
#include "PlanImport.h"
#include "PlanScript.h"
#include "PlanSupport.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

bool Import(const std::string& text, PlanSlots& plans) {
  for (auto& p : plans) ClearPlan(p);
  TextFileLines file;
  SplitTextLines(text, file);
  cvfuzz::QuietReport report;
  return ReadProPlans(file, "/fuzz/PLANS.PRO", ParseScriptLine, "CORVANE-3", plans, report);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PlanSlots plans;
  if (!Import(cvfuzz::Text(data, size), plans)) return 0;
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan()) continue;
    FUZZ_CHECK(p.Channels().size() <= static_cast<size_t>(kMaxPlanChannels));
    FUZZ_CHECK(p.band == 'T' || p.band == 'S');
  }

  std::string script, error;
  PlanSlots saved = plans;
  if (!BuildPlanScript(saved, script, error)) return 0;
  // Save writes the plans in slot order as plans 1, 2, ...
  PlanSlots back;
  FUZZ_CHECK(Import(script, back));
  std::vector<const PlanSlot*> before, after;
  for (size_t i = 0; i < plans.size(); ++i) {
    if (plans[i].HoldsPlan()) before.push_back(&plans[i]);
    if (back[i].HoldsPlan()) after.push_back(&back[i]);
  }
  FUZZ_CHECK(before.size() == after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    FUZZ_CHECK(after[i]->band == before[i]->band);
    FUZZ_CHECK(after[i]->Channels().size() == before[i]->Channels().size());
  }
  return 0;
}
