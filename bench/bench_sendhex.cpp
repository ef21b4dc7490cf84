// SENDHEX of a 2,000-line update file through the equipment object against the simulator pacing
// the wire at 19200 baud, with the log dialog's gauge, log zone and sending time updating. Each
// line costs its wire time (prefix, record, CR, and XON / XOFF / ACK, 10 bits a byte); the run
// must stay within 1.1 times that.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "Cv3Equip.h"
#include "Loggerform.h"
#include "PortMap.h"
#include "Serial.h"
#include "BenchSupport.h"
#include "Simulator.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  constexpr int kBaud = 19200;
  constexpr int kLines = 2000;
  const std::string prefix = "*HX";

  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("bench_sendhex_" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  size_t recordChars = 0;
  {
    std::ofstream out("firmware.upd", std::ios::binary);
    for (int i = 0; i < kLines; ++i) {
      const unsigned address = (i * 16) & 0xFFFF;
      unsigned sum = 0x10 + (address >> 8) + (address & 0xFF);
      char line[64];
      int n = std::snprintf(line, sizeof line, ":10%04X00", address);
      for (int b = 0; b < 16; ++b) {
        const unsigned v = (i * 7 + b * 13) & 0xFF;
        sum += v;
        n += std::snprintf(line + n, sizeof line - n, "%02X", v);
      }
      std::snprintf(line + n, sizeof line - n, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
      recordChars = std::string(line).size();
      out << line << "\n";
    }
    std::ofstream("update.pro") << "SENDHEX firmware.upd " << prefix << "\n";
  }

  auto sim = StartPacedSimulator(kBaud);
  MapComTo(*sim, 1);
  QWidget mainForm;
  auto* memo = new QPlainTextEdit(&mainForm);
  memo->setObjectName("LogMemo");
  TSerial port(0);
  TCv3Equip equip(&mainForm, &port);
  if (!OpenSettled(*sim, port, kBaud)) return 2;

  TLogForm form;
  form.show();
  int gaugeMoves = 0;
  QObject::connect(form.Gauge, &QProgressBar::valueChanged, [&] { ++gaugeMoves; });
  sim->ClearTraffic();
  const auto t0 = std::chrono::steady_clock::now();
  const bool ok = equip.RunScript((dir / "update.pro").string(), &form);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

  const double bytesPerLine = prefix.size() + recordChars + 1 + 3;
  const double wirePerLine = bytesPerLine * 10.0 / kBaud;
  const double perLine = wall / kLines;
  const double ratio = perLine / wirePerLine;
  std::printf("SENDHEX %d lines at %d baud: %s\n", kLines, kBaud, ok ? "OK" : "FAILED");
  std::printf("  wall %.2f s, %.2f ms a line; wire %.2f ms a line (%.0f bytes)\n", wall,
              perLine * 1000, wirePerLine * 1000, bytesPerLine);
  std::printf("  ratio %.3f (limit 1.1); gauge moves %d; log zone lines %d; lines taken %zu\n", ratio,
              gaugeMoves, form.LogZone->blockCount(), sim->Lines().size());
  port.Close();
  cv::SetPortPaths({});
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return ok && ratio <= 1.1 ? 0 : 1;
}
