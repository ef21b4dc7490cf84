// The CORVANE-PLENAR's DAB replies as the analyser's DAB panel reads them: the input's lines
// answer "*?I21DA20005" and "*?I21DA30002" in turn, through a fake line. The lock needs its '1' at
// position 4, SNR and QUAL change only with it, a status that gets no reply clears every field
// and asks no more, and no field is longer than its reply holds.
#include "FuzzSupport.h"
#include "MpegAnalyzer.h"
#include "MpegFuzzLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = cvfuzz::Lines(cvfuzz::Text(data, size));
  cvfuzz::MpegFuzzLink link(lines);
  cv::cv4::MpegAnalyzer analyzer(link);
  cv::cv4::MpegAnalyzer::DabFields fields;
  fields.snr = "KEEP";
  fields.qual = "KEPT";
  for (size_t i = 0; i < lines.size();) {
    const std::string status = lines[i] == "!" ? std::string() : lines[i].substr(0, 255);
    const std::string before = fields.snr + "|" + fields.qual;
    analyzer.ReadDab(fields);
    if (lines[i++] == "!") {
      // No reply: nothing more is asked and no figure stays.
      FUZZ_CHECK(!fields.answered && !fields.locked);
      FUZZ_CHECK(fields.snr.empty() && fields.qual.empty() && fields.captura.empty());
      continue;
    }
    FUZZ_CHECK(fields.answered);
    FUZZ_CHECK(fields.locked == (status.size() > 4 && status[4] == '1'));
    if (fields.locked) {
      FUZZ_CHECK(fields.snr == status.substr(5, 4));
      FUZZ_CHECK(fields.qual == (status.size() > 9 ? status.substr(9, 4) : std::string()));
    } else {
      FUZZ_CHECK(fields.snr + "|" + fields.qual == before);
    }
    const std::string capture = i < lines.size() && lines[i] != "!" ? lines[i].substr(0, 255) : std::string();
    ++i;
    FUZZ_CHECK(fields.captura.size() <= 4 && fields.captura.size() + 3 <= std::max<size_t>(capture.size(), 3));
    FUZZ_CHECK(capture.size() < 3 || fields.captura == capture.substr(3, 4));
  }
  return 0;
}
