#include "Commands8.h"

namespace cv::dv8 {

// Row order, codes and offsets are the instrument's: "SECAM L" comes before "SECAM D/K", "Video
// neg" is 0x3701, and the three bandwidth rows share one code, their parameter the bandwidth in
// tens of kHz.
const CommandRow CommandTable[kCommandRows] = {
    {"PAL B/G", "SY00", 0x0100, 0, 0x0000, false},
    {"PAL D/K", "SY01", 0x0101, 0, 0x0002, false},
    {"PAL I", "SY02", 0x0102, 0, 0x0004, false},
    {"PAL M", "SY04", 0x0104, 0, 0x0006, false},
    {"PAL N", "SY05", 0x0105, 0, 0x0008, false},
    {"SECAM B/G", "SY10", 0x0110, 0, 0x000A, false},
    {"SECAM L", "SY13", 0x0113, 0, 0x000C, false},
    {"SECAM D/K", "SY11", 0x0111, 0, 0x000E, false},
    {"NTSC M", "SY24", 0x0124, 0, 0x0010, false},
    {"DIGITAL", "SY36", 0x0136, 0, 0x0012, false},
    {"Video neg", "SV0", 0x3701, 0, 0x0014, false},
    {"Video pos", "SV1", 0x3700, 0, 0x0016, false},
    {"Sound AM (TV->main carrier)", "SO0", 0x0200, 0, 0x0018, false},
    {"Sound FM (TV->main carrier)", "SO1", 0x0201, 0, 0x001A, false},
    {"Sound LEVEL (level of main carrier)", "SO2", 0x0202, 0, 0x001C, false},
    {"Sound OFF", "SO3", 0x0203, 0, 0x001E, false},
    {"Sound TUNE NARROW (7.56 MHz)", "SO4722", 0x0204, 0x0722, 0x0020, true},
    {"Sound 4.50 MHz (TV->std. M,N)", "SO5", 0x0205, 0, 0x0024, false},
    {"Sound 5.50 MHz (TV->std. B,G)", "SO6", 0x0206, 0, 0x0026, false},
    {"Sound 5.74 MHz (TV->std. B,G)", "SO7", 0x0207, 0, 0x0028, false},
    {"Sound 6.00 MHz (TV->std. I)", "SO8", 0x0208, 0, 0x002A, false},
    {"Sound 6.50 MHz (FM:S/T->std.D,K)", "SO9", 0x0209, 0, 0x002C, false},
    {"Sound 6.50 MHz (AM: TV->std. L)", "SOA", 0x020A, 0, 0x002E, false},
    {"Sound NICAM (TV->std. B,G,L,I)", "SOD", 0x020D, 0, 0x0030, false},
    {"Sound TUNE BROAD (6.35 MHz)", "SOF6A9", 0x020F, 0x06A9, 0x0032, true},
    {"Units dBuV", "UN0", 0x0600, 0, 0x0036, false},
    {"Units dBmV", "UN1", 0x0601, 0, 0x0038, false},
    {"Units dBm", "UN2", 0x0602, 0, 0x003A, false},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 0x0258, 0x003C, true},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 0x02BC, 0x0040, true},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 0x0320, 0x0044, true},
    {"Meas LEVEL", "ME0", 0x1B00, 0, 0x0048, false},
    {"Meas V/A", "ME1", 0x1B01, 0, 0x004A, false},
    {"Meas Power", "ME2", 0x1B02, 0, 0x004C, false},
    {"Meas C/N auto", "ME3", 0x1B03, 0, 0x004E, false},
    {"Meas C/N referenced", "ME7", 0x1B07, 0, 0x0050, false},
    {" -none-", "", 0xFFFF, 0, 0xFFFF, false},
};

constinit const TCommandTable kCommands8(CommandTable, kCommandRows);

int16_t CommandLookups::PlanOffsetOfCode(int32_t code, int32_t& parameter) const {
  // The "no command" row's offset is -1 as well: whether a row had the code shows in `found`.
  int32_t found = -1;
  const int16_t offset = table.PlanOffsetOfCode(code, found);
  if (found != -1) parameter = found;
  return offset;
}

}  // namespace cv::dv8
