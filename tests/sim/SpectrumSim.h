#pragma once
// The spectrum side of a simulated CORVANE-3: spectrum mode, the digital filter behind the access
// code, the system query, the measure modes, tuning ("*FR" with its PLL word) and a level model
// of a few carriers over a noise floor, so that a sweep shows peaks.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Simulator.h"

namespace cvsim {

struct SpectrumState {
  double tunedMHz = 0;
  bool protectedMode = false;
  bool filterOn = true;
  bool spectrumMode = true;
  int measureMode = 0;
  std::string systemReply = "*SY000";  // fifth character '6': digital mode
  std::vector<std::pair<double, double>> carriers = {{1175, 70}, {1190, 66}, {863, 60}, {474, 64}};
  double floorLevel = 25.0;
  double width = 1.5;      // MHz to either side at which a carrier has fallen 9 dB
  bool impossible = false; // "*?LV" answers "*LV!?000"
  double berValue = 2.1e-6;

  double LevelAt(double mhz) const;
  std::string LevelReply() const;
  static std::string BerDigits(double ber);
};

// Adds the spectrum commands to a profile; the returned state is shared with the handlers.
std::shared_ptr<SpectrumState> AddSpectrumCommands(Profile& profile);

}  // namespace cvsim
