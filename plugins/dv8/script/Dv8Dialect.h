#pragma once
// The DV-800 PRO dialect, which the CORVANE-2 shares: the framework's 33 keywords and executors,
// with IFVER2 (code 17) reading the version after the first blank of "*?VE" and CHAN3S taking
// the intermediate frequency as the downlink minus the oscillator, with no C-band case.
#include "ScriptDialect.h"

namespace cv::dv8 {

const ScriptDialect& Dialect();

}  // namespace cv::dv8
