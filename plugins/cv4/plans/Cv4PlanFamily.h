#pragma once
// The CORVANE-4 build of the framework's three plan dialogs: its command table, ranges, band
// test, script writer and reader rules, temporary script, and the texts that differ.
#include "PlanFamily.h"

namespace cv::cv4 {

const cv::plan::PlanFamily& Cv4PlanFamily();

}  // namespace cv::cv4
