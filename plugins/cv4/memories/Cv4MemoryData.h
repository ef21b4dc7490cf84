#pragma once
// The CORVANE-4 memory settings rules: the framework's controller run on this family's values.
// Its meter starts the satellite band at 900 MHz, shows spectral inversion as "OFF"/"ON" ('1',
// '2') for every BER measure, knows two more sounds and an automatic guard interval, and tells a
// DIGITAL memory by its standard.
#include "MemoryData.h"

namespace cv::cv4 {

const cv::mem::MemoryDataFamily& Cv4MemoryData();

}  // namespace cv::cv4
