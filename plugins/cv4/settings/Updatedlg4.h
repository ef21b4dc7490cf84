#pragma once
// The "Update Firmware" dialog of the CORVANE-4 and of the families that share it (DV-800,
// CORVANE-2, CORVANE-PLENAR): the framework's, with the "Select PRO File..." caption and script
// lines read in pieces of up to 255 characters; the "MP" button of the family's MPEG-2 analyser
// is there when the family has one.
#include <memory>

#include "Updatedlg.h"

class QDialog;

namespace cv::cv4 {

// The update check reads script lines in pieces of this many characters.
constexpr size_t kScriptLinePiece4 = 255;

class TUpdateFirmDlg4 : public TUpdateFirmDlg {
  Q_OBJECT
 public:
  // makeAnalyzer: the family's analyser behind "MP"; empty: a family without one has no button.
  TUpdateFirmDlg4(QWidget* owner, TCv3Equip* equipment, MakeAnalyzer makeAnalyzer);

 protected:
  size_t ScriptLinePiece() const override { return kScriptLinePiece4; }
};

// The CORVANE-4's analyser when none is given.
std::unique_ptr<QDialog> MakeUpdateFirmDlg4(TCv3Equip& equipment, TUpdateFirmDlg::MakeAnalyzer makeAnalyzer = {});
// The dialog of a family without an analyser (DV-800, CORVANE-2).
std::unique_ptr<QDialog> MakeUpdateFirmDlgNoAnalyzer(TCv3Equip& equipment);

}  // namespace cv::cv4
