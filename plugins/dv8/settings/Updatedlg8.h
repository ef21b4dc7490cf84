#pragma once
// The DV-800 "Update Firmware" dialog: the framework's, with the button that names the PRO file
// and script lines read in pieces of up to 255 characters; the script runs in the DV-800 dialect.
#include <memory>

#include "Updatedlg.h"

class QDialog;

namespace cv::dv8 {

constexpr size_t kScriptLinePiece8 = 255;

class TUpdateFirmDlg8 : public TUpdateFirmDlg {
  Q_OBJECT
 public:
  TUpdateFirmDlg8(QWidget* owner, TCv3Equip* equipment);

 protected:
  size_t ScriptLinePiece() const override { return kScriptLinePiece8; }
};

std::unique_ptr<QDialog> MakeUpdateFirmDlg8(TCv3Equip& equipment);

}  // namespace cv::dv8
