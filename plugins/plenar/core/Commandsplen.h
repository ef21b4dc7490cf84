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

// The plan-set check's lookups: the parameter of the first row with the mnemonic (65535 when
// none), and the description of the first row with the (folded) code (" -none-" when none).
int32_t ParameterOfMnemonic(std::string_view mnemonic);
const char* DescriptionOfCode(int32_t code);

}  // namespace cv::plenar
