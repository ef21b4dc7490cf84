#pragma once
// The DV-800 memory settings dialog: the framework's form over this family's rules, labels, hint
// and channel picker.
#include "Memdatadlg.h"

namespace cv::dv8 {

class TDV8Equip;

MemoryDataFormFamily Dv8MemoryDataForm(TDV8Equip* equip);

}  // namespace cv::dv8
