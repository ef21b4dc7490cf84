#pragma once
// The CORVANE-2 meter: the DV-800 meter (register store, plan memory, loader, the CORVANE-3's boot
// and flash states) with a satellite tuner and the options report.
//  - "*?NA" answers "*NA CORVANE-2"; "*?VE" answers "*VE", a blank and the version ("1.14").
//  - "*FR" takes 'T' or 'S' and exactly four lower-case hexadecimal digits.
//  - "*?ID" (after the access code "*7205&") answers "*ID", three characters the program does not
//    read, and optionWord as eight upper-case hexadecimal digits; idSilent leaves it unanswered.
//  - "*?JI" and "*?CI" (channel number first) read the plan memory, which holds a terrestrial and
//    a satellite plan at delivery.
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
};

void AddCorvane2Spectrum(Corvane2Profile& profile);

}  // namespace cvsim
