#pragma once
// The DV-800 monitor: the framework's dialog run on the terrestrial-only meter's values.
#include <memory>

#include "MonitorProfile.h"

class QDialog;

namespace cv::dv8 {

class TDV8Equip;

// 5 to 862 MHz in 0.05 MHz steps, always "%6.2f", no band label; five measurement items whose
// codes are `measureCodes`, ten standards of `standardCodes`; the display shows each reading
// whatever the tuning-mode and channel queries give, with the channel text cut to 26 characters;
// an empty frequency edit sends nothing.
class Dv8MonitorProfile : public cv::settings::MonitorProfile {
 public:
  Dv8MonitorProfile();
  // A type the items do not name (the BER types, an unknown one) leaves no item selected.
  int MeasureItem(char type) const override;
  // The whole reply from its fourth character, then " (" + plan name + ") ", cut to 26.
  std::string ChannelText(const std::string& reply, const std::string& planName) const override;

  static constexpr size_t kChannelTextLength = 26;

 protected:
  // One standard item for each code, sent and read as two decimal digits ("%02d").
  void SetStandardCodes(const int* codes, size_t count);
};

const Dv8MonitorProfile& Dv8MonitorValues();

// The dialog over the equipment (tuning, counters and help page are the equipment's), owned by
// the equipment's main form.
std::unique_ptr<QDialog> MakeDv8MonitorDlg(TDV8Equip& equipment);

}  // namespace cv::dv8
