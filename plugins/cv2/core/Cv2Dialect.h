#pragma once
// The CORVANE-2 PRO dialect: the DV-800's (IFVER2 reading the version after the first blank),
// except that CHAN3S forms the intermediate frequency with the C-band rule of FreqToIF, as the
// CORVANE-3 does: an oscillator strictly between 5000 and 6000 MHz takes oscillator minus
// downlink.
#include "ScriptDialect.h"

namespace cv::cv2 {

const ScriptDialect& Dialect();

}  // namespace cv::cv2
