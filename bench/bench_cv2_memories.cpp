// Receive and Send All of the 99 CORVANE-2 memories (both bands) through the memory editor
// against the simulated meter pacing the wire at 19200 baud. Each must take at most 1.1 times the
// wire time of its bytes (command lines, replies and handshake bytes, both ways, the option query
// before Send All included), with the process under 2% of a CPU meanwhile.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "BenchSupport.h"
#include "Corvane2Profile.h"
#include "Cv2Equip.h"
#include "Cv2MemoryCodec.h"
#include "Cv3MemoryEquipment.h"
#include "MemoryBenchSupport.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::make_unique<cvsim::Corvane2Profile>());
  MapComTo(*sim, 8);
  TSerial port(7);
  std::unique_ptr<cv::cv2::TCv2Equip> equip(TCv3Equip::Build<cv::cv2::TCv2Equip>(nullptr, &port));
  bool ok = OpenSettled(*sim, port, kBaud);
  if (ok) {
    cv::mem::Cv3MemoryEquipment link(*equip);
    cv::cv2::Cv2MemoryCodec codec(*equip);
    QuietMemoryScreen quiet;
    cv::mem::MemoryEditor editor(link, quiet, quiet, quiet, codec);
    const WireRun receive = MeasureOnWire(*sim, kBaud, [&] { editor.ReceiveBtnClick(); });
    const bool received = editor.loaded;
    const WireRun send = MeasureOnWire(*sim, kBaud, [&] { editor.SendBtnClick(); });
    // "*?VE", the access code, "*?ID" and the 99 records.
    const bool sent = send.lines == 102;
    ok = ReportWireRun("Receive (CORVANE-2)", receive) & ReportWireRun("Send All (CORVANE-2)", send);
    ok = ok && received && sent;
    if (!sent) std::printf("Send All: %zu lines on the wire, 102 expected\n", send.lines);
  }
  port.Close();
  cv::SetPortPaths({});
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
