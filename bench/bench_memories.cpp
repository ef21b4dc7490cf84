// Receive and Send All of the 99 memories through the memory editor's controller against the
// simulator pacing the wire at 19200 baud. Each must take at most 1.1 times the wire time of its
// bytes (command lines, replies and handshake bytes, both ways), with the process under 2% of a
// CPU meanwhile.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "BenchSupport.h"
#include "MemoryBenchSupport.h"
#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "MemoryEditor.h"
#include "PortMap.h"
#include "Serial.h"
#include "Simulator.h"

namespace {

using Quiet = QuietMemoryScreen;

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud);
  MapComTo(*sim, 8);
  TSerial port(7);
  TCv3Equip equip(nullptr, &port);  // identifies the instrument and leaves the port closed
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  cv::mem::Cv3MemoryEquipment link(equip);
  Quiet quiet;
  cv::mem::MemoryEditor editor(link, quiet, quiet, quiet);
  const WireRun receive = MeasureOnWire(*sim, kBaud, [&] { editor.ReceiveBtnClick(); });
  const bool received = editor.loaded;
  const WireRun send = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
  const bool sent = send.lines == 101;  // "*?DA", "*?VE" and the 99 records

  bool ok = ReportWireRun("Receive", receive) & ReportWireRun("Send All", send) && received && sent;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
