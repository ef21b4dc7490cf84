#pragma once
// The spectrum sweep's view of the CORVANE-3 equipment object: its command layer and its log.
#include "Cv3Equip.h"
#include "TSpectrumSweep.h"

class TCv3SpectrumLink : public TSpectrumLink {
 public:
  explicit TCv3SpectrumLink(TCv3Equip& equipment) : equipment(equipment) {}
  bool SendCommand(const char* command) override { return equipment.SendCommand(command); }
  bool Query(const char* command, char* reply) override { return equipment.Query(command, reply); }
  bool AskLevel(char* reply, int ms) override { return equipment.AskLevel(reply, ms); }
  bool TuneFrequency(float mhz, int ms) override { return equipment.TuneFrequency(mhz, ms); }
  void Log(const std::string& line) override { equipment.Log(line); }
  int32_t GetModelVariant() const override { return equipment.GetModelVariant(); }
  void Wait(int milliseconds) override { equipment.Wait(milliseconds); }

 private:
  TCv3Equip& equipment;
};
