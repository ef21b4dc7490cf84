#pragma once
// The CORVANE-4 "Update Firmware" dialog: the framework's, reading script lines of up to 255
// characters, with the "MP" button of the MPEG-2 analyser.
#include <memory>

#include "Updatedlg.h"

class QDialog;

namespace cv::cv4 {

// The update check reads script lines in pieces of this many characters.
constexpr size_t kScriptLinePiece4 = 255;

class TUpdateFirmDlg4 : public TUpdateFirmDlg {
  Q_OBJECT
 public:
  // makeAnalyzer: the family's analyser (the CORVANE-4's TMpegDlg when none is given).
  TUpdateFirmDlg4(QWidget* owner, TCv3Equip* equipment, MakeAnalyzer makeAnalyzer = {});

 protected:
  size_t ScriptLinePiece() const override { return kScriptLinePiece4; }
};

std::unique_ptr<QDialog> MakeUpdateFirmDlg4(TCv3Equip& equipment, TUpdateFirmDlg::MakeAnalyzer makeAnalyzer = {});

}  // namespace cv::cv4
