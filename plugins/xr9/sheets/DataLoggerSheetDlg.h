#pragma once
// The measurement sheet "DataLogger Viewer": a thin form over MeasSheet. The measurement grid is
// a table view over a model that makes each cell's text only when the cell is shown, so a file
// of thousands of channels and test points opens at once; the test-point names beside it scroll
// with it, five measurement combos stand over the visible columns and eleven role and branch
// combos beside the visible rows.
#include <QAbstractTableModel>
#include <QDialog>
#include <array>
#include <memory>

#include "MeasSheet.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTableWidget;

namespace cv::xr9 {

class DataLoggerCtl;
class TXR9Equip;

// What the sheets' grid models share: the whole grid made again, or its cells' texts.
class SheetGridModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void Reset();
  void Refresh();
};

// The sheets' measurement grids: fixed header and row sizes, scrolling by whole cells, no editing,
// bold green on dark green.
void SetUpSheetGrid(QTableView* grid, int headerHeight, int rowHeight, int columnWidth);

class MeasGridModel : public SheetGridModel {
 public:
  explicit MeasGridModel(MeasSheet& sheet, QObject* parent = nullptr) : SheetGridModel(parent), sheet_(sheet) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Cells whose text was made, for tests.
  mutable long cellsMade = 0;

 private:
  MeasSheet& sheet_;
};

class TDataLoggerSheetDlg : public QDialog {
 public:
  TDataLoggerSheetDlg(QWidget* parent, DataLoggerCtl& owner, TXR9Equip& equipment);
  ~TDataLoggerSheetDlg() override;

  bool Init();
  void SetReportTypeText(const QString& text);
  void ShowFile(int slot);
  void ShowChannelControls(int slot, int first);
  void ShowTestPointControls(int slot, int first);
  void EnableCommands(bool enable);
  void ShowReportControls(bool show);
  void Refresh();
  void StoreServiceNames();
  void StoreTestPointNames();
  MeasSheet& Sheet() { return sheet_; }
  MeasGridModel& Model() { return *model_; }
  int LeftCol() const;
  int TopRow() const;  // first visible data row + 1, as in a grid with one fixed row

  // Handlers.
  void DLComboBoxSelect(int index);
  void MeasStringGridTopLeftChanged();
  void TPHeaderStringGridTopLeftChanged();
  void ChanComboBoxChange(int tag);
  void PMAttComboBoxChange(int tag);
  void PM0AttComboBoxKeyDown(int tag);  // the Delete key
  void PMBranchComboBoxChange(int tag);
  void PM0BranchComboBoxKeyDown(int tag);
  void ChannelHeaderStringGridExit();
  void TPHeaderStringGridExit();
  void IFSATTestCheckBoxClick();
  void SelectedMeasCSVRadioGroupClick(int item);
  void SelectedMeasReportRadioGroupClick(int item);
  void SaveCSVBtnClick();
  void ReportsBtnClick();
  void CloseBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool MayClose();
  void BuildReport();
  // The report command applies to the chosen kind and its writer is built.
  bool ReportsAllowed() const;
  void BuildForm();

  DataLoggerCtl& owner_;
  TXR9Equip& equipment_;
  MeasSheet sheet_;
  std::unique_ptr<MeasGridModel> model_;
  bool updating_ = false;

  QLabel* Image1 = nullptr;
  QComboBox* DLComboBox = nullptr;
  QLabel* BandLabel = nullptr;
  QCheckBox* BlockSelMeasCheckBox = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QFrame* Bevel5 = nullptr;
  QTableWidget* ChannelHeaderStringGrid = nullptr;
  QTableWidget* TPHeaderStringGrid = nullptr;
  QTableView* MeasStringGrid = nullptr;
  std::array<QComboBox*, MeasSheet::kVisibleRows> roleCombos{};
  std::array<QComboBox*, MeasSheet::kVisibleRows> branchCombos{};
  std::array<QComboBox*, MeasSheet::kVisibleColumns> measCombos{};
  QCheckBox* IFSATTestCheckBox = nullptr;
  QGroupBox* SelectedMeasCSVRadioGroup = nullptr;
  QGroupBox* SelectedMeasReportRadioGroup = nullptr;
  QLineEdit* ReportTypeEdit = nullptr;
  QPushButton* SaveCSVBtn = nullptr;
  QPushButton* ReportsBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
};

}  // namespace cv::xr9
