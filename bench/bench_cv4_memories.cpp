// Receive and Send All of the 99 CORVANE-4 memories, in the SR form (firmware 1.94) and the XSR
// form (2.00), through the memory editor against the simulator pacing the wire at 19200 baud.
// Each must take at most 1.1 times the wire time of its bytes (command lines, replies and
// handshake bytes, both ways), with the process under 2% of a CPU meanwhile.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "MemoryBenchSupport.h"
#include "Corvane4Profile.h"
#include "Cv3MemoryEquipment.h"
#include "Cv4Equip.h"
#include "Cv4MemoryCodec.h"
#include "MemoryEditor.h"

namespace {

using Quiet = QuietMemoryScreen;

bool Run(const char* version, const char* form) {
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::make_unique<cvsim::Corvane4Profile>("CORVANE-4", version));
  MapComTo(*sim, 8);
  TSerial port(7);
  std::unique_ptr<cv::cv4::TCv4Equip> equip(TCv3Equip::Build<cv::cv4::TCv4Equip>(nullptr, &port));
  if (!OpenSettled(*sim, port, kBaud)) return false;
  cv::mem::Cv3MemoryEquipment link(*equip);
  cv::cv4::Cv4MemoryCodec codec(equip->VersionText());
  Quiet quiet;
  cv::mem::MemoryEditor editor(link, quiet, quiet, quiet, codec);
  const WireRun receive = MeasureOnWire(*sim, kBaud, [&] { editor.ReceiveBtnClick(); });
  const bool received = editor.loaded;
  const WireRun send = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
  const bool sent = send.lines == 102;  // "*?DA", "*?VE" twice and the 99 records
  const std::string name = std::string(" (") + form + ")";
  bool ok = ReportWireRun(("Receive" + name).c_str(), receive) & ReportWireRun(("Send All" + name).c_str(), send);
  port.Close();
  cv::SetPortPaths({});
  return ok && received && sent;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const bool ok = Run("1.94", "SR") & Run("2.00", "XSR");
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
