#include "Memdatadlg2.h"

#include "Cv2MemoryData.h"
#include "Memdatadlg8.h"
#include "MsgIds.h"

namespace cv::cv2 {

MemoryDataFormFamily Cv2MemoryDataForm() {
  MemoryDataFormFamily family;
  family.data = &Cv2MemoryData();
  family.modifyChannelHint = cv::msg::cv4memdata::ModifyChannelHint;
  family.labels = cv::dv8::Dv8MemoryDataLabels();
  return family;
}

}  // namespace cv::cv2
