#include "Memchanneldlg4.h"

#include "Cv4Equip.h"

namespace cv::cv4 {

TCv4MemoryChannelDlg::TCv4MemoryChannelDlg(QWidget* owner, TCv4Equip* equip, cv::mem::PickTarget target,
                                           cv::mem::PickerStart* start)
    : TMemoryChannelDlg(owner, equip, target, start) {}

}  // namespace cv::cv4
