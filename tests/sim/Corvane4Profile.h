#pragma once
// The CORVANE-4 meter: the CORVANE-3's register store, flash image, loader and handlers, with
// what the family answers otherwise.
//  - "*?NA" answers "*NA CORVANE-4"; "*?VE" answers "*VE", a blank and the version ("2.00";
//    versionBlank false leaves the blank out). The meter has no tuner to probe.
//  - "*FR" takes 'T' or 'S' and exactly four lower-case hexadecimal digits.
//  - The digital filter is "*MF6F" (off) and "*MF7F" (on), each after the access code; the
//    CORVANE-3's "*MF0F" / "*MF1F" are refused. The rest of the spectrum commands are the
//    CORVANE-3's ("*SP0", "*?SP", "*?SY" from systemReply, "*ME0".."*ME7", "*?LV" with
//    levelImpossible for the '!' flag and BER words in modes 4 to 6).
//  - "*?LV" measures carriers on both sides of the gap between the bands (855 and 905 MHz).
#include "Simulator.h"

namespace cvsim {

class Corvane4Profile : public Corvane3Profile {
 public:
  explicit Corvane4Profile(std::string model = "CORVANE-4", std::string version = "2.00");
};

}  // namespace cvsim
