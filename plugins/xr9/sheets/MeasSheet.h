#pragma once
// The rules of the measurement sheet without its widgets: one loaded file at a time as channels
// by test points, the measurement shown per channel, the roles, branches, broadcast and test-point
// names the user gives, the geometry of the grid and saving the file as CSV. It borrows the
// data-logger dialog's files and keeps only its own view state.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "DataLogCsv.h"
#include "DataLogFile.h"

namespace cv::xr9 {

class DataLoggerCtl;

// The measurement shown per channel of a file (`selected`, one entry per channel): the channel's
// choice becomes `item`; with `block`, every channel that measured the same code switches to it.
void ChooseSheetMeas(const TDataLogFile& file, std::vector<int>& selected, int channel, int item, bool block);
// The entry of `selected` (per slot, per channel) for the slot and channel; 0 outside it.
int SelectedMeasOf(const std::vector<std::vector<int>>& selected, int slot, int channel);
// Writes the slot's file as CSV at `path` (through a temporary file, renamed when complete), with
// all its measurements or the shown one of each channel, and the sheets' log lines and messages.
// True when the file was saved.
bool SaveSheetCsv(DataLoggerCtl& owner, int slot, bool allMeasurements, std::function<int(int, int)> selectedMeas,
                  const std::string& path);

class MeasSheet : public SheetQuery {
 public:
  static constexpr int kVisibleColumns = 5;
  static constexpr int kVisibleRows = 11;
  static constexpr int kNoRole = 4;
  static constexpr int kBranches = 15;
  static constexpr size_t kServiceNameMax = 20;

  explicit MeasSheet(DataLoggerCtl& owner);

  // Resets the view state and the roles of every loaded file; false when slot 0 has no plan
  // with a channel list.
  bool Init();
  int ReportKind() const;
  // Report controls are shown for every kind but none (-1) and the generic report (5).
  bool ReportControlsShown() const;
  // The names of the loaded files, slot order (the file combo's items).
  std::vector<std::string> FileNames() const;

  // Selects the slot to show; false (nothing changes) when it has no test points or no plan.
  bool ShowFile(int slot);
  int Slot() const { return slot_; }
  int ChannelCount() const;
  int TestPointCount() const;
  std::string ChannelName(int channel) const;
  std::string TestPointName(int tp) const;
  // The text of channel `channel` at test point `tp`: its shown measurement in the point's units
  // with its unit text; empty where the channel has no such measurement.
  std::string CellText(int tp, int channel) const;
  int GridHeight() const;  // 275 with a horizontal scroll bar, 257 without
  int GridWidth() const;   // 427 with a vertical scroll bar, 409 without
  std::string BandText() const;
  bool IfSatVisible() const;
  bool ReportRadioVisible() const;

  struct ChannelControl {
    bool used = false;
    std::vector<std::string> items;  // measurement names
    int selected = -1;
    std::string serviceName;
  };
  std::array<ChannelControl, kVisibleColumns> ChannelControls(int first) const;
  struct RowControl {
    int role = kNoRole;  // combo item; 4 the empty one
    int branch = -1;     // combo item; -1 none
    bool branchEnabled = true;
  };
  std::array<RowControl, kVisibleRows> RowControls(int first) const;

  // The measurement of a column: with `block`, every channel that measured the same code.
  void ChooseMeas(int channel, int item, bool block);
  enum class Edit { Done, NoPoint, Refused };
  Edit SetRole(int tp, int item);
  void ClearPointType(int tp);
  Edit SetBranch(int tp, int item);
  void ClearBranch(int tp);
  // Names as Windows-1252 bytes, cut to 20 and 16 characters.
  void StoreServiceName(int channel, const std::string& text);
  void StoreTestPointName(int tp, const std::string& text);
  void SetSatIfTest(bool on) { satIfTest_ = on; }
  // Either radio group: item 0 (or none) all measurements, item 1 only the shown one.
  void RadioGroupClick(int item) { allMeasurements_ = item != 1; }

  int SelectedMeasIndex(int slot, int channel) const override;
  bool IsSatIfTest() const override { return IfSatVisible() && satIfTest_; }
  bool AllMeasurements() const override { return allMeasurements_; }

  // Writes the shown file as CSV at `path` (through a temporary file, renamed when complete),
  // with its log lines and messages. True when the file was saved.
  bool SaveCsv(const std::string& path);

  bool modified = false;

 private:
  TDataLogFile* File() const;
  DataLoggerCtl& owner_;
  std::vector<std::vector<int>> selectedMeas_;
  int slot_ = -1;
  bool allMeasurements_ = true;
  bool satIfTest_ = false;
};

}  // namespace cv::xr9
