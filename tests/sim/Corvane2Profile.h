#pragma once
// The CORVANE-2 meter: the DV-800 meter (register store, plan memory, loader, the CORVANE-3's boot
// and flash states) with a satellite tuner and the options report.
//  - "*?NA" answers "*NA CORVANE-2"; "*?VE" answers "*VE", a blank and the version ("1.14").
//  - "*FR" takes 'T' or 'S' and exactly four lower-case hexadecimal digits.
//  - "*?ID" (after the access code "*7205&") answers "*ID", three characters the program does not
//    read, and optionWord as eight upper-case hexadecimal digits; idSilent leaves it unanswered.
//  - "*?JI" and "*?CI" (channel number first) read the plan memory, which holds a terrestrial and
//    a satellite plan at delivery.
//  - Configuration (Corvane2Settings.cpp): the sixteen option records of the CORVANE-3's map with
//    the meter's texts (TER and SAT tuners, main board, QPSK and COFDM fitted; the QAM board's
//    status ends in FF) and no rotary byte (0x1306 reads FF); "*AA" restarts; a good update
//    ("*HX" end record) reports 1.20.
//  - Memories (Corvane2Memories.cpp): the DV-800's store and "*SR", holding 99 valid memories of
//    both bands and the seven measure types of the meter (Level, V/A, Power, C/N Auto, BER QPSK
//    on satellite, BER COFDM on terrestrial, C/N Ref) in the record line; faults on demand.
//  - Spectrum and monitor (Corvane2Spectrum.cpp): the DV-800's commands with "*?FR" in both bands,
//    "*?LV" over carriers on both sides of the gap (861 and 903 MHz) and the satellite band, BER
//    words in modes 4 and 6, and "*ME5" refused.
#include <cstdint>

#include "Dv8Profile.h"

namespace cvsim {

class Corvane2Profile : public Dv8Profile {
 public:
  explicit Corvane2Profile(std::string model = "CORVANE-2", std::string version = "1.14");

  // The option word's bits as the program reads them: 18 BER COFDM, 2 channels below 45 MHz,
  // 1 and 0 the terrestrial and satellite bands.
  static constexpr uint32_t kBerCofdm = 1u << 18, kBelow45MHz = 1u << 2, kTerrestrial = 1u << 1, kSatellite = 1u;
  // Both bands, channels below 45 MHz and the BER COFDM measure.
  static constexpr uint32_t kDefaultOptions = kBerCofdm | kBelow45MHz | kTerrestrial | kSatellite;
  uint32_t optionWord = kDefaultOptions;
  bool idSilent = false;

  // Memory n at start, and its record line.
  static LoggerMemory Cv2DefaultMemory(int n);
  static std::string Cv2Record(int n) { return LoggerRecord(n, Cv2DefaultMemory(n)); }
  // What "*?SR" answers for memory n, faults included (shortReplyFor and the DV-800's as well).
  std::string Cv2MemoryReply(int n) const;
  int below45Memory = 0;   // this memory answers as a terrestrial one at 43.6 MHz (word 0672)
  int cnTopBitMemory = 0;  // this memory's C/N reference word answers with its top bit set

 private:
  void AddCorvane2Settings();
  void AddCv2Memories();
};

void AddCorvane2Spectrum(Corvane2Profile& profile);

}  // namespace cvsim
