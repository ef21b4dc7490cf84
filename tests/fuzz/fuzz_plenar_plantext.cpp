// The CORVANE-PLENAR plan files (Add): a plain plan text or a "#<IMPORT FORMAT 2>" file, read
// with either pair of separators through the family's equipment. A plan read is written as
// Extract writes it (format 2) and must read back alike.
#include "PlanFormat.h"
#include "PlanSupport.h"
#include "PlenEquip.h"
#include "PlenPlanFamily.h"
#include "PlenPlanFile.h"

using namespace cv::plan;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

namespace {

bool Read(const std::string& text, TCv3Equip& equip, PlanSlot& slot) {
  TextFileLines file;
  SplitTextLines(text, file);
  cvfuzz::QuietReport report;
  auto split = [&](const std::string& line, std::vector<std::string>& fields) {
    bool any = equip.SplitFields(line.c_str());
    fields.assign(std::begin(equip.fields), std::end(equip.fields));
    return any;
  };
  return cv::plenar::ReadPlanFile(file, "/fuzz/PLAN.TXT", split, slot, report);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = cvfuzz::Text(data, size);
  static cv::plenar::TCvPlenEquip equip(nullptr, nullptr);
  for (auto [decimal, list] : {std::pair{',', ';'}, std::pair{'.', ','}}) {
    equip.decimalSeparator = decimal;
    equip.listSeparator = list;
    PlanSlot slot;
    if (!Read(input, equip, slot)) {
      FUZZ_CHECK(!slot.HoldsPlan());
      continue;
    }
    const size_t count = slot.Channels().size();
    FUZZ_CHECK(count >= 1 && count <= 255u);
    for (const TChan3& c : slot.Channels()) {
      FUZZ_CHECK(cv::ChannelInBand(slot.band, c.frequency, cv::kPlenarRanges));
      if (slot.band == 'D') FUZZ_CHECK(c.bandwidth == 800);
    }
    PlanSlot back;
    FUZZ_CHECK(Read(cv::plenar::Format2Content(slot, decimal, list), equip, back));
    FUZZ_CHECK(back.band == slot.band);
    FUZZ_CHECK(back.Channels().size() == count);
    for (size_t i = 0; i < count; ++i) {
      FUZZ_CHECK(back.Channels()[i].word == slot.Channels()[i].word);
      FUZZ_CHECK(back.Channels()[i].bandwidth == slot.Channels()[i].bandwidth);
    }
  }
  return 0;
}
