#include "MemoryTables.h"

#include "Messages.h"
#include "MsgIds.h"

namespace cv::mem {

namespace {

namespace m = cv::msg::mem;

std::vector<CodeText> Sequence(std::initializer_list<std::string> texts) {
  std::vector<CodeText> table;
  char code = '0';
  for (const std::string& t : texts) table.push_back({code++, t});
  return table;
}

}  // namespace

std::vector<CodeText> BandTable() { return {{'T', "TER"}, {'S', "SAT"}}; }

std::vector<CodeText> MeasureTable() {
  return Sequence({Msg(m::Level), "V/A", Msg(m::Power), "C/N Auto", "BER(QPSK)", "BER(QAM)", "BER(COFDM)",
                   "C/N Ref"});
}

std::vector<CodeText> UnitsTable() { return Sequence({"dBuV", "dBmV", "dBm", "dB"}); }

std::vector<CodeText> LnbSupplyTable() {
  return Sequence({"EXT", "13V", "15V", "18V", "24V", "13V+22KHz", "15V+22KHz", "18V+22KHz"});
}

std::vector<CodeText> CodeRateTable() {
  return Sequence({"AUTO", "1/2", "2/3", "3/4", "4/5", "5/6", "6/7", "7/8", "8/9"});
}

std::vector<CodeText> ModulationTable() { return Sequence({"QAM16", "QAM32", "QAM64", "QAM128", "QAM256"}); }

std::vector<CodeText> SpecInvTable(char band) {
  return band == 'S' ? Sequence({"AUTO", "OFF", "ON"}) : Sequence({"OFF", "ON"});
}

std::vector<CodeText> CarriersTable() { return {{'0', "MODE 2K"}, {'4', "MODE 8K"}}; }

std::vector<CodeText> GuardIntervalTable() { return Sequence({"1/32", "1/16", "1/8", "1/4"}); }

std::vector<CodeText> SoundTable() {
  const std::string texts[16] = {"AM",   "FM",   "LEVEL",     "OFF",       Msg(m::TNarrow), "4.50", "5.50",  "5.74",
                                 "6.00", "6.50 (FM)", "6.50 (AM)", "5.80", "6.65",          "NICAM", "7.02", Msg(m::TBroad)};
  std::vector<CodeText> table;
  for (int i = 0; i < 16; ++i) table.push_back({"0123456789ABCDEF"[i], texts[i]});
  return table;
}

std::vector<CodeText> SoundTable18() {
  std::vector<CodeText> table = SoundTable();
  table.push_back({'G', "6.26 (FM)"});
  table.push_back({'H', "6.80"});
  return table;
}

std::vector<CodeText> SpecInvOffOnTable(char) { return {{'1', "OFF"}, {'2', "ON"}}; }

std::vector<CodeText> GuardIntervalAutoTable() { return Sequence({"1/32", "1/16", "1/8", "1/4", "AUTO"}); }

int IndexOfCode(const std::vector<CodeText>& table, char code) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].code == code) return static_cast<int>(i);
  return -1;
}

std::vector<StandardEntry> StandardTable() {
  return {{"PAL_BG", '0', '0'},   {"PAL_DK", '0', '1'},    {"PAL_I", '0', '2'},    {"PAL_M", '0', '4'},
           {"PAL_N", '0', '5'},    {"SECAM_BG", '1', '0'},  {"SECAM_L", '1', '3'},  {"SECAM_DK", '1', '1'},
           {"NTSC_M", '2', '4'},   {"PAL_SAT", '0', '7'},   {"SECAM_SAT", '1', '7'}, {"NTSC_SAT", '2', '7'},
           {Msg(m::Digital), '3', '6'}};
}

int StandardIndex(char color, char std) {
  const auto table = StandardTable();
  for (int i = 0; i < kStandardCount; ++i)
    if (table[i].color == color && table[i].std == std) return i;
  switch (color) {
    case '0': return 9;
    case '1': return 10;
    case '3': return 12;
    default: return -1;
  }
}

int StandardIndexDigitalStd(char color, char std) {
  if (std == '6' && color >= '0' && color <= '2') return kStandardCount - 1;
  return StandardIndex(color, std);
}

std::string StandardCode(int index) {
  if (index < 0 || index >= kStandardCount) return "00";
  const StandardEntry e = StandardTable()[index];
  return {e.color, e.std};
}

int StandardIndexOfCode(const std::string& code) {
  for (int i = 0; i < kStandardCount; ++i)
    if (StandardCode(i) == code) return i;
  return 0;
}

}  // namespace cv::mem
