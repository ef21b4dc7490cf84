// The host's readings of its INI file: the port paths of [Ports], the custom logo of
// [CustomLogo] and the language of [OverwriteLanguage]. Input: the INI file. Every port path the
// file gives maps its port, and no other port moves; the logo's switches are on exactly when they
// read "yes" or are missing; a language asked for is one of the four the file may name.
#include "CustomLogo.h"
#include "FuzzSupport.h"
#include "HostSettings.h"
#include "IniFile.h"
#include "Language.h"
#include "PortMap.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  cvfuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const cv::IniFile ini(cvfuzz::WriteScratch("CvTools.INI", cvfuzz::Text(data, size)));

  const std::map<int, std::string> ports = cv::ReadPortPaths(ini);
  for (const auto& [number, path] : ports) {
    FUZZ_CHECK(number >= 1 && number <= 12 && !path.empty());
    FUZZ_CHECK(path == ini.ReadString("Ports", "COM" + std::to_string(number), ""));
  }
  cv::SetPortPaths(ports);
  for (int n = 1; n <= 12; ++n) {
    const std::string name = "COM" + std::to_string(n);
    const std::string mapped = cv::PortPath(name);
    FUZZ_CHECK(!mapped.empty());
    // A bare name is a stable link under /dev/serial/by-id.
    if (ports.count(n))
      FUZZ_CHECK(mapped == (ports.at(n).find('/') == std::string::npos ? "/dev/serial/by-id/" + ports.at(n) : ports.at(n)));
    else FUZZ_CHECK(mapped == "/dev/ttyS" + std::to_string(n - 1));
  }
  cv::SetPortPaths({});

  const cv::CustomLogoSettings logo = cv::ReadCustomLogo(ini);
  FUZZ_CHECK(logo.logoFile == ini.ReadString("CustomLogo", "logo_file", ""));
  const std::pair<const char*, bool> switches[] = {
      {"stretch", logo.stretch}, {"proportional", logo.proportional}, {"center", logo.center}};
  for (const auto& [key, on] : switches)
    FUZZ_CHECK(on == (!ini.KeyExists("CustomLogo", key) || cv::SameText(ini.ReadString("CustomLogo", key, ""), "yes")));

  const std::string wanted = ini.ReadString("OverwriteLanguage", "Language", "auto");
  const int index = cv::LanguageIndexOfIniValue(wanted);
  FUZZ_CHECK(index >= -1 && index <= 4);
  if (index >= 0) FUZZ_CHECK(cv::SameText(wanted, cv::LanguageOf(index).code));
  if (cv::SameText(wanted, "auto")) FUZZ_CHECK(index == -1);
  return 0;
}
