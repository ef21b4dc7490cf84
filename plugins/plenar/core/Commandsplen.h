#pragma once
// The CORVANE-PLENAR command table: the CORVANE-4's first 44 rows (LNB, standards, video, sound,
// units) with their plan offsets, then six bandwidth rows (1.53 MHz for DAB among them), nine
// measures (the DAB measure "ME8" among them) and the " -none-" row: 60 rows. The lookups are the
// framework's over this table; a row index outside it, and every "not found", reads as row 59.
#include <cstdint>
#include <string_view>

#include "CommandTable.h"

namespace cv::plenar {

constexpr int kCommandRows = 60;
constexpr int kNoCommand = 59;  // " -none-", the empty mnemonic; ends the command-code list
extern const CommandRow CommandTable[kCommandRows];
extern const TCommandTable kCommandsPlen;

}  // namespace cv::plenar
