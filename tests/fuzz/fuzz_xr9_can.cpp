// Binary channel plans (".CAN" files and received plans): the header rule, the decoder, then
// writing back what decoded and decoding that again, which must give the same plan under the
// writer's rules (names right-aligned, values through a 32-bit real, value 2 twice in a type-5
// plan, the second channel list not written).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AppServices.h"
#include "Xr9Plan.h"

using namespace cv::xr9;

namespace {

uint32_t ThroughReal(uint32_t v) {
  float f = static_cast<float>(v);
  return f >= 4294967296.0f ? 4294967040u : static_cast<uint32_t>(f);
}

// Records before the marker, which must be there.
std::vector<TChanAttribute> Records(const TChanAttribute* list) {
  std::vector<TChanAttribute> out;
  int i = 0;
  for (; i < AttrListSize && !list[i].IsMarker(); ++i) out.push_back(list[i]);
  if (i == AttrListSize) abort();
  return out;
}

void Check(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cv::RecordingPrompter boxes;  // the boxes of one input, forgotten after it
  const PlanSinks sinks{&boxes, {}, {}};
  size_t skip = CanHeaderSize(data, size);
  TPlanXR9 first;
  first.InUse = 3;
  if (!DecodeBinaryPlan(first, data + skip, size - skip, sinks)) {
    Check(!first.Channels && first.ChannelCount == 0);
    return 0;
  }
  Check(first.Channels && first.Channels->size() == first.ChannelCount);
  std::vector<uint8_t> bytes;
  if (!WriteBinaryPlanHeader(bytes, first, 0, sinks)) {
    Check(first.Channels->empty());
    return 0;
  }
  WriteBinaryPlanChannels(bytes, first);
  TPlanXR9 second;
  second.InUse = 3;
  Check(DecodeBinaryPlan(second, bytes.data(), bytes.size(), sinks));
  Check(second.PlanType == first.PlanType && second.FileType == first.FileType &&
        second.ChannelCount == first.ChannelCount);
  Check(Records(second.Attributes) == Records(first.Attributes));
  for (size_t i = 0; i < first.Channels->size(); ++i) {
    const TChanXR9& a = (*first.Channels)[i];
    const TChanXR9& b = (*second.Channels)[i];
    size_t len = strnlen(a.name, 8);
    char name[9] = "        ";
    std::memcpy(name + 8 - len, a.name, len);
    Check(std::strcmp(name, b.name) == 0);
    Check(b.value1 == ThroughReal(first.PlanType == 5 ? a.value2 : a.value1));
    Check(b.value2 == ThroughReal(a.value2));
    Check(Records(b.attrs1) == Records(a.attrs1));
    Check(Records(b.attrs2).empty());
  }
  return 0;
}
