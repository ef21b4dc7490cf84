// The analyser's reply lines as the TV MIRELTO plug-in reads them: identification, version, file
// count and directory entry. The input is one reply line (cut at 255 characters and at a NUL, as
// the port's line read gives it). Every reader stays inside the line and keeps its promises.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Xr9Equip.h"
#include "Xr9Transfer.h"

#define XR9_FUZZ_CHECK(cond)                                                             \
  do {                                                                                   \
    if (!(cond)) {                                                                       \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);     \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char line[256];
  const size_t n = std::min<size_t>(size, 255);
  std::memcpy(line, data, n);
  line[n] = '\0';
  const size_t length = std::strlen(line);

  cv::xr9::TEquipIdent ident;
  ident.model = 77;
  cv::xr9::TXR9Equip::ParseIdReply(line, ident);
  if (length < 14 || !std::strstr(line, "ID")) {
    XR9_FUZZ_CHECK(ident.model == 0 && ident.optionByte == 0 && ident.flag1 == 0 && ident.flag9 == 0);
  }
  for (uint8_t f : {ident.flag1, ident.flag2, ident.flag3, ident.flag4, ident.flag5, ident.flag6, ident.flag7,
                    ident.flag8, ident.flag9})
    XR9_FUZZ_CHECK(f <= 1);
  (void)cv::xr9::TXR9Equip::ParseVersionReply(line);

  int count = -1;
  if (cv::xr9::TFileTransfer::ParseCount(line, count)) XR9_FUZZ_CHECK(length >= 5 && count >= 0 && count <= 255);
  for (int nameLength : {12, 32}) {
    uint32_t fileSize = 0;
    std::string name;
    if (cv::xr9::TFileTransfer::ParseEntry(line, nameLength, fileSize, name)) {
      XR9_FUZZ_CHECK(length >= 14);
      XR9_FUZZ_CHECK(!name.empty() && name.size() <= static_cast<size_t>(nameLength));
      XR9_FUZZ_CHECK(name == std::string(line + 13, name.size()));
    }
  }
  return 0;
}
