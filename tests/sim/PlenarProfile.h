#pragma once
// The CORVANE-PLENAR meter: the CORVANE-4 meter with a third band and its options report.
//  - "*?NA" answers "*NA CORVANE-PLENAR"; "*?VE" answers "*VE 2.22".
//  - "*?ID" answers "*ID", three characters the program does not read, and the option word as
//    eight upper-case hexadecimal digits (optionWord; every option by default); idSilent leaves
//    it unanswered.
//  - Plan memory takes 64 plans; a header of band number 8 is a DAB plan ('D' in "*?JI"), whose
//    channels (CHAND's records: the word twice) read back like the others. At delivery it holds
//    the CORVANE-4's terrestrial and satellite plans and, as plan 2, a DAB plan.
//  - Whatever the program writes without the line protocol (no handshake, no CR) is in the
//    traffic like every other byte.
//  - Configuration (PlenarSettings.cpp): the CORVANE-4's register map with the model text split
//    in two ("CORVANE-" at 0x1F10, "PLENAR" at 0x1F60) and 21 board blocks descending from
//    0x1EE4 (the CORVANE-4's sixteen, QAM and COFDM constellations, RDS, video effects, DAB),
//    the DAB board fitted beside the CORVANE-4's. FitEveryBoard fills every block and the CA text.
//  - A good update makes "*?VE" report 2.30.
//  - Data logger: StoreLoggerTypes stores memories 1 to 16 with the sixteen measurement type
//    characters '0'..'F' (every one selected, no other memory), with values of each type's
//    coding: mantissa and exponent for '4', '5', '6', '8', '9' and 'E', whole percentages for
//    'C', tenths for the rest.
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

  static constexpr int kPlenarBoards = 21;
  static constexpr const char* kMeasureTypes = "0123456789ABCDEF";
  void FitEveryBoard();
  void StoreLoggerTypes();

 private:
  void AddPlenarSettings();
};

}  // namespace cvsim
