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
//  - Memories (PlenarMemories.cpp): 99 memories kept as XSR records of 45 characters, covering
//    the sixteen measure codes ('0'..'9', 'A'..'F') on the bands they measure; "*?XSR%02X"
//    answers a record (unansweredFor and shortReplyFor as the CORVANE-4's), "*XSR" stores one
//    of exactly 45 characters (refusedMemory refused). There is no SR record.
//  - Quick sweep (PlenarQuickSweep.cpp): see QuickSweep below.
#include <array>
#include <cstdint>
#include <string>

#include "Corvane4Profile.h"

namespace cvsim {

class PlenarProfile : public Corvane4Profile {
 public:
  explicit PlenarProfile(std::string model = "CORVANE-PLENAR", std::string version = "2.22");

  // Every option the reply can carry: bits 24 to 16, 8 to 4 and 2 to 0.
  static constexpr uint32_t kAllOptions = 0x01FF01F7;
  uint32_t optionWord = kAllOptions;
  bool idSilent = false;
  // The option word's bits of the options a memory needs.
  static constexpr uint32_t kDabOption = 1u << 24, kCofdmOption = 1u << 18, kQamOption = 1u << 17,
                            kQpskOption = 1u << 16, kBelow45Option = 1u << 2, kTerOption = 1u << 1,
                            kSatOption = 1u << 0;

  // Memory n's record at delivery: measure code "0123456789ABCDEF"[(n - 1) % 16].
  static std::string XsrRecord(int n);
  std::array<std::string, 99> xsrMemories;

  // The instrument's own sweep: "*SP1" enters it (refused with sp1Refused), "*?SPA" answers
  // "*SPA" and spaMode, "*SPA6" sets the mode to '6', "*?SPR" answers "*SPR" and refItem,
  // "*SPY1" starts it, "*?FR" answers "*FR", band and "0000", "*?SPH" answers "*SPH" and the header
  // words (startWord, stepCode, points, factor, offset as 4, 2, 4, 4, 4 upper-case hexadecimal
  // digits), "*?SPS<b>" answers "*SPS" + b's digit and then two hexadecimal digits per point of
  // block b (120 points a block) from Raw(). Faults: headerSilent, frSilent, missingBlock (that
  // block unanswered), shortBlock (that block one point short).
  struct QuickSweep {
    bool sp1Refused = false;
    char spaMode = '9';
    char refItem = '7';
    char band = 0;  // "*?FR"'s band letter; 0: the band last tuned
    unsigned startWord = 0x0A00, stepCode = 0x14, points = 101;
    int factor = 100, offset = 0;
    bool headerSilent = false, frSilent = false;
    int missingBlock = -1, shortBlock = -1;
    int sps = 0;  // "*?SPS" queries answered
  } quick;
  // The raw level of point i: a carrier every 10 points over a floor.
  static unsigned Raw(unsigned i) { return i % 10 == 5 ? 0xC8 : 0x32 + i % 7; }

 private:
  void AddMemories();
  void AddQuickSweep();
};

}  // namespace cvsim
