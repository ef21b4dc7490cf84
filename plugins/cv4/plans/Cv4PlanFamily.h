#pragma once
// The CORVANE-4 build of the framework's three plan dialogs: its command table, ranges, band
// test, script writer and reader rules, temporary script, and the texts that differ.
#include "PlanFamily.h"

namespace cv::cv4 {

// Whether a channel frequency lies in its band: 'T' 5 to 862 MHz, 'S' an intermediate frequency
// of 900 to 2150 MHz, both ends included; any other band holds no channel of this family.
bool IsFrequencyInBand(char band, double mhz);

const cv::plan::PlanFamily& Cv4PlanFamily();

}  // namespace cv::cv4
