#pragma once
// The DV-800 spectrum analyser: the framework's dialog and sweep run on the terrestrial-only
// meter's values, tuning through the DV-800 equipment object.
#include <memory>

#include "TCv3SpectrumLink.h"
#include "TSpectrumProfile.h"

class QDialog;

namespace cv::dv8 {

class TDV8Equip;

// 48 to 52 MHz in 0.05 MHz steps, no satellite band and no gap at 862 MHz, the edits' order left
// to Start, the measurement list mapped through `measureCodes`, the family's logger lines and
// every logger row exactly one sweep's points long.
const TSpectrumProfile& Dv8SpectrumProfile();

// The sweep's view of the DV-800 equipment object: its tuning refuses 900 MHz and above without
// sending anything.
class TDv8SpectrumLink : public TCv3SpectrumLink {
 public:
  explicit TDv8SpectrumLink(TDV8Equip& equipment);
  bool TuneFrequency(float mhz, int milliseconds) override;

 private:
  TDV8Equip& dv8;
};

// The dialog over the equipment, owned by the equipment's main form.
std::unique_ptr<QDialog> MakeDv8SpectrumDlg(TDV8Equip& equipment);

}  // namespace cv::dv8
