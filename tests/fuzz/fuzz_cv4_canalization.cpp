// The CORVANE-4 canalization reader: a script's plans decoded as the editor's Read does (the
// family's dialect and command table, a quiet prompter answering the DIRECTORY3 question). Plans
// read are written again as Save writes them and must read back alike.
#include "Cv4Dialect.h"
#include "Cv4PlanFamily.h"
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

bool Read(const std::string& text, PlanSlots& plans) {
  for (auto& p : plans) ClearPlan(p);
  TextFileLines file;
  SplitTextLines(text, file);
  cvfuzz::QuietReport report;
  return ReadProPlans(
      file, "/fuzz/PLANS.PRO",
      [](const std::string& l, int& k, std::vector<std::string>& a) {
        return ParseDialectLine(cv::cv4::Dialect(), l, k, a);
      },
      "CORVANE-4", plans, report, cv::cv4::Cv4PlanFamily());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PlanSlots plans;
  if (!Read(cvfuzz::Text(data, size), plans)) return 0;
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan()) continue;
    FUZZ_CHECK(p.Channels().size() <= static_cast<size_t>(kMaxPlanChannels));
    FUZZ_CHECK(p.band == 'T' || p.band == 'S');
    for (const TChan3& c : p.Channels()) FUZZ_CHECK(cv::ChannelInBand(p.band, c.frequency, cv::kCorvane4Ranges));
  }
  for (auto variant : {PlanScriptWriter::Saved, PlanScriptWriter::Sent}) {
    std::string script, error;
    PlanSlots saved = plans;
    if (!cv::cv4::Cv4PlanFamily().writer->Build(saved, variant, script, error)) return 0;
    PlanSlots back;
    FUZZ_CHECK(Read(script, back));
    for (size_t i = 0, j = 0; i < plans.size(); ++i) {
      if (!plans[i].HoldsPlan()) continue;
      while (j < back.size() && !back[j].HoldsPlan()) ++j;
      FUZZ_CHECK(j < back.size());
      FUZZ_CHECK(back[j].band == plans[i].band);
      FUZZ_CHECK(back[j].Channels().size() == plans[i].Channels().size());
      for (size_t c = 0; c < plans[i].Channels().size(); ++c)
        FUZZ_CHECK(std::string(back[j].Channels()[c].name) == plans[i].Channels()[c].name);
      ++j;
    }
  }
  return 0;
}
