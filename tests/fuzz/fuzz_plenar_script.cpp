// The CORVANE-PLENAR canalization reader: a script's plans decoded as the editor's Read does (the
// family's dialect with CHAND, its 60-row table, 64 plans, bandwidths in hundredths, the
// satellite fall-back). Plans read are written again as Save and Send write them and, when the
// writer takes them, must read back alike.
#include "PlanFormat.h"
#include "PlanImport.h"
#include "PlanScript.h"
#include "PlanSupport.h"
#include "PlenDialect.h"
#include "PlenPlanFamily.h"

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
        return ParseDialectLine(cv::plenar::Dialect(), l, k, a);
      },
      "CORVANE-PLENAR", plans, report, cv::plenar::PlenPlanFamily());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PlanSlots plans;
  if (!Read(cvfuzz::Text(data, size), plans)) return 0;
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan()) continue;
    FUZZ_CHECK(p.Channels().size() <= 255u);
    FUZZ_CHECK(p.band == 'T' || p.band == 'S' || p.band == 'D');
    for (const TChan3& c : p.Channels()) {
      FUZZ_CHECK(cv::ChannelInBand(p.band, c.frequency, cv::kPlenarRanges));
      if (p.band == 'D') FUZZ_CHECK(c.bandwidth == 800 && c.word2 == static_cast<int32_t>(c.word));
    }
  }
  for (auto variant : {PlanScriptWriter::Saved, PlanScriptWriter::Sent}) {
    std::string script, error;
    PlanSlots saved = plans;
    if (!cv::plenar::PlenPlanFamily().writer->Build(saved, variant, script, error)) return 0;
    PlanSlots back;
    FUZZ_CHECK(Read(script, back));
    for (size_t i = 0, j = 0; i < plans.size(); ++i) {
      if (!plans[i].HoldsPlan()) continue;
      while (j < back.size() && !back[j].HoldsPlan()) ++j;
      FUZZ_CHECK(j < back.size());
      FUZZ_CHECK(back[j].band == plans[i].band);
      FUZZ_CHECK(back[j].Channels().size() == plans[i].Channels().size());
      for (size_t c = 0; c < plans[i].Channels().size(); ++c) {
        FUZZ_CHECK(std::string(back[j].Channels()[c].name) == plans[i].Channels()[c].name);
        FUZZ_CHECK(back[j].Channels()[c].bandwidth == plans[i].Channels()[c].bandwidth);
      }
      ++j;
    }
  }
  return 0;
}
