#pragma once
// The CORVANE-2 memory: the DV-800's record line, memory file, encoder and sends on a meter with
// both bands (terrestrial 45 to 862 MHz, satellite 900 to 2150 MHz, the C/N reference 45 to
// 2150 MHz). Before any send the meter's "*?ID" options decide which memories it takes; a meter
// that does not report them takes none.
#include <functional>
#include <string>
#include <vector>

#include "Dv8MemoryCodec.h"

namespace cv::cv2 {

using cv::dv8::InstalledOptions;
class TCv2Equip;

// The record rules of the family: its ranges, satellite memories allowed, C/N reference 45..2150.
const cv::mem::RecordRules& Cv2RecordRules();

// The DV-800's compatibility check on the meter's reported options, the first refusal alone
// logged (terrestrial band, satellite band, below 45 MHz, BER COFDM, in this order).
const cv::mem::CompatibilityRules& Cv2CompatibilityRules();
bool CheckMemoryCompatible(const MemoryRecord& record, int index, const InstalledOptions& options,
                           const std::function<void(const std::string&)>& log);

class Cv2MemoryCodec : public cv::dv8::Dv8MemoryCodec {
 public:
  // `readOptions` asks the meter for its options: false when it does not answer (the equipment
  // object has told the user).
  using OptionReader = std::function<bool(InstalledOptions&)>;
  explicit Cv2MemoryCodec(OptionReader readOptions);
  // The options through the equipment object's "*?ID" query.
  explicit Cv2MemoryCodec(TCv2Equip& equip);

  std::vector<std::string> RefusedReplyLines(const std::string& reply) const override;
  std::vector<std::string> ErrorLines(const cv::mem::MemErrors& errors, const MemoryRecord& record,
                                      int index) const override;

 protected:
  bool ReadMeterOptions(cv::mem::MemoryEquipment& equip, cv::mem::MeterOptions& options) const override;

 private:
  OptionReader readOptions;
};

}  // namespace cv::cv2
