#include "MemoryCodec.h"

#include "Format.h"
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

MemoryCodec& Cv3MemoryCodec() {
  static MemoryCodec codec;
  return codec;
}

}  // namespace cv::mem
