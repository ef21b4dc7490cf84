// Replies of a CORVANE-PLENAR meter to the channel identifier: every input line is first the
// reply to every query of each reader and test on its own, then the lines answer a whole pass in
// turn (nothing once they are spent), on a fake clock.
#include <algorithm>

#include "ChannelIdentifier.h"
#include "FuzzSupport.h"

namespace {

using cv::plenar::ChannelIdentifier;

struct Replies {
  std::vector<std::string> lines;
  size_t next = 0;
  bool repeat = false;

  cv::plenar::IdentLink Link() {
    cv::plenar::IdentLink link;
    link.send = [](const std::string&) { return true; };
    link.query = [this](const std::string&, std::string& reply) {
      if (next >= lines.size()) return reply.clear(), false;
      reply = lines[repeat ? next : next++];
      return true;
    };
    link.tune = [](float) { return true; };
    link.wait = [](int) {};
    return link;
  }
};

void CheckResult(const ChannelIdentifier& ident) {
  const auto& r = ident.result;
  FUZZ_CHECK(r.cls >= -1 && r.cls <= 5);
  FUZZ_CHECK(r.teletextHeader.size() <= 30 && r.pdcDescription.size() <= 30);
  FUZZ_CHECK(r.pdcId.size() <= 4 && r.rdsPi.size() <= 4 && r.rdsPs.size() <= 8);
  FUZZ_CHECK(r.network.size() <= 35 && r.provider.size() <= 35);
  FUZZ_CHECK(ident.progress >= 0 && ident.progress <= 100);
}

void EachReader(const std::string& reply, cv::FakeClock& clock) {
  Replies replies{{reply}, 0, true};
  ChannelIdentifier ident(replies.Link(), clock);
  ident.pump = [] {};
  int code = -2;
  if (ident.ReadSystem(code)) FUZZ_CHECK(code >= 0 && code <= 255);
  if (ident.ReadFrequency()) FUZZ_CHECK(ident.result.satellite == (reply[3] != 'T'));
  bool byFrequency = true;
  ident.ReadTuningMode(byFrequency);
  int level = -1;
  std::string text;
  if (ident.ReadLevel(level, text)) FUZZ_CHECK(level >= 0 && level <= 0xFFF);
  else FUZZ_CHECK(text == "- - -" && level == -1);
  const bool named = ident.FindChannelName();
  FUZZ_CHECK(named || ident.lines.size() >= 2);
  ident.DetectAnalogVideo();
  const int planCode = ChannelIdentifier::PlanSystemCode(reply);
  FUZZ_CHECK(planCode >= 0 && planCode <= 255 && (planCode & 0x0F) != 6);
  ident.TestTerrestrialTeletext();
  ident.TestSatelliteTeletext();
  ident.TestRds();
  ident.TestTerrestrialDigital();
  ident.TestSatelliteDigital();
  CheckResult(ident);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cv::FakeClock clock;
  clock.processEvents = false;
  std::vector<std::string> lines;
  for (const std::string& line : cvfuzz::Lines(cvfuzz::Text(data, size))) {
    // The command layer's buffer holds 255 characters of a reply.
    lines.push_back(line.substr(0, 255));
    EachReader(lines.back(), clock);
  }
  Replies replies{lines};
  ChannelIdentifier ident(replies.Link(), clock);
  ident.pump = [] {};
  ident.Identify();
  CheckResult(ident);
  FUZZ_CHECK(!ident.busy && ident.depth == 0 && ident.progress == 100);
  FUZZ_CHECK(!ident.lines.empty() && ident.lines.back() == "This identification has finished.");
  return 0;
}
