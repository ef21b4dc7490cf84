#include "CertificateSections.h"

namespace cv::xr9 {

void WriteSkyCertificate(DataLoggerCtl&, int, int, std::string*) {}

}  // namespace cv::xr9
