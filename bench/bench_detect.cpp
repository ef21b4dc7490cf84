// Detection against the simulator paced at 19200 baud: with the instrument on COM1, and on COM12
// behind eleven absent ports; then the plug-in's start-up exchanges on the found port.
// Goal: within 1.2 times the wire time of the bytes exchanged, and an absent port under 10 ms.
#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Cv3Equip.h"
#include "Detection.h"
#include "ModelConfig.h"
#include "Serial.h"
#include "BenchSupport.h"
#include "Simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Result {
  bool found = false;
  double detectMs = 0, startupMs = 0, wireMs = 0, absentMs = 0;
  int absentPorts = 0;
};

Result Run(int simPort, const QTemporaryDir& dir) {
  auto sim = StartPacedSimulator(19200);
  std::string error;
  for (int n = 1; n <= 12; ++n) {
    std::string path = n == simPort ? sim->Path() : dir.filePath("absent" + QString::number(n)).toStdString();
    setenv(("CV_PORT_COM" + std::to_string(n)).c_str(), path.c_str(), 1);
  }
  TModelConfig config;
  config.ReadConfigText("[CORVANE3]\nCv3Tools\n3\n", "CvTools.cfg", error);
  TDetection detection(config);
  Result r;
  // Absent ports: the time an open of a missing device takes.
  {
    TSerial probe(0);
    auto t0 = Clock::now();
    for (int i = 0; i < 12; ++i) {
      if (i + 1 == simPort) continue;
      probe.SetPort(i);
      probe.Open();
      ++r.absentPorts;
    }
    r.absentMs = Ms(Clock::now() - t0) / r.absentPorts;
  }
  sim->WaitTxIdle();
  sim->ClearTraffic();
  TSerial port(1);
  auto t0 = Clock::now();
  r.found = detection.Search(port);
  auto t1 = Clock::now();
  {
    TCv3Equip equipment(nullptr, &port);  // identification at load: "*", access code, tuner probe
    if (equipment.GetModelVariant() != 5) fprintf(stderr, "plug-in start-up: tuner not identified\n");
  }
  auto t2 = Clock::now();
  sim->WaitTxIdle();
  r.detectMs = Ms(t1 - t0);
  r.startupMs = Ms(t2 - t1);
  size_t bytes = sim->Received().size() + sim->Sent().size();
  r.wireMs = bytes * 10.0 * 1000.0 / 19200.0;
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  int rounds = argc > 1 ? atoi(argv[1]) : 5;
  bool ok = true;
  for (int simPort : {1, 12}) {
    double worst = 0, absentWorst = 0;
    for (int i = 0; i < rounds; ++i) {
      Result r = Run(simPort, dir);
      double total = r.detectMs + r.startupMs;
      double ratio = total / r.wireMs;
      worst = std::max(worst, ratio);
      absentWorst = std::max(absentWorst, r.absentMs);
      printf("COM%-2d found=%d detection %7.1f ms + plug-in start-up %6.1f ms = %7.1f ms; wire time %7.1f ms; "
             "ratio %.3f; absent port %.3f ms\n",
             simPort, r.found, r.detectMs, r.startupMs, total, r.wireMs, ratio, r.absentMs);
      ok = ok && r.found;
    }
    printf("COM%d: worst ratio %.3f (goal <= 1.2), worst absent port %.3f ms (goal < 10 ms)\n", simPort, worst,
           absentWorst);
    ok = ok && worst <= 1.2 && absentWorst < 10.0;
  }
  return ok ? 0 : 1;
}
