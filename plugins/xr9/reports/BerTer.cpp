#include "CertificateSections.h"

namespace cv::xr9 {

void WriteBerTerSection(DataLoggerCtl&, int, TReportFiles*) {}

}  // namespace cv::xr9
