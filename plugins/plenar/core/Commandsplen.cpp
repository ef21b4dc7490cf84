#include "Commandsplen.h"

#include "Commands4.h"

namespace cv::plenar {

namespace {

constexpr int kSharedRows = 44;  // rows 0..43 are the CORVANE-4's, offsets included

}  // namespace

// The bandwidth rows share one code, their parameter the bandwidth in tens of kHz.
const CommandRow CommandTable[kCommandRows] = {
    cv::cv4::CommandTable[0],  cv::cv4::CommandTable[1],  cv::cv4::CommandTable[2],  cv::cv4::CommandTable[3],
    cv::cv4::CommandTable[4],  cv::cv4::CommandTable[5],  cv::cv4::CommandTable[6],  cv::cv4::CommandTable[7],
    cv::cv4::CommandTable[8],  cv::cv4::CommandTable[9],  cv::cv4::CommandTable[10], cv::cv4::CommandTable[11],
    cv::cv4::CommandTable[12], cv::cv4::CommandTable[13], cv::cv4::CommandTable[14], cv::cv4::CommandTable[15],
    cv::cv4::CommandTable[16], cv::cv4::CommandTable[17], cv::cv4::CommandTable[18], cv::cv4::CommandTable[19],
    cv::cv4::CommandTable[20], cv::cv4::CommandTable[21], cv::cv4::CommandTable[22], cv::cv4::CommandTable[23],
    cv::cv4::CommandTable[24], cv::cv4::CommandTable[25], cv::cv4::CommandTable[26], cv::cv4::CommandTable[27],
    cv::cv4::CommandTable[28], cv::cv4::CommandTable[29], cv::cv4::CommandTable[30], cv::cv4::CommandTable[31],
    cv::cv4::CommandTable[32], cv::cv4::CommandTable[33], cv::cv4::CommandTable[34], cv::cv4::CommandTable[35],
    cv::cv4::CommandTable[36], cv::cv4::CommandTable[37], cv::cv4::CommandTable[38], cv::cv4::CommandTable[39],
    cv::cv4::CommandTable[40], cv::cv4::CommandTable[41], cv::cv4::CommandTable[42], cv::cv4::CommandTable[43],
    {"Channel BW 1.53 MHz", "CW0099", 0x1F00, 0x0099, 0x005C, true},
    {"Channel BW 6.0 MHz", "CW0258", 0x1F00, 0x0258, 0x0060, true},
    {"Channel BW 7.0 MHz", "CW02BC", 0x1F00, 0x02BC, 0x0064, true},
    {"Channel BW 8.0 MHz", "CW0320", 0x1F00, 0x0320, 0x0068, true},
    {"Channel BW 36.0 MHz", "CW0E10", 0x1F00, 0x0E10, 0x006C, true},
    {"Channel BW 39.0 MHz", "CW0F3C", 0x1F00, 0x0F3C, 0x0070, true},
    {"Meas LEVEL", "ME0", 0x1B00, 0, 0x0074, false},
    {"Meas V/A", "ME1", 0x1B01, 0, 0x0076, false},
    {"Meas Power", "ME2", 0x1B02, 0, 0x0078, false},
    {"Meas C/N auto", "ME3", 0x1B03, 0, 0x007A, false},
    {"Meas BER (QPSK)", "ME4", 0x1B04, 0, 0x007C, false},
    {"Meas BER (QAM)", "ME5", 0x1B05, 0, 0x007E, false},
    {"Meas BER (COFDM)", "ME6", 0x1B06, 0, 0x0080, false},
    {"Meas C/N referenced", "ME7", 0x1B07, 0, 0x0082, false},
    {"Meas DAB", "ME8", 0x1B08, 0, 0x0084, false},
    {" -none-", "", 0xFFFF, 0, 0xFFFF, false},
};
static_assert(kSharedRows < cv::cv4::kCommandRows);

// The CORVANE-4's folding: a digital standard written with any middle digit reads as "SY06".
const TCommandTable kCommandsPlen(CommandTable, kCommandRows, 0xFF0F, 0x0106);

}  // namespace cv::plenar
