#pragma once
// The TV MIRELTO channel-plan editor without its widgets: the 450-slot plan store with the
// analyser's plan directory and the 64 import slots, what each list shows, new, delete and move of
// channels and plans, the unsaved-changes question, and receiving and erasing plans. It reaches the
// person through the prompter and the form (EditorView), the analyser only through the equipment
// object and its file transfer.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Chan3.h"
#include "PlanEditor.h"
#include "PlanReport.h"
#include "Xr9Plan.h"

namespace cv::xr9 {

class TXR9Equip;

// One channel of a CORVANE canalization being imported.
struct TChanXR9CV {
  std::string name;
  uint32_t word = 0;
  std::string wordText;
  float mhz = 0;
  int32_t bandwidth = 0;  // 10 kHz units
  std::string word2Text;
  uint32_t word2 = 0;
  char commands[3][16] = {};

  TChanXR9CV() = default;
  // By band letter: 'S' keeps a frequency from 900 up to below 2150 MHz (1500 otherwise) and its
  // three commands, with no second word and no bandwidth; 'T' and 'D' keep the first command only,
  // with a second word above the first by the bandwidth ('T') or equal to it ('D').
  TChanXR9CV(const std::string& name, char band, float mhz, int32_t bandwidth, const char* command1,
             const char* command2, const char* command3);
};

// An import slot: the framework's plan-slot header, its empty flag and its channels.
struct ImportSlot : PlanInfo {
  uint8_t empty = 1;
  std::optional<std::vector<TChanXR9CV>> channels;
  int32_t kind = 2;
  int32_t index = 0;
  uint16_t address = 0;
};
using CorvanePlanHeader = ImportSlot;
constexpr int ImportSlots = 64;
// The framework's slot reset on an import slot.
void ClearImportSlot(ImportSlot& slot);

// One plan file listed by the analyser.
struct TPlanDirEntry {
  uint8_t Selected = 0;
  uint8_t FileType = 255;
  uint32_t Size = 0;
  std::string Name;  // at most 12 characters
};

// What the receive dialog ended with.
enum class ReceiveChoice { Cancel, Receive, Erase };

class TPlanEditor;

// The form as the controller sees it.
class EditorView : public cv::plan::PlanView {
 public:
  // The whole form again from the store and the focus (plan list, plan fields and attributes,
  // channel list, channel 0 with its attributes, band-dependent controls).
  virtual void RefreshAll() = 0;
  // The channel list again, the focused channel's fields and attributes, and the enables.
  virtual void RefreshChannels() = 0;
  virtual void SetTransferButtons(bool save, bool send, bool receive) = 0;
  // Shows the receive dialog over `lines` (line k is directory entry k); the dialog marks the
  // entries it was asked for through SelectDirEntry.
  virtual ReceiveChoice RunReceiveDialog(TPlanEditor& editor, const std::vector<std::string>& lines) = 0;
  // The host's main form and the editor go behind the receive dialog.
  virtual void SendBehind() {}
};

class TPlanEditor : public cv::plan::Report {
 public:
  // `equip` may have no port (offline).
  TPlanEditor(TXR9Equip& equip, cv::Prompter& prompter, EditorView& view);
  ~TPlanEditor() override;

  // Report
  void Log(const std::string& line) override;      // the host's LogMemo
  void LogZone(const std::string& line) override;  // the editor's log zone
  cv::Prompter& Ask() override { return prompter; }
  PlanSinks Sinks();

  // The store.
  std::vector<TPlanXR9> plans;                   // PlanSlots slots
  std::vector<TPlanDirEntry> directory;          // PlanSlots entries
  std::vector<ImportSlot> imports;               // ImportSlots slots
  int nextImportSlot = 0;                        // the slot the canalization reader fills next
  int csvPlanCounter = 0;                        // the CSV import's counter
  std::vector<char> workBuffer;                  // 480 bytes of the canalization code
  std::string labelBuffer;                       // the last file-type label
  bool receiveBuffer = true;                     // false: the receive buffer could not be had

  // The focus: PlanListBox's and ChanListBox's item index (-1 none).
  int planIndex = -1;
  int channelIndex = -1;

