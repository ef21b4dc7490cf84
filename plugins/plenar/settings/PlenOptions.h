#pragma once
// The CORVANE-PLENAR's configuration: the CORVANE-4's records with the second model text after
// the model and five more boards (26 records), on the framework's configuration dialog.
#include <memory>

#include "OptionFamily.h"

class QDialog;
class QWidget;
class TCv3Equip;

namespace cv::plenar {

const cv::settings::TOptionFamily& PlenOptionFamily();

// The "Equipment configuration" dialog on the CORVANE-PLENAR's table.
std::unique_ptr<QDialog> MakeConfigurationDlgPlen(QWidget* owner, TCv3Equip* equipment);

}  // namespace cv::plenar
