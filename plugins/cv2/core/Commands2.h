#pragma once
// The CORVANE-2 command table: the DV-800's row layout and lookups (Commands8.h) over the
// family's own rows, which add the LNB supply, the satellite standard and sound carriers, the 36
// and 39 MHz bandwidths and the BER measures.
#include "Commands8.h"

namespace cv::cv2 {

constexpr int kCommandRows = 44;
constexpr int kNoCommand = 43;  // " -none-", the empty mnemonic; ends the command-code list
// The command-code list the plan offsets index: rows 0 to 42 in 100 bytes, then the end word.
constexpr int kCommandBlockBytes = 100;
extern const CommandRow CommandTable[kCommandRows];
extern const TCommandTable kCommands2;

inline constexpr cv::dv8::CommandLookups kCv2Lookups{kCommands2};

}  // namespace cv::cv2
