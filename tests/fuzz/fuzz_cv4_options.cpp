// Fuzz target: the CORVANE-4 configuration's reading of the meter's configuration memory on its
// twenty records. The input is split at newlines into the replies the meter gives, in turn, to
// the version query, the rotary byte and every record's register queries; the option lines and
// the save file are built from them.
#include <cstddef>
#include <cstdint>

#include "Cv4Options.h"
#include "SettingsFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_CHECK(cv::cv4::Cv4OptionFamily().records.size() == 20);
  cvfuzz::ReadOptions(cvfuzz::Text(data, size), cv::cv4::Cv4OptionFamily());
  return 0;
}
