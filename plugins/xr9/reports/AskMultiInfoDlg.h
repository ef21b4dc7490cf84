#pragma once
// The report information question: a small modal form listing fields and their texts, which can
// be saved to and loaded from an information file, and whose DONE stores the texts in a target.
// TDataLogAskMultiInfoCvToolsDlg asks the generic report's three texts for the data-logger rules;
// TDataLogAskMultiInfoSkyDlg the SKY certificate's twelve for the SKY sheet. Closing the form any
// other way than DONE stores nothing.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "ReportInfoModel.h"

class QLabel;
class QPushButton;
class QTableView;

namespace cv::xr9 {

class SkySheetQuery;
class TXR9Equip;

class TDataLogAskMultiInfoDlg : public QDialog {
  Q_OBJECT
 public:
  TDataLogAskMultiInfoDlg(QWidget* owner, TXR9Equip& equipment);

  // Appends the fields' rows with empty texts; the caller calls it once before showing the form.
  virtual void FillFields() {}
  virtual void LoadBtnClick() {}
  virtual void SaveBtnClick() {}
  // Closes the form; the subclasses store the texts in their target first.
  virtual void DoneBtnClick();

  const ReportInfoRows& Rows() const { return model_.Rows(); }
  ReportInfoModel& Model() { return model_; }

 protected:
  void AppendFields(const std::vector<std::string>& names);
  // The text of the first row whose key is the field name, after the open editor is committed.
  std::string FieldText(const std::string& name);
  // Load and Save with the subclass's signature, its "does not contain information" message and
  // its notice line.
  void LoadInfoFile(const std::string& signature, int notInfoTextId);
  void SaveInfoFile(const std::string& signature, const std::string& notice);

  void showEvent(QShowEvent* event) override;
  // The report prints at most `chars` characters of each text: the editor takes no more (a longer
  // text loaded from a file stays whole, and Load names it).
  void SetPrintedLength(int chars) { printedLength_ = chars; }

  TXR9Equip* equipment = nullptr;

 private:
  void CommitEdit();
  // The editor opens on the first row's text, as it is open on the current cell at all times.
  void EditFirstText();

  ReportInfoModel model_;
  int printedLength_ = 0;  // 0: no limit
  QLabel* Label1 = nullptr;
  QTableView* ValueListEditor = nullptr;
  QPushButton* LoadBtn = nullptr;
  QPushButton* SaveBtn = nullptr;
  QPushButton* DoneBtn = nullptr;
};

// Identification, address and observations of the generic report.
class TDataLogAskMultiInfoCvToolsDlg : public TDataLogAskMultiInfoDlg {
  Q_OBJECT
 public:
  // `target` (may be null) receives identification, address and observations.
  TDataLogAskMultiInfoCvToolsDlg(QWidget* owner, TXR9Equip& equipment, std::array<std::string, 3>* target);
  void FillFields() override;
  void LoadBtnClick() override;
  void SaveBtnClick() override;
  void DoneBtnClick() override;

 private:
  std::array<std::string, 3>* target_;
  std::vector<std::string> fields_;
};

// The SKY certificate's twelve information texts.
class TDataLogAskMultiInfoSkyDlg : public TDataLogAskMultiInfoDlg {
  Q_OBJECT
 public:
  TDataLogAskMultiInfoSkyDlg(QWidget* owner, TXR9Equip& equipment, SkySheetQuery* target);
  void FillFields() override;
  void LoadBtnClick() override;
  void SaveBtnClick() override;
  void DoneBtnClick() override;

  static const std::vector<std::string>& FieldNames();

 private:
  SkySheetQuery* target_;
};

}  // namespace cv::xr9
