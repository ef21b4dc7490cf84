#pragma once
// The CORVANE-PLENAR plan files: one plan each. Extract writes the "#<IMPORT FORMAT 2>" file,
// which carries, before the plan, the command-code list its command offsets refer to, so that it
// reads back by code on an installation whose table differs. Add reads that format or the plain
// plan text file (DAB plans, bandwidths in MHz with decimals).
#include <string>

#include "PlanFormat.h"
#include "PlanReport.h"
#include "PlanSlot.h"
#include "PlanTextFile.h"

namespace cv::plenar {

constexpr const char* kFormat2Mark = "#<IMPORT FORMAT 2>";

// The format-2 text of a plan, numbers with `decimalSeparator`, fields split by `listSeparator`.
std::string Format2Content(const PlanSlot& slot, char decimalSeparator, char listSeparator);
// Writes it through an atomic save; a file that cannot be written is logged and told in a box
// ("Couldn't create file %s"), and any file already at `path` is left as it was.
bool WriteFormat2File(const std::string& path, const PlanSlot& slot, char decimalSeparator, char listSeparator,
                      cv::plan::Report& report);

// Reads the plan of a plan file's lines into `slot` (left empty on failure): format 2 when its
// first line holds the mark, the plain plan text otherwise. True when a plan with at least one
// channel was read; "Plan loaded from " or "Error loading file " goes to the log.
bool ReadPlanFile(const cv::plan::TextFileLines& file, const std::string& path,
                  const cv::plan::FieldSplitter& split, PlanSlot& slot, cv::plan::Report& report);

}  // namespace cv::plenar
