#pragma once
// The DV-800 memory settings dialog: the framework's form over this family's rules, labels, hint
// and channel picker.
#include "Memdatadlg.h"

namespace cv::dv8 {

class TDV8Equip;

MemoryDataFormFamily Dv8MemoryDataForm(TDV8Equip* equip);
// The labels this family's form words otherwise than the framework's (the CORVANE-2 shares them).
std::vector<std::pair<const char*, int>> Dv8MemoryDataLabels();

}  // namespace cv::dv8
