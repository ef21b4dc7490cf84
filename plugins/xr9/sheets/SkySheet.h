#pragma once
// The rules of the SKY certificate sheet without its widgets: a terrestrial and a satellite file
// side by side, rows in an order the user gives (the same row number in both files lines up), a
// measure type per row (Flat, Off Air, Launch) for both files, a service per terrestrial channel,
// the flat numbers, the four level offsets, the certificate information texts and the service
// check before a certificate. It borrows the data-logger dialog's files and keeps only its own
// view state; what the SKY report and its checks ask of it comes through SkySheetQuery.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "DataLogFile.h"
#include "SkySheetQuery.h"

namespace cv::xr9 {

class DataLoggerCtl;

enum class SkySide { Ter, Sat };

class SkySheet : public SkySheetQuery {
 public:
  static constexpr int kVisibleColumns = 5;
  static constexpr int kVisibleRows = 11;
  static constexpr int kNoType = -1;
  static constexpr int kKeep = -2;  // a row control left as it is
  static constexpr int kServices = 14;  // item 0 is "no service"
  static constexpr int kTerPlan = 7, kSatPlan = 5;

  explicit SkySheet(DataLoggerCtl& owner);

  // Resets the view state and the types of every loaded file; false when slot 0 has no plan with
  // a channel list.
  bool Init();
  int ReportKind() const;
  // Report controls (types, services, tips, row moving) are there while reports are enabled.
  bool ReportControlsShown() const { return ReportKind() != -1; }

  // The file combos: item index -> slot, -1 for items that do not exist.
  const std::array<int, DataLogSlots>& TerSlots() const { return terSlots_; }
  const std::array<int, DataLogSlots>& SatSlots() const { return satSlots_; }
  std::vector<std::string> FileNames(SkySide side) const;
  // Selects the item of the side's combo; false (nothing changes) when it maps to no slot with
  // test points and a plan.
  bool ShowFile(SkySide side, int item);
  int Item(SkySide side) const { return side == SkySide::Ter ? terItem_ : satItem_; }
  int Slot(SkySide side) const;

  // Both grids: the larger of the two files' test-point counts (rows of equal number line up).
  int DataRows() const;
  int ChannelCount(SkySide side) const;
  int TestPointCount(SkySide side) const;
  std::string ChannelName(SkySide side, int channel) const;
  // The shown measurement of the channel at the test point of the display row, in the point's
  // own units, without unit text; empty beyond the side's test points.
  std::string CellText(SkySide side, int row, int channel) const;
  // Whether the shown measurement of that cell carries the failed-threshold mark.
  bool Marked(SkySide side, int row, int channel) const;
  // Runs every measurement of the side's file through the threshold check and sets its mark.
  void MarkThresholds(SkySide side);
  int GridHeight(SkySide side) const;  // 275 with a horizontal scroll bar, 257 without
  int GridWidth() const;               // 309 with a vertical scroll bar, 291 without

  struct ColumnControl {
    bool used = false;
    std::vector<std::string> items;  // measurement names
    int selected = -1;
    int service = -1;  // item of the service combo; -1 none
  };
  // The controls over the visible columns from `first`; none when the plan has `first` or fewer
  // channels (the combos stay as they are).
  std::optional<std::array<ColumnControl, kVisibleColumns>> ColumnControls(SkySide side, int first) const;
  // The types of the visible rows from display row `first` (-1 none; kKeep past the side's test
  // points, where the other file may have rows); none when first is past the side's test points.
  std::optional<std::array<int, kVisibleRows>> Types(SkySide side, int first) const;
  // The flat numbers of the visible rows from display row `first`; none when first is past them.
  std::optional<std::array<std::string, kVisibleRows>> FlatNumbers(SkySide side, int first) const;
  std::string FlatNumberAtRow(SkySide side, int row) const;

  void ChooseMeas(SkySide side, int channel, int item, bool block);
  // The service of a terrestrial channel; false when the channel does not exist.
  bool SetService(SkySide side, int channel, int item);
  // The type of the test point shown at display row `row`; false when the row has none.
  bool SetType(SkySide side, int row, int type);
  // Moves grid row `from` to grid row `to` (1-based; row 0 is the channel names) of the side and
  // clears every type in both files. False when nothing moved.
  bool MoveRow(SkySide side, int from, int to);
  // The flat number of the test point shown at display row `row`, cut to 16 characters.
  bool StoreFlatNumber(SkySide side, int row, const std::string& text);

  // "These." boxes: ticking one unticks the other.
  void TickFlatNumbers(SkySide side, bool on);
  bool FlatNumbersTicked(SkySide side) const { return side == SkySide::Ter ? flatTer_ : flatSat_; }

  // The offset edits, in tenths of a dB. SetOffset reads a typed text and gives the text the edit
  // shows afterwards.
  enum class Offset { OffAirTer, OffAirSat, LaunchTer, LaunchSat };
  static int ParseOffset(const std::string& text);
  static std::string OffsetText(int tenths);
  std::string SetOffset(Offset which, const std::string& text);
  int OffsetValue(Offset which) const { return offsets_[size_t(which)]; }

  void SelectedMeasCSVRadioGroupClick(int item) { allMeasurements_ = item != 1; }
  bool AllMeasurements() const { return allMeasurements_; }
  bool SaveCsv(SkySide side, const std::string& path);

  // Before a certificate: services on more than one channel refuse it, services on none ask.
  bool CheckServices(int slot) const;

  // SkySheetQuery.
  int SelectedMeasIndex(int slot, int channel) const override;
  void SelectedSlots(int& terSlot, int& satSlot) const override;
  int FindService(int slot, int service, uint8_t& count) const override;
  bool HasService(int slot, int channel, int service) const override;
  int RowOfTestPoint(int slot, int testPoint) const override;
  int TestPointAtRow(int slot, int row) const override;
  int FlatNumbersSource() const override { return flatSat_ ? kSatPlan : kTerPlan; }
  void GetOffsets(int& offAirTer, int& launchTer, int& launchSat, int& offAirSat) const override;
  void SetInfoText(int n, const std::string& text) override;
  std::string GetInfoText(int n, size_t length) const override;

  bool modified = false;

 private:
  TDataLogFile* File(int slot) const;
  TDataLogFile* File(SkySide side) const { return File(Slot(side)); }
  int Channels(int slot) const;
  int Points(int slot) const;
  const TDataLogMeas* ShownMeas(SkySide side, int row, int channel) const;

  DataLoggerCtl& owner_;
  std::array<std::string, kSkyInfoTexts> infoTexts_;
  std::vector<std::vector<int>> selectedMeas_;
  std::vector<std::vector<int>> channelServices_;
  std::vector<std::vector<int>> rowOrder_;
  std::array<int, DataLogSlots> terSlots_{};
  std::array<int, DataLogSlots> satSlots_{};
  int terItem_ = -1;
  int satItem_ = -1;
  bool allMeasurements_ = true;
  bool flatTer_ = true;
  bool flatSat_ = false;
  std::array<int, 4> offsets_{};  // Off Air ter, Off Air sat, Launch ter, Launch sat
};

}  // namespace cv::xr9
