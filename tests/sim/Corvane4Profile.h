#pragma once
// The CORVANE-4 meter: the CORVANE-3's register store, flash image, loader and handlers, with
// what the family answers otherwise.
//  - "*?NA" answers "*NA CORVANE-4"; "*?VE" answers "*VE", a blank and the version ("2.00";
//    versionBlank false leaves the blank out). The meter has no tuner to probe.
//  - "*FR" takes 'T' or 'S' and exactly four lower-case hexadecimal digits.
//  - Plan memory (Corvane4Plans.cpp): "*FL:" data records land in the plan image only at segment
//    0x2000 (DIRECTORY4's); two plans are stored at delivery, the satellite one with a channel at
//    880 MHz. The loader starts with "*GOF7E0:0000"; "*FE2" erases the channel sector.
//  - Canalization scripts (Corvane4Canalization.cpp): "*CC" clears the plan memory; the boot
//    monitor and the loader refuse "*?LV".
#include "Simulator.h"

namespace cvsim {

class Corvane4Profile : public Corvane3Profile {
 public:
  explicit Corvane4Profile(std::string model = "CORVANE-4", std::string version = "2.00");
};

void AddCorvane4PlanMemory(Corvane4Profile& profile);
void AddCorvane4Canalization(Corvane4Profile& p);

}  // namespace cvsim
