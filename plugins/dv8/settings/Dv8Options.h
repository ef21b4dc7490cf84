#pragma once
// The DV-800's configuration: the CORVANE-3's sixteen option records, register reads and rotary
// byte on the framework's configuration dialog, where a rotary read-back the meter does not
// answer (or answers badly) confirms neither direction, and a report read before any line still
// closes.
#include <memory>

#include "OptionFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::dv8 {

const cv::settings::TOptionFamily& Dv8OptionFamily();

// The "Equipment configuration" dialog on the DV-800's table.
std::unique_ptr<QDialog> MakeConfigurationDlg8(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::dv8
