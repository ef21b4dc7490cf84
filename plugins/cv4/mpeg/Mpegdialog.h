#pragma once
// The MPEG-2 analyser ("Mpeg2 Analyzer"): packet and section dumps of the meter's decoder, its
// service-table register, status line, direct decoder lines, typed commands and four test flags.
// One dialog of the CORVANE-4 and CORVANE-PLENAR plug-ins, opened from the update dialog's "MP"
// button with the port open; it never opens or closes the port itself. A thin view over
// MpegAnalyzer.
#include <QDialog>
#include <memory>
#include <string>

#include "MpegAnalyzer.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TCv3Equip;

namespace cv::cv4 {

class TMpegDlg : public QDialog {
  Q_OBJECT
 public:
  TMpegDlg(QWidget* owner, TCv3Equip* equipment);
  ~TMpegDlg() override;

  bool SdtSelected = false;

  QPushButton* SDTBtn;
  QPushButton* RefreshBtn;
  QLabel* TaulaLabel;
  QPushButton* GetPacketBtn;
  QPushButton* GetSect;
  QCheckBox* ConvertirCheckBox;
  QPushButton* ClearBtn;
  QLabel* Label1;
  QFrame* Bevel1;
  QPushButton* DirectMpegBtn0;
  QPushButton* DirectMpegBtn1;
  QPushButton* DirectMpegBtn2;
  QPushButton* DirectMpeg3;
  QPushButton* DirectMpegBtn4;
  QPushButton* DirectMpegBtn5;
  QLabel* Label2;
  QLineEdit* SelEdit;
  QLineEdit* SelEditHex;
  QComboBox* EnviarComboBox;
  QPushButton* EnviarBtn;
  QLineEdit* RespostaEdit;
  QPushButton* EstatMpegBtn;
  QLineEdit* EstatMpegEdit;
  QPlainTextEdit* CharMemo;
  QPlainTextEdit* AsciiMemo;
  QCheckBox* syncbCheckBox;
  QLineEdit* syncbEdit;
  QCheckBox* teiCheckBox;
  QLineEdit* teiEdit;
  QCheckBox* scCheckBox;
  QLineEdit* scEdit;
  QCheckBox* tidCheckBox;
  QLineEdit* tidEdit;
  QPushButton* RefreshNoisedBtn;

  void ShowSelection();
  void SendTypedCommand();

 public slots:
  void GetPacketBtnClick();
  void GetSectClick();
  void SDTBtnClick();
  void RefreshBtnClick();
  void EstatMpegBtnClick();
  void ClearBtnClick();
  void EnviarBtnClick();
  void CharMemoMouseMove();
  void CharMemoKeyUp();
  void DirectMpegBtn0Click();
  void DirectMpegBtn1Click();
  void DirectMpegBtn2Click();
  void DirectMpeg3Click();
  void DirectMpegBtn4Click();
  void DirectMpegBtn5Click();
  void syncbCheckBoxClick();
  void teiCheckBoxClick();
  void scCheckBoxClick();
  void tidCheckBoxClick();
  void RefreshNoisedBtnClick();

 protected:
  // Controls as the form makes them: buttons that Enter never presses, plain edits.
  static QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption);
  static QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Enter in the combo sends the typed command; the key goes no further.
  bool EnviarComboBoxKeyDown(int key);
  // Where a family adds its panel under the dumps.
  QVBoxLayout* panelArea;
  EquipMpegLink link;
  MpegAnalyzer analyzer;
  TCv3Equip* equipment;

 private:
  void ShowDump(const std::optional<std::string>& text, size_t positions);
  void ShowTable(MpegAnalyzer::Table table);
  void FlagClick(QCheckBox* box, QLineEdit* address);
  void ErrorBox(int id);
};

// The CORVANE-4's analyser, as the "MP" button makes it.
std::unique_ptr<QDialog> MakeMpegDlg(QWidget* owner, TCv3Equip& equipment);

}  // namespace cv::cv4
