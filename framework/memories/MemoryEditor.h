#pragma once
// The memory editor's rules, apart from its form: the 99 memories, their list, the "modified" and
// "loaded" state, the buttons' states, and what each button does with the memories, the files
// and the instrument. The form turns widget events into these calls and shows the state; tests
// drive it directly.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "AppServices.h"
#include "MemoryCodec.h"
#include "MemoryFile.h"
#include "MemoryRecord.h"
#include "PlanEditor.h"

namespace cv::mem {

// What the editor needs of the equipment object: the command layer and its text services.
class MemoryEquipment {
 public:
  virtual ~MemoryEquipment() = default;
  virtual bool HasPort() const = 0;
  virtual bool CheckVersion() = 0;  // "*?VE" answered with "*VE..."
  // The instrument's firmware version; false (and 0) when it cannot be read.
  virtual bool ReadVersion(float& version) {
    version = 0;
    return false;
  }
  virtual bool Query(const std::string& command, std::string& reply) = 0;
  virtual bool SendCommand(const std::string& command) = 0;
  // Whether the last command failed because the instrument refused it (NAK) rather than because
  // it did not answer.
  virtual bool LastRefused() const { return false; }
  // The equipment's field splitter: list separator, decimal commas made points, 24 fields of 12.
  virtual std::vector<std::string> SplitFields(const std::string& line) = 0;
  virtual void Log(const std::string& line) = 0;  // the host's LogMemo
  virtual char DecimalSeparator() const = 0;
  virtual char ListSeparator() const = 0;
  // The instrument's plan headers and channels (the settings dialog's channel reads).
  virtual bool ReadPlanInfo(int /*plan*/, PlanInfo& /*info*/) { return false; }
  virtual bool ReadChannelInfo(int /*channel*/, int /*plan*/, TChan3& /*chan*/, char /*band*/) { return false; }
};

// The form as the editor sees it during long loops.
class MemoryView {
 public:
  virtual ~MemoryView() = default;
  virtual void SetGauge(int percent) = 0;
  virtual void ShowList() = 0;     // the list lines or the selection changed
  virtual void ShowButtons() = 0;  // the buttons' states changed
};

// One line of the memory list, as received or read.
struct MemoryListEntry {
  uint8_t number = 0;
  char label[5] = {};
  char band = 0;
  float freq = 0;
  char units = 0;
};

struct MemoryButtons {
  bool close = true, read = true, receive = false, edit = false, save = false, send = false, sendOne = false;
  bool operator==(const MemoryButtons&) const = default;
};

class MemoryEditor {
 public:
  MemoryEditor(MemoryEquipment& equip, cv::Prompter& prompter, cv::plan::FileChooser& chooser, MemoryView& view,
               MemoryCodec& codec = Cv3MemoryCodec());

  // Buttons. Close: true when the dialog may close.
  bool CloseBtnClick();
  void ReadBtnClick();
  void ReceiveBtnClick();
  // True when the memories were saved.
  bool SaveBtnClick();
  // The memory the settings dialog is to edit (loaded into `current`), or -1.
  int EditBtnClick();
  // The settings dialog took its OK: `current` goes back into memory `index`.
  void MemoryEdited(int index);
  void SendBtnClick();
  void SendOneBtnClick();
  void SelectLine(int index);

  void EnableControls(bool on);
  void EnableEditing(bool on);
  void ClearMemories();
  void LoadCurrentRecord(const MemoryRecord& record) { current = record; }
  void StoreCurrentRecord(MemoryRecord& record) const { record = current; }
  // The list entry of `current`'s number from `current`; false when its frequency lies outside
  // its band's range (the entry then shows 48.25 or 1500) or `current` holds no memory number.
  bool UpdateListEntry();
  void FillMemoryList();
  // The list line of entry i: "%2d %4s %3s %7.2f".
  std::string ListLine(int i) const;
  static const char* BandName(char band);
  // The save question: true to go on (No, or Yes with a completed save).
  bool AskToSave();
  bool CheckNotLogging();
  // The family's question before memories go out (the data-logger question by default).
  bool MaySend();
  // The family's compatibility check of memories first+1 .. first+count, with its box on a
  // refusal (for one memory, not when the meter did not say what it holds).
  bool CheckCompatible(int first, int count);
  bool ReceiveAllMemories();
  bool SendAllMemories();
  bool ReadMemoryFile(const std::string& path);
  // The reader over a file's content; `fileName` for the log lines and the box. Only a file
  // whose 99 rows are all taken replaces the memories and fills the list; otherwise everything
  // stays as it was and a box names the file, the memory and the field.
  bool ReadMemoryText(const std::string& content, const std::string& fileName);
  bool WriteMemoryFile(const std::string& path);

  // The codec and the file rows over `current`.
  std::string EncodeMemoryRecord() { return codec.Encode(current); }
  // Decodes the reply to "*?SR" for memory `number` into that memory; false when the reply is
  // refused or a check failed. A reply that names another memory stores nothing.
  bool DecodeMemoryRecord(const std::string& reply, int number);
  void ReportMemoryErrors(const MemErrors& errors, const MemoryRecord& record, int index);
  std::string WriteFileHeader() const { return codec.FileHeader(equip.ListSeparator()); }
  std::string FormatFileRow() const;
  // Takes row `position` (1..99) of a file into its memory; false when a check failed. A row
  // that names another memory stores nothing.
  bool ParseFileRow(const std::vector<std::string>& fields, int position);

  std::array<MemoryRecord, kMemoryCount> records{};
  std::array<MemoryListEntry, kMemoryCount> entries{};
  MemoryRecord current;
  bool modified = false;
  bool loaded = false;
  std::vector<std::string> listLines;  // what the memory list shows
  int listIndex = -1;                  // its selected line, -1 none
  MemoryButtons buttons;

 private:
  void Gauge(int percent) { view.SetGauge(percent); }
  // Read and Receive begin here: with unsaved changes, the save question; false when it stopped
  // them.
  bool BeginReplacing();
  void Box(const std::string& text, const std::string& caption, cv::MsgIcon icon);
  void InsertListLine(int i);
  bool Sendable(const std::string& text);
  // The box of a send that stopped at memory `number` (Send All, or Send One when `one`): which
  // memory and why, the gauge back to 0.
  void SendStopped(int number, bool one, int causeId);

  MemoryEquipment& equip;
  MemoryCodec& codec;
  cv::Prompter& prompter;
  cv::plan::FileChooser& chooser;
  MemoryView& view;
  std::vector<std::string> rowReport;  // the lines of the last file row that failed a check
  // Why the last received memory was not taken (its reply's lines), for the Receive's box.
  std::vector<std::string> replyReport;
};

}  // namespace cv::mem
