// Receive and Send All of the 99 DV-800 memories through the memory editor against the simulated
// meter pacing the wire at 19200 baud, beside the CORVANE-3's. Each must take at most 1.1 times
// the wire time of its bytes (command lines, replies and handshake bytes, both ways), with the
// process under 2% of a CPU meanwhile; the ratio to the CORVANE-3's run is printed.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "Cv3MemoryEquipment.h"
#include "Dv8Equip.h"
#include "Dv8MemoryCodec.h"
#include "Dv8Profile.h"
#include "MemoryBenchSupport.h"

namespace {

struct Result {
  WireRun receive, send;
  bool ok = false;
};

// `dv8` false: the CORVANE-3 on the framework's codec, for comparison.
Result Run(bool dv8) {
  constexpr int kBaud = 19200;
  Result result;
  auto sim = dv8 ? StartPacedSimulator(kBaud, nullptr, std::make_unique<cvsim::Dv8Profile>())
                 : StartPacedSimulator(kBaud);
  MapComTo(*sim, 8);
  TSerial port(7);
  std::unique_ptr<TCv3Equip> equip(dv8 ? TCv3Equip::Build<cv::dv8::TDV8Equip>(nullptr, &port)
                                       : new TCv3Equip(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return result;
  cv::mem::Cv3MemoryEquipment link(*equip);
  cv::dv8::Dv8MemoryCodec codec;
  QuietMemoryScreen quiet;
  cv::mem::MemoryEditor editor(link, quiet, quiet, quiet, dv8 ? codec : cv::mem::Cv3MemoryCodec());
  result.receive = MeasureOnWire(*sim, kBaud, [&] { editor.ReceiveBtnClick(); });
  const bool received = editor.loaded;
  result.send = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
  // "*?VE" and the 99 records; the CORVANE-3 asks "*?DA" first.
  const bool sent = result.send.lines == (dv8 ? 100 : 101);
  const char* family = dv8 ? " (DV-800)" : " (CORVANE-3)";
  result.ok = ReportWireRun((std::string("Receive") + family).c_str(), result.receive) &
              ReportWireRun((std::string("Send All") + family).c_str(), result.send);
  result.ok = result.ok && received && sent;
  port.Close();
  cv::SetPortPaths({});
  return result;
}

double Ratio(const WireRun& run) { return run.wallMs / run.wireMs; }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const Result cv3 = Run(false);
  const Result dv8 = Run(true);
  std::printf("DV-800 / CORVANE-3: Receive %.3f, Send All %.3f (ratio of elapsed to wire time)\n",
              Ratio(dv8.receive) / Ratio(cv3.receive), Ratio(dv8.send) / Ratio(cv3.send));
  const bool ok = cv3.ok && dv8.ok;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
