#include "CertificateSections.h"

namespace cv::xr9 {

void WriteRfSignalsSection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
