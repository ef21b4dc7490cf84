// A real-time DV-800 sweep of the default 81 points (48 to 52 MHz in 0.05 MHz steps) through the
// equipment object, against the simulated meter pacing the wire at 19200 baud. The run must take
// its waits (1000 ms settling and 75 ms before each level query, no pause after "*SP0") plus the
// wire time of every exchange, within 1%, and the program's thread must stay under 2% of a CPU
// meanwhile (the simulator's thread is not counted).
#include "Dv8Equip.h"
#include "Dv8Profile.h"
#include "Dv8Spectrum.h"
#include "FamilySweepBench.h"

int main(int argc, char** argv) {
  using cv::dv8::TDV8Equip;
  return RunFamilySweep<TDV8Equip>(
      argc, argv, std::make_unique<cvsim::Dv8Profile>(), cv::dv8::Dv8SpectrumProfile(),
      [](TDV8Equip& equip) { return std::make_unique<cv::dv8::TDv8SpectrumLink>(equip); }, 81, 0.0);
}
