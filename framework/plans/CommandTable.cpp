#include "CommandTable.h"

namespace {
constexpr int32_t kNone = 0xFFFF;
}

// Row order, codes and offsets are the instrument's: "Video neg" is SV0 with code 0x3701,
// "SECAM L" comes before "SECAM D/K", and the five bandwidth rows share one code.
const CommandRow CommandTable[kCommandRows] = {
    {"LNB EXT", "LB0", 0x0400, kNone, 0x0000, false},
    {"LNB 13V", "LB1", 0x0401, kNone, 0x0002, false},
    {"LNB 15V", "LB2", 0x0402, kNone, 0x0004, false},
    {"LNB 18V", "LB3", 0x0403, kNone, 0x0006, false},
    {"LNB 24V", "LB4", 0x0404, kNone, 0x0008, false},
    {"LNB 13V+22kHz", "LB5", 0x0405, kNone, 0x000A, false},
    {"LNB 15V+22kHz", "LB6", 0x0406, kNone, 0x000C, false},
    {"LNB 18V+22kHz", "LB7", 0x0407, kNone, 0x000E, false},
    {"PAL B/G", "SY00", 0x0100, kNone, 0x0010, false},
    {"PAL D/K", "SY01", 0x0101, kNone, 0x0012, false},
    {"PAL I", "SY02", 0x0102, kNone, 0x0014, false},
    {"PAL M", "SY04", 0x0104, kNone, 0x0016, false},
    {"PAL N", "SY05", 0x0105, kNone, 0x0018, false},
    {"SECAM B/G", "SY10", 0x0110, kNone, 0x001A, false},
    {"SECAM L", "SY13", 0x0113, kNone, 0x001C, false},
    {"SECAM D/K", "SY11", 0x0111, kNone, 0x001E, false},
    {"NTSC M", "SY24", 0x0124, kNone, 0x0020, false},
    {"DIGITAL", "SY36", 0x0136, kNone, 0x0022, false},
    {"PAL SAT", "SY07", 0x0107, kNone, 0x0024, false},
    {"SECAM SAT", "SY17", 0x0117, kNone, 0x0026, false},
    {"NTSC SAT", "SY27", 0x0127, kNone, 0x0028, false},
    {"Video neg", "SV0", 0x3701, kNone, 0x002A, false},
    {"Video pos", "SV1", 0x3700, kNone, 0x002C, false},
    {"Sound AM (TV->main carrier)", "SO0", 0x0200, kNone, 0x002E, false},
    {"Sound FM (TV->main carrier)", "SO1", 0x0201, kNone, 0x0030, false},
    {"Sound LEVEL (level of main carrier)", "SO2", 0x0202, kNone, 0x0032, false},
    {"Sound OFF", "SO3", 0x0203, kNone, 0x0034, false},
    {"Sound TUNE NARROW (7.56 MHz)", "SO4722", 0x0204, 0x0722, 0x0036, true},
    {"Sound 4.50 MHz (TV->std. M,N)", "SO5", 0x0205, kNone, 0x003A, false},
    {"Sound 5.50 MHz (TV->std. B,G)", "SO6", 0x0206, kNone, 0x003C, false},
    {"Sound 5.74 MHz (TV->std. B,G)", "SO7", 0x0207, kNone, 0x003E, false},
    {"Sound 6.00 MHz (TV->std. I)", "SO8", 0x0208, kNone, 0x0040, false},
    {"Sound 6.50 MHz (FM:S/T->std.D,K)", "SO9", 0x0209, kNone, 0x0042, false},
    {"Sound 6.50 MHz (AM: TV->std. L)", "SOA", 0x020A, kNone, 0x0044, false},
    {"Sound 5.80 MHz (SAT)", "SOB", 0x020B, kNone, 0x0046, false},
    {"Sound 6.65 MHz (SAT)", "SOC", 0x020C, kNone, 0x0048, false},
    {"Sound NICAM (TV->std. B,G,L,I)", "SOD", 0x020D, kNone, 0x004A, false},
    {"Sound 7.02 MHz (SAT)", "SOE", 0x020E, kNone, 0x004C, false},
    {"Sound TUNE BROAD (6.35 MHz)", "SOF6A9", 0x020F, 0x06A9, 0x004E, true},
    {"Units dBuV", "UN0", 0x0600, kNone, 0x0052, false},
    {"Units dBmV", "UN1", 0x0601, kNone, 0x0054, false},
    {"Units dBm", "UN2", 0x0602, kNone, 0x0056, false},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 0x0258, 0x0058, true},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 0x02BC, 0x005C, true},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 0x0320, 0x0060, true},
    {"Channel BW 36.0 MHz", "CW0E10", 0x1F00, 0x0E10, 0x0064, true},
    {"Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 0x0F3C, 0x0068, true},
    {"Meas LEVEL", "ME0", 0x1B00, kNone, 0x006C, false},
    {"Meas V/A", "ME1", 0x1B01, kNone, 0x006E, false},
    {"Meas Power", "ME2", 0x1B02, kNone, 0x0070, false},
    {"Meas C/N auto", "ME3", 0x1B03, kNone, 0x0072, false},
    {"Meas BER (QPSK)", "ME4", 0x1B04, kNone, 0x0074, false},
    {"Meas BER (QAM)", "ME5", 0x1B05, kNone, 0x0076, false},
    {"Meas BER (COFDM)", "ME6", 0x1B06, kNone, 0x0078, false},
    {"Meas C/N referenced", "ME7", 0x1B07, kNone, 0x007A, false},
    {" -none-", "", 0xFFFF, kNone, 0xFFFF, false},
};

