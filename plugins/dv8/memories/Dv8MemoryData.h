#pragma once
// The DV-800 memory settings rules: the framework's controller run on this terrestrial-only
// meter's values. Its lists go through the equipment's code tables (five measures, ten
// standards, thirteen sounds, the band "TER" only); it has no LNB supply, QPSK or QAM settings,
// tells a standard change to I or L which carriers to replace, and lists its units by name, so
// that "dBm" and "dB" store the codes the record, the memory file and the monitor read.
#include <string>
#include <vector>

#include "MemoryData.h"

namespace cv::dv8 {

const cv::mem::MemoryDataFamily& Dv8MemoryData();

// The lists in combo order, each entry with the record code it stands for.
std::vector<cv::mem::CodeText> Dv8BandTable();
std::vector<cv::mem::CodeText> Dv8MeasureTable();
std::vector<cv::mem::CodeText> Dv8UnitsTable();
std::vector<cv::mem::CodeText> Dv8SoundTable();
std::vector<cv::mem::StandardEntry> Dv8StandardTable();
// The entry a record's pair selects: its own pair, or DIGITAL for colour '3' and any digit;
// -1 for any other pair.
int Dv8StandardIndex(char color, char std);

// What the CORVANE-2 builds its lists with: a standard table of texts and "%02d" codes (DIGITAL
// last), and the entry of a pair in such a table as Dv8StandardIndex finds it.
std::vector<cv::mem::StandardEntry> StandardEntries(const std::vector<std::string>& texts, const int* codes);
int StandardIndexIn(const std::vector<cv::mem::StandardEntry>& table, char color, char std);

}  // namespace cv::dv8
