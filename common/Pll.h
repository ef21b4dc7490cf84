#pragma once
// PLL word coding of CORVANE frequencies. The instrument tunes from a PLL word, never from MHz:
//   terrestrial word = (MHz + 38.9) x 20      satellite word = (MHz + 479.5) x 8
// For satellite channels the MHz are the intermediate frequency after the LNB.
// Band 'S' is satellite; every other band code ('T' or anything else) is terrestrial.
#include <cstdint>
#include <string>

namespace cv {

struct PllBand {
  double offsetMHz;     // added to the frequency before dividing by the step
  double wordsPerMHz;   // 20 or 8
  double stepMHz;       // MHz per word unit, the inverse
  float minMHz;         // valid range, both ends included
  float maxMHz;
  float fallbackMHz;    // what a word outside the range reads as
};

// A family's frequency ranges: the coding of both bands, where each band's valid range starts
// and ends, what a word outside it reads as, and where tuning switches to the satellite band.
// The CORVANE-3 starts its satellite range at 862.1 MHz, the CORVANE-4 and the DV-800 at 900 MHz;
// a satellite word outside the range reads as 1500 MHz, on the DV-800 as 920 MHz.
struct FamilyRanges {
  PllBand terrestrial;
  PllBand satellite;
  double satelliteTuneMHz;  // from here up a frequency is tuned as satellite (compared as double)
  // The band letters a plan's channels carry (every one but 'S' coded as terrestrial); none: any
  // letter, as the CORVANE-3 takes them.
  const char* channelBands = nullptr;
};
extern const FamilyRanges kCorvane3Ranges;
extern const FamilyRanges kCorvane4Ranges;
extern const FamilyRanges kDv800Ranges;
// The CORVANE-2: terrestrial channels from 45 MHz (below, 48.25), satellite as the CORVANE-4.
extern const FamilyRanges kCorvane2Ranges;
// The CORVANE-PLENAR's plans: the CORVANE-4's ranges, with DAB channels ('D') coded as terrestrial.
extern const FamilyRanges kPlenarRanges;

inline bool IsSatelliteBand(char band) { return band == 'S'; }
const PllBand& PllBandOf(char band, const FamilyRanges& ranges = kCorvane3Ranges);

// Whether `mhz` lies in the band's valid range (CORVANE-3: 5..862 terrestrial, 862.1..2150
// satellite IF). Compared at single precision, the precision channel frequencies are kept in, so
// a typed 862.1 is inside the CORVANE-3 satellite range.
bool PllInRange(char band, double mhz, const FamilyRanges& ranges = kCorvane3Ranges);
// Whether a plan channel of the band may lie at `mhz` (satellite: the intermediate frequency): a
// band the family's channels carry, and inside that band's range.
bool ChannelInBand(char band, double mhz, const FamilyRanges& ranges);

// Word of a frequency, adding 0.5 and truncating: tuning commands and channel records.
uint32_t PllWord(char band, double mhz);
// The tuning command of a frequency: "*FR", 'T' or 'S' by the family's switch frequency, and the
// word as four lower-case hexadecimal digits.
std::string PllTuneCommand(double mhz, const FamilyRanges& ranges = kCorvane3Ranges);
// Word of a frequency converted to a 32-bit float and truncated: the plug-in's CHAN3T / CHAN3S
// script statements.
uint32_t PllWordFloatTrunc(char band, double mhz);
// The host script dialect's word: (mhz + offset) / step through a 32-bit float, truncated; the
// script may change offset and step. A step of 0 gives word 0.
uint32_t PllWordScript(double mhz, double offsetMHz, double stepMHz);

// Frequency of a word, no range rule.
double PllFrequency(char band, uint32_t word);
// Frequency of a word with the range rule: outside the band's range the fallback (48.25 MHz
// terrestrial, 1500 MHz satellite) and *inRange false.
float PllFrequencyChecked(char band, uint32_t word, bool* inRange = nullptr,
                          const FamilyRanges& ranges = kCorvane3Ranges);

// LNB conversions between a satellite downlink frequency and the intermediate frequency the
// instrument tunes. An oscillator above 5000 and below 6000 MHz is a C-band LNB, whose IF runs
// the other way (downlink = oscillator - IF); every other oscillator adds.
float IFToFreq(float oscillatorMHz, float intermediateMHz);
float FreqToIF(float oscillatorMHz, float frequencyMHz);

// The 12-bit bit-error-ratio word of the level and data-logger replies: mantissa in bits 11..5
// (0..127) times ten to the exponent in bits 4..0, a 5-bit two's-complement number (-16..15).
// Bits above the twelfth are ignored.
double DecodeBerWord(uint32_t word);

}  // namespace cv
