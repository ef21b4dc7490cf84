// The data logger's settings from an INI file: report entries of any length and any bytes, the
// kind texts read back as numbers only when they are decimal digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DataLogSettings.h"
#include "IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cv::IniFile ini;
  ini.Parse(std::string(reinterpret_cast<const char*>(data), size));
  cv::xr9::DataLogSettings settings;
  settings.Read(ini);
  if (settings.kindTexts.size() != settings.reportNames.size()) abort();
  for (const std::string& kind : settings.kindTexts) {
    if (kind.size() > 2) abort();
    const auto k = cv::xr9::ParseReportKind(kind);
    bool digits = !kind.empty();
    for (char c : kind) digits = digits && c >= '0' && c <= '9';
    if (k.has_value() != digits || (k && (*k < 0 || *k > 99))) abort();
  }
  return 0;
}
