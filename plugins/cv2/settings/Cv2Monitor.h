#pragma once
// The CORVANE-2 monitor: the DV-800's dialog with the satellite band, the band label and the
// family's measurement and standard items.
#include <memory>

#include "Dv8Monitor.h"

class QDialog;

namespace cv::cv2 {

class TCv2Equip;

// The DV-800's monitor (no model variant rule, the display shown whatever the tuning-mode and
// channel queries give, the channel text cut to 26 characters) with terrestrial 45..862 MHz in
// 0.05 MHz steps and satellite 900..2150 MHz in 0.5 MHz steps, "%6.1f" from 900 MHz, the TER /
// SAT label, seven measurement items whose codes are `measureCodes` (BER QAM selects none), the
// five standards of `standardCodes`, and an empty frequency edit tuning 1500 MHz.
class Cv2MonitorProfile : public cv::dv8::Dv8MonitorProfile {
 public:
  Cv2MonitorProfile();
};

const Cv2MonitorProfile& Cv2MonitorValues();

// The dialog over the equipment (tuning, counters and help page are the equipment's), owned by
// the equipment's main form.
std::unique_ptr<QDialog> MakeCv2MonitorDlg(TCv2Equip& equipment);

}  // namespace cv::cv2
