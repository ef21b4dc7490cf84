#include "Commands2.h"

namespace cv::cv2 {

// Row order, codes and offsets are the instrument's: there is no "LB4", "SY36" comes before
// "SY07", "Video neg" is 0x3701, and the five bandwidth rows share one code, their parameter the
// bandwidth in tens of kHz.
const CommandRow CommandTable[kCommandRows] = {
    {"LNB EXT", "LB0", 0x0400, 0, 0, false},
    {"LNB 13V", "LB1", 0x0401, 0, 2, false},
    {"LNB 15V", "LB2", 0x0402, 0, 4, false},
    {"LNB 18V", "LB3", 0x0403, 0, 6, false},
    {"LNB 13V+22kHz", "LB5", 0x0405, 0, 8, false},
    {"LNB 15V+22kHz", "LB6", 0x0406, 0, 10, false},
    {"LNB 18V+22kHz", "LB7", 0x0407, 0, 12, false},
    {"PAL B/G", "SY00", 0x0100, 0, 14, false},
    {"PAL D/K", "SY01", 0x0101, 0, 16, false},
    {"PAL I", "SY02", 0x0102, 0, 18, false},
    {"DIGITAL", "SY36", 0x0136, 0, 20, false},
    {"PAL SAT", "SY07", 0x0107, 0, 22, false},
    {"Video neg", "SV0", 0x3701, 0, 24, false},
    {"Video pos", "SV1", 0x3700, 0, 26, false},
    {"Sound AM (TV->main carrier)", "SO0", 0x0200, 0, 28, false},
    {"Sound FM (TV->main carrier)", "SO1", 0x0201, 0, 30, false},
    {"Sound LEVEL (level of main carrier)", "SO2", 0x0202, 0, 32, false},
    {"Sound OFF", "SO3", 0x0203, 0, 34, false},
    {"Sound TUNE NARROW (7.56 MHz)", "SO4722", 0x0204, 0x0722, 36, true},
    {"Sound 5.50 MHz (TV->std. B,G)", "SO6", 0x0206, 0, 40, false},
    {"Sound 5.74 MHz (TV->std. B,G)", "SO7", 0x0207, 0, 42, false},
    {"Sound 6.00 MHz (TV->std. I)", "SO8", 0x0208, 0, 44, false},
    {"Sound 6.50 MHz (FM:S/T->std.D,K)", "SO9", 0x0209, 0, 46, false},
    {"Sound 5.80 MHz (SAT)", "SOB", 0x020B, 0, 48, false},
    {"Sound 6.65 MHz (SAT)", "SOC", 0x020C, 0, 50, false},
    {"Sound NICAM (TV->std. B,G,L,I)", "SOD", 0x020D, 0, 52, false},
    {"Sound 7.02 MHz (SAT)", "SOE", 0x020E, 0, 54, false},
    {"Sound TUNE BROAD (6.35 MHz)", "SOF6A9", 0x020F, 0x06A9, 56, true},
    {"Units dBuV", "UN0", 0x0600, 0, 60, false},
    {"Units dBmV", "UN1", 0x0601, 0, 62, false},
    {"Units dBm", "UN2", 0x0602, 0, 64, false},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 0x0258, 66, true},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 0x02BC, 70, true},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 0x0320, 74, true},
    {"Channel BW 36.0 MHz", "CW0E10", 0x1F00, 0x0E10, 78, true},
    {"Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 0x0F3C, 82, true},
    {"Meas LEVEL", "ME0", 0x1B00, 0, 86, false},
    {"Meas V/A", "ME1", 0x1B01, 0, 88, false},
    {"Meas Power", "ME2", 0x1B02, 0, 90, false},
    {"Meas C/N auto", "ME3", 0x1B03, 0, 92, false},
    {"Meas BER (QPSK)", "ME4", 0x1B04, 0, 94, false},
    {"Meas BER (COFDM)", "ME6", 0x1B06, 0, 96, false},
    {"Meas C/N referenced", "ME7", 0x1B07, 0, 98, false},
    {" -none-", "", 0xFFFF, 0, 0xFFFF, false},
};

constinit const TCommandTable kCommands2(CommandTable, kCommandRows);

}  // namespace cv::cv2
