// The CORVANE-3 data logger's whole download, 99 memories by 99 test points, against the
// simulator pacing the wire at 19200 baud (about 107 s of wire time). The download must take at
// most 1.1 times the wire time of its bytes, the process must stay under 2% of a CPU meanwhile,
// and the gauge must show every one of its 99 steps.
#include "DataLoggerBench.h"

int main(int argc, char** argv) {
  return RunDataLoggerBench(
      argc, argv, nullptr, [](TSerial* port) { return std::make_unique<TCv3Equip>(nullptr, port); },
      [](TCv3Equip* equip) { return std::make_unique<TDataLoggerDlg>(nullptr, equip); });
}
