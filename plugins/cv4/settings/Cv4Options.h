#pragma once
// The CORVANE-4's configuration: its twenty option records (boards with status, name, revision
// and slot; the identity texts and the CA text), the rotary byte at 0x1506 and its version form,
// on the framework's configuration dialog.
#include <memory>

#include "OptionFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::cv4 {

const cv::settings::TOptionFamily& Cv4OptionFamily();

// The "Equipment configuration" dialog on the CORVANE-4's table.
std::unique_ptr<QDialog> MakeConfigurationDlg4(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::cv4
