#pragma once
// The "Update Firmware" dialog: picks a PRO script, checks that it is an update script, runs it
// through the equipment's script engine with this window's log zone and gauge, and reads the new
// version back.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ControlsOff.h"
#include "Loggerform.h"

class QDialog;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class TCv3Equip;

class TUpdateFirmDlg : public TLogForm {
  Q_OBJECT
 public:
  TUpdateFirmDlg(QWidget* owner, TCv3Equip* equipment);
  ~TUpdateFirmDlg() override;

  bool FindUpdateFile(const std::string& path, std::string& updateFile);
  void RunUpdate(const std::string& path);

  // The open dialog and the script run; tests replace them. Empty path: cancelled.
  std::function<QString()> chooseScript;
  std::function<bool(const std::string& path)> runScript;

  QFrame* Bevel2;
  QPushButton* StartBtn;
  QPushButton* HelpBtn;
  QPushButton* CloseBtn;

 public slots:
  void StartBtnClick();
  void HelpBtnClick();

 protected:
  // How many characters of a script line the update check reads at once; the rest of a longer
  // line is read as a line of its own.
  virtual size_t ScriptLinePiece() const { return 254; }

 private:
  void ArrangeControls();
  // Start, Close (with Esc and the close box) and MP, off while a script is chosen and run.
  cv::ControlsOff UpdateRunning();
  // One line to the host's LogMemo and to the log zone.
  void LogBoth(const std::string& line);

  TCv3Equip* equipment;
  QPlainTextEdit* logMemo;

 public:
  // The family's MPEG-2 analyser behind the "MP" button; a family that adds none has no button.
  using MakeAnalyzer = std::function<std::unique_ptr<QDialog>(QWidget* owner, TCv3Equip& equipment)>;
  QPushButton* Mpeg2Btn = nullptr;

 public slots:
  // The analyser, modal, with the port opened for it at the tools' rate; the port is closed after
  // it and opened again as the launcher opened it.
  void Mpeg2BtnClick();

 protected:
  void AddMpeg2Button(const QString& caption, const QString& hint, MakeAnalyzer make);

 private:
  MakeAnalyzer makeAnalyzer;
  // The port could not be opened again after the analyser: Start tries before anything else.
  bool portLost = false;
  std::string PortLostText() const;
};
