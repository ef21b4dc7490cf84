// Fuzz target: the check that a PRO script is a firmware update script, on arbitrary file bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "SettingsLink.h"
#include "UpdateScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = cvfuzz::Text(data, size);
  std::string file;
  if (cv::settings::FindUpdateLine(text, file)) {
    // The name as the script writes it: its extension ".UPD" in any case, its text found there.
    FUZZ_CHECK(file.size() >= 5 && cv::settings::Upper(file.substr(file.size() - 4)) == ".UPD" && file[0] == ' ');
    FUZZ_CHECK(text.find(file) != std::string::npos);
    FUZZ_CHECK(file.size() <= 254);
  }
  return 0;
}
