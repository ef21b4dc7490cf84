#pragma once
// The CORVANE-3 memory editor's form: a thin view over cv::mem::MemoryEditor, which holds the 99
// memories and every rule. Each handler passes its event to the editor and shows the result.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "MemoryEditor.h"

class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class TCv3Equip;

// What a family's editor form varies: its record codec and the hints that name its meter.
struct MemoryFormFamily {
  std::shared_ptr<cv::mem::MemoryCodec> codec;  // none: the CORVANE-3 codec
  int sendOneHint, sendHint, receiveHint;
};
MemoryFormFamily Cv3MemoryForm();

class TMemoryDlg : public QDialog {
  Q_OBJECT

 public:
  TMemoryDlg(QWidget* owner, TCv3Equip* equip, const MemoryFormFamily& family = Cv3MemoryForm());
  ~TMemoryDlg() override;

  cv::mem::MemoryEditor& Editor() { return *editor; }
  // Opens the settings dialog on the editor's `current` record; true when it took its OK.
  // The constructor sets it to open TMemoryDataDlg; a test may put its own here.
  std::function<bool(TMemoryDlg* owner)> settingsEditor;

  // The codec over the editor's current record.
  std::string EncodeMemoryRecord() { return editor->EncodeMemoryRecord(); }
  bool DecodeMemoryRecord(const std::string& reply, int number) { return editor->DecodeMemoryRecord(reply, number); }
  void ReportMemoryErrors(const cv::mem::MemErrors& errors, const MemoryRecord& record, int index) {
    editor->ReportMemoryErrors(errors, record, index);
  }

  QLabel* Label1 = nullptr;
  QListWidget* MemoryListBox = nullptr;
  QPushButton *SaveBtn = nullptr, *ReadBtn = nullptr, *EditBtn = nullptr, *SendOneBtn = nullptr,
              *SendBtn = nullptr, *ReceiveBtn = nullptr, *HelpBtn = nullptr, *CloseBtn = nullptr;
  QFrame* Bevel1 = nullptr;
  QProgressBar* Gauge = nullptr;

 public slots:
  void CloseBtnClick();
  void ReadBtnClick();
  void ReceiveBtnClick();
  void SaveBtnClick();
  void EditBtnClick();
  void SendBtnClick();
  void SendOneBtnClick();
  void HelpBtnClick();

 public:
  void ShowList();
  void ShowButtons();

 private:
  class Adapter;
  // Runs a button's handler with the editor's controls off.
  void Locked(const std::function<void()>& run);
  bool locked = false;  // by scope, while Locked runs: the editor's button states wait
  TCv3Equip* equip = nullptr;
  std::unique_ptr<Adapter> adapter;
  std::shared_ptr<cv::mem::MemoryCodec> codec;
  std::unique_ptr<cv::mem::MemoryEditor> editor;
};
