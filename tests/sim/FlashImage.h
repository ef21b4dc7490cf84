#pragma once
// The CORVANE-3's plan memory as the simulator keeps it: "*FL:" records (Intel HEX records after
// the prefix) are written into a 64 KiB image, and the plan set is read back from the image the
// way the instrument lays it out (directory at 0, plan headers after it, each plan's channels at
// the address its header gives), so that a plan sent by script answers "*?JI" / "*?CI".
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cvsim {

class FlashImage {
 public:
  FlashImage() : bytes(65536, 0xFF) {}

  // Applies one record (the text after "*FL:"). False, and nothing written, when it is malformed
  // or its checksum is wrong: the instrument refuses such a line.
  bool Apply(const std::string& record);
  void Erase() { bytes.assign(65536, 0xFF); }

  struct Plan {
    std::string name;        // 8 characters
    uint16_t address = 0;    // first channel
    int channelCount = 0;
    int bandCode = 0;        // 5 satellite, 7 terrestrial (8 DAB where the family has it)
    uint32_t lnbTenths = 0;
    int code = 0;
    std::vector<uint16_t> commands;  // command offsets before the 0xFFFF end
  };
  struct Channel {
    std::string name;        // 4 characters
    uint16_t word = 0;
    uint16_t word2 = 0;
    std::vector<uint16_t> commands;
  };

  // The plan count of the directory, or -1 when no directory was written.
  int PlanCount() const;
  bool ReadPlan(int plan, Plan& out) const;
  bool ReadChannel(int plan, int channel, Channel& out) const;

  // The instrument's replies: "*JI" + name, count ("%02X"), band ('S'/'T'), LNB ("%05X" tenths),
  // code ("%02X"); "*CI" + name, word ("%04X"), second word ("%04X"); "!!" after the three
  // characters when there is no such plan or channel. Each command of the record follows as ","
  // and its name.
  std::string PlanReply(int plan) const;
  std::string ChannelReply(int plan, int channel) const;

  // The name of the command at a plan offset: the code word the command-code block (written
  // right after the plan headers) holds there, named as the instrument's firmware names it
  // ("ME3" for 0x1B03; a bandwidth or tuned-sound code with its option word, "CW0320"); empty
  // for a code the instrument does not know.
  std::string CommandNameAt(uint16_t offset) const;
  // A test may name the commands its own way instead.
  std::function<std::string(uint16_t offset)> commandName;

  std::vector<uint8_t> bytes;
  uint16_t segment = 0;
  int recordsWritten = 0;
  // The segment (of the last extended segment address record) the plan memory lies at; data
  // records at another segment are taken but land elsewhere. -1: every segment is plan memory.
  int planSegment = -1;
  int recordsElsewhere = 0;
  // The most plans the directory may declare, and the band code a header reads as a DAB plan
  // ('D'; -1: none, every code but 5 reads as 'T').
  int maxPlans = 32;
  int dabBandCode = -1;

 private:
  uint16_t Word(int address) const;  // low byte first
  // The address of the command-code block, or -1 when no directory was written.
  int CommandBlock() const;
  std::string CommandsText(const std::vector<uint16_t>& offsets) const;
  // The address just after a command list that starts at `address` (the 0xFFFF end included).
  int SkipList(int address, std::vector<uint16_t>* words) const;
};

}  // namespace cvsim
