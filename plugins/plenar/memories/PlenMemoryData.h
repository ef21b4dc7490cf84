#pragma once
// The CORVANE-PLENAR memory settings rules: the CORVANE-4's, deciding by the measure family of
// sixteen measures (DAB among them), with plans 0 to 63.
#include "MemoryData.h"

namespace cv::plenar {

// The sixteen measures in list order, each with the code it stores.
std::vector<cv::mem::CodeText> MeasureTablePlen();
const cv::mem::MemoryDataFamily& PlenMemoryData();

}  // namespace cv::plenar
