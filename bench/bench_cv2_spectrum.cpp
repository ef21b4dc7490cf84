// A real-time CORVANE-2 sweep of the default 41 points (1165 to 1205 MHz in 1 MHz steps, every
// point tuned with a satellite word) through the equipment object, against the simulated meter
// pacing the wire at 19200 baud. The run must take its waits (1000 ms settling and 75 ms before
// each level query, no pause after "*SP0") plus the wire time of every exchange, within 1%, and
// the program's thread must stay under 2% of a CPU meanwhile (the simulator's thread is not
// counted).
#include "Corvane2Profile.h"
#include "Cv2Equip.h"
#include "Cv2Spectrum.h"
#include "FamilySweepBench.h"
#include "TCv3SpectrumLink.h"

int main(int argc, char** argv) {
  using cv::cv2::TCv2Equip;
  return RunFamilySweep<TCv2Equip>(
      argc, argv, std::make_unique<cvsim::Corvane2Profile>(), cv::cv2::Cv2SpectrumProfile(),
      [](TCv2Equip& equip) { return std::make_unique<TCv3SpectrumLink>(equip); }, 41, 0.0);
}
