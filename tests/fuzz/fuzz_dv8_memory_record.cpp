// Fuzz target: a DV-800 memory reply decoded into a memory, reported and encoded back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "Dv8MemoryCodec.h"
#include "FuzzSupport.h"

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
  FUZZ_CHECK(reply.size() >= 38);
  // Every word the line carries was read: nothing is left undefined.
  FUZZ_CHECK(!std::isnan(record.freq) && !std::isnan(record.bw) && !std::isnan(record.lnbOsc) &&
             !std::isnan(record.cnRefFreq) && !std::isnan(record.soundFreq));
  FUZZ_CHECK(record.nPlan >= 0 && record.nPlan <= 255 && record.codePlan >= 0 && record.codePlan <= 255);
  const bool numberOk = d.index >= 0 && d.index < 99;
  FUZZ_CHECK(record.number == (numberOk ? d.index + 1 : 1));
  // A satellite memory never passes.
  if (record.band == 'S') FUZZ_CHECK(d.errors.test(cv::mem::ErrFreqSat));
  FUZZ_CHECK(!codec.ErrorLines(d.errors, record, d.index).empty());
  const std::string text = codec.Encode(record);
  // A memory that passed every check goes back out at its exact length (a NUL in the label ends
  // the text, which the length check then stops).
  if (d.errors.none() && strnlen(record.label, 4) == 4) FUZZ_CHECK(text.size() == (record.meas == '6' ? 38u : 42u));
  FUZZ_CHECK(codec.Sendable(text, record) == (text.size() == (record.meas == '6' ? 38u : 42u)));
  return 0;
}
