#include "Cv3MemoryEquipment.h"

#include "Cv3Equip.h"
#include "Serial.h"

namespace cv::mem {

bool Cv3MemoryEquipment::HasPort() const { return e.port != nullptr; }
bool Cv3MemoryEquipment::CheckVersion() { return e.CheckVersion(); }
bool Cv3MemoryEquipment::ReadVersion(float& version) { return e.ReadVersion(version); }

bool Cv3MemoryEquipment::Query(const std::string& command, std::string& reply) {
  char buffer[kReplyBufferSize];
  bool ok = e.Query(command.c_str(), buffer);
  reply = buffer;
  return ok;
}

bool Cv3MemoryEquipment::SendCommand(const std::string& command) { return e.SendCommand(command.c_str()); }
bool Cv3MemoryEquipment::LastRefused() const { return e.port && e.port->Refused(); }

std::vector<std::string> Cv3MemoryEquipment::SplitFields(const std::string& line) {
  e.SplitFields(line.c_str());
  return {std::begin(e.fields), std::end(e.fields)};
}

void Cv3MemoryEquipment::Log(const std::string& line) { e.Log(line); }
char Cv3MemoryEquipment::DecimalSeparator() const { return e.decimalSeparator; }
char Cv3MemoryEquipment::ListSeparator() const { return e.listSeparator; }
bool Cv3MemoryEquipment::ReadPlanInfo(int plan, PlanInfo& info) { return e.ReadPlanInfo(plan, info); }
bool Cv3MemoryEquipment::ReadChannelInfo(int channel, int plan, TChan3& chan, char band) {
  return e.ReadChannelInfo(channel, plan, chan, band);
}

}  // namespace cv::mem
