#pragma once
// The CORVANE-4 memory settings dialog: the framework's form over this family's rules, hints and
// channel picker.
#include "Memdatadlg.h"

namespace cv::cv4 {

class TCv4Equip;

MemoryDataFormFamily Cv4MemoryDataForm(TCv4Equip* equip);

}  // namespace cv::cv4
