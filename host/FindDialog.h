#pragma once
// The editor's find dialog: searches down only, so it has no direction controls.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFindDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFindDialog(QWidget* parent);

  QString FindText() const;
  bool MatchCase() const;
  bool WholeWord() const;
  void RetranslateUi();

  QLabel* FindLabel;
  QLineEdit* FindEdit;
  QCheckBox* WholeWordCheck;
  QCheckBox* MatchCaseCheck;
  QPushButton* FindBtn;
  QPushButton* CancelBtn;

 signals:
  void Find();

 protected:
  void changeEvent(QEvent* e) override;
};
