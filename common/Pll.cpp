#include "Pll.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace cv {
namespace {

constexpr PllBand kTerrestrial{38.9, 20.0, 0.05, 5.0f, 862.0f, 48.25f};
constexpr PllBand kSatellite{479.5, 8.0, 0.125, 862.1f, 2150.0f, 1500.0f};
constexpr PllBand kSatellite900{479.5, 8.0, 0.125, 900.0f, 2150.0f, 1500.0f};
constexpr PllBand kSatelliteDv800{479.5, 8.0, 0.125, 900.0f, 2150.0f, 920.0f};
constexpr PllBand kTerrestrialFrom45{38.9, 20.0, 0.05, 45.0f, 862.0f, 48.25f};

// Negative and oversized values would be undefined behaviour when cast; words saturate instead.
uint32_t ToWord(double value) {
  if (!(value > 0)) return 0;  // also NaN
  if (value >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(value);
}

}  // namespace

const FamilyRanges kCorvane3Ranges{kTerrestrial, kSatellite, 862.1};
const FamilyRanges kCorvane4Ranges{kTerrestrial, kSatellite900, 900.0, "TS"};
const FamilyRanges kDv800Ranges{kTerrestrial, kSatelliteDv800, 900.0, "TS"};
const FamilyRanges kCorvane2Ranges{kTerrestrialFrom45, kSatellite900, 900.0, "TS"};
const FamilyRanges kPlenarRanges{kTerrestrial, kSatellite900, 900.0, "TSD"};

const PllBand& PllBandOf(char band, const FamilyRanges& ranges) {
  return IsSatelliteBand(band) ? ranges.satellite : ranges.terrestrial;
}

bool PllInRange(char band, double mhz, const FamilyRanges& ranges) {
  const PllBand& b = PllBandOf(band, ranges);
  float f = static_cast<float>(mhz);
  return f >= b.minMHz && f <= b.maxMHz;
}

bool ChannelInBand(char band, double mhz, const FamilyRanges& ranges) {
  if (ranges.channelBands && (band == 0 || !std::strchr(ranges.channelBands, band))) return false;
  return PllInRange(band, mhz, ranges);
}

uint32_t PllWord(char band, double mhz) {
  const PllBand& b = PllBandOf(band);
  return ToWord((mhz + b.offsetMHz) * b.wordsPerMHz + 0.5);
}

uint32_t PllWordFloatTrunc(char band, double mhz) {
  const PllBand& b = PllBandOf(band);
  return ToWord(static_cast<float>((mhz + b.offsetMHz) * b.wordsPerMHz));
}

uint32_t PllWordScript(double mhz, double offsetMHz, double stepMHz) {
  if (stepMHz == 0) return 0;
  return ToWord(static_cast<float>((mhz + offsetMHz) / stepMHz));
}

double PllFrequency(char band, uint32_t word) {
  const PllBand& b = PllBandOf(band);
  return word * b.stepMHz - b.offsetMHz;
}

float PllFrequencyChecked(char band, uint32_t word, bool* inRange, const FamilyRanges& ranges) {
  double f = PllFrequency(band, word);
  bool ok = PllInRange(band, f, ranges);
  if (inRange) *inRange = ok;
  return ok ? static_cast<float>(f) : PllBandOf(band, ranges).fallbackMHz;
}

std::string PllTuneCommand(double mhz, const FamilyRanges& ranges) {
  const bool satellite = mhz >= ranges.satelliteTuneMHz;
  char command[32];
  std::snprintf(command, sizeof command, "*FR%c%04x", satellite ? 'S' : 'T',
                static_cast<unsigned>(PllWord(satellite ? 'S' : 'T', mhz)));
  return command;
}

namespace {
bool IsCBand(float oscillatorMHz) { return oscillatorMHz > 5000.0f && oscillatorMHz < 6000.0f; }
}  // namespace

float IFToFreq(float oscillatorMHz, float intermediateMHz) {
  return IsCBand(oscillatorMHz) ? oscillatorMHz - intermediateMHz : oscillatorMHz + intermediateMHz;
}

float FreqToIF(float oscillatorMHz, float frequencyMHz) {
  return IsCBand(oscillatorMHz) ? std::fabs(frequencyMHz - oscillatorMHz)
                                : frequencyMHz - oscillatorMHz;
}

double DecodeBerWord(uint32_t word) {
  const int mantissa = static_cast<int>((word >> 5) & 0x7F);
  int exponent = static_cast<int>(word & 0x1F);
  if (exponent >= 16) exponent -= 32;
  return mantissa * std::pow(10.0, exponent);
}

}  // namespace cv
