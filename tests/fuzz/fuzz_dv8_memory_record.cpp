// Fuzz target: a DV-800 memory reply decoded into a memory, reported and encoded back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Dv8MemoryCodec.h"
#include "FuzzSupport.h"
#include "MemorySupport.h"

using cv::dv8::Dv8MemoryCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  Dv8MemoryCodec codec;
  MemoryRecord record;
  const cv::mem::DecodedMemory d = codec.Decode(reply, record);
  FUZZ_CHECK(codec.RefusedReplyLines(reply).size() == 3);
  if (!d.complete) {
    FUZZ_CHECK(record == MemoryRecord{});
    return 0;
  }
  // A satellite memory never passes.
  if (record.band == 'S') FUZZ_CHECK(d.errors.test(cv::mem::ErrFreqSat));
  cvfuzz::CheckDecodedReply(reply, record, d, codec);
  return 0;
}
