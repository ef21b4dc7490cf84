#pragma once
// The data logger's work behind its dialog: receiving the memory and test-point names, the
// wanted lists and the download of the values, through the equipment's command layer. Plain
// C++: the dialog shows its progress through TDataLoggerView.
#include <memory>
#include <string>
#include <vector>

#include "LoggerRecords.h"

class TCv3Equip;

namespace cv::logger {

// What the download shows while it runs; the dialog implements it.
class TDataLoggerView {
 public:
  virtual ~TDataLoggerView() = default;
  virtual void ShowMemoryNumber(int number) = 0;
  virtual void ShowTPNumber(int number) = 0;
  virtual void SetGauge(int percent) = 0;
  // The dialog repaints itself before each step, so the labels and gauge show.
  virtual void Repaint() = 0;
  // The download's one pump of the message loop per test point: where a Cancel is seen.
  virtual void PumpMessages() = 0;
};

class TDataLogger {
 public:
  TDataLogger(TCv3Equip& equipment, TDataLoggerView& view, const TLoggerFamily& family = Corvane3LoggerFamily());

  const TLoggerFamily& Family() const { return family; }
  // Whether this meter's time stamps are read (its firmware version, or always).
  bool ReadsTimeStamps() const;

  bool ReadMemories();
  bool ReadTPs();
  // Both reads; the names-received flag follows. A read that fails leaves the tables, ticks,
  // typed names and version as they were, and names what did not come. The dialog handles lists
  // and boxes.
  bool ReadNames();

  // The wanted lists from the selected flags and the radio groups; each returns its count.
  int CountSelectedTPs();
  int CountSelectedMemories();
  bool IsTPSelected(int number) const;      // 1-based
  bool IsMemorySelected(int number) const;  // 1-based
  // The first line after `line` whose test point is wanted, else the first from the top up to and
  // including `line`, else -1.
  int NextSelectedTP(int line) const;
  void UnselectTPs();
  void UnselectMemories();

  // A new, empty download for the wanted lists, which ReadData fills; false when it cannot be
  // allocated. The last whole download stays until ReadData ends with Done.
  bool AllocDataTable();
  enum class DataResult { Done, Failed, Stopped };
  DataResult ReadData();
  void Cancel() { cancel = true; }

  MemoryTable memories;
  TPTable testPoints;
  float version = 0;
  bool namesReceived = false;
  bool allTPs = false;       // radio group "Test Points" on "All"
  bool allMemories = false;  // radio group "Memories" on "All"
  std::vector<int> wantedTPs, wantedMemories;
  std::shared_ptr<TLoggerDownload> download;  // the last whole download; empty before the first
  // What the last failed read did not get (1-based; 0 when that read did not get that far).
  int failedMemory = 0, failedTP = 0;
  char decimalSeparator = ' ';
  char listSeparator = ' ';

 private:
  void Step(int& count);
  bool Query(const char* format, int a, int b, std::string& reply);
  void Log(int id) const;

  std::shared_ptr<TLoggerDownload> pending;  // the download being read

  TCv3Equip& equipment;
  TDataLoggerView& view;
  const TLoggerFamily& family;
  bool cancel = false;
};

}  // namespace cv::logger
