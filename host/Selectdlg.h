#pragma once
// "Select equipment": picks a plug-in library, present in the start directory and named in
// CvTools.cfg, to work without an instrument.
#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class TLogoImage;
class TMainForm;

class TSelectEquipmentDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSelectEquipmentDlg(TMainForm* owner);
  ~TSelectEquipmentDlg() override;

  // False when the configuration file could not be read at all (the dialog is then not shown).
  bool ConfigRead() const { return configRead; }

  void LoadConfig();
  void StripBrackets();
  void FindLibraries();
  void FillOptions();
  void ShowModels(int index);
  void Accept();

  TLogoImage* Image1;
  QLabel* Label2;
  QComboBox* ListDLLsComboBox;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QLabel* Label1;
  QListWidget* EquipmentsListBox;

  std::vector<std::string> lines;
  std::vector<std::string> models;
  std::vector<std::string> libraries;
  std::vector<std::string> available;
  int32_t selection = 0;

 public slots:
  void ListDLLsComboBoxClick();
  void OKBtnClick() { Accept(); }
  void EquipmentsListBoxDblClick() { Accept(); }
  void EquipmentsListBoxClick() {}

 private:
  TMainForm* owner;
  bool configRead = true;
};
