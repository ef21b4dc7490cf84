#include "Xr9Corvane.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "ScriptCore.h"

namespace cv::xr9 {

const CommandRow CorvaneCommandTable[CorvaneCommandRows] = {
    {"LNB EXT", "LB0", 0x0400, 0, 0, 0, 0},
    {"LNB 13V", "LB1", 0x0401, 0, 2, 0, 0},
    {"LNB 15V", "LB2", 0x0402, 0, 4, 0, 0},
    {"LNB 18V", "LB3", 0x0403, 0, 6, 0, 0},
    {"LNB 24V", "LB4", 0x0404, 0, 8, 0, 0},
    {"LNB 13V+22kHz", "LB5", 0x0405, 0, 10, 0, 0},
    {"LNB 15V+22kHz", "LB6", 0x0406, 0, 12, 0, 0},
    {"LNB 18V+22kHz", "LB7", 0x0407, 0, 14, 0, 0},
    {"PAL B/G", "SY00", 0x0100, 0, 16, 0, 0},
    {"PAL D/K", "SY01", 0x0101, 0, 18, 0, 0},
    {"PAL I", "SY02", 0x0102, 0, 20, 0, 0},
    {"PAL M", "SY04", 0x0104, 0, 22, 0, 0},
    {"PAL N", "SY05", 0x0105, 0, 24, 0, 0},
    {"SECAM B/G", "SY10", 0x0110, 0, 26, 0, 0},
    {"SECAM L", "SY13", 0x0113, 0, 28, 0, 0},
    {"SECAM D/K", "SY11", 0x0111, 0, 30, 0, 0},
    {"NTSC M", "SY24", 0x0124, 0, 32, 0, 0},
    {"DIGITAL", "SY06", 0x0106, 0, 34, 0, 0},
    {"PAL SAT", "SY07", 0x0107, 0, 36, 0, 0},
    {"SECAM SAT", "SY17", 0x0117, 0, 38, 0, 0},
    {"NTSC SAT", "SY27", 0x0127, 0, 40, 0, 0},
    {"Video neg", "SV0", 0x3701, 0, 42, 0, 0},
    {"Video pos", "SV1", 0x3700, 0, 44, 0, 0},
    {"Sound AM (TV->main carrier)", "SO0", 0x0200, 0, 46, 0, 0},
    {"Sound FM (TV->main carrier)", "SO1", 0x0201, 0, 48, 0, 0},
    {"Sound LEVEL (level of main carrier)", "SO2", 0x0202, 0, 50, 0, 0},
    {"Sound OFF", "SO3", 0x0203, 0, 52, 0, 0},
    {"Sound TUNE NARROW (7.56 MHz)", "SO4722", 0x0204, 1826, 54, 1, 0},
    {"Sound 4.50 MHz (TV->std. M,N)", "SO5", 0x0205, 0, 58, 0, 0},
    {"Sound 5.50 MHz (TV->std. B,G)", "SO6", 0x0206, 0, 60, 0, 0},
    {"Sound 5.74 MHz (TV->std. B,G)", "SO7", 0x0207, 0, 62, 0, 0},
    {"Sound 6.00 MHz (TV->std. I)", "SO8", 0x0208, 0, 64, 0, 0},
    {"Sound 6.50 MHz (FM:S/T->std.D,K)", "SO9", 0x0209, 0, 66, 0, 0},
    {"Sound 6.50 MHz (AM: TV->std. L)", "SOA", 0x020A, 0, 68, 0, 0},
    {"Sound 5.80 MHz (SAT)", "SOB", 0x020B, 0, 70, 0, 0},
    {"Sound 6.65 MHz (SAT)", "SOC", 0x020C, 0, 72, 0, 0},
    {"Sound NICAM (TV->std. B,G,L,I)", "SOD", 0x020D, 0, 74, 0, 0},
    {"Sound 7.02 MHz (SAT)", "SOE", 0x020E, 0, 76, 0, 0},
    {"Sound TUNE BROAD (6.35 MHz)", "SOF6A9", 0x020F, 1705, 78, 1, 0},
    {"Sound 6.26 MHz (FM: TV->std. DK)", "SO10", 0x0210, 0, 82, 0, 0},
    {"Sound 6.80 MHz (SAT)", "SO11", 0x0211, 0, 84, 0, 0},
    {"Units dBuV", "UN0", 0x0600, 0, 86, 0, 0},
    {"Units dBmV", "UN1", 0x0601, 0, 88, 0, 0},
    {"Units dBm", "UN2", 0x0602, 0, 90, 0, 0},
    {"Channel BW 1.53 MHz", "CW0099", 0x1F00, 153, 92, 1, 0},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 600, 96, 1, 0},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 700, 100, 1, 0},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 800, 104, 1, 0},
    {"Channel BW 36.0 MHz", "CW0E10", 0x1F00, 3600, 108, 1, 0},
    {"Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 3900, 112, 1, 0},
    {"Meas LEVEL", "ME0", 0x1B00, 0, 116, 0, 0},
    {"Meas V/A", "ME1", 0x1B01, 0, 118, 0, 0},
    {"Meas Power", "ME2", 0x1B02, 0, 120, 0, 0},
    {"Meas C/N auto", "ME3", 0x1B03, 0, 122, 0, 0},
    {"Meas BER (QPSK)", "ME4", 0x1B04, 0, 124, 0, 0},
    {"Meas BER (QAM)", "ME5", 0x1B05, 0, 126, 0, 0},
    {"Meas BER (COFDM)", "ME6", 0x1B06, 0, 128, 0, 0},
    {"Meas C/N referenced", "ME7", 0x1B07, 0, 130, 0, 0},
    {"Meas DAB", "ME8", 0x1B08, 0, 132, 0, 0},
    {" -none-", "", 0xFFFF, 0, 65535, 0, 0},
};

