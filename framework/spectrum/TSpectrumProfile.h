#pragma once
// What one family's spectrum analyser does otherwise than another's: the dialog and its sweep
// are one code, run on a record of these values. The default record is the CORVANE-3's.
#include <string>

struct TSpectrumProfile {
  // Where the satellite band starts: the lowest satellite frequency the initial and final edits
  // take and the start of the SAT full span. The terrestrial band ends at 862 MHz in every family.
  double satelliteStart = 862.1;
  // Added to a step that crosses 862 MHz, so a sweep leaves out what lies between the bands.
  float bandGap = 0.1f;
  // The reference-level list: `refLevelCount` items from `firstRefLevel` dBuV in steps of 10.
  int firstRefLevel = 70;
  int refLevelCount = 7;
  int defaultRefItem = 0;
  // Settling time the instrument needs after leaving its own spectrum mode, before the first
  // snapshot of a run (a pumped wait; 0: none).
  int pauseAfterSpectrumOffMs = 0;
  // The digital filter commands, each sent after the access code.
  const char* filterOffCommand = "*MF0F";
  const char* filterOnCommand = "*MF1F";
  // Model variant 4 has no terrestrial tuner: the TER band is neither offered nor taken.
  bool variantRule = true;
  // The logger file's title and end lines, without their line feed.
  std::string loggerTitle = "# CORVANE-3 Spectrum Logger output file";
  std::string loggerEnd = "# CORVANE-3 Spectrum Logger end";
  // Point size of the printed scale labels; 0 leaves the printer font's default size.
  int printLabelPointSize = 0;
};
