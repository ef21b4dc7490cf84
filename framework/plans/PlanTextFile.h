#pragma once
// The plan text file: one plan as separator-delimited text, written by Extract and read by Add.
// Numbers take the Windows decimal separator and fields the list separator.
#include <functional>
#include <string>
#include <vector>

#include "PlanFamily.h"
#include "PlanFormat.h"
#include "PlanReport.h"
#include "PlanSlot.h"

namespace cv::plan {

// The oscillator as a plan file shows it, to one decimal: its satellite channels are written
// against this one, so that Add, which takes them against what it reads, finds the same words.
float FileOscillator(float lnbMHz);

// The file's text for one plan (a satellite channel at the family's downlink); a list separator
// in a name is written as '_', so that it cannot move the line's later fields.
std::string PlanTextFileContent(const PlanSlot& slot, char decimalSeparator, char listSeparator,
                                const PlanFamily& family = Corvane3PlanFamily());

// Splits one line into its fields (the equipment's SplitFields: list separator, decimal commas
// turned into points); false when no field got a character.
using FieldSplitter = std::function<bool(const std::string& line, std::vector<std::string>& fields)>;

// Reads one plan from the lines of a plan text file into `slot`. True when a plan with at least
// one channel was read; a refused file leaves `slot` as it was, one without a channel leaves it
// empty. Every message names the line. A channel outside the family's bands is refused with its
// line; the family's `planText` rules say what else it refuses and how.
bool ReadPlanText(const TextFileLines& file, const std::string& path, const FieldSplitter& split,
                  PlanSlot& slot, Report& report, const PlanFamily& family = Corvane3PlanFamily());

}  // namespace cv::plan
