#pragma once
// What one family's spectrum analyser does otherwise than another's: the dialog and its sweep
// are one code, run on a record of these values. The default record is the CORVANE-3's.
#include <string>
#include <vector>

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
  // The settings a new dialog starts from, in MHz.
  float defaultInitial = 1165.0f;
  float defaultFinal = 1205.0f;
  float defaultStep = 1.0f;
  // A meter without a satellite band: the edits take 5 to 862 MHz only and the SAT box is
  // disabled and inert.
  bool satelliteBand = true;
  // The initial and final edits refuse a value past the other end at once; without it the order
  // is left to Start's check, so the range can be moved in either direction one edit at a time.
  bool editsKeepOrder = true;
  // The measurement list: item to the instrument's measurement mode ("*ME%d"); each mode has its
  // own item text, its own wait and units.
  std::vector<int> measModes = {0, 1, 2, 3, 4, 5, 6, 7};
  // A logger row holds exactly the run's point count of levels, not one per frequency of the
  // header row.
  bool rowsOfPoints = false;
  // The instrument can sweep by itself: the dialog offers its quick mode, in which the trace is
  // read in blocks instead of tuned and asked point by point.
  bool quickMode = false;
  int quickCaptionId = 0;  // the quick-mode box's caption
  int measHintId = 0;      // the measure button's hint when it differs; 0: the dialog's own
  // The line logged when the instrument refuses to enter its own spectrum mode ("*SP1").
  int quickRefusedLineId = 0;
  // The line logged when a block of the trace is missing or short ("%d" block, "%d" points).
  int quickBlockLineId = 0;
  // Where the terrestrial band starts: the lowest frequency the initial edit takes (the final
  // edit takes only frequencies above it) and the start of the TER full span.
  double terrestrialStart = 5.0;
  // The frequency scale stops at its last line inside the span; otherwise it draws the rounded-up
  // count of lines, evenly over the whole span, the last one possibly past the right edge.
  bool scaleLinesInsideSpan = true;
};
