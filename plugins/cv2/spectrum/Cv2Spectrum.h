#pragma once
// The CORVANE-2 spectrum analyser: the DV-800's dialog and sweep with the satellite band and the
// gap between the bands, tuning through the CORVANE-2 equipment object.
#include <memory>

#include "TSpectrumProfile.h"

class QDialog;

namespace cv::cv2 {

class TCv2Equip;

// The DV-800's values with the terrestrial band from 45 MHz, the satellite band from 900 MHz and
// the 38 MHz gap above 862 MHz, 1165 to 1205 MHz in 1 MHz steps, the initial and final edits
// kept in order, the seven measurements of `measureCodes`, the family's logger lines, and every
// logger row as long as the header's frequencies; the frequency scale keeps its rounded-up count
// of lines.
const TSpectrumProfile& Cv2SpectrumProfile();

// The dialog over the equipment (tuning, help page and version text are the equipment's), owned
// by the equipment's main form.
std::unique_ptr<QDialog> MakeCv2SpectrumDlg(TCv2Equip& equipment);

}  // namespace cv::cv2
