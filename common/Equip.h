#pragma once
// The equipment contract between the host and a plug-in: the host knows nothing of a plug-in but
// the two exported functions and the virtual operations of TEquip, in this slot order.
#include <cstdint>
#include <cstdio>
#include <string>

#include "Clock.h"

class QApplication;
class QImage;
class QLabel;
class QPlainTextEdit;
class QWidget;
class TSerial;

class TEquip {
 public:
  TEquip(QWidget* mainForm, TSerial* port);
  virtual ~TEquip();

  virtual const char* InitEquip() = 0;
  virtual bool HasChannelEditor() = 0;
  virtual bool HasMemoryEditor() = 0;
  virtual bool HasDataLogger() = 0;
  virtual bool HasMonitor() = 0;
  virtual bool HasSpectrum() = 0;
  virtual bool HasConfiguration() = 0;
  virtual bool HasUpdateFirmware() = 0;
  virtual bool HasChannelIdentifier() = 0;
  virtual bool RunChannelEditor() { return false; }
  virtual bool RunMemoryEditor() { return false; }
  virtual bool RunDataLogger() { return false; }
  virtual bool RunMonitor() { return false; }
  virtual bool RunSpectrum() { return false; }
  virtual bool RunConfiguration() { return false; }
  virtual bool RunUpdateFirmware() { return false; }
  virtual bool RunChannelIdentifier() { return false; }

  QPlainTextEdit* GetLogMemo() const { return logMemo; }
  void* GetAuxPointer() const { return auxPointer; }
  int32_t GetModelVariant() const { return modelVariant; }
  void ReadSeparators();
  void GetSeparators(char& decimal, char& list) const;
  char* ToLocalDecimal(char* text) const;
  char* ToDotDecimal(char* text) const;
  int CountFileLines(FILE* file) const;
  char* DateString(char* dest) const;
  char* TimeString(char* dest) const;
  char* SecondsToMinSec(int32_t seconds, char* dest) const;
  void Wait(int milliseconds) const;
  void LoadCustomLogo(QLabel* image) const;

  // Adds one line (Windows-1252 bytes) to the host's LogMemo.
  void Log(const std::string& line) const;

  char modelName[128] = {};
  QPlainTextEdit* logMemo = nullptr;
  int32_t modelVariant = 0;
  TSerial* port = nullptr;
  void* auxPointer = nullptr;
  char decimalSeparator = ',';
  char listSeparator = ';';

  // Every wait and pause of the plug-in goes through this clock; tests put a fake clock here.
  cv::Clock* clock = &cv::SystemClock();
};

// The two exports of every plug-in, plain C linkage.
extern "C" {
typedef TEquip* (*RunCvsMainFn)(QApplication* application, TSerial* port);
typedef int (*FreeEquipFn)();
}
