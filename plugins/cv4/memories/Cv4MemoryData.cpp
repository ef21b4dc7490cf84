#include "Cv4MemoryData.h"

#include "MsgIds.h"

namespace cv::cv4 {

namespace {

cv::mem::MemoryDataFamily Build() {
  using cv::mem::GroupControl;
  using S = cv::mem::GroupSwitch;
  cv::mem::MemoryDataFamily f;
  cv::mem::MemoryDataRules& r = f.rules;
  r.satelliteStartMHz = 900.0;
  r.satFreqLineId = cv::msg::cv4memdata::LineFreqSat;
  r.digitalByStd = true;
  r.manualSoundKept = true;
  r.qpskSpecInv = r.qamSpecInv = r.cofdmSpecInv = '1';
  r.qamModulation = '2';
  r.specInvMeasures = "456";
  // COFDM has a spectral inversion of its own here.
  r.groups[static_cast<size_t>(GroupControl::SpecInv)] = {S::Off, S::On, S::Off, S::On, S::Off};
  f.soundTable = cv::mem::SoundTable18;
  f.specInvTable = cv::mem::SpecInvOffOnTable;
  f.intervalTable = cv::mem::GuardIntervalAutoTable;
  f.standardIndex = cv::mem::StandardIndexDigitalStd;
  return f;
}

}  // namespace

const cv::mem::MemoryDataFamily& Cv4MemoryData() {
  static const cv::mem::MemoryDataFamily family = Build();
  return family;
}

}  // namespace cv::cv4