namespace {

constexpr uint32_t kDigital = 0x0106;
constexpr uint16_t kNone = 65535;

const CommandRow* RowOfMnemonic(std::string_view mnemonic) {
  for (const CommandRow& row : CorvaneCommandTable)
    if (mnemonic == row.mnemonic) return &row;
  return nullptr;
}

uint32_t Canonical(uint32_t code) { return (code & ~0x00F0u) == kDigital ? kDigital : code; }

// Code and value bytes of the LNB and system commands.
struct CodeValue {
  uint32_t command;
  uint8_t value[3];
};
constexpr CodeValue kLnbValues[] = {
    {0x0400, {0, 0}}, {0x0401, {2, 0}}, {0x0402, {3, 0}}, {0x0403, {4, 0}},
    {0x0404, {5, 0}}, {0x0405, {2, 1}}, {0x0406, {3, 1}}, {0x0407, {4, 1}},
};
constexpr CodeValue kSystemValues[] = {
    {0x0100, {1, 1, 0}}, {0x0101, {1, 2, 0}}, {0x0102, {1, 3, 0}}, {0x0104, {1, 4, 1}}, {0x0105, {1, 5, 0}},
    {0x0110, {2, 1, 0}}, {0x0111, {2, 2, 0}}, {0x0113, {2, 6, 0}}, {0x0124, {3, 4, 1}},
};

bool NoAttribute(TChanAttribute& out) {
  out = TChanAttribute::Marker();
  return false;
}

bool Known(const char* mnemonic) { return PlanOffsetOfMnemonic(mnemonic) != -1; }

void Compact(char (*area)[16], int count) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (!Known(area[i])) continue;
    if (kept != i) std::memcpy(area[kept], area[i], sizeof area[i]);
    ++kept;
  }
  for (int i = kept; i < count; ++i) std::memset(area[i], 0, sizeof area[i]);
}

}  // namespace

int16_t PlanOffsetOfMnemonic(std::string_view mnemonic) {
  const CommandRow* row = RowOfMnemonic(mnemonic);
  return row ? static_cast<int16_t>(row->planOffset) : static_cast<int16_t>(-1);
}

uint32_t ParameterOfMnemonic(std::string_view mnemonic) {
  const CommandRow* row = RowOfMnemonic(mnemonic);
  return row ? row->parameter : kNone;
}

uint32_t CodeOfMnemonic(std::string_view mnemonic) {
  const CommandRow* row = RowOfMnemonic(mnemonic);
  return row ? row->code : kNone;
}

uint8_t TakesParameterOfMnemonic(std::string_view mnemonic) {
  const CommandRow* row = RowOfMnemonic(mnemonic);
  return row ? row->takesParameter : 0;
}

