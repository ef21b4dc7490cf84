#include "Chan3.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Pll.h"

namespace {

// Reply layouts, positions counted from 0: "*JI" name(8) count(2) band lnb(5) code(2) [,cmd]...
// and "*CI" name(4) word(4) word2(4) [,cmd]...
constexpr size_t kPlanHeaderLength = 21;
constexpr size_t kChannelLength = 15;
constexpr size_t kCommandLength = 15;


// Up to `count` commands from `rest`, each a ',' and its text up to the next ',' or the end.
void ParseCommands(std::string_view rest, int count, char (&commands)[3][16]) {
  for (auto& c : commands) c[0] = '\0';
  size_t pos = 0;
  for (int i = 0; i < count && pos < rest.size() && rest[pos] == ','; ++i) {
    size_t end = rest.find(',', pos + 1);
    if (end == std::string_view::npos) end = rest.size();
    CopyField(commands[i], rest.substr(pos + 1, std::min(end - pos - 1, kCommandLength)));
    pos = end;
  }
}

std::string_view WithoutLineEnd(std::string_view reply) {
  while (!reply.empty() && (reply.back() == '\r' || reply.back() == '\n')) reply.remove_suffix(1);
  return reply;
}

}  // namespace

void CopyField(char* dest, size_t size, std::string_view text) {
  if (size == 0) return;
  size_t n = std::min(text.size(), size - 1);
  if (n > 0) std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
}

std::string FixWidth(std::string_view text, int width) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "--";
  std::string out(text.substr(0, text.find(' ', first)));
  out.resize(width > 0 ? static_cast<size_t>(width) : 0, ' ');
  return out;
}

uint32_t ParseHex(std::string_view text, size_t maxDigits) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  uint32_t value = 0;
  for (size_t n = 0; i < text.size() && n < maxDigits; ++i, ++n) {
    char c = text[i];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) break;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

void TChan3::SetCommon(std::string_view n, char band, std::string_view c1, std::string_view c2,
                       std::string_view c3) {
  CopyField(name, n);
  CopyField(commands[0], c1);
  if (cv::IsSatelliteBand(band)) {
    CopyField(commands[1], c2);
    CopyField(commands[2], c3);
  }
}

int32_t TChan3::SecondWordOf(uint32_t word, int32_t halfBandwidthMHz) {
  return static_cast<int32_t>(static_cast<double>(word) + (halfBandwidthMHz - 1.25) * 20);
}

void TChan3::SetSecondWord(char band) {
  std::snprintf(wordText, sizeof wordText, "%04X", static_cast<unsigned>(word & 0xFFFFFFu));
  if (cv::IsSatelliteBand(band)) {
    word2 = 0;
    word2Text[0] = '\0';
    return;
  }
  // Half the bandwidth in whole MHz: a 7 MHz channel's upper edge lies 35 words up, not 45.
  word2 = SecondWordOf(word, bandwidth / 2);
  std::snprintf(word2Text, sizeof word2Text, "%04x", static_cast<unsigned>(word2) & 0xFFFFFFu);
}

TChan3 TChan3::FromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                        std::string_view c1, std::string_view c2, std::string_view c3,
                        const cv::FamilyRanges& ranges) {
  TChan3 ch;
  ch.SetCommon(name, band, c1, c2, c3);
  ch.word = word;
  ch.bandwidth = bandwidth;
  ch.frequency = cv::PllFrequencyChecked(band, word, nullptr, ranges);
  ch.SetSecondWord(band);
  return ch;
}

