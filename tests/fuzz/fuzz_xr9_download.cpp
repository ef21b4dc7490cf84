// A download from the analyser as the TV MIRELTO plug-in checks it: the first four bytes of the
// input give the file size the directory announced (little-endian), the rest is what the raw read
// received. The checker reads nothing outside the received bytes, and accepts a file only when its
// checksum matches.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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
  if (size < 4) return 0;
  int32_t announced = 0;
  std::memcpy(&announced, data, 4);
  // The received bytes in a buffer of their own, so any read past them is seen.
  const std::vector<uint8_t> received(data + 4, data + size);
  std::vector<uint8_t> file{1, 2, 3};
  const auto status = cv::xr9::TFileTransfer::CheckDownload(received.data(), received.size(), announced, file);
  using cv::xr9::DownloadStatus;
  if (status == DownloadStatus::Ok) {
    XR9_FUZZ_CHECK(announced >= 0 && file.size() == static_cast<size_t>(announced));
    XR9_FUZZ_CHECK(received.size() >= file.size() + 15);
    XR9_FUZZ_CHECK(std::memcmp(file.data(), received.data() + 11, file.size()) == 0);
    uint32_t sum = 0;
    std::memcpy(&sum, received.data() + 11 + file.size(), 4);
    XR9_FUZZ_CHECK(sum + cv::xr9::TXR9Equip::ByteSum(file.data(), file.size()) == 0u);
  } else {
    XR9_FUZZ_CHECK(file.empty());
  }
  // The block checksum makes every block sum to 0 modulo 256.
  const uint8_t check = cv::xr9::TFileTransfer::BlockChecksum(received.data(), received.size());
  XR9_FUZZ_CHECK(((cv::xr9::TXR9Equip::ByteSum(received.data(), received.size()) + check) & 0xFF) == 0);
  return 0;
}