const char* MnemonicOfPlanOffset(uint16_t offset) {
  for (const CommandRow& row : CorvaneCommandTable)
    if (row.planOffset == offset) return row.mnemonic;
  return CorvaneCommandTable[CorvaneCommandRows - 1].mnemonic;
}

uint16_t PlanOffsetOfCode(uint32_t code, uint32_t& parameter) {
  code = Canonical(code);
  parameter = kNone;
  for (const CommandRow& row : CorvaneCommandTable) {
    if (row.code != code) continue;
    if (row.takesParameter) parameter = row.parameter;
    return row.planOffset;
  }
  return kNone;
}

uint16_t PlanOffsetOfCodeParameter(uint32_t code, uint32_t parameter) {
  code = Canonical(code);
  uint16_t last = kNone;
  for (const CommandRow& row : CorvaneCommandTable) {
    if (row.code != code) continue;
    if (row.parameter == parameter) return row.planOffset;
    last = row.planOffset;
  }
  return last;
}

bool LnbCommandToAttribute(uint32_t code, TChanAttribute& out) {
  for (const CodeValue& v : kLnbValues) {
    if (v.command != code) continue;
    out = TChanAttribute::Of(AttrLnb, v.value[0] | (v.value[1] << 8));
    return true;
  }
  return NoAttribute(out);
}

bool SystemCommandToAttribute(uint32_t code, char band, TChanAttribute& out) {
  if (code == kDigital) {
    out = TChanAttribute::Of(AttrType, band == 'S' ? 2 : 0);
    return true;
  }
  for (const CodeValue& v : kSystemValues) {
    if (v.command != code) continue;
    out = TChanAttribute::Of(AttrSys, v.value[0] | (v.value[1] << 8) | (v.value[2] << 16));
    return true;
  }
  return NoAttribute(out);
}

bool BandwidthCommandToAttribute(uint32_t code, uint32_t parameter, TChanAttribute& out) {
  if (code != 0x1F00) return NoAttribute(out);
  out = TChanAttribute::Of(AttrBw, (parameter * 10u) & 0xFFFFFFu);
  return true;
}

bool CommandToAttribute(uint32_t code, uint32_t parameter, char band, TChanAttribute& out) {
  return LnbCommandToAttribute(code, out) || SystemCommandToAttribute(code, band, out) ||
         BandwidthCommandToAttribute(code, parameter, out);
}

bool MnemonicToAttribute(std::string_view mnemonic, char band, TChanAttribute& out) {
  const uint32_t parameter = TakesParameterOfMnemonic(mnemonic) ? ParameterOfMnemonic(mnemonic) : 0;
  return CommandToAttribute(CodeOfMnemonic(mnemonic), parameter, band, out);
}

void CompactPlanCommands(ImportSlot& plan) { Compact(plan.commands, 3); }

void CompactChannelCommands(TChanXR9CV& channel, int area) { Compact(channel.commands, area < 0 ? 0 : area > 3 ? 3 : area); }

uint32_t TruncU32(double value) {
  if (!(value > 0)) return 0;
  if (value >= 4294967295.0) return std::numeric_limits<uint32_t>::max();
  return static_cast<uint32_t>(value);
}

int32_t TruncI32(double value) {
  if (std::isnan(value)) return 0;
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

TChanXR9CV::TChanXR9CV(const std::string& n, char band, float f, int32_t bw, const char* c1, const char* c2,
                       const char* c3)
    : name(n), mhz(f), bandwidth(bw) {
  auto copy = [](char (&slot)[16], const char* text) {
    std::memset(slot, 0, sizeof slot);
    if (text) std::strncpy(slot, text, sizeof slot - 1);
  };
  copy(commands[0], c1);
  if (band == 'S') {
    if (!(mhz >= 900.0f && mhz < 2150.0f)) mhz = 1500.0f;
    word = TruncU32((static_cast<double>(mhz) + 479.5) * 8 + 0.5);
    bandwidth = 0;
    copy(commands[1], c2);
    copy(commands[2], c3);
  } else {
    word = TruncU32((static_cast<double>(mhz) + 38.9) * 20 + 0.5);
    word2 = band == 'T' ? TruncU32(word + (static_cast<double>(bandwidth / 200) - 1.25) * 20) : word;
    word2Text = cv::script::Hex(word2, 4);
    for (char& c : word2Text)
      if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  }
  wordText = cv::script::Hex(word, 4);
}

}  // namespace cv::xr9
