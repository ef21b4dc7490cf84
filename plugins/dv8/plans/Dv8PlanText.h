#pragma once
// The DV-800 plan text file: one plan a file, fields split by the list separator, numbers in the
// Windows decimal separator. The writer writes any plan (satellite channels as oscillator plus
// intermediate frequency); the reader loads terrestrial plans only, up to 128 channels.
#include <string>

#include "PlanEditor.h"
#include "PlanFormat.h"
#include "PlanReport.h"
#include "PlanSlot.h"
#include "PlanTextFile.h"

namespace cv::dv8 {

// The file's text for one plan.
std::string PlanTextContent(const PlanSlot& slot, char decimalSeparator, char listSeparator);

// Reads one plan from the lines of a plan text file into `slot`. True when the plan has at least
// one channel; with none read the slot is left empty. A refused file leaves `slot` as it was and
// logs "Error loading file ". Per-line progress goes to the report's log zone.
bool ReadPlanText(const cv::plan::TextFileLines& file, const std::string& path,
                  const cv::plan::FieldSplitter& split, PlanSlot& slot, cv::plan::Report& report);

// Writes the plan text file of `slot` into `path`; a file that cannot be written is shown and
// logged, and the one that was there stays. The family's Extract writes through it.
bool WritePlanFile(const std::string& path, const PlanSlot& slot, char decimalSeparator, char listSeparator,
                   cv::plan::Report& report);

// Extract and Add on the editor's own slots: write slot `slot` to `path`, or load `path` into
// slot `slot` (the editor is then modified).
bool WritePlanTextFile(cv::plan::PlanEditor& editor, const std::string& path, int slot);
bool ReadPlanTextFile(cv::plan::PlanEditor& editor, const std::string& path, int slot);

}  // namespace cv::dv8
