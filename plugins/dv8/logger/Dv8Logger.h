#pragma once
// The DV-800's data logger: the framework's dialogs, record layout, measurement names and unit
// texts, with time stamps asked from firmware 2.45 on (the version read after the reply's first
// blank) and a BER cell that never shows the reply's sign character.
#include <memory>

#include "LoggerFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::dv8 {

const cv::logger::TLoggerFamily& Dv8LoggerFamily();

// The "DataLogger" dialog on the DV-800's values.
std::unique_ptr<QDialog> MakeDataLoggerDlg8(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::dv8
