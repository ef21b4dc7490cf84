// The CORVANE-2 plan text file (Add): read with either pair of separators through the family's
// equipment, bands and C-band oscillator rule. A plan read lies in the family's bands and is
// written as Extract writes it, which must read back alike.
#include "Cv2Equip.h"
#include "Cv2PlanFamily.h"
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
  return cvfuzz::ReadFamilyPlanText(text, equip, cv::cv2::Cv2PlanFamily(), slot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  const PlanFamily& family = cv::cv2::Cv2PlanFamily();
  static cv::cv2::TCv2Equip equip(nullptr, nullptr);
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
    FUZZ_CHECK(count >= 1 && count <= static_cast<size_t>(family.maxPlanChannels));
    FUZZ_CHECK(slot.band == 'T' || slot.band == 'S');
    for (const TChan3& c : slot.Channels()) FUZZ_CHECK(cv::plan::InBand(family, slot.band, c.frequency));

    PlanSlot back;
    ClearPlan(back);
    FUZZ_CHECK(Read(PlanTextFileContent(slot, decimal, list, family), equip, back));
    FUZZ_CHECK(back.band == slot.band && std::string(back.name) == slot.name);
    FUZZ_CHECK(back.Channels().size() == count);
    for (size_t i = 0; i < count && i < back.Channels().size(); ++i) {
      FUZZ_CHECK(std::string(back.Channels()[i].name) == slot.Channels()[i].name);
      if (slot.band == 'T') {
        FUZZ_CHECK(back.Channels()[i].word == slot.Channels()[i].word);
        FUZZ_CHECK(back.Channels()[i].bandwidth == slot.Channels()[i].bandwidth);
      }
    }
  }
  return 0;
}
