#include "Dv8MemoryData.h"

#include <string>

#include "Dv8Equip.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"

namespace cv::dv8 {

namespace {

namespace m = cv::msg::mem;
using cv::mem::CodeText;

char HexDigit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

cv::mem::MemoryDataFamily Build() {
  using cv::mem::GroupControl;
  using S = cv::mem::GroupSwitch;
  cv::mem::MemoryDataFamily f;
  cv::mem::MemoryDataRules& r = f.rules;
  r.satelliteBand = false;
  r.satelliteAndBerLists = false;
  // A satellite memory is refused with the terrestrial range, the only one this meter tunes.
  r.satFreqLineId = cv::msg::memdata::LineFreqTer;
  r.cnRefLineId = cv::msg::dv8memdata::LineCnRef;
  // I and L replace every carrier of the other standards; AM, FM, LEVEL, OFF, the manual
  // tunings and NICAM (which both carry) stay.
  r.soundsReplacedByI = "5679ABCE";
  r.soundsReplacedByL = "56789BCE";
  auto row = [&r](GroupControl c, std::array<S, cv::mem::kFieldGroups> groups) {
    r.groups[static_cast<size_t>(c)] = groups;
  };
  //                               0       1               2       3               4
  row(GroupControl::Sound,      {S::On,  S::Off,          S::On,  S::Off,          S::Off});
  row(GroupControl::SymRate,    {S::Off, S::ForQpskOrQam, S::Off, S::ForQpskOrQam, S::Off});
  row(GroupControl::CodeRate,   {S::Off, S::ForQpsk,      S::Off, S::ForQpsk,      S::Off});
  row(GroupControl::Modulation, {S::Off, S::Off,          S::Off, S::Off,          S::Off});
  row(GroupControl::SpecInv,    {S::Off, S::ForQpskOrQam, S::Off, S::ForQpskOrQam, S::Off});
  row(GroupControl::Carriers,   {S::Off, S::ForCofdm,     S::Off, S::ForCofdm,     S::Off});
  row(GroupControl::LnbOsc,     {S::Off, S::Off,          S::On,  S::On,           S::ForSatellite});
  row(GroupControl::Units,      {S::On,  S::Off,          S::On,  S::Off,          S::On});
  f.soundTable = Dv8SoundTable;
  f.standardIndex = Dv8StandardIndex;
  f.bandTable = Dv8BandTable;
  f.measureTable = Dv8MeasureTable;
  f.unitsTable = Dv8UnitsTable;
  f.standardTable = Dv8StandardTable;
  return f;
}

}  // namespace

std::vector<CodeText> Dv8BandTable() { return {{'T', "TER"}}; }

std::vector<CodeText> Dv8MeasureTable() {
  const std::string texts[5] = {Msg(m::Level), "V/A", Msg(m::Power), "C/N Auto", "C/N Ref"};
  std::vector<CodeText> table;
  for (int i = 0; i < 5; ++i) table.push_back({static_cast<char>('0' + measureCodes[i]), texts[i]});
  return table;
}

std::vector<CodeText> Dv8UnitsTable() { return {{'0', "dBuV"}, {'2', "dBm"}, {'3', "dB"}}; }

std::vector<CodeText> Dv8SoundTable() {
  const std::string texts[13] = {"AM",   "FM",   Msg(m::Level), "OFF",       Msg(m::TNarrow), "4.50",  "5.50",
                                 "5.74", "6.00", "6.50 (FM)",   "6.50 (AM)", "NICAM",         Msg(m::TBroad)};
  std::vector<CodeText> table;
  for (int i = 0; i < 13; ++i) table.push_back({HexDigit(soundCodes[i]), texts[i]});
  return table;
}

std::vector<cv::mem::StandardEntry> StandardEntries(const std::vector<std::string>& texts, const int* codes) {
  std::vector<cv::mem::StandardEntry> table;
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string code = cv::Format("%02d", codes[i]);
    table.push_back({texts[i], code[0], code[1]});
  }
  return table;
}

int StandardIndexIn(const std::vector<cv::mem::StandardEntry>& table, char color, char std) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].color == color && table[i].std == std) return static_cast<int>(i);
  return color == '3' && std >= '0' && std <= '9' ? static_cast<int>(table.size()) - 1 : -1;
}

std::vector<cv::mem::StandardEntry> Dv8StandardTable() {
  return StandardEntries({"PAL_BG", "PAL_DK", "PAL_I", "PAL_M", "PAL_N", "SECAM_BG", "SECAM_L", "SECAM_DK", "NTSC_M",
                          Msg(m::Digital)},
                         standardCodes);
}

int Dv8StandardIndex(char color, char std) { return StandardIndexIn(Dv8StandardTable(), color, std); }

const cv::mem::MemoryDataFamily& Dv8MemoryData() {
  static const cv::mem::MemoryDataFamily family = Build();
  return family;
}

}  // namespace cv::dv8
