#pragma once
// The CORVANE-4 plan-and-channel picker: the framework's picker reading the meter's plans and
// channels through the CORVANE-4 equipment object, so with the family's ranges. Its handlers are
// the ones the pickers of this family's descendants vary.
#include "Memchanneldlg.h"

namespace cv::cv4 {

class TCv4Equip;

class TCv4MemoryChannelDlg : public TMemoryChannelDlg {
  Q_OBJECT

 public:
  TCv4MemoryChannelDlg(QWidget* owner, TCv4Equip* equip, cv::mem::PickTarget target,
                       cv::mem::PickerStart* start = nullptr);
};

}  // namespace cv::cv4
