#include "MonitorProfile.h"

#include <cmath>

#include "MemoryTables.h"
#include "Format.h"

namespace cv::settings {

MonitorProfile::MonitorProfile() {
  // The memories' standard table, one code an item.
  for (int i = 0; i < cv::mem::kStandardCount; ++i) standards.push_back({{cv::mem::StandardCode(i)}});
}

std::string MonitorProfile::StdCode(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= standards.size() || standards[static_cast<size_t>(index)].codes.empty())
    return "00";
  return standards[static_cast<size_t>(index)].codes.front();
}

int MonitorProfile::StdIndex(const std::string& code) const {
  for (size_t i = 0; i < standards.size(); ++i)
    for (const std::string& c : standards[i].codes)
      if (c == code) return static_cast<int>(i);
  return 0;
}

std::string MonitorProfile::FrequencyText(float mhz) const {
  return static_cast<double>(mhz) < formatSwitch ? PrintfFixed(mhz, 6, 2) : PrintfFixed(mhz, 6, 1);
}

bool MonitorProfile::FrequencyAllowed(double mhz, int modelVariant) const {
  return (mhz >= satelliteStart && mhz <= satelliteEnd) ||
         (mhz >= terrestrialStart && mhz <= terrestrialEnd && !(variantRule && modelVariant == 4));
}

double MonitorProfile::SteppedFrequency(double mhz, bool up) const {
  const double step = mhz < satelliteStart ? terrestrialStep : satelliteStep;
  // Rounded to the hertz: 899.95 + 0.05 must be 900 exactly, or it falls between the ranges.
  return std::round((up ? mhz + step : mhz - step) * 1e6) / 1e6;
}

int MonitorProfile::MeasureItem(char type) const {
  if (type < '0' || type > '7') return kKeepMeasureItem;
  for (size_t i = 0; i < measureCodes.size(); ++i)
    if (measureCodes[i] == type - '0') return static_cast<int>(i);
  return -1;
}

std::string MonitorProfile::ChannelText(const std::string& reply, const std::string& planName) const {
  const std::string name = reply.size() > 3 ? reply.substr(3, 4) : std::string();
  return name + " (" + planName + ") ";
}

const MonitorProfile& DefaultMonitorProfile() {
  static const MonitorProfile profile;
  return profile;
}

}  // namespace cv::settings
