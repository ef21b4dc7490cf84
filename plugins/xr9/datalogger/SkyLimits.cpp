#include "SkyLimits.h"

#include "DataLoggerCtl.h"

namespace cv::xr9 {

bool MeetsSkyThreshold(const DataLoggerCtl&, int, int, const TDataLogMeas*) { return false; }
void ApplySkyOffsets(DataLoggerCtl&, int, int, int, int) {}

}  // namespace cv::xr9
