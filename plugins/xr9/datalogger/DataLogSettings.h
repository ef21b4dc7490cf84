#pragma once
// The data logger's settings from the host INI file, read once when the dialog opens: the list of
// report kinds offered, the SKY acceptance thresholds and the page sizes of the reports.
#include <optional>
#include <string>
#include <vector>

#include "IniFile.h"

namespace cv::xr9 {

struct SkyThresholds {
  int analogTerrestrialMin = 600, analogTerrestrialMax = 800;
  int cnDigitalSatelliteMin = 90, cnDigitalTerrestrialMin = 260;
  int powerSatelliteMin = 520, powerSatelliteMax = 770;
  int powerTerrestrialMin = 450, powerTerrestrialMax = 650;
  int powerDabMin = 450, powerDabMax = 650;
  int powerFmRadioMin = 540, powerFmRadioMax = 740;
};

struct PageSizes {
  int channelsPerPageSelectedMeas = 50;
  int channelsPerPageAllMeas = 7;
  int channelsPerPageTer = 18;
  int channelsPerPageSat = 40;
};

// The most report entries read from the INI file.
constexpr int kMaxReportEntries = 100;

struct DataLogSettings {
  // One entry per report: its kind text (characters 2 and 3) and its name (from the 5th on),
  // in entry order; the names are the items of the report list.
  std::vector<std::string> kindTexts;
  std::vector<std::string> reportNames;
  SkyThresholds thresholds;
  PageSizes pages;

  void Read(const IniFile& ini);
  // Splits one "Report%d" entry.
  static void SplitEntry(const std::string& entry, std::string& kindText, std::string& name);
};

// The kind a kind text names: decimal digits only (one or two, as the entry holds them); nullopt
// for any other text.
std::optional<int> ParseReportKind(const std::string& kindText);

}  // namespace cv::xr9
