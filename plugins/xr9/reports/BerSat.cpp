#include "CertificateSections.h"

namespace cv::xr9 {

void WriteBerSatSection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
