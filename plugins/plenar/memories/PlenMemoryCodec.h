#pragma once
// The CORVANE-PLENAR memory: the CORVANE-4 XSR record and memory file on this family's rules.
// Sixteen measure codes are kept as they come and grouped into families (DAB among them) for
// every field choice, plans run to 63 (64 in files), and before anything is sent each memory is
// checked against the options the meter reports.
#include <functional>
#include <string>
#include <vector>

#include "Cv4MemoryCodec.h"
#include "InstalledOptions.h"

namespace cv::plenar {

// The measure family of a code: '4' QPSK, '5' QAM, '6' COFDM, '8' DAB, '0' to '3' and '7'
// themselves, anything else '0'.
char MeasureFamily(char meas);
const cv::cv4::Cv4RecordRules& RecordRules();

// The framework's compatibility check on this family's "*?ID" flags: its band (no further check
// once refused), a frequency below 45 MHz, a measure the firmware predates, the measure family's
// option, each refusal logged.
const cv::mem::CompatibilityRules& OptionRules();
bool CheckMemoryCompatible(const MemoryRecord& record, int index, const TInstalledOptions& options,
                           const std::function<void(const std::string&)>& log);

class PlenMemoryCodec : public cv::cv4::Cv4MemoryCodec {
 public:
  // The first firmware that takes the measures from '9' on.
  static constexpr float kNewMeasuresVersion = 2.22f;

  explicit PlenMemoryCodec(std::function<bool(TInstalledOptions&)> readOptions = nullptr);

  // The XSR record always: no version is read for the choice.
  void ChooseForm(cv::mem::MemoryEquipment&) override { form = Form::XSR; }
  std::vector<std::string> ErrorLines(const cv::mem::MemErrors& errors, const MemoryRecord& record,
                                      int index) const override;
  std::string FileHeader(char list) const override;
  std::string Unwritable(const MemoryRecord& record) const override;

  // Fills the option record before every send; false when the meter did not answer. None: no
  // meter says what it holds, so nothing is sent.
  std::function<bool(TInstalledOptions&)> readOptions;

 protected:
  bool ReadMeterOptions(cv::mem::MemoryEquipment& equip, cv::mem::MeterOptions& options) const override;
};

}  // namespace cv::plenar
