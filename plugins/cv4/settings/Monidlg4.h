#pragma once
// The CORVANE-4 monitor: the framework's dialog run on the family's values.
#include <memory>

#include "MonitorProfile.h"

class QDialog;
class TCv3Equip;

namespace cv::cv4 {

// Satellite 900..2150 MHz in 0.5 MHz steps, terrestrial 5..862 MHz in 0.05 MHz steps, both for
// every model; "%6.1f" from 900 MHz; the four digital codes all read as DIGITAL.
const cv::settings::MonitorProfile& Monitor4Profile();

// The dialog over the equipment (tuning and help page are the equipment's), owned by the
// equipment's main form.
std::unique_ptr<QDialog> MakeMonitorDlg4(TCv3Equip& equipment);

}  // namespace cv::cv4
