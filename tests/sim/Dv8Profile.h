#pragma once
// The DV-800 meter: the CORVANE-4's identification and strict tuning on the CORVANE-3's register
// store, plan memory and loader, with what the terrestrial-only meter answers otherwise.
//  - "*?NA" answers "*NA DV-800"; "*?VE" answers "*VE", a blank and the version ("2.50").
//  - "*FR" takes 'T' and exactly four lower-case hexadecimal digits; 'S' is refused.
//  - "*?ID" is refused: the meter does not report its options.
//  - Plan scripts: the CORVANE-3's boot monitor, loader ("*HX" lines, "*GO1FE0:0000", "*FE6",
//    the power-on lines taken without handshake) and "*FL:" records into the plan memory at
//    segment 0x8000, read back through "*?JI" and "*?CI". The delivery plans are the CORVANE-4's.
//    After "*GOFFFF:0000" the meter restarts and answers again once a "rawtx" wake line came.
//  - Memories (Dv8Memories.cpp): the CORVANE-3's one store, 99 terrestrial memories of the
//    meter's measure types (Level, V/A, Power, C/N Auto, C/N Ref in turn) in the 42-character
//    line. "*?SR%02X" answers memory n's line; "*SR" stores a line of exactly 42 characters (38
//    for BER COFDM) numbered 1..99, and is refused (NAK) otherwise and for refusedMemory.
//    "*?XSR" and "*XSR" are unknown. Faults turn one memory's answer into something else.
//  - The digital filter is the CORVANE-3's "*MF0F" / "*MF1F" after the access code; "*?LV"
//    measures terrestrial carriers (one at 49.75 MHz, in the spectrum's default span).
//  - Configuration (Dv8Settings.cpp): the CORVANE-3's register map with the DV-800's texts:
//    serial (0x1000), model (0x1010), make (0x1020), thirteen board blocks of 0x1C bytes from
//    0x1050 (TER tuner, main board and COFDM fitted; the QAM board answers a status ending in FF),
//    the rotary byte at 0x1306; "*AA" restarts; a good update ("*HX" end record) reports 2.60.
//  - Data logger: the CORVANE-3's commands and tables ("*?TP" answered by every firmware); a few
//    values carry '<', '>', a sign '-' or the lone relation 'E', and every value of cofdmMemory is
//    a BER word with the sign '-'.
#include "Corvane4Profile.h"

namespace cvsim {

class Dv8Profile : public Corvane4Profile {
 public:
  explicit Dv8Profile(std::string model = "DV-800", std::string version = "2.50");

  // Memory n at start.
  static LoggerMemory Dv8DefaultMemory(int n);
  static std::string Dv8Record(int n) { return LoggerRecord(n, Dv8DefaultMemory(n)); }
  std::string Dv8MemoryReply(int n) const;  // what "*?SR" answers for memory n, faults included

  int satelliteMemory = 0;   // this memory answers as a satellite memory
  int cofdmMemory = 0;       // this memory answers as a BER COFDM memory (38 characters)
  int outOfRangeMemory = 0;  // this memory answers a colour code of '9'
  int zeroNumberFor = 0;     // the answer for this memory is numbered 00
  // Fault: "*?CI" answers "*CI!!" for this channel index of any plan and every later one (-1: none).
  int channelQueryFailsFrom = -1;
  // A meter of the family's kin with a satellite tuner takes 'S' as well (the CORVANE-2).
  bool satelliteTuner = false;

 private:
  void AddDv8Memories();
  void AddDv8Settings();
};

}  // namespace cvsim
