// The CORVANE-4 data logger's whole download, 99 memories by 99 test points, against the
// simulated CORVANE-4 pacing the wire at 19200 baud, on the family's formats (43-character
// records, time stamps read from every firmware). The CORVANE-3's goals: at most 1.1 times the
// wire time of its bytes, under 2% of a CPU meanwhile, every one of the gauge's 99 steps shown.
#include "Corvane4Profile.h"
#include "Cv4Equip.h"
#include "Cv4Logger.h"
#include "DataLoggerBench.h"

int main(int argc, char** argv) {
  return RunDataLoggerBench(
      argc, argv, std::make_unique<cvsim::Corvane4Profile>(),
      [](TSerial* port) {
        return std::unique_ptr<TCv3Equip>(TCv3Equip::Build<cv::cv4::TCv4Equip>(nullptr, port));
      },
      [](TCv3Equip* equip) { return std::make_unique<TDataLoggerDlg>(nullptr, equip, cv::cv4::Cv4LoggerFamily()); });
}
