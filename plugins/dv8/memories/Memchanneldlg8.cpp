#include "Memchanneldlg8.h"

#include "Dv8Equip.h"

namespace cv::dv8 {

TDV8MemoryChannelDlg::TDV8MemoryChannelDlg(QWidget* owner, TDV8Equip* equip, cv::mem::PickTarget target,
                                           cv::mem::PickerStart* start)
    : TMemoryChannelDlg(owner, equip, target, start) {
  Picker().plainDownlink = true;
}

}  // namespace cv::dv8
