#include "CertificateSections.h"

namespace cv::xr9 {

void WriteUserSignalsASection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
