#include "Cv2MemoryCodec.h"

#include "Cv2Equip.h"
#include "Format.h"
#include "MemoryEditor.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Pll.h"

namespace cv::cv2 {

using namespace cv::mem;

namespace {

const ErrorLineIds& Cv2ErrorLineIds() {
  static const ErrorLineIds ids = [] {
    ErrorLineIds t = Cv3ErrorLineIds();
    t[ErrFreqSat] = cv::msg::cv4mem::LineFreqSat;
    t[ErrFreqTer] = cv::msg::cv2mem::LineFreqTer;
    t[ErrCnRef] = cv::msg::cv2mem::LineCnRef;
    return t;
  }();
  return ids;
}

}  // namespace

const RecordRules& Cv2RecordRules() {
  static const RecordRules rules{&cv::kCorvane2Ranges, false, 2150, 45};
  return rules;
}

const CompatibilityRules& Cv2CompatibilityRules() {
  static const CompatibilityRules rules = [] {
    CompatibilityRules r = cv::dv8::Dv8MemoryCodec::OptionRules();
    r.firstRefusalOnly = true;
    return r;
  }();
  return rules;
}

bool CheckMemoryCompatible(const MemoryRecord& r, int index, const InstalledOptions& options,
                           const std::function<void(const std::string&)>& log) {
  return cv::mem::CheckMemoryCompatible(r, index, MeterOptions(options.flags), Cv2CompatibilityRules(), log);
}

Cv2MemoryCodec::Cv2MemoryCodec(OptionReader read) : Dv8MemoryCodec(Cv2RecordRules()), readOptions(std::move(read)) {
  compatibility = &Cv2CompatibilityRules();
}

Cv2MemoryCodec::Cv2MemoryCodec(TCv2Equip& equip)
    : Cv2MemoryCodec([&equip](InstalledOptions& options) { return equip.ReadInstalledOptions(options); }) {}

bool Cv2MemoryCodec::ReadMeterOptions(MemoryEquipment&, MeterOptions& options) const {
  InstalledOptions read;
  if (!readOptions(read)) return false;
  options = MeterOptions(read.flags);
  return true;
}

std::vector<std::string> Cv2MemoryCodec::RefusedReplyLines(const std::string& reply) const {
  return MemoryCodec::RefusedReplyLines(reply);
}

std::vector<std::string> Cv2MemoryCodec::ErrorLines(const MemErrors& errors, const MemoryRecord& record,
                                                    int index) const {
  return MemoryErrorLines(errors, record, index, Cv2ErrorLineIds());
}

}  // namespace cv::cv2