TChan3 TChan3::FromTexts(std::string_view name, std::string_view wordText,
                         std::string_view word2Text, char band, std::string_view c1,
                         std::string_view c2, std::string_view c3, const cv::FamilyRanges& ranges) {
  TChan3 ch;
  ch.SetCommon(name, band, c1, c2, c3);
  ch.word = ParseHex(wordText, 4);
  ch.frequency = cv::PllFrequencyChecked(band, ch.word, nullptr, ranges);
  std::snprintf(ch.wordText, sizeof ch.wordText, "%04X", static_cast<unsigned>(ch.word));
  if (cv::IsSatelliteBand(band)) return ch;  // N2, its text and the bandwidth stay 0 / empty
  ch.word2 = static_cast<int32_t>(ParseHex(word2Text, 4));
  std::snprintf(ch.word2Text, sizeof ch.word2Text, "%04x", static_cast<unsigned>(ch.word2));
  // ((N2 - N) x 0.05 + 1.25) x 2 truncated, in integers so that no rounding error of 0.05 can
  // take a whole MHz off.
  int32_t d = ch.word2 - static_cast<int32_t>(ch.word);
  ch.bandwidth = (d + 25) / 10;
  return ch;
}

TChan3 TChan3::FromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                             std::string_view c1, std::string_view c2, std::string_view c3) {
  TChan3 ch;
  ch.SetCommon(name, band, c1, c2, c3);
  ch.frequency = frequency;
  ch.word = cv::PllWord(band, frequency);
  ch.bandwidth = cv::IsSatelliteBand(band) ? 0 : bandwidth;
  ch.SetSecondWord(band);
  return ch;
}

bool ParsePlanInfo(std::string_view reply, PlanInfo& plan, std::string_view bands) {
  reply = WithoutLineEnd(reply);
  if (NoSuchEntry(reply) || reply.size() < kPlanHeaderLength) return false;
  CopyField(plan.name, reply.substr(3, 8));
  CopyField(plan.countText, reply.substr(11, 2));
  plan.channelCount = static_cast<int32_t>(ParseHex(plan.countText, 2));
  plan.band = reply[13];
  if (plan.band == '\0' || bands.find(plan.band) == std::string_view::npos) {
    plan.band = 'T';
    return false;
  }
  CopyField(plan.lnbText, reply.substr(14, 5));
  plan.lnbMHz = static_cast<float>(ParseHex(plan.lnbText, 5) * 0.1);
  CopyField(plan.codeText, reply.substr(19, 2));
  plan.code = static_cast<int32_t>(ParseHex(plan.codeText, 2));
  ParseCommands(reply.substr(kPlanHeaderLength), 3, plan.commands);
  return true;
}

bool ParseChannelInfo(std::string_view reply, char band, TChan3& chan, const cv::FamilyRanges& ranges) {
  reply = WithoutLineEnd(reply);
  if (NoSuchEntry(reply) || reply.size() < kChannelLength) return false;
  CopyField(chan.name, reply.substr(3, 4));
  CopyField(chan.wordText, reply.substr(7, 4));
  chan.word = ParseHex(chan.wordText, 4);
  bool inRange = false;
  chan.frequency = cv::PllFrequencyChecked(band, chan.word, &inRange, ranges);
  CopyField(chan.word2Text, reply.substr(11, 4));
  std::string rest(reply.substr(kChannelLength));
  // ASCII only: the bytes are Windows-1252 whatever the process locale is.
  for (char& c : rest) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  ParseCommands(rest, cv::IsSatelliteBand(band) ? 3 : 1, chan.commands);
  return inRange;
}

bool NoSuchEntry(std::string_view reply) {
  reply = WithoutLineEnd(reply);
  return reply.size() >= 5 && reply[3] == '!' && reply[4] == '!';
}

std::string PlanInfoQuery(int plan) {
  char q[32];
  std::snprintf(q, sizeof q, "*?JI%02X", static_cast<unsigned>(plan) & 0xFFu);
  return q;
}

std::string ChannelInfoQuery(int channel, int plan) {
  char q[32];
  std::snprintf(q, sizeof q, "*?CI%02X%02X", static_cast<unsigned>(channel) & 0xFFu,
                static_cast<unsigned>(plan) & 0xFFu);
  return q;
}

void CopyPlanInfo(PlanInfo& dest, const PlanInfo& source) { dest = source; }

void CopyChannel(TChan3& dest, const TChan3& source) {
  int32_t keep = dest.bandwidth;
  dest = source;
  dest.bandwidth = keep;
}
