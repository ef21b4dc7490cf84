#pragma once
// The CORVANE-2 memory settings rules: the framework's controller on a meter with both bands
// (terrestrial 45 to 862 MHz, satellite 900 to 2150 MHz) and the DV-800's layout. Its lists go
// through the equipment's code tables: seven measures, five standards, sixteen sounds with
// "6.26FM" 'G' and "6.80" 'H', which act as the other satellite carriers; the units are listed
// by name, as the DV-800 lists them.
#include <vector>

#include "MemoryData.h"

namespace cv::cv2 {

const cv::mem::MemoryDataFamily& Cv2MemoryData();

// The lists in combo order, each entry with the record code it stands for.
std::vector<cv::mem::CodeText> Cv2MeasureTable();
std::vector<cv::mem::CodeText> Cv2SoundTable();
std::vector<cv::mem::StandardEntry> Cv2StandardTable();
// The entry a record's pair selects: its own pair, or DIGITAL for colour '3' and any digit;
// -1 for any other pair.
int Cv2StandardIndex(char color, char std);

}  // namespace cv::cv2