  // What the lists show.
  int ListedPlans() const;  // slots before the first empty Name
  std::vector<std::string> PlanListLines() const;
  std::vector<std::string> PlanAttributeLines(int plan) const;
  std::string ChannelLabelText(int plan) const;
  std::vector<std::string> ChannelListLines(int plan);  // sorts the plan's channels first
  std::vector<std::string> ChannelAttributeLines(int plan, int channel) const;
  int FocusedPlan() const { return planIndex < 0 ? 0 : planIndex; }
  static std::string BandText(int planType);
  const std::string& FileTypeLabel(int fileType);
  static bool CompareChannels(const TChanXR9& a, const TChanXR9& b) { return a.value2 < b.value2; }
  static void SortChannels(TPlanXR9& plan);

  // Store operations.
  void EnableTransferButtons(bool plansPresent);
  void ClearAllPlans();
  int FindFreePlanSlot();  // -1 (and the message) when every slot holds a plan
  int LastUsedPlanSlot() const;
  void SetPlanName(int slot, const std::string& name, uint8_t inUse);
  void SetPlanAttribute(int slot, int position, int id, const uint8_t* value);
  void SetChannelAttribute(int slot, int channel, int id, const uint8_t* value);
  void RemoveChannelAttributeAt(int plan, int channel, int position);
  void SelectDirEntry(int entry);
  void ClearDirectory();

  // New, delete and move.
  int NewChannel(int slot);  // the new channel's position in the sorted list
  void DeleteChannel(int slot, int channel);
  int NewPlanInFreeSlot();   // the slot, or -1 when none is free
  void DeletePlanSlot(int slot);
  bool MovePlanSlot(int from, int to);
  void SwapPlanWithPrevious(int slot);
  void SwapPlanWithNext(int slot);
  bool AnyPlanModified() const;
  bool AskSaveChanges();  // false only when the person answered No
  bool UnsavedPlanNames(std::string& text) const;
  void ClearModifiedMarks();

  // Handlers.
  void PlanListBoxClick(int index);
  void ChanListBoxClick(int index);
  void AddChannelBtnClick();
  void DeleteChannelBtnClick();
  void AddPlanBtnClick();
  void DeletePlanBtnClick();
  void MovePlanUpBtnClick();
  void MoveDownPlanBtnClick();
  bool CloseBtnClick();  // true: the form may close
  void ReceiveBtnClick();
  bool ListInstrumentPlans(std::vector<std::string>& lines);

  // Attribute editing: adds to every listed line (in ascending order) of the focused plan's
  // channels or of the plans; `value` is 4 bytes or none (the table row's). False when the
  // "No channel selected!" / "No plan selected!" message was shown.
  bool AddChannelAttributeToLines(const std::vector<int>& lines, int id, const uint8_t* value);
  bool AddPlanAttributeToLines(const std::vector<int>& lines, int id, const uint8_t* value);
  void AddPlanAttribute(int slot, int id, const uint8_t* value);
  void RemovePlanAttributeAt(int slot, int position);
  int FindPlanAttributeSlot(int slot, int code) const;  // 0..14, or 255
  int FindPlanAttributeEnd(int slot) const;             // the end marker's position, or 255
  // Field entry on the focused channel or plan; each does nothing without one (and, for the
  // channel ones, without channels). Frequencies and spacing in kHz as read from the fields.
  bool StoreChannelName(const std::string& typed);
  bool StoreChannelFrequency(int64_t typedKhz, bool center, int64_t shownSpacing);
  bool StoreChannelSpacing(int64_t typedKhz);
  bool StorePlanName(const std::string& typed);
  bool StorePlanModifiable(bool modifiable);
  bool StorePlanBand(bool satellite);
  TChanXR9* FocusedChannel();

  bool HasPort() const;
  TXR9Equip& Equip() { return equip; }
  EditorView& View() { return view; }

  static constexpr int kWorkBufferBytes = 480;
  static constexpr float kMinReceiveVersion = 3.04f;
  static constexpr uint8_t kGatedModel = 0x10;

 private:
  void ErrorBox(int textId, int captionId);
  void ReceiveSelected();
  void EraseSelected();

  TXR9Equip& equip;
  cv::Prompter& prompter;
  EditorView& view;
};

}  // namespace cv::xr9
