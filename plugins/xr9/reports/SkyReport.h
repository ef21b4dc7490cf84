#pragma once
// The SKY certificate's inner writers: the flat rows it lists and its 25-column table.
#include <array>
#include <string>

namespace cv::xr9 {

class DataLoggerCtl;

inline constexpr const char* kSkySection = "DLReportSKYTER";
inline constexpr int kSkyFlatRows = 10;
using SkyFlatRows = std::array<int, kSkyFlatRows>;  // display rows of the sheet, -1 where empty

// The display rows of the flats: the terrestrial file's flats first (at most ten), then the
// satellite file's flats at rows not yet listed.
SkyFlatRows SkyFlatRowList(const DataLoggerCtl& ctl, int terSlot, int satSlot);
// The table from "<table" to "</table>\n" ("\nERROR!!\n" in place of its rows when a chosen file
// has no plan), with the sheet's offsets on the Off Air and Launch levels while it is written.
void WriteSkyTable(DataLoggerCtl& ctl, int terSlot, int satSlot, const SkyFlatRows& flats, std::string* html);

}  // namespace cv::xr9
