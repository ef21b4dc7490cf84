#pragma once
// The CORVANE-2 memory editor: the framework's editor form over this family's record codec, which
// reads the meter's options before every send, and its settings dialog.
#include <memory>

#include "Memdlg.h"

class QWidget;

namespace cv::cv2 {

class TCv2Equip;

std::unique_ptr<TMemoryDlg> MakeMemoryDlg2(QWidget* owner, TCv2Equip* equip);

}  // namespace cv::cv2
