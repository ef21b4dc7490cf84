#pragma once
// The CORVANE-4 PRO dialect: the framework's 33 keywords and executors, with IFVER4 reading the
// version after the first blank of "*?VE", DIRECTORY4 selecting the plan memory at segment
// 0x2000, SENDHEX opening its file only as named from the current directory, and ".UPD"
// transfers estimated at 45 ms a line.
#include "ScriptDialect.h"

namespace cv::cv4 {

const ScriptDialect& Dialect();

}  // namespace cv::cv4
