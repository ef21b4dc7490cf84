#pragma once
// The CORVANE-PLENAR spectrum analyser: the CORVANE-4 dialog on this family's values.
#include <memory>

#include "TSpectrumProfile.h"

class QDialog;
class TCv3Equip;

namespace cv::plenar {

// The CORVANE-4's spectrum values with reference levels 10 to 130 dB (70 dB chosen), this
// family's logger lines and its quick mode, in which the meter sweeps by itself.
TSpectrumProfile SpectrumPlenProfile();

std::unique_ptr<QDialog> MakeSpectrumDlgPlen(TCv3Equip& equipment);

}  // namespace cv::plenar
