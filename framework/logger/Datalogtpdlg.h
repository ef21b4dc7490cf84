#pragma once
// The test-point name dialog: a small modeless window beside the data logger dialog that renames
// the wanted test points one after the other.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDataLoggerDlg;

class TDataLoggerTPDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TDataLoggerTPDlg(TDataLoggerDlg* owner);

  // Shows the test point of a 0-based line: its name in TPEdit, "Test Point n" in TPLabel.
  void ShowTP(int line);

 public slots:
  void NextTPBtnClick();
  void TPEditChange();
  void CloseBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDataLoggerDlg* logger;
  bool edited = false;
  QLabel* TPLabel;
  QLineEdit* TPEdit;
  QPushButton *NextBtn, *CloseBtn;
};
