#include "MemoryCodec.h"

#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::mem {

std::string MemoryCodec::QueryCommand(int number) const { return cv::Format("*?SR%02X", number); }

int MemoryCodec::BadLengthMessage() const { return cv::msg::mem::BadLength; }

bool MemoryCodec::FreqInRange(char band, float mhz) const { return cv::PllInRange(band, mhz); }

float MemoryCodec::FallbackFreq(char band) const { return cv::PllBandOf(band).fallbackMHz; }

std::vector<std::string> MemoryCodec::RefusedReplyLines(const std::string& reply) const {
  return {Msg(cv::msg::mem::BadSrAnswer), reply};
}

std::string MemoryCodec::Unwritable(const MemoryRecord& r) const {
  // The CodePlan column holds two digits; a larger code would be written cut.
  if (r.codePlan >= 0 && r.codePlan <= 99) return {};
  return cv::Format(Msg(cv::msg::mem::PlanCodeTooLarge), r.number, r.codePlan);
}

bool MemoryCodec::CheckedSendOne(MemoryEquipment& equip) {
  if (!equip.CheckVersion()) {
    equip.Log(Msg(cv::msg::cv4mem::SendOneNoEquip));
    return false;
  }
  ChooseForm(equip);
  return true;
}

Compatibility MemoryCodec::Compatible(std::span<const MemoryRecord> records, int firstIndex,
                                      MemoryEquipment& equip) const {
  if (!compatibility) return Compatibility::Taken;
  MeterOptions options;
  if (!ReadMeterOptions(equip, options)) return Compatibility::OptionsUnread;
  auto log = [&equip](const std::string& line) { equip.Log(line); };
  for (size_t i = 0; i < records.size(); ++i)
    if (!CheckMemoryCompatible(records[i], firstIndex + static_cast<int>(i), options, *compatibility, log))
      return Compatibility::Refused;
  return Compatibility::Taken;
}

std::pair<int, int> MemoryCodec::IncompatibleBox(bool all) const {
  if (!compatibility) return {0, 0};
  return {all ? compatibility->allBoxId : compatibility->oneBoxId, compatibility->captionId};
}

MemoryCodec& Cv3MemoryCodec() {
  static MemoryCodec codec;
  return codec;
}

}  // namespace cv::mem
