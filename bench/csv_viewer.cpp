// The CSV viewer on a 300 MB table: the reader stops at the viewer's row limit, so opening the
// file costs the same as opening its first 256 rows. Run by hand: build/bench/csv_viewer
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <fstream>

#include "AppServices.h"
#include "CsvTable.h"
#include "Csvview.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  cv::RecordingPrompter prompter;  // the "too large" box is recorded, not shown
  QTemporaryDir dir;
  QString file = dir.filePath("huge.csv");
  {
    // 300 MB of real lines: 48 columns of measurements per row.
    std::ofstream out(file.toStdString(), std::ios::binary);
    std::string line;
    for (int c = 0; c < 48; ++c) line += (c ? "," : "") + std::to_string(470 + c) + ".25";
    line += "\r\n";
    const long long target = 300LL * 1024 * 1024;
    for (long long written = 0; written < target; written += static_cast<long long>(line.size())) out << line;
  }
  std::printf("file: %lld bytes\n", static_cast<long long>(QFile(file).size()));

  const int runs = 20;
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < runs; ++i) {
    cv::CsvTable table;
    cv::ReadCsvFile(file.toStdString(), ',', table);
  }
  std::printf("reader, first 256 rows: %.2f ms per open\n", t.nsecsElapsed() / 1e6 / runs);

  QWidget owner;
  TCSVViewer viewer(&owner);
  viewer.listSeparator = ',';
  t.restart();
  for (int i = 0; i < runs; ++i) viewer.LoadFile(file);
  std::printf("viewer LoadFile (reader and grid): %.2f ms per open\n", t.nsecsElapsed() / 1e6 / runs);
  std::printf("boxes shown: %zu\n", prompter.shown.size());
  return 0;
}
