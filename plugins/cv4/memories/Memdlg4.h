#pragma once
// The CORVANE-4 memory editor: the framework's editor form over this family's record codec, with
// the family's hints. The codec picks the SR or XSR form from the firmware version per transfer.
#include <memory>

#include "Memdlg.h"

class QWidget;

namespace cv::cv4 {

class TCv4Equip;

std::unique_ptr<TMemoryDlg> MakeMemoryDlg(QWidget* owner, TCv4Equip* equip);

}  // namespace cv::cv4
