#pragma once
// The DV-800 plan-and-channel picker: the framework's picker reading the meter's plans and
// channels through the DV-800 equipment object. A channel's line shows the plan's oscillator
// plus the channel's frequency as a plain sum, as this family's plan files write it.
#include "Memchanneldlg.h"

namespace cv::dv8 {

class TDV8Equip;

class TDV8MemoryChannelDlg : public TMemoryChannelDlg {
  Q_OBJECT

 public:
  TDV8MemoryChannelDlg(QWidget* owner, TDV8Equip* equip, cv::mem::PickTarget target,
                       cv::mem::PickerStart* start = nullptr);
};

}  // namespace cv::dv8
