#pragma once
// The CORVANE-PLENAR channel record: the CORVANE-3 record's layout with a third band, 'D' (DAB),
// and the bandwidth counted in hundredths of MHz (800 = 8 MHz, 153 = 1.53 MHz). Ranges are the
// CORVANE-4's. By band:
//  - 'S': second word 0 (no text), bandwidth 0, three commands;
//  - 'D': terrestrial word, second word equal to the first, one command;
//  - any other ('T'): terrestrial word, second word from whole MHz of half the bandwidth (the
//    framework's coding), one command.
// The plan slots of the framework hold it as a TChan3, so editors and writers need no other class.
#include "Chan3.h"

namespace cv::plenar {

class TChanPlen : public TChan3 {
 public:
  TChanPlen() = default;
  explicit TChanPlen(const TChan3& chan) : TChan3(chan) {}

  // From a word: the frequency with the band's range rule (outside: the band's fallback).
  static TChanPlen FromWord(std::string_view name, uint32_t word, int32_t bandwidth, char band,
                            std::string_view command1 = {}, std::string_view command2 = {},
                            std::string_view command3 = {});
  // From the "%04x" texts of both words; the bandwidth of a terrestrial or DAB channel follows
  // from their distance, and a distance that gives 0 reads as 8 MHz.
  static TChanPlen FromTexts(std::string_view name, std::string_view wordText, std::string_view word2Text,
                             char band, std::string_view command1 = {}, std::string_view command2 = {},
                             std::string_view command3 = {});
  // From MHz: a satellite frequency outside 900 to 2150 MHz becomes 1500 MHz first; the others
  // are kept as given.
  static TChanPlen FromFrequency(std::string_view name, float frequency, int32_t bandwidth, char band,
                                 std::string_view command1 = {}, std::string_view command2 = {},
                                 std::string_view command3 = {});

  // The second word of a 'D' or 'T' channel from its word and bandwidth; nothing for 'S'.
  void SetBandSecondWord(char band);
};

// Whether a plan or channel of this band is a DAB one.
inline bool IsDabBand(char band) { return band == 'D'; }

}  // namespace cv::plenar
