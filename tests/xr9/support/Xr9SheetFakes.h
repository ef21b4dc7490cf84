#pragma once
// What the two sheets answer the report writers and checks, set by a test.
#include <cstdint>
#include <string>

#include "DataLogCsv.h"
#include "SkySheetQuery.h"

namespace xr9test {

class FakeSheet : public cv::xr9::SheetQuery {
 public:
  int SelectedMeasIndex(int, int) const override { return 0; }
  bool IsSatIfTest() const override { return ifSat; }
  bool AllMeasurements() const override { return true; }
  bool ifSat = false;
};

class FakeSkySheet : public cv::xr9::SkySheetQuery {
 public:
  int SelectedMeasIndex(int, int) const override { return 0; }
  void SelectedSlots(int& t, int& s) const override { t = ter, s = sat; }
  int FindService(int, int, uint8_t& count) const override { return count = 0, -1; }
  bool HasService(int, int, int) const override { return false; }
  int RowOfTestPoint(int, int tp) const override { return tp; }
  int TestPointAtRow(int, int row) const override { return row; }
  int FlatNumbersSource() const override { return 7; }
  void GetOffsets(int& a, int& b, int& c, int& d) const override { a = b = c = d = 0; }
  void SetInfoText(int, const std::string&) override {}
  std::string GetInfoText(int, size_t) const override { return {}; }
  int ter = -1, sat = -1;
};

}  // namespace xr9test
