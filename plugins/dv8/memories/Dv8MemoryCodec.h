#pragma once
// The DV-800 memory: the framework's record line and memory text file, checked against a
// terrestrial-only meter (no satellite frequency passes, the C/N reference ends at 862 MHz),
// with the family's legend, its compatibility check before every send and its refusals of a
// garbled reply. The CORVANE-2 takes the same line and file and its own option record.
#include <functional>
#include <string>
#include <vector>

#include "InstalledOptions.h"
#include "MemoryCodec.h"

namespace cv::dv8 {

using TMemoryRecord = MemoryRecord;

// The framework's compatibility check on the DV-800's option record: its band (no further check
// once refused), a frequency below 45 MHz, a BER COFDM measure, each refusal logged.
bool CheckMemoryCompatible(const MemoryRecord& record, int index, const InstalledOptions& options,
                           const std::function<void(const std::string&)>& log);

class Dv8MemoryCodec : public cv::mem::MemoryCodec {
 public:
  // `readOptions` fills the option record read before every send; the DV-800's fixed one by
  // default.
  explicit Dv8MemoryCodec(std::function<void(InstalledOptions&)> readOptions = nullptr);

  static const cv::mem::RecordRules& Rules();

  // The check of the option record, shared by the kin families with their own flags.
  static const cv::mem::CompatibilityRules& OptionRules();

  bool BeginSendOne(cv::mem::MemoryEquipment& equip) override { return CheckedSendOne(equip); }
  bool MaySend(cv::mem::MemoryEquipment& equip, const std::function<bool()>& checkNotLogging) const override;

  cv::mem::DecodedMemory Decode(const std::string& reply, MemoryRecord& record) const override;
  std::vector<std::string> RefusedReplyLines(const std::string& reply) const override;
  std::vector<std::string> ErrorLines(const cv::mem::MemErrors& errors, const MemoryRecord& record,
                                      int index) const override;
  bool FreqInRange(char band, float mhz) const override;
  float FallbackFreq(char band) const override;

  std::string FileHeader(char list) const override;
  cv::mem::ParsedRow ParseFileRow(const std::vector<std::string>& fields, MemoryRecord& record) const override;
  std::vector<std::string> FileLines(const std::string& content) const override;
  bool RepeatsLastRow() const override { return true; }
  std::string Unwritable(const MemoryRecord& record) const override;

 protected:
  // A kin family's codec: the same line, file and refusals checked with its own `rules`; its
  // options come from `ReadMeterOptions`.
  explicit Dv8MemoryCodec(const cv::mem::RecordRules& rules);
  bool ReadMeterOptions(cv::mem::MemoryEquipment& equip, cv::mem::MeterOptions& options) const override;

 private:
  std::function<void(InstalledOptions&)> readOptions;
  const cv::mem::RecordRules* rules = &Rules();
};

}  // namespace cv::dv8
