// Replies of the MPEG-2 decoder as the analyser reads them: the input's lines answer, in turn, the
// packet dump, the section dump, the table register, the status query, a typed query and a test
// flag, through a fake line into the analyser's plain operations. No shown field is longer than
// its replies hold, and the renderings keep their fixed lengths.
#include "FuzzSupport.h"
#include "MpegAnalyzer.h"
#include "MpegFuzzLink.h"

namespace {

using cv::cv4::MpegAnalyzer;

void CheckRendering(const std::string& text, size_t positions) {
  const std::string shown = cv::cv4::HexToText(text, positions);
  FUZZ_CHECK(shown.size() == positions);
  for (size_t i = 0; i < shown.size(); i += 2) {
    FUZZ_CHECK(shown[i + 1] == ' ');
    FUZZ_CHECK(shown[i] == '.' || (shown[i] >= 32 && shown[i] <= 125));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cvfuzz::MpegFuzzLink link(cvfuzz::Lines(cvfuzz::Text(data, size)));
  MpegAnalyzer analyzer(link);

  if (const auto packet = analyzer.PacketDump()) {
    FUZZ_CHECK(packet->size() <= cv::cv4::kPacketChars);
    CheckRendering(*packet, cv::cv4::kPacketChars);
  }
  link.TakeLongest();
  if (const auto section = analyzer.SectionDump()) {
    FUZZ_CHECK(section->size() <= cv::cv4::kSectionChars);
    CheckRendering(*section, cv::cv4::kSectionPositions);
  }
  link.TakeLongest();

  // The flag follows a write the meter took, and a refresh only an answer.
  bool sdt = false;
  const MpegAnalyzer::Table changed = analyzer.ChangeTable(sdt);
  FUZZ_CHECK(sdt == (changed != MpegAnalyzer::Table::NotChanged));
  const bool before = sdt;
  const MpegAnalyzer::Table refreshed = analyzer.RefreshTable(sdt);
  FUZZ_CHECK(refreshed != MpegAnalyzer::Table::NotChanged);
  FUZZ_CHECK(sdt == (refreshed == MpegAnalyzer::Table::NoAnswer ? before : refreshed == MpegAnalyzer::Table::Sdt));

  link.TakeLongest();
  const std::optional<std::string> status = analyzer.Status(std::string(300, 's'));
  const size_t reply = link.TakeLongest();
  FUZZ_CHECK(!status || status->size() == 256 + (reply > 3 ? reply - 3 : 0));

  std::string typed = "*?mp", answer;
  const MpegAnalyzer::Typed sent = analyzer.SendTyped(typed, answer);
  FUZZ_CHECK((sent == MpegAnalyzer::Typed::Query || sent == MpegAnalyzer::Typed::NoReply) && typed == "*?MP");
  FUZZ_CHECK(answer.size() <= 255 && (sent == MpegAnalyzer::Typed::Query || answer.empty()));

  std::string command;
  analyzer.WriteFlag("000000001", true, command);
  FUZZ_CHECK(command == "*PT0000000010001");
  analyzer.ReadFlag("000000001");

  MpegAnalyzer::DabFields dab;
  analyzer.ReadDab(dab);
  FUZZ_CHECK(dab.snr.size() <= 4 && dab.qual.size() <= 4 && dab.captura.size() <= 4);
  for (size_t n : {size_t(0), size, size * 977}) {
    const cv::cv4::SelectionReadout r = cv::cv4::ShowSelection(n, ',');
    FUZZ_CHECK(r.hex.size() >= 4 && r.hex[0] == 'x');
  }
  return 0;
}
