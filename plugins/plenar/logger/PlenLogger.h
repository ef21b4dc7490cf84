#pragma once
// The CORVANE-PLENAR's data logger: the CORVANE-4's, with the sixteen measurement types this
// meter logs (a type character '0'..'9' or 'A'..'F' at position 22), their value codings and the
// percentage units of the COFDM channel-state figure.
#include <memory>

#include "LoggerFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::plenar {

const cv::logger::TLoggerFamily& PlenLoggerFamily();

// The "DataLogger" dialog on the CORVANE-PLENAR's formats.
std::unique_ptr<QDialog> MakeDataLoggerDlgPlen(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::plenar
