#pragma once
// The memory settings controller without an instrument or a form, for the fuzz targets that type
// into its edits: an offline equipment object with a decimal comma and a view that shows nothing.
#include <string>
#include <vector>

#include "MemoryData.h"

namespace cvfuzz {

class OfflineMemoryEquipment : public cv::mem::MemoryEquipment {
 public:
  bool HasPort() const override { return false; }
  bool CheckVersion() override { return false; }
  bool Query(const std::string&, std::string&) override { return false; }
  bool SendCommand(const std::string&) override { return false; }
  std::vector<std::string> SplitFields(const std::string&) override { return {}; }
  void Log(const std::string&) override {}
  char DecimalSeparator() const override { return ','; }
  char ListSeparator() const override { return ';'; }
};

class NoDataView : public cv::mem::MemoryDataView {
 public:
  void Render() override {}
  void FocusEdit(cv::mem::DataEdit) override {}
  void SetHourglass(bool) override {}
  bool RunChannelPicker() override { return false; }
};

}  // namespace cvfuzz
