#pragma once
// The SKY certificate sheet "DataLogger Viewer for SKY": a thin form over SkySheet. A terrestrial
// and a satellite measurement grid stand side by side as table views over SkyGridModel, their
// rows lined up and scrolling together; each grid's first column is the "»" handle by which a row
// is dragged to another place (while reports are enabled). Over each grid five measurement and
// five service combos serve the visible columns; beside the rows eleven type combos give the
// type of the row in both files, and a flat-number column per file names the rows.
#include <QDialog>
#include <array>
#include <memory>

#include "DataLoggerSheetDlg.h"
#include "SkySheet.h"

namespace cv::xr9 {

// One side's grid: column 0 the row handle "»" on every row that has a test point, columns 1 to C
// the channels; the header row holds the channel names. Marked values are red on yellow.
class SkyGridModel : public SheetGridModel {
 public:
  SkyGridModel(SkySheet& sheet, SkySide side, QObject* parent = nullptr)
      : SheetGridModel(parent), sheet_(sheet), side_(side) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  SkySheet& sheet_;
  SkySide side_;
};

class TDataLoggerSheetDlg_Sky : public QDialog {
 public:
  TDataLoggerSheetDlg_Sky(QWidget* parent, DataLoggerCtl& owner, TXR9Equip& equipment);
  ~TDataLoggerSheetDlg_Sky() override;

  bool Init();
  void SetReportTypeText(const QString& text);
  void ShowTerFile(int item);
  void ShowSatFile(int item);
  void FillBothGrids();
  void FillGrid(SkySide side);
  void ShowColumnControls(SkySide side, int first);
  void ShowTypes(SkySide side, int first);
  void ShowFlatNumbers(SkySide side, int first);
  void StoreFlatNumbers(SkySide side);
  void EnableCommands(bool enable);
  void ShowReportControls(bool show);
  SkySheet& Sheet() { return sheet_; }
  SkyGridModel& Model(SkySide side) { return side == SkySide::Ter ? *terModel_ : *satModel_; }
  // As in a grid with one fixed row and one fixed column.
  int LeftCol(SkySide side) const;  // first visible channel + 1
  int TopRow(SkySide side) const;   // first visible display row + 1

  // Handlers.
  void DLTerComboBoxChange(int item);
  void DLSatComboBoxChange(int item);
  void ChanTer0ComboBoxChange(int tag);
  void ChanSat0ComboBoxChange(int tag);
  void ServiceTer0ComboBoxChange(int tag);
  void ServiceSat0ComboBoxChange(int tag);
  void PMAttComboBoxChange(int tag);
  void PM0AttComboBoxKeyDown(int tag);  // the Delete key
  void MeasTerStringGridTopLeftChanged();
  void MeasSatStringGridTopLeftChanged();
  // Rows are grid rows, 1-based (row 0 holds the channel names).
  void MeasTerStringGridRowMoved(int from, int to);
  void MeasSatStringGridRowMoved(int from, int to);
  void TPHeaderTerStringGridExit();
  void TPHeaderSatStringGridExit();
  void OffsetOffAirTerEditExit();
  void OffsetLaunchTerEditExit();
  void OffsetOffAirSatEditExit();
  void OffsetLaunchSatEditExit();
  void FlatNumbersTerCheckBoxClick();
  void FlatNumbersSatCheckBoxClick();
  void SelectedMeasCSVRadioGroupClick(int item);
  void SaveCSVBtnClick();
  void ReportsBtnClick();
  void CloseBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct SideWidgets {
    QComboBox* fileCombo = nullptr;
    QCheckBox* block = nullptr;
    QTableView* grid = nullptr;
    QTableWidget* flatNumbers = nullptr;
    QCheckBox* these = nullptr;
    std::array<QComboBox*, SkySheet::kVisibleColumns> measCombos{};
    std::array<QComboBox*, SkySheet::kVisibleColumns> serviceCombos{};
    QLineEdit* offAirEdit = nullptr;
    QLineEdit* launchEdit = nullptr;
    int dragFrom = -1;  // grid row being dragged, -1 none
  };
  SideWidgets& W(SkySide side) { return side == SkySide::Ter ? ter_ : sat_; }
  const SideWidgets& W(SkySide side) const { return side == SkySide::Ter ? ter_ : sat_; }
  void BuildForm();
  void BuildSide(SkySide side, int x);
  void ShowFile(SkySide side, int item);
  void GridTopLeftChanged(SkySide side);
  void ChanComboChange(SkySide side, int tag);
  void ServiceComboChange(SkySide side, int tag);
  void RowMoved(SkySide side, int from, int to);
  void OffsetExit(QLineEdit* edit, SkySheet::Offset which);
  // The exit handler of `field` when it is one of the four offsets.
  void ReadOffsetBeingTyped(const QObject* field);
  bool HandleDrag(SkySide side, QEvent* event);
  void BuildReport();

  DataLoggerCtl& owner_;
  TXR9Equip& equipment_;
  SkySheet sheet_;
  std::unique_ptr<SkyGridModel> terModel_;
  std::unique_ptr<SkyGridModel> satModel_;
  bool updating_ = false;
  bool following_ = false;  // a grid follows the other's scrolling
  bool rowMoving_ = false;
  QStyle* columnComboStyle_ = nullptr;  // the combos over the grid columns; owned by the form

  SideWidgets ter_;
  SideWidgets sat_;
  QLabel* Image1 = nullptr;
  QLabel* Label2 = nullptr;  // "Service:" over the terrestrial grid
  QLabel* Label9 = nullptr;  // over the satellite grid
  QLabel* Label6 = nullptr;  // "TYPE:"
  std::array<QLabel*, 5> tips{};  // Label11 to Label15
  QFrame* Bevel5 = nullptr;
  QFrame* Bevel7 = nullptr;
  QFrame* Bevel8 = nullptr;
  std::array<QComboBox*, SkySheet::kVisibleRows> roleCombos{};
  QGroupBox* SaveCSVRadioGroup = nullptr;
  QRadioButton* saveTer_ = nullptr;
  QRadioButton* saveSat_ = nullptr;
  QGroupBox* SelectedMeasCSVRadioGroup = nullptr;
  QLineEdit* ReportTypeEdit = nullptr;
  QPushButton* SaveCSVBtn = nullptr;
  QPushButton* ReportsBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
};

}  // namespace cv::xr9
