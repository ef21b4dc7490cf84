#pragma once
// The SKY certificate's acceptance windows and level offsets over a loaded data-logger file.
#include "DataLogFile.h"

namespace cv::xr9 {

class DataLoggerCtl;

// Whether the value passes its window of the "DLReportSKY_THRESHOLD_LEVELS" thresholds; false
// without plan, measurement, open SKY sheet or a number.
bool MeetsSkyThreshold(const DataLoggerCtl& ctl, int slot, int channel, const TDataLogMeas* meas);
// Adds (direction other than -1) or removes (-1) the offsets, in tenths of a dB, to the LEVEL and
// POWER values of launch (point type 2) and Off Air (point type 1) test points, and marks every
// changed value by its window.
void ApplySkyOffsets(DataLoggerCtl& ctl, int direction, int slot, int offset2, int offset1);

}  // namespace cv::xr9
