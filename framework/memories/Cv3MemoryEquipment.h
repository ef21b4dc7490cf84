#pragma once
// The memory editor's way to a CORVANE-3 equipment object: its command layer, its field splitter,
// its separators and the host's LogMemo. The form uses it, and so do tests and benchmarks that
// run the editor without a screen.
#include "MemoryEditor.h"

class TCv3Equip;

namespace cv::mem {

class Cv3MemoryEquipment : public MemoryEquipment {
 public:
  explicit Cv3MemoryEquipment(TCv3Equip& equip) : e(equip) {}
  bool HasPort() const override;
  bool CheckVersion() override;
  bool ReadVersion(float& version) override;
  bool Query(const std::string& command, std::string& reply) override;
  bool SendCommand(const std::string& command) override;
  bool LastRefused() const override;
  std::vector<std::string> SplitFields(const std::string& line) override;
  void Log(const std::string& line) override;
  char DecimalSeparator() const override;
  char ListSeparator() const override;
  bool ReadPlanInfo(int plan, PlanInfo& info) override;
  bool ReadChannelInfo(int channel, int plan, TChan3& chan, char band) override;

 private:
  TCv3Equip& e;
};

}  // namespace cv::mem
