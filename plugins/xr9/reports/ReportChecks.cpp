#include "ReportChecks.h"

namespace cv::xr9 {

bool CheckReportData(DataLoggerCtl&, int, int) { return true; }

}  // namespace cv::xr9
