#pragma once
// The CORVANE-4 meter: the CORVANE-3's register store, flash image, loader and handlers, with
// what the family answers otherwise.
//  - "*?NA" answers "*NA CORVANE-4"; "*?VE" answers "*VE", a blank and the version ("2.00";
//    versionBlank false leaves the blank out). The meter has no tuner to probe.
//  - "*FR" takes 'T' or 'S' and exactly four lower-case hexadecimal digits.
//  - Memories (Corvane4Memories.cpp): the CORVANE-3's one store, each memory kept as its SR
//    record of 43 characters. "*?SR%02X" answers the SR record, "*?XSR%02X" the XSR record of
//    45 (one more prefix letter, the sound as two upper-case hexadecimal digits 00..11); "*SR" and
//    "*XSR" store a record of exactly 43 or 45 characters and are refused (NAK) otherwise, for a
//    number outside 1..99, and for refusedMemory. "*?DA" is the CORVANE-3's. At start every
//    measure on both bands, as the CORVANE-3's default memories with this family's layout.
//  - Plan memory (Corvane4Plans.cpp): "*FL:" data records land in the plan image only at segment
//    0x2000 (DIRECTORY4's), which holds the delivery plans (StoreDeliveryPlans). The loader starts with "*GOF7E0:0000"; "*FE2" erases the channel sector.
//  - The digital filter is "*MF6F" (off) and "*MF7F" (on), each after the access code; the
//    CORVANE-3's "*MF0F" / "*MF1F" are refused. The rest of the spectrum commands are the
//    CORVANE-3's ("*SP0", "*?SP", "*?SY" from systemReply, "*ME0".."*ME7", "*?LV" with
//    levelImpossible for the '!' flag and BER words in modes 4 to 6).
//  - "*?LV" measures carriers on both sides of the gap between the bands (855 and 905 MHz).
//  - Canalization scripts (Corvane4Canalization.cpp): "*CC" clears the plan memory; the boot
//    monitor and the loader refuse "*?LV".
//  - Configuration (Corvane4Settings.cpp): the identity texts at 0x1F00 (serial, 16 bytes),
//    0x1F10 (model, 16) and 0x1F20 (make, 32); sixteen board blocks of 0x1C bytes descending from
//    0x1EE4 (name 16, revision 8, status word 2, slot 2), absent boards all FF; "CA" text at
//    0x1591 (31 bytes); the rotary byte at 0x1506. "*AA" restarts as the CORVANE-3's.
//  - Data logger: the CORVANE-3's commands; test point 5's time stamp has no comma.
//  - MPEG-2 decoder (Corvane4Mpeg.cpp): "*?DNP" + three hexadecimal digits of offset + two of
//    count answers "*DNP", the offset's digits and the bytes of mpegPacket in hex; "*?DN" + four
//    + two answers "*DN" and the bytes of mpegSection (a read past an image is refused). The
//    table register byte (registers[kMpegTable]) is written by "*I21487F" and "*I2148FF" and read
//    by "*?I2148001" ("*I2" and the byte). "*?MP" answers "*MP" and mpegStatus. "*PT" + a
//    9-character address + four digits stores a test flag, "*?PT" + address + "02" answers "*PT"
//    and it ("0000" where none was stored). The decoder's own lines ("S=0;0", "S=0;1", "V=P",
//    "A=S", "S", "T"), written without the line protocol, are recorded in rawLines and answered
//    with nothing at all, no XOFF or ACK either.
#include <map>
#include <string>
#include <vector>

#include "Simulator.h"

namespace cvsim {

class Corvane4Profile : public Corvane3Profile {
 public:
  explicit Corvane4Profile(std::string model = "CORVANE-4", std::string version = "2.00");

  // Memory n's SR record at start, from the CORVANE-3's default memory `memory`.
  static std::string Cv4Record(int number, const LoggerMemory& memory);
  static std::string ToXsr(const std::string& sr);
  static std::string FromXsr(const std::string& xsr);
  std::string Cv4MemoryReply(int n) const;  // what "*?SR" answers for memory n, faults aside
  int refusedMemory = 0;                    // fault: a record of this memory is refused

  // Board `block` (0 TER tuner .. 15 DIG Mainboard): name, revision, status word and slot bytes.
  void SetBoard(int block, const std::string& name, const std::string& revision, unsigned status, unsigned slot);
  // Every board absent (its block all FF).
  void ClearBoards();
  static constexpr unsigned kBoardTop = 0x1EE4, kBoardSize = 0x1C, kRotary4 = 0x1506;
  static constexpr int kBoards = 16;
  int boardCount = kBoards;  // the blocks ClearBoards empties

 private:
  void AddMemoryCommands();
  void AddSettings();

 public:
  std::vector<unsigned char> mpegPacket;   // 200 bytes: a transport packet and what follows it
  std::vector<unsigned char> mpegSection;  // 1024 bytes
  static constexpr unsigned kMpegTable = 0x21480;
  std::string mpegStatus = "LOCK PID=0100 CC=07";
  std::map<std::string, std::string> testFlags;  // by address
  std::vector<std::string> rawLines;             // lines taken without the line protocol
  // The image's bytes [at, at + count) as two upper-case hexadecimal digits each.
  static std::string HexBytes(const std::vector<unsigned char>& image, size_t at, size_t count);
  // A raw line the instrument takes (recorded, unanswered); anything else starting alike is refused.
  Answer TakeRawLine(const std::string& line, std::initializer_list<const char*> known);

 private:
  void AddMpegDecoder();
};

void AddCorvane4PlanMemory(Corvane4Profile& profile);
void AddCorvane4Canalization(Corvane4Profile& p);

}  // namespace cvsim
