#include "Memdatadlg4.h"

#include "Cv4Equip.h"
#include "Cv4MemoryData.h"
#include "Memchanneldlg4.h"

namespace cv::cv4 {

MemoryDataFormFamily Cv4MemoryDataForm(TCv4Equip* equip) {
  namespace d4 = cv::msg::cv4memdata;
  MemoryDataFormFamily family;
  family.data = &Cv4MemoryData();
  family.modifyChannelHint = d4::ModifyChannelHint;
  family.specInvHint = d4::SpecInvHint;
  family.runPicker = [equip](QWidget* owner, cv::mem::PickTarget target, cv::mem::PickerStart* start) {
    TCv4MemoryChannelDlg picker(owner, equip, target, start);
    return picker.exec() == QDialog::Accepted;
  };
  return family;
}

}  // namespace cv::cv4
