#pragma once
// The DV-800 meter: the CORVANE-4's identification and strict tuning on the CORVANE-3's register
// store, plan memory and loader, with what the terrestrial-only meter answers otherwise.
//  - "*?NA" answers "*NA DV-800"; "*?VE" answers "*VE", a blank and the version ("2.50").
//  - "*FR" takes 'T' and exactly four lower-case hexadecimal digits; 'S' is refused.
//  - "*?ID" is refused: the meter does not report its options.
//  - The digital filter is the CORVANE-3's "*MF0F" / "*MF1F" after the access code; "*?LV"
//    measures terrestrial carriers (one at 49.75 MHz, in the spectrum's default span).
#include "Corvane4Profile.h"

namespace cvsim {

class Dv8Profile : public Corvane4Profile {
 public:
  explicit Dv8Profile(std::string model = "DV-800", std::string version = "2.50");
};

}  // namespace cvsim
