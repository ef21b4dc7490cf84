#pragma once
// The DV-800 memory editor: the framework's editor form over this family's record codec, with
// hints that name no meter.
#include <memory>

#include "Memdlg.h"

class QWidget;

namespace cv::dv8 {

class TDV8Equip;

std::unique_ptr<TMemoryDlg> MakeMemoryDlg8(QWidget* owner, TDV8Equip* equip);

}  // namespace cv::dv8
