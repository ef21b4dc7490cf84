// Fuzz target: a CORVANE-4 memory reply, an SR or an XSR record, decoded into a memory, reported
// and encoded back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "Cv4MemoryCodec.h"
#include "FuzzSupport.h"

using cv::cv4::Cv4MemoryCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  Cv4MemoryCodec codec("Cv4Tools 1.16");
  for (Cv4MemoryCodec::Form form : {Cv4MemoryCodec::Form::SR, Cv4MemoryCodec::Form::XSR}) {
    codec.form = form;
    MemoryRecord record = codec.Cleared();
    const cv::mem::DecodedMemory d = codec.Decode(reply, record);
    if (!d.complete) {
      FUZZ_CHECK(reply.size() != Cv4MemoryCodec::LengthOf(form) && record == codec.Cleared());
      continue;
    }
    FUZZ_CHECK(d.index >= 0 && d.index < 99 && record.number == d.index + 1);
    FUZZ_CHECK(!codec.ErrorLines(d.errors, record, d.index).empty());
    const std::string text = codec.Encode(record);
    // A record that passed every check goes back out at its exact length. The plan code, the
    // label and the DiSEqC setting have no check of their own: unreadable code digits leave -1
    // and a NUL in the label or the setting ends the text, which the length check then stops.
    const bool unchecked = record.codePlan >= 0 && record.codePlan <= 255 && strnlen(record.label, 4) == 4 &&
                           record.diseqC != '\0';
    if (d.errors.none() && unchecked) FUZZ_CHECK(text.size() == Cv4MemoryCodec::LengthOf(form));
    FUZZ_CHECK(codec.Sendable(text, record) == (text.size() == Cv4MemoryCodec::LengthOf(form)));
  }
  return 0;
}
