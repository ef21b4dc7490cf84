#pragma once
// The rules of the data-logger dialog without its widgets: the 200 decoded files and their list
// entries, the report settings and choice, the registry values, listing and receiving the
// analyser's files, storing them in the receiving folder and loading files from disk. Messages
// go through the prompter, log lines to the dialog's memo (and the host's LogMemo).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DataLogCsv.h"
#include "DataLogFile.h"
#include "DataLogSettings.h"
#include "IniFile.h"
#include "SkySheetQuery.h"

namespace cv::xr9 {

class TXR9Equip;

struct TDataLogListEntry {
  static constexpr uint8_t ListedOnly = 255, Received = 0, LoadedFromDisk = 1;
  std::string name;   // as the analyser lists it, or the loaded file's name
  uint32_t size = 0;  // bytes; 1 for a file loaded from disk
  uint8_t state = ListedOnly;
  bool stored = false;  // a received file written to the receiving folder
};

struct DataLoggerRegistry {
  std::string folder;  // ReceivingFolder1
  int32_t kind = -1;   // DefaultReport
  bool enabled = false;  // EnabledReport
};

inline constexpr const char* kDataLoggerRegKey = "Software\\Tessary\\CvTools\\DataLogger";
inline constexpr int64_t kReceiveBufferBytes = 520000;

class DataLoggerCtl {
 public:
  DataLoggerCtl(TXR9Equip& equip, LogSink dlMemo);

  // Reads the INI settings (report list, thresholds, page sizes) and the registry; false with
  // its message when the INI file exists but cannot be read.
  bool LoadSettings();
  static DataLoggerRegistry ReadRegistry();
  // False, after "Unable to save data to the Registry", when the key or a value cannot be written.
  static bool WriteRegistry(const DataLoggerRegistry& values);
  DataLoggerRegistry RegistryValues() const { return {folder, chosenKind, reportsEnabled}; }

  bool HasPort() const;
  // Slot 0 holds a decoded file.
  bool CanView() const { return !store.File(0).IsFree(); }

  // The file list (item i = entries[i]).
  int ItemCount() const { return itemCount_; }
  const TDataLogListEntry& Entry(int item) const { return entries_[size_t(item)]; }
  bool Ticked(int item) const { return ticked_[size_t(item)]; }
  // Ticks or unticks an item; a received or loaded item stays ticked. Gives the item's state.
  bool SetTicked(int item, bool on);

  // Lists the analyser's files in place of the list. Received files not stored on disk are dropped
  // only when the person agrees; a listing that brings nothing back keeps the list as it was.
  void ListAll();
  // Every ticked item still listed only; "No file selected!" when none is ticked.
  void ReceiveTicked();
  // One entry: download, decode, store. True when its checksum was right.
  bool ReceiveEntry(int item);
  // Stores the received bytes as folder/name.DL (the name made safe for a file name).
  bool StoreReceived(const std::string& name, const std::vector<uint8_t>& bytes);
  static std::string SafeFileName(const std::string& listed);
  // Loads .DL files from disk in order; a file that cannot be opened stops the rest, a file
  // larger than the receive buffer is refused by name and the next one is read.
  void LoadFiles(const std::vector<std::string>& paths);

  // Report choice.
  int CurrentReportKind() const { return reportsEnabled ? chosenKind : -1; }
  // The item's kind becomes the chosen kind; false (and a message) when its kind text is no number.
  bool SelectReportItem(int item);
  enum class Find { Found, NotFound, Failed };
  // The first item whose kind equals `kind`; Failed (after its message) when a kind text on the
  // way is no number.
  Find FindReportItem(int kind, int& index) const;
  // Ticking or unticking reports: the item to select, -1 for none.
  int EnableReports(bool on);
  // The title of the chosen kind for the sheet ("" when none applies).
  std::string ReportTitle() const;

  // The index of the measurement the open sheet shows for the channel (0 without a sheet or for
  // a kind the measurement sheet does not serve).
  int SelectedMeasIndex(int slot, int channel) const;
  CsvContext MakeCsvContext() const;

  void LogLine(const std::string& line) const;
  void HostLog(const std::string& line) const;

  TXR9Equip& equip;
  TDataLogStore store;
  DataLogSettings settings;
  IniFile ini;  // kept for the report writers
  std::string folder;
  bool saveReceived = true;
  bool reportsEnabled = false;
  int32_t chosenKind = -1;
  int32_t generatingKind = -1;
  const SheetQuery* sheet = nullptr;  // the open measurement sheet
  SkySheetQuery* skySheet = nullptr;  // the open SKY certificate sheet
  // The observations question of a report section: the form shows its dialog, which leaves the
  // observations file behind or none; true when observations were given. None: no observations.
  std::function<bool(const std::string& prompt)> observationsQuestion;
  // The report information questions, asked once before a report is written: the CvTools one
  // stores its three texts in `reportInfo`, the SKY one in the open SKY sheet.
  std::function<void()> cvtoolsInformationQuestion;
  std::function<void()> skyInformationQuestion;
  std::array<std::string, 3> reportInfo;  // identification, address, observations (Windows-1252)
  std::function<void()> listChanged;   // the file list changed

 private:
  void ResetList();
  bool AddItem(const std::string& name, uint32_t size, uint8_t state, bool ticked);
  void Box(int textId, int captionId) const;
  void Box(const std::string& text, int captionId) const;

  LogSink dlMemo_;
  std::array<TDataLogListEntry, DataLogSlots> entries_{};
  std::array<bool, DataLogSlots> ticked_{};
  int itemCount_ = 0;
};

}  // namespace cv::xr9
