#include "CertificateSections.h"

namespace cv::xr9 {

void WriteIfSatTestSection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
