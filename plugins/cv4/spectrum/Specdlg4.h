#pragma once
// The CORVANE-4 spectrum analyser: the framework's dialog run on the family's values.
#include <memory>

#include "TSpectrumProfile.h"

class QDialog;
class TCv3Equip;

namespace cv::cv4 {

// The CORVANE-4's spectrum values: satellite band from 900 MHz, the 38 MHz gap above 862 MHz,
// reference levels 50 to 110 dB, the pause after "*SP0", its own filter commands, no model
// variant rule, its logger lines and printed label size.
TSpectrumProfile Spectrum4Profile();

// The dialog over the equipment (tuning, help page and version text are the equipment's), owned
// by the equipment's main form.
std::unique_ptr<QDialog> MakeSpectrumDlg4(TCv3Equip& equipment);

}  // namespace cv::cv4
