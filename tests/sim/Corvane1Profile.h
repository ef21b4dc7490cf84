#pragma once
// The first generation of meters, CORVANE-1 and CORVANE-1B, which keep their channel plan and
// configuration in registers written one byte a command:
//  - CORVANE-1 plan registers, 1024 bytes in four pages of 256: "*I1A" + page digit ('0', '2',
//    '4' or '6') + address (2 hex digits) + value (2) writes, "*?I1A" + page digit + address
//    reads ("*I" + the value in 2 hex digits);
//  - CORVANE-1B plan registers, 8 KiB (plan n from 1024 x n): "*I2A0" + address (4 hex digits) +
//    value (2) writes, "*?I2A0" + address reads;
//  - 512 configuration registers: "*#" + address (4) + value (2) writes, "*?#" + address reads
//    ("*#" + the value); bit 3 of register 0x2F tells the model (set: CORVANE-1B), registers 0x40
//    to 0x47 hold the serial number;
//  - "*?Q" the CORVANE-1B's plan ("*Q" and the digit), "*?V" / "*?VE" the version.
// The instrument takes every other line it is sent and ignores it (ACK), as the old meters do.
#include <map>
#include <string>

#include "Simulator.h"

namespace cvsim {

class Corvane1Profile : public Profile {
 public:
  explicit Corvane1Profile(bool modelB = false, std::string version = "V1.20");
  Answer Unknown(const std::string& line) override;

  void SetSerial(const std::string& serial);  // eight characters
  void SetModelB(bool b);

  std::map<unsigned, unsigned char> plan1;   // CORVANE-1: linear offset 0..1023
  std::map<unsigned, unsigned char> plan1B;  // CORVANE-1B: address 0..8191
  unsigned char config[512] = {};
  int planB = 0;                             // the CORVANE-1B's plan, "*?Q"
  int writes = 0;                            // register writes taken
  std::vector<std::string> ignored;          // lines taken without meaning
};

}  // namespace cvsim
