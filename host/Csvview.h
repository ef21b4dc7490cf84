#pragma once
// TCSVViewer: the host's read-only viewer for separator-delimited text tables.
#include <QDialog>
#include <QString>

class QLineEdit;
class QTableWidget;
class QTimer;
class QToolButton;
class QFileDialog;

namespace cv {
struct CsvTable;
}

class TCSVViewer : public QDialog {
  Q_OBJECT
 public:
  // `owner` is the host main window: its LogMemo receives the viewer's log lines.
  explicit TCSVViewer(QWidget* owner);

  void LoadFile(const QString& fileName);
  void ReadSeparators();
  void ClearGrid();
  void RetranslateUi();

  char listSeparator = ',';
  char decimalSeparator = '.';

  QToolButton* CloseBtn;
  QToolButton* OpenBtn;
  QLineEdit* ShowEdit;
  QTableWidget* StringGrid;
  QFileDialog* OpenDlg;
  QTimer* TimerToShowForm;

 public slots:
  void CloseBtnClick();
  void OpenBtnClick();
  void StringGridSelectCell(int column, int row);
  void ShowForm();

 protected:
  void changeEvent(QEvent* e) override;

 private:
  void Log(const QString& line);
  void ShowTable(const cv::CsvTable& table);

  QWidget* mainForm;
};
