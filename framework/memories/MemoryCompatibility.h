#pragma once
// Whether a meter takes a memory, judged from the options it reports: its bands, frequencies
// below 45 MHz, measures its firmware predates and the option each measure family needs. The
// families that check differ only in the flag positions, the measure families, whether a
// refusal ends the check, and their boxes: a `CompatibilityRules` record each.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "MemoryRecord.h"

namespace cv::mem {

// What a meter reports it holds: one flag a position, and its firmware version.
struct MeterOptions {
  std::vector<uint8_t> flags;
  float version = 0;

  MeterOptions() = default;
  MeterOptions(std::span<const uint8_t> flags, float version = 0) : flags(flags.begin(), flags.end()), version(version) {}
  bool Has(int flag) const { return flag >= 0 && flag < static_cast<int>(flags.size()) && flags[flag] != 0; }
};

// A measure family and the flag it needs, with the line a missing flag logs ("%d" the memory).
struct MeasureOption {
  char family;
  int flag;
  int lineId;
};

struct CompatibilityRules {
  int terrestrialFlag = 0;
  int satelliteFlag = 0;
  int below45Flag = 0;
  // The family each measure is tested as (none: the measure itself), and the families' flags in
  // the order they are tested.
  char (*measureFamily)(char meas) = nullptr;
  std::vector<MeasureOption> measureOptions;
  // Measures from `newMeasuresFrom` on (character order) need firmware `newMeasuresVersion` or
  // later, logging `newMeasuresLines`; 0: every measure is as old as the firmware.
  char newMeasuresFrom = 0;
  float newMeasuresVersion = 0;
  std::vector<int> newMeasuresLines;
  // Whether the first refusal alone is logged; otherwise only a missing band ends the check and
  // every other refusal is logged.
  bool firstRefusalOnly = false;
  // The refusal's box for Send All and for Send One, and their caption.
  int allBoxId = 0;
  int oneBoxId = 0;
  int captionId = 0;
};

// Whether the meter holding `options` takes memory `index` + 1; each refusal's line goes to `log`.
bool CheckMemoryCompatible(const MemoryRecord& record, int index, const MeterOptions& options,
                           const CompatibilityRules& rules, const std::function<void(const std::string&)>& log);

}  // namespace cv::mem