const TCommandTable kCv3CommandTable(CommandTable, kCommandRows);

namespace {

bool SameCode(int32_t a, int32_t b) { return (a & 0xFFFF) == (b & 0xFFFF); }

}  // namespace

int32_t TCommandTable::Fold(int32_t code) const {
  return foldMask_ != 0 && (code & foldMask_) == foldValue_ ? foldValue_ : code;
}

int TCommandTable::IndexOfMnemonic(std::string_view mnemonic) const {
  for (int i = 0; i < count_; ++i) {
    if (mnemonic == rows_[i].mnemonic) return i;
  }
  return NoCommandRow();
}

int16_t TCommandTable::PlanOffsetOfMnemonic(std::string_view mnemonic) const {
  for (int i = 0; i < count_; ++i) {
    if (mnemonic == rows_[i].mnemonic) return static_cast<int16_t>(rows_[i].planOffset);
  }
  return -1;
}

int32_t TCommandTable::CodeOfMnemonic(std::string_view mnemonic) const {
  return Row(IndexOfMnemonic(mnemonic)).code;
}

const CommandRow& TCommandTable::RowOfCode(int32_t code) const {
  code = Fold(code);
  for (int i = 0; i < count_; ++i) {
    if (SameCode(rows_[i].code, code)) return rows_[i];
  }
  return rows_[NoCommandRow()];
}

const char* TCommandTable::MnemonicOfPlanOffset(uint16_t offset) const {
  for (int i = 0; i < count_; ++i) {
    if (rows_[i].planOffset == offset) return rows_[i].mnemonic;
  }
  return rows_[NoCommandRow()].mnemonic;
}

int16_t TCommandTable::PlanOffsetOfCode(int32_t code, int32_t& parameter) const {
  code = Fold(code);
  for (int i = 0; i < count_; ++i) {
    const CommandRow& r = rows_[i];
    if (SameCode(r.code, code)) {
      parameter = r.hasParameter ? r.parameter : 0xFFFF;
      return static_cast<int16_t>(r.planOffset);
    }
  }
  return -1;
}

uint16_t TCommandTable::PlanOffsetOfCodeParameter(int32_t code, int32_t parameter) const {
  code = Fold(code);
  const CommandRow* last = nullptr;
  for (int i = 0; i < count_; ++i) {
    const CommandRow& r = rows_[i];
    if (!SameCode(r.code, code)) continue;
    if (r.hasParameter && r.parameter == parameter) return r.planOffset;
    last = &r;
  }
  return last ? last->planOffset : 0xFFFF;
}

int CommandIndexOfMnemonic(std::string_view mnemonic) { return kCv3CommandTable.IndexOfMnemonic(mnemonic); }

int16_t PlanOffsetOfMnemonic(std::string_view mnemonic) { return kCv3CommandTable.PlanOffsetOfMnemonic(mnemonic); }

bool CommandHasParameter(int row) { return kCv3CommandTable.Row(row).hasParameter; }
const char* CommandLabel(int row) { return kCv3CommandTable.Row(row).label; }
const char* CommandMnemonic(int row) { return kCv3CommandTable.Row(row).mnemonic; }
int32_t CommandCode(int row) { return kCv3CommandTable.Row(row).code; }
int32_t CommandParameter(int row) { return kCv3CommandTable.Row(row).parameter; }
uint16_t CommandPlanOffset(int row) { return kCv3CommandTable.Row(row).planOffset; }

const char* MnemonicOfPlanOffset(uint16_t offset) { return kCv3CommandTable.MnemonicOfPlanOffset(offset); }

int16_t PlanOffsetOfCode(int32_t code, int32_t& parameter) { return kCv3CommandTable.PlanOffsetOfCode(code, parameter); }

uint16_t PlanOffsetOfCodeParameter(int32_t code, int32_t parameter) {
  return kCv3CommandTable.PlanOffsetOfCodeParameter(code, parameter);
}
