#pragma once
// The data logger's whole download, 99 memories by 99 test points, against a simulator pacing
// the wire: the figures and goals every family's data-logger benchmark prints (at most 1.1 times
// the wire time of its bytes, under 2% of a CPU meanwhile, every one of the gauge's 99 steps).
#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <thread>

#include "BenchSupport.h"
#include "Cv3Equip.h"
#include "Datalogdlg.h"
#include "PortMap.h"
#include "Printers.h"
#include "Serial.h"
#include "Simulator.h"

// `makeDialog` builds the family's dialog on the equipment object `makeEquip` gives for the port.
inline int RunDataLoggerBench(int argc, char** argv, std::unique_ptr<cvsim::Profile> profile,
                              const std::function<std::unique_ptr<TCv3Equip>(TSerial*)>& makeEquip,
                              const std::function<std::unique_ptr<TDataLoggerDlg>(TCv3Equip*)>& makeDialog) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int kBaud = 19200;
  auto sim = StartPacedSimulator(kBaud, nullptr, std::move(profile));
  MapComTo(*sim, 1);
  cv::SetInstalledPrinterCount(0);
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));

  TSerial port(0);
  std::unique_ptr<TCv3Equip> equipment = makeEquip(&port);
  sim->WaitTxIdle();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!port.OpenConfigured(kBaud, 8, 0, 0)) {
    std::fprintf(stderr, "cannot open %s\n", sim->Path().c_str());
    return 2;
  }
  std::unique_ptr<TDataLoggerDlg> made = makeDialog(equipment.get());
  TDataLoggerDlg& dlg = *made;
  dlg.show();
  dlg.findChild<QPushButton*>("ReceiveNamesBtn")->click();
  if (!dlg.Logger().namesReceived) {
    std::fprintf(stderr, "names not received\n");
    return 2;
  }
  for (const char* group : {"TPButtonRadio", "MemButtonRadio"})
    dlg.findChild<QWidget*>(group)->findChild<QRadioButton*>("Item1")->click();
  std::set<int> gauge;
  QObject::connect(dlg.findChild<QProgressBar*>("Gauge"), &QProgressBar::valueChanged,
                   [&](int v) { if (v > 0) gauge.insert(v); });
  sim->WaitTxIdle();
  sim->ClearTraffic();

  const auto t0 = std::chrono::steady_clock::now();
  const double cpu0 = ProgramCpuSeconds();
  const double meter0 = SimulatorCpuSeconds();
  dlg.findChild<QPushButton*>("ReceiveDataBtn")->click();
  const double cpu = ProgramCpuSeconds() - cpu0;
  const double meter = SimulatorCpuSeconds() - meter0;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  sim->WaitTxIdle();

  size_t values = 0;
  for (const auto& row : dlg.Logger().download->cells)
    for (const auto& cell : row) values += !cell.empty();
  const double byteMs = 10.0 * 1000.0 / kBaud;
  const size_t wireBytes = sim->Received().size() + sim->Sent().size();
  const double wireMs = wireBytes * byteMs;
  const double ratio = wall * 1000.0 / wireMs;
  const double cpuPercent = cpu / wall * 100.0;

  std::printf("values            %zu (%zu lines on the wire)\n", values, sim->Lines().size());
  std::printf("wire time         %.1f ms (%zu bytes at %d baud)\n", wireMs, wireBytes, kBaud);
  std::printf("measured          %.1f ms (ratio %.3f)\n", wall * 1000.0, ratio);
  std::printf("CPU               %.3f s (%.2f %% of one core; simulated meter %.2f %%)\n", cpu, cpuPercent,
              meter / wall * 100.0);
  std::printf("gauge steps seen  %zu\n", gauge.size());
  const bool ok = values == 99u * 99u && ratio <= 1.1 && cpuPercent < 2.0 && gauge.size() == 99;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  port.Close();
  cv::SetPortPaths({});
  return ok ? 0 : 1;
}
