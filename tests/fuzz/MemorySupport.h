#pragma once
// What the memory file targets share: a screen that shows nothing and chooses no file, and the
// separators picked from the input's first byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv3Equip.h"
#include "MemoryEditor.h"

namespace cvfuzz {

class Screenless : public cv::plan::FileChooser, public cv::mem::MemoryView {
 public:
  std::string OpenFile(const std::string&, const std::string&) override { return {}; }
  std::string SaveFile(const std::string&, const std::string&, const std::string&) override { return {}; }
  void SetGauge(int) override {}
  void ShowList() override {}
  void ShowButtons() override {}
};

// The two locales the program meets: a file opening with '#' reads with ';' and ',', one opening
// with a CR line with ',' and '.'.
inline void PickSeparators(TCv3Equip& equip, const uint8_t* data, size_t size) {
  const bool comma = size > 0 && (data[0] & 2);
  equip.decimalSeparator = comma ? ',' : '.';
  equip.listSeparator = comma ? ';' : ',';
}

}  // namespace cvfuzz
