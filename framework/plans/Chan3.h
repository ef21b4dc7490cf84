#pragma once
// The CORVANE-3 channel record and plan header record, and the parsing of the instrument's
// "*?JI" (plan header) and "*?CI" (channel) replies. Texts are Windows-1252 bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "Pll.h"

// One channel: name, PLL words with their hexadecimal texts, frequency (satellite: the
// intermediate frequency), bandwidth and per-channel command mnemonics. The band is not stored;
// the plan holding the channel knows it.
class TChan3 {
 public:
  TChan3() = default;

  // The three ways a channel is built. Each takes the name, the plan's band and three command
  // texts; a terrestrial channel keeps only the first command. The family's ranges decide what
  // a word reads as (the CORVANE-3's unless given).
  // From a PLL word: the frequency follows from the word (out of range: the band's fallback).
  static TChan3 FromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                         std::string_view command1 = {}, std::string_view command2 = {},
                         std::string_view command3 = {},
                         const cv::FamilyRanges& ranges = cv::kCorvane3Ranges);
  // From the two word texts as the instrument and the plan files give them ("%04x").
  static TChan3 FromTexts(std::string_view name, std::string_view wordText,
                          std::string_view word2Text, char band, std::string_view command1 = {},
                          std::string_view command2 = {}, std::string_view command3 = {},
                          const cv::FamilyRanges& ranges = cv::kCorvane3Ranges);
  // From a frequency, which is kept as given (no range rule); the word is rounded.
  static TChan3 FromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                              std::string_view command1 = {}, std::string_view command2 = {},
                              std::string_view command3 = {});

  // The upper-edge word of a terrestrial channel `halfBandwidthMHz` whole MHz either side of
  // its centre word.
  static int32_t SecondWordOf(uint32_t word, int32_t halfBandwidthMHz);

  char name[8] = {};         // the instrument stores 4 characters
  uint32_t word = 0;         // PLL word N
  char wordText[8] = {};     // "%04X" of N
  float frequency = 0;       // MHz
  int32_t bandwidth = 0;     // MHz; 0 for satellite
  char word2Text[8] = {};    // "%04x" of N2; empty for satellite
  int32_t word2 = 0;         // upper-edge word N2; 0 for satellite
  char commands[3][16] = {};

 private:
  void SetCommon(std::string_view name, char band, std::string_view c1, std::string_view c2,
                 std::string_view c3);
  void SetSecondWord(char band);
};

// One plan as the instrument describes it; also the head of every plan slot of the plan editor.
struct PlanInfo {
  char name[9] = {};
  char countText[3] = {};
  int32_t channelCount = 0;
  char band = 'T';
  char lnbText[6] = {};
  float lnbMHz = 0;
  char codeText[3] = {};
  int32_t code = 0;
  char commands[3][16] = {};  // mnemonics of the plan command table; empty means none
};

// Copies `text` into a fixed field, cut to size - 1 bytes and terminated.
void CopyField(char* dest, size_t size, std::string_view text);
template <size_t N>
void CopyField(char (&dest)[N], std::string_view text) {
  CopyField(dest, N, text);
}

// A name field as the instrument keeps it: the text up to the first blank after its first word
// (leading blanks stay), padded with blanks and cut to `width`; an all-blank text gives "--".
// The same rule as TCv3Equip::FixWidth, here so that records and editors need no equipment.
std::string FixWidth(std::string_view text, int width);

// Reads up to `maxDigits` hexadecimal digits after optional blanks, as "%0Nx" does; no digit
// gives 0.
uint32_t ParseHex(std::string_view text, size_t maxDigits);

// "*?JI%02X" reply -> plan header. False when the instrument has no such plan ("!!"), when the
// reply is too short to hold a header (21 characters; the commands after it are optional) and
// when the band is none of `bands` (band set to 'T', the rest left unread). A short reply
// leaves the record as it was.
bool ParsePlanInfo(std::string_view reply, PlanInfo& plan, std::string_view bands = "ST");
// Whether a plan or channel reply is the instrument's word that it holds no such entry ("*JI!!"),
// as against a reply that is garbled.
bool NoSuchEntry(std::string_view reply);

// "*?CI%02X%02X" reply -> channel of a plan of `band`. False when the instrument has no such
// channel ("!!"), when the reply is shorter than 15 characters (record unchanged) and when the
// word's frequency is outside the band's range (the fallback frequency is stored).
// The second word is kept as text only.
bool ParseChannelInfo(std::string_view reply, char band, TChan3& chan,
                      const cv::FamilyRanges& ranges = cv::kCorvane3Ranges);

// The query texts of the two reads.
std::string PlanInfoQuery(int plan);
std::string ChannelInfoQuery(int channel, int plan);

// Copies every field of a header.
void CopyPlanInfo(PlanInfo& dest, const PlanInfo& source);
// Copies every field of a channel but its bandwidth, which the destination keeps.
void CopyChannel(TChan3& dest, const TChan3& source);
