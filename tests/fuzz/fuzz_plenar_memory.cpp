// Fuzz target: CORVANE-PLENAR memories of the sixteen measures. The first line is an XSR reply,
// decoded, reported and encoded back; each further line is a memory file row, split by the
// equipment's splitter as the editor splits it, read, written and read again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include <memory>

#include "Cv3MemoryEquipment.h"
#include "FuzzSupport.h"
#include "PlenEquip.h"
#include "PlenMemoryCodec.h"

using cv::plenar::PlenMemoryCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<cv::plenar::TCvPlenEquip> equip(
      TCv3Equip::Build<cv::plenar::TCvPlenEquip>(nullptr, nullptr));
  equip->decimalSeparator = ',';
  equip->listSeparator = ';';
  cv::mem::Cv3MemoryEquipment link(*equip);
  auto fields = [&](const std::string& line) {
    const PlenMemoryCodec c;
    return cv::mem::SplitFileRow(c.RowText(line), c.FileColumns(), equip->listSeparator,
                                 [&](const std::string& row) { return link.SplitFields(row); });
  };
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  PlenMemoryCodec codec;
  if (!lines.empty()) {
    const std::string& reply = lines[0];
    MemoryRecord record = codec.Cleared();
    const cv::mem::DecodedMemory d = codec.Decode(reply, record);
    if (!d.complete) {
      FUZZ_CHECK(reply.size() != PlenMemoryCodec::kXsrLength && record == codec.Cleared());
    } else {
      FUZZ_CHECK(d.index >= 0 && d.index < 99 && record.number == d.index + 1);
      // The measure is kept exactly as received.
      FUZZ_CHECK(record.meas == reply[23]);
      FUZZ_CHECK(!codec.ErrorLines(d.errors, record, d.index).empty());
      const std::string text = codec.Encode(record);
      FUZZ_CHECK(codec.Sendable(text, record) == (text.size() == PlenMemoryCodec::kXsrLength));
      if (text.size() == PlenMemoryCodec::kXsrLength) FUZZ_CHECK(text[23] == record.meas);
    }
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    MemoryRecord record = codec.Cleared();
    const cv::mem::ParsedRow row = codec.ParseFileRow(fields(lines[i]), record);
    FUZZ_CHECK(record.number >= 1 && record.number <= 99);
    if (!row.errors.none() || !codec.Unwritable(record).empty()) continue;
    // A row that passed every check is written and reads back alike.
    const std::string written = codec.FormatFileRow(record, ',', ';');
    MemoryRecord again = codec.Cleared();
    FUZZ_CHECK(codec.ParseFileRow(fields(written), again).errors.none());
    FUZZ_CHECK(codec.FormatFileRow(again, ',', ';') == written);
  }
  return 0;
}
