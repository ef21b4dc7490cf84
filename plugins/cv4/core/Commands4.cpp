#include "Commands4.h"

namespace cv::cv4 {

// Row order, codes and offsets are the instrument's: "Video neg" is SV0 with code 0x3701,
// "SECAM L" comes before "SECAM D/K", and the five bandwidth rows share one code, their
// parameter the bandwidth in tens of kHz.
const CommandRow CommandTable[kCommandRows] = {
    {"LNB EXT", "LB0", 0x0400, 0, 0x0000, false},
    {"LNB 13V", "LB1", 0x0401, 0, 0x0002, false},
    {"LNB 15V", "LB2", 0x0402, 0, 0x0004, false},
    {"LNB 18V", "LB3", 0x0403, 0, 0x0006, false},
    {"LNB 24V", "LB4", 0x0404, 0, 0x0008, false},
    {"LNB 13V+22kHz", "LB5", 0x0405, 0, 0x000A, false},
    {"LNB 15V+22kHz", "LB6", 0x0406, 0, 0x000C, false},
    {"LNB 18V+22kHz", "LB7", 0x0407, 0, 0x000E, false},
    {"PAL B/G", "SY00", 0x0100, 0, 0x0010, false},
    {"PAL D/K", "SY01", 0x0101, 0, 0x0012, false},
    {"PAL I", "SY02", 0x0102, 0, 0x0014, false},
    {"PAL M", "SY04", 0x0104, 0, 0x0016, false},
    {"PAL N", "SY05", 0x0105, 0, 0x0018, false},
    {"SECAM B/G", "SY10", 0x0110, 0, 0x001A, false},
    {"SECAM L", "SY13", 0x0113, 0, 0x001C, false},
    {"SECAM D/K", "SY11", 0x0111, 0, 0x001E, false},
    {"NTSC M", "SY24", 0x0124, 0, 0x0020, false},
    {"DIGITAL", "SY06", 0x0106, 0, 0x0022, false},
    {"PAL SAT", "SY07", 0x0107, 0, 0x0024, false},
    {"SECAM SAT", "SY17", 0x0117, 0, 0x0026, false},
    {"NTSC SAT", "SY27", 0x0127, 0, 0x0028, false},
    {"Video neg", "SV0", 0x3701, 0, 0x002A, false},
    {"Video pos", "SV1", 0x3700, 0, 0x002C, false},
    {"Sound AM (TV->main carrier)", "SO0", 0x0200, 0, 0x002E, false},
    {"Sound FM (TV->main carrier)", "SO1", 0x0201, 0, 0x0030, false},
    {"Sound LEVEL (level of main carrier)", "SO2", 0x0202, 0, 0x0032, false},
    {"Sound OFF", "SO3", 0x0203, 0, 0x0034, false},
    {"Sound TUNE NARROW (7.56 MHz)", "SO4722", 0x0204, 0x0722, 0x0036, true},
    {"Sound 4.50 MHz (TV->std. M,N)", "SO5", 0x0205, 0, 0x003A, false},
    {"Sound 5.50 MHz (TV->std. B,G)", "SO6", 0x0206, 0, 0x003C, false},
    {"Sound 5.74 MHz (TV->std. B,G)", "SO7", 0x0207, 0, 0x003E, false},
    {"Sound 6.00 MHz (TV->std. I)", "SO8", 0x0208, 0, 0x0040, false},
    {"Sound 6.50 MHz (FM:S/T->std.D,K)", "SO9", 0x0209, 0, 0x0042, false},
    {"Sound 6.50 MHz (AM: TV->std. L)", "SOA", 0x020A, 0, 0x0044, false},
    {"Sound 5.80 MHz (SAT)", "SOB", 0x020B, 0, 0x0046, false},
    {"Sound 6.65 MHz (SAT)", "SOC", 0x020C, 0, 0x0048, false},
    {"Sound NICAM (TV->std. B,G,L,I)", "SOD", 0x020D, 0, 0x004A, false},
    {"Sound 7.02 MHz (SAT)", "SOE", 0x020E, 0, 0x004C, false},
    {"Sound TUNE BROAD (6.35 MHz)", "SOF6A9", 0x020F, 0x06A9, 0x004E, true},
    {"Sound 6.26 MHz (FM: TV->std. DK)", "SO10", 0x0210, 0, 0x0052, false},
    {"Sound 6.80 MHz (SAT)", "SO11", 0x0211, 0, 0x0054, false},
    {"Units dBuV", "UN0", 0x0600, 0, 0x0056, false},
    {"Units dBmV", "UN1", 0x0601, 0, 0x0058, false},
    {"Units dBm", "UN2", 0x0602, 0, 0x005A, false},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 0x0258, 0x005C, true},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 0x02BC, 0x0060, true},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 0x0320, 0x0064, true},
    {"Channel BW 36.0 MHz", "CW0E10", 0x1F00, 0x0E10, 0x0068, true},
    {"Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 0x0F3C, 0x006C, true},
    {"Meas LEVEL", "ME0", 0x1B00, 0, 0x0070, false},
    {"Meas V/A", "ME1", 0x1B01, 0, 0x0072, false},
    {"Meas Power", "ME2", 0x1B02, 0, 0x0074, false},
    {"Meas C/N auto", "ME3", 0x1B03, 0, 0x0076, false},
    {"Meas BER (QPSK)", "ME4", 0x1B04, 0, 0x0078, false},
    {"Meas BER (QAM)", "ME5", 0x1B05, 0, 0x007A, false},
    {"Meas BER (COFDM)", "ME6", 0x1B06, 0, 0x007C, false},
    {"Meas C/N referenced", "ME7", 0x1B07, 0, 0x007E, false},
    {" -none-", "", 0xFFFF, 0, 0xFFFF, false},
};

const TCommandTable kCommands4(CommandTable, kCommandRows, 0xFF0F, 0x0106);

int CommandIndexOfMnemonic(std::string_view mnemonic) { return kCommands4.IndexOfMnemonic(mnemonic); }
int16_t PlanOffsetOfMnemonic(std::string_view mnemonic) { return kCommands4.PlanOffsetOfMnemonic(mnemonic); }

const char* CommandDescription(int row) { return kCommands4.Row(row).label; }
const char* CommandMnemonic(int row) { return kCommands4.Row(row).mnemonic; }
int32_t CommandCode(int row) { return kCommands4.Row(row).code; }
int32_t CommandParameter(int row) { return kCommands4.Row(row).parameter; }
uint16_t CommandPlanOffset(int row) { return kCommands4.Row(row).planOffset; }
bool CommandHasParameter(int row) { return kCommands4.Row(row).hasParameter; }

const char* MnemonicOfPlanOffset(uint16_t offset) { return kCommands4.MnemonicOfPlanOffset(offset); }

uint16_t PlanOffsetOfCode(uint16_t code, uint16_t& parameter) {
  int32_t p = -1;  // written only when a row has the code (row 57's offset is 0xFFFF as well)
  const int16_t offset = kCommands4.PlanOffsetOfCode(code, p);
  if (p != -1) parameter = static_cast<uint16_t>(p);
  return static_cast<uint16_t>(offset);
}

uint16_t PlanOffsetOfCodeParameter(uint16_t code, uint16_t parameter) {
  return kCommands4.PlanOffsetOfCodeParameter(code, parameter);
}

}  // namespace cv::cv4
