#pragma once
// The CORVANE-PLENAR meter: the CORVANE-4 meter with a third band and its options report.
//  - "*?NA" answers "*NA CORVANE-PLENAR"; "*?VE" answers "*VE 2.22".
//  - "*?ID" answers "*ID", three characters the program does not read, and the option word as
//    eight upper-case hexadecimal digits (optionWord; every option by default); idSilent leaves
//    it unanswered.
//  - Plan memory takes 64 plans; a header of band number 8 is a DAB plan ('D' in "*?JI"), whose
//    channels (CHAND's records: the word twice) read back like the others. At delivery it holds
//    the CORVANE-4's terrestrial and satellite plans and, as plan 2, a DAB plan.
//  - StoreFullPlanSet() fills all 64 plans (every third a DAB plan); plansAbsent (a fault)
//    answers every "*?JI" with "*JI!!", as a meter holding no plan.
//  - Whatever the program writes without the line protocol (no handshake, no CR) is in the
//    traffic like every other byte.
#include <cstdint>

#include "Corvane4Profile.h"

namespace cvsim {

class PlenarProfile : public Corvane4Profile {
 public:
  explicit PlenarProfile(std::string model = "CORVANE-PLENAR", std::string version = "2.22");

  // Every option the reply can carry: bits 24 to 16, 8 to 4 and 2 to 0.
  static constexpr uint32_t kAllOptions = 0x01FF01F7;
  uint32_t optionWord = kAllOptions;
  bool idSilent = false;
  bool plansAbsent = false;
  void StoreFullPlanSet();
};

}  // namespace cvsim
