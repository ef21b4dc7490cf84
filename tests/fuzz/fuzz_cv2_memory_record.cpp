// Fuzz target: a CORVANE-2 memory reply decoded into a memory with its error mask, reported and
// encoded back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Cv2MemoryCodec.h"
#include "FuzzSupport.h"
#include "MemorySupport.h"
#include "Pll.h"

using cv::cv2::Cv2MemoryCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  Cv2MemoryCodec codec([](cv::cv2::InstalledOptions&) { return false; });
  MemoryRecord record;
  const cv::mem::DecodedMemory d = codec.Decode(reply, record);
  FUZZ_CHECK(codec.RefusedReplyLines(reply).size() == 2);
  if (!d.complete) {
    FUZZ_CHECK(record == MemoryRecord{});
    return 0;
  }
  FUZZ_CHECK(d.errors.test(cv::mem::ErrNumber) == (d.index < 0 || d.index >= 99));
  // The frequency's bit is the band's, and set exactly when the list entry would not show it.
  const bool inRange = codec.FreqInRange(record.band, record.freq);
  if (record.band == 'S') FUZZ_CHECK(d.errors.test(cv::mem::ErrFreqSat) == !inRange);
  if (record.band != 'S') FUZZ_CHECK(d.errors.test(cv::mem::ErrFreqTer) == !inRange);
  // The C/N reference is checked for a C/N referenced memory only.
  if (record.meas != '7') FUZZ_CHECK(!d.errors.test(cv::mem::ErrCnRef));
  // Only the file's folded measures set the warning bits.
  FUZZ_CHECK(!d.errors.test(cv::mem::ErrQpskReplaced) && !d.errors.test(cv::mem::ErrQamReplaced) &&
             !d.errors.test(cv::mem::ErrCofdmReplaced));
  cvfuzz::CheckDecodedReply(reply, record, d, codec);
  return 0;
}
