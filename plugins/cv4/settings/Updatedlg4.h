#pragma once
// The CORVANE-4 "Update Firmware" dialog: the framework's, reading script lines of up to 255
// characters, with the button of the MPEG-2 analyser.
#include <memory>

#include "Updatedlg.h"

class QDialog;

namespace cv::cv4 {

// The update check reads script lines in pieces of this many characters.
constexpr size_t kScriptLinePiece4 = 255;

class TUpdateFirmDlg4 : public TUpdateFirmDlg {
  Q_OBJECT
 public:
  TUpdateFirmDlg4(QWidget* owner, TCv3Equip* equipment);

  QPushButton* Mpeg2Btn;

 public slots:
  // The analyser is not part of this plug-in yet: the button stays disabled and does nothing.
  void Mpeg2BtnClick();

 protected:
  size_t ScriptLinePiece() const override { return kScriptLinePiece4; }
};

std::unique_ptr<QDialog> MakeUpdateFirmDlg4(TCv3Equip& equipment);

}  // namespace cv::cv4
