// The DV-800 plan text file (Add): read with either pair of separators through the DV-800
// equipment's field splitter. A plan read is written as Extract writes it and must read back
// alike; a refused file leaves the slot as it was.
#include "Cv4PlanFamily.h"
#include "Dv8Equip.h"
#include "Dv8PlanScript.h"
#include "PlanFormat.h"
#include "PlanTextFile.h"
#include "PlanSupport.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

bool Read(const std::string& text, TCv3Equip& equip, PlanSlot& slot) {
  return cvfuzz::ReadFamilyPlanText(text, equip, cv::dv8::Dv8PlanFamily(), slot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  static cv::dv8::TDV8Equip equip(nullptr, nullptr);
  for (auto [decimal, list] : {std::pair{',', ';'}, std::pair{'.', ','}}) {
    equip.decimalSeparator = decimal;
    equip.listSeparator = list;
    PlanSlot slot;
    ClearPlan(slot);
    if (!Read(input, equip, slot)) {
      FUZZ_CHECK(!slot.HoldsPlan());
      continue;
    }
    const size_t count = slot.Channels().size();
    FUZZ_CHECK(count >= 1 && count <= static_cast<size_t>(kMaxPlanChannels));
    FUZZ_CHECK(slot.band == 'T');
    for (const TChan3& c : slot.Channels()) FUZZ_CHECK(cv::ChannelInBand('T', c.frequency, cv::kCorvane4Ranges));

    PlanSlot back;
    ClearPlan(back);
    FUZZ_CHECK(Read(PlanTextFileContent(slot, decimal, list, cv::dv8::Dv8PlanFamily()), equip, back));
    FUZZ_CHECK(std::string(back.name) == slot.name && back.Channels().size() == count);
    for (size_t i = 0; i < count; ++i) {
      FUZZ_CHECK(std::string(back.Channels()[i].name) == slot.Channels()[i].name);
      FUZZ_CHECK(back.Channels()[i].bandwidth == slot.Channels()[i].bandwidth);
    }
  }
  return 0;
}
