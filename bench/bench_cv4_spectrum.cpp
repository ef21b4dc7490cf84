// A real-time CORVANE-4 sweep of the default 41 points through the equipment object, against the
// simulated meter pacing the wire at 19200 baud. The run must take its waits (the 2000 ms pause
// after "*SP0", then 1000 ms settling and 75 ms before each level query) plus the wire time of
// every exchange, within 1%, and the program's thread must stay under 2% of a CPU meanwhile (the
// simulator's thread is not counted).
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "FamilySweepBench.h"
#include "Specdlg4.h"
#include "TCv3SpectrumLink.h"

int main(int argc, char** argv) {
  using cv::cv4::TCv4Equip;
  return RunFamilySweep<TCv4Equip>(
      argc, argv, std::make_unique<cvsim::Corvane4Profile>(), cv::cv4::Spectrum4Profile(),
      [](TCv4Equip& equip) { return std::make_unique<TCv3SpectrumLink>(equip); }, 41, 2000.0);
}
