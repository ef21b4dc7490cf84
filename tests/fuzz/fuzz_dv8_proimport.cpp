// The DV-800 plan script reader: a script's plans decoded as the editor's Read does (the DV-800
// dialect and command table, a quiet prompter answering the DIRECTORY4 question). Plans read are
// written again by the DV-800 writer and must read back alike: names, bands, codes and commands.
#include "Cv4PlanFamily.h"
#include "Dv8Dialect.h"
#include "Dv8PlanScript.h"
#include "PlanSupport.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

bool Read(const std::string& text, PlanSlots& plans) {
  return cvfuzz::ReadScriptPlans(text, cv::dv8::Dialect(), "DV-800", cv::dv8::Dv8PlanFamily(), plans);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PlanSlots plans;
  if (!Read(cvfuzz::Text(data, size), plans)) return 0;
  for (const PlanSlot& p : plans) {
    if (!p.HoldsPlan()) continue;
    FUZZ_CHECK(p.Channels().size() <= static_cast<size_t>(kMaxPlanChannels));
    FUZZ_CHECK(p.band == 'T' || p.band == 'S');
    for (const TChan3& c : p.Channels()) FUZZ_CHECK(cv::cv4::IsFrequencyInBand(p.band, c.frequency));
  }
  std::string script, error;
  PlanSlots saved = plans;
  if (!cv::dv8::Dv8PlanFamily().writer->Build(saved, PlanScriptWriter::Saved, script, error)) return 0;
  PlanSlots back;
  FUZZ_CHECK(Read(script, back));
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
    }
    ++j;
  }
  return 0;
}
