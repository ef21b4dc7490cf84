// The CORVANE-4 plan text file (Add): read with either pair of separators through the family's
// equipment and band rule. A plan read is written as Extract writes it and must read back alike.
#include "Cv4Equip.h"
#include "Cv4PlanFamily.h"
#include "PlanFormat.h"
#include "PlanSupport.h"
#include "PlanTextFile.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

bool Read(const std::string& text, TCv3Equip& equip, PlanSlot& slot) {
  return cvfuzz::ReadFamilyPlanText(text, equip, cv::cv4::Cv4PlanFamily(), slot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  static cv::cv4::TCv4Equip equip(nullptr, nullptr);
  for (auto [decimal, list] : {std::pair{',', ';'}, std::pair{'.', ','}}) {
    equip.decimalSeparator = decimal;
    equip.listSeparator = list;
    PlanSlot slot;
    if (!Read(input, equip, slot)) {
      FUZZ_CHECK(!slot.HoldsPlan());
      continue;
    }
    const size_t count = slot.Channels().size();
    FUZZ_CHECK(count >= 1 && count <= static_cast<size_t>(kMaxPlanChannels));
    for (const TChan3& c : slot.Channels()) FUZZ_CHECK(cv::ChannelInBand(slot.band, c.frequency, cv::kCorvane4Ranges));

    PlanSlot back;
    FUZZ_CHECK(Read(PlanTextFileContent(slot, decimal, list), equip, back));
    FUZZ_CHECK(back.band == slot.band && std::string(back.name) == slot.name);
    FUZZ_CHECK(back.Channels().size() == count);
    for (size_t i = 0; i < count; ++i) FUZZ_CHECK(std::string(back.Channels()[i].name) == slot.Channels()[i].name);
  }
  return 0;
}
