#include "Dv8Monitor.h"

#include <cstdio>
#include <iterator>
#include <limits>

#include "Dv8Equip.h"
#include "Monidlg.h"
#include "MsgIds.h"

namespace cv::dv8 {

Dv8MonitorProfile::Dv8MonitorProfile() {
  // No satellite band: its range is empty, so every frequency takes the terrestrial step and
  // format.
  satelliteStart = std::numeric_limits<double>::infinity();
  satelliteEnd = -std::numeric_limits<double>::infinity();
  formatSwitch = std::numeric_limits<double>::infinity();
  terrestrialStart = 5.0;
  terrestrialEnd = 862.0;
  terrestrialStep = 0.05;
  variantRule = false;
  SetStandardCodes(standardCodes, std::size(standardCodes));
  standardItemsId = msg::dv8::MonitorStandardItems;
  measureItemsId = msg::dv8::MonitorMeasureItems;
  measureCodes.assign(std::begin(dv8::measureCodes), std::end(dv8::measureCodes));
  showBand = false;
  showDespiteTuningFailure = true;
  emptyEditTunes = false;
}

void Dv8MonitorProfile::SetStandardCodes(const int* codes, size_t count) {
  standards.clear();
  for (size_t i = 0; i < count; ++i) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", codes[i]);
    standards.push_back({{text}});
  }
}

int Dv8MonitorProfile::MeasureItem(char type) const {
  const int item = MonitorProfile::MeasureItem(type);
  return item == kKeepMeasureItem ? -1 : item;
}

std::string Dv8MonitorProfile::ChannelText(const std::string& reply, const std::string& planName) const {
  const std::string joined = (reply.size() > 3 ? reply.substr(3) : std::string()) + " (" + planName + ") ";
  return joined.substr(0, kChannelTextLength);
}

const Dv8MonitorProfile& Dv8MonitorValues() {
  static const Dv8MonitorProfile profile;
  return profile;
}

std::unique_ptr<QDialog> MakeDv8MonitorDlg(TDV8Equip& equipment) {
  return std::make_unique<TMonitorDlg>(equipment.GetOwner(), &equipment, Dv8MonitorValues());
}

}  // namespace cv::dv8
