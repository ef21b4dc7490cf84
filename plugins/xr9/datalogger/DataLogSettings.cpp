#include "DataLogSettings.h"

#include <algorithm>

#include <cstdint>
#include <cstdio>

#include "NumFormat.h"

namespace cv::xr9 {

void DataLogSettings::SplitEntry(const std::string& entry, std::string& kindText, std::string& name) {
  kindText = entry.size() > 1 ? entry.substr(1, 2) : std::string();
  name = entry.size() > 4 ? entry.substr(4) : std::string();
}

void DataLogSettings::Read(const IniFile& ini) {
  kindTexts.clear();
  reportNames.clear();
  const char* reports = "DLAvailableReports";
  // Report kinds are two digits, so no list holds more than 100 entries; a damaged Count must not
  // make the dialog read (and fill its list with) millions of default entries.
  const int count = std::min(ini.ReadInteger(reports, "Count", 0), kMaxReportEntries);
  for (int i = 0; i < count; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "Report%d", i);
    std::string kind, name;
    SplitEntry(ini.ReadString(reports, key, "default"), kind, name);
    kindTexts.push_back(kind);
    reportNames.push_back(name);
  }
  const char* sky = "DLReportSKY_THRESHOLD_LEVELS";
  SkyThresholds d;
  thresholds.analogTerrestrialMin = ini.ReadInteger(sky, "Analog_terrestrial_min", d.analogTerrestrialMin);
  thresholds.analogTerrestrialMax = ini.ReadInteger(sky, "Analog_terrestrial_max", d.analogTerrestrialMax);
  thresholds.cnDigitalSatelliteMin = ini.ReadInteger(sky, "CN_digital_satellite_min", d.cnDigitalSatelliteMin);
  thresholds.cnDigitalTerrestrialMin = ini.ReadInteger(sky, "CN_digital_terrestrial_min", d.cnDigitalTerrestrialMin);
  thresholds.powerSatelliteMin = ini.ReadInteger(sky, "POWER_satellite_min", d.powerSatelliteMin);
  thresholds.powerSatelliteMax = ini.ReadInteger(sky, "POWER_satellite_max", d.powerSatelliteMax);
  thresholds.powerTerrestrialMin = ini.ReadInteger(sky, "POWER_terrestrial_min", d.powerTerrestrialMin);
  thresholds.powerTerrestrialMax = ini.ReadInteger(sky, "POWER_terrestrial_max", d.powerTerrestrialMax);
  thresholds.powerDabMin = ini.ReadInteger(sky, "POWER_DAB_min", d.powerDabMin);
  thresholds.powerDabMax = ini.ReadInteger(sky, "POWER_DAB_max", d.powerDabMax);
  thresholds.powerFmRadioMin = ini.ReadInteger(sky, "POWER_FMRadio_min", d.powerFmRadioMin);
  thresholds.powerFmRadioMax = ini.ReadInteger(sky, "POWER_FMRadio_max", d.powerFmRadioMax);
  PageSizes p;
  pages.channelsPerPageSelectedMeas = ini.ReadInteger("DLCVTOOLS", "Channels_per_page_selected_meas", p.channelsPerPageSelectedMeas);
  pages.channelsPerPageAllMeas = ini.ReadInteger("DLCVTOOLS", "Channels_per_page_all_meas", p.channelsPerPageAllMeas);
  pages.channelsPerPageTer = ini.ReadInteger("DLReportESP", "Channels_per_page_TER", p.channelsPerPageTer);
  pages.channelsPerPageSat = ini.ReadInteger("DLReportESP", "Channels_per_page_SAT", p.channelsPerPageSat);
}

std::optional<int> ParseReportKind(const std::string& kindText) {
  if (kindText.empty()) return std::nullopt;
  for (char c : kindText)
    if (c < '0' || c > '9') return std::nullopt;
  int32_t value = 0;
  if (!ParseInteger(kindText, value)) return std::nullopt;
  return value;
}

}  // namespace cv::xr9
