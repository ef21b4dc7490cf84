#pragma once
// The CORVANE-2 memory settings dialog: the DV-800's form (its labels) over this family's rules,
// with the framework's channel picker reading the meter's plans through the family's object.
#include "Memdatadlg.h"

namespace cv::cv2 {

MemoryDataFormFamily Cv2MemoryDataForm();

}  // namespace cv::cv2
