#pragma once
// The plot arithmetic of the spectrum trace: level and frequency scales of the 250 x 200 picture
// and the conversions between pixels, levels and frequencies. Plain arithmetic, no drawing.
#include <cstdint>

class TSpectrumScale {
 public:
  // The picture the scale maps onto.
  int32_t width = 250;
  int32_t height = 200;

  int32_t refLevel = 70;
  int32_t levelTop = 70;
  int32_t levelBottom = 20;
  int32_t levelDiv = 10;
  int32_t startMHz = 0;
  int32_t endMHz = 1;
  int32_t mhzPerDiv = 1;
  int32_t freqDivisions = 2;

  // The reference-level list: `refLevelCount` items, from `firstRefLevel` dBuV in steps of 10
  // (the family's list; "70 dB" to "130 dB" by default).
  int32_t firstRefLevel = 70;
  int32_t refLevelCount = 7;
  void SetLevelScale(int item);
  // A sweep inside one whole MHz (same integer part at both ends) would give a zero-wide scale;
  // it is drawn over that one MHz instead.
  void ComputeScale(float initialFreq, float finalFreq);

  int32_t LevelToY(double level) const;  // pixels above the bottom
  int32_t FreqToX(double mhz) const;     // pixel column
  void PointToLevelFreq(int x, int y, double& level, double& mhz) const;
  double LevelOfDivision(int i) const { return levelBottom + i * levelDiv; }
  int32_t FreqOfDivision(int j) const { return startMHz + j * mhzPerDiv; }

  // The last frequency line is kept inside the span; otherwise the rounded-up count stands and its
  // last line may lie past the right edge.
  bool linesInsideSpan = true;
};
