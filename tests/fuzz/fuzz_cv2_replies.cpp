// Replies of a CORVANE-2 meter: every input line is read as the "*?ID" reply, as the option query
// reads it, as the "*?CI" reply of a terrestrial and of a satellite plan with the family's
// ranges, as the equipment object reads it (a channel read is then built again from its texts),
// and as the "*?VE" reply the configuration dialog reads.
#include <cstring>

#include "Chan2.h"
#include "Cv2Equip.h"
#include "Cv2Options.h"
#include "FuzzSupport.h"
#include "OptionRecords.h"

namespace {

void Options(const std::string& reply) {
  cv::cv2::InstalledOptions options;
  std::memset(options.flags, 7, sizeof options.flags);
  const bool read = cv::cv2::ParseInstalledOptions(reply, options);
  int set = 0;
  for (uint8_t f : options.flags) {
    FUZZ_CHECK(f <= 1);
    set += f;
  }
  // No word: every flag false.
  FUZZ_CHECK(read || set == 0);
}

void Channel(const std::string& reply, char band) {
  const cv::PllBand& range = cv::PllBandOf(band, cv::kCorvane2Ranges);
  cv::cv2::TChan2 chan = cv::cv2::ChanFromWord("KEEP", 0x0F8C, 8, band, "SY00", "UN0", "ME1");
  const cv::cv2::TChan2 before = chan;
  const bool ok = ParseChannelInfo(reply, band, chan, cv::kCorvane2Ranges);
  if (!ok && std::memcmp(&chan, &before, sizeof chan) == 0) return;  // refused: the record as it was
  if (ok) {
    FUZZ_CHECK(chan.frequency >= range.minMHz && chan.frequency <= range.maxMHz);
  } else {
    FUZZ_CHECK(chan.frequency == range.fallbackMHz);
  }
  FUZZ_CHECK(std::strlen(chan.name) <= 4 && std::strlen(chan.wordText) <= 4 && std::strlen(chan.word2Text) <= 4);
  for (const auto& c : chan.commands) FUZZ_CHECK(std::strlen(c) <= 15);
  const int fields = band == 'S' ? 3 : 1;
  for (int i = fields; i < 3; ++i) FUZZ_CHECK(chan.commands[i][0] == '\0');
  const cv::cv2::TChan2 again = cv::cv2::ChanFromTexts(chan.name, chan.wordText, chan.word2Text, band);
  FUZZ_CHECK(again.frequency == chan.frequency);
}

// At most 12 characters of the reply count: "*VE" gives " v" and what follows its fourth
// character; anything else no version.
void Version(const std::string& reply) {
  cv::settings::Link link;
  link.query = [&](const std::string&, std::string& answer) {
    answer = reply;
    return !reply.empty();
  };
  link.log = [](const std::string&) {};
  cv::settings::TOptionReader reader(link, cv::cv2::Cv2OptionFamily());
  reader.AskVersion();
  const std::string cut = reply.substr(0, 12);
  if (cut.compare(0, 3, "*VE") == 0) {
    FUZZ_CHECK(reader.versionText == " v" + (cut.size() > 4 ? cut.substr(4) : std::string()));
  } else {
    FUZZ_CHECK(reader.versionText.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    // The command layer's buffer holds 255 characters of a reply.
    const std::string reply = line.substr(0, 255);
    Options(reply);
    Channel(reply, 'T');
    Channel(reply, 'S');
    Version(reply);
  }
  return 0;
}
