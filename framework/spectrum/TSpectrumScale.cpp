#include "TSpectrumScale.h"

#include <algorithm>
#include <cmath>

void TSpectrumScale::SetLevelScale(int item) {
  item = std::clamp(item, 0, std::max(0, refLevelCount - 1));
  refLevel = firstRefLevel + 10 * item;
  levelTop = refLevel;
  levelBottom = refLevel - 50;
  levelDiv = (levelTop - levelBottom) / 5;
}

void TSpectrumScale::ComputeScale(float initialFreq, float finalFreq) {
  startMHz = static_cast<int32_t>(std::trunc(initialFreq));
  endMHz = static_cast<int32_t>(std::trunc(finalFreq));
  if (endMHz <= startMHz) endMHz = startMHz + 1;
  int32_t span = endMHz - startMHz;
  mhzPerDiv = static_cast<int32_t>(std::trunc(std::max(span * 0.1, 0.5) + 0.5));
  freqDivisions = static_cast<int32_t>(std::trunc(span / static_cast<double>(mhzPerDiv) + 1.5));
  // Rounding the count up may put the last line past the end of the span (5 to 862 MHz at 86 MHz
  // a division would draw 865): the scale stops at the last division inside it.
  while (linesInsideSpan && freqDivisions > 2 && FreqOfDivision(freqDivisions - 1) > endMHz) --freqDivisions;
}

int32_t TSpectrumScale::LevelToY(double level) const {
  int32_t pixelsPerDb = height / (levelTop - levelBottom);
  return static_cast<int32_t>(std::trunc((level - levelBottom) * pixelsPerDb + 0.5));
}

int32_t TSpectrumScale::FreqToX(double mhz) const {
  double perMHz = width / static_cast<double>(endMHz - startMHz);
  return static_cast<int32_t>(std::trunc((mhz - startMHz) * perMHz + 0.5));
}

void TSpectrumScale::PointToLevelFreq(int x, int y, double& level, double& mhz) const {
  level = levelBottom + static_cast<double>(height - y) / height * (levelTop - levelBottom);
  mhz = startMHz + static_cast<double>(x) / width * (endMHz - startMHz);
}
