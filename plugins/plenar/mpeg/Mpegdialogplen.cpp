#include "Mpegdialogplen.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "Messages.h"
#include "MsgIds.h"
#include "PlenEquip.h"
#include "Serial.h"
#include "Text1252.h"

namespace cv::plenar {

namespace m = cv::msg::plenmpeg;

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

TMpegDlg::TMpegDlg(QWidget* owner, TCvPlenEquip* equipment) : cv::cv4::TMpegDlg(owner, equipment) {
  link.writeRaw = [equipment](const std::string& bytes) { return equipment->WriteRaw(bytes); };
  Button1 = MakeButton(this, "Button1", cv::MsgQ(m::MeasDab));
  DABLabel = Label(this, "DABLabel", QString());
  Label5 = Label(this, "Label5", cv::MsgQ(m::Label5));
  SNR = Label(this, "SNR", cv::MsgQ(m::Snr));
  SNREdit = MakeEdit(this, "SNREdit", false);
  Label3 = Label(this, "Label3", cv::MsgQ(m::Qual));
  QUALEdit = MakeEdit(this, "QUALEdit", false);
  Label4 = Label(this, "Label4", cv::MsgQ(m::Mux));
  MUXEdit = MakeEdit(this, "MUXEdit", false);
  Label6 = Label(this, "Label6", cv::MsgQ(m::Captura));
  CapturaEdit = MakeEdit(this, "CapturaEdit", false);
  SelectBtn = MakeButton(this, "SelectBtn", cv::MsgQ(m::SelectAudio));
  AudioEdit = MakeEdit(this, "AudioEdit", false);
  // "*I21DA18" and the text make one command line of at most 252 characters.
  AudioEdit->setMaxLength(kMaxCommandLength - 8);
  Button2 = MakeButton(this, "Button2", cv::MsgQ(m::SerialTest1));
  Button4 = MakeButton(this, "Button4", cv::MsgQ(m::SerialTest2));
  Button3 = MakeButton(this, "Button3", cv::MsgQ(m::StopBtn));

  auto* panel = new QGridLayout;
  panel->addWidget(Button1, 0, 0);
  panel->addWidget(DABLabel, 0, 1);
  panel->addWidget(Label5, 0, 2);
  const std::pair<QLabel*, QLineEdit*> fields[] = {{SNR, SNREdit}, {Label3, QUALEdit}, {Label4, MUXEdit}, {Label6, CapturaEdit}};
  int column = 0;
  for (const auto& [label, edit] : fields) {
    panel->addWidget(label, 1, column);
    panel->addWidget(edit, 2, column++);
  }
  panel->addWidget(SelectBtn, 3, 0);
  panel->addWidget(AudioEdit, 3, 1);
  panel->addWidget(Button2, 3, 2);
  panel->addWidget(Button4, 3, 3);
  panel->addWidget(Button3, 3, 4);
  panelArea->addLayout(panel);
  // The memos give up room to the panel.
  CharMemo->setMinimumHeight(80);
  AsciiMemo->setMinimumHeight(80);
  resize(width(), height() + 110);

  TimerDAB = new QTimer(this);
  TimerDAB->setObjectName("TimerDAB");
  TimerDAB->setInterval(1000);
  connect(TimerDAB, &QTimer::timeout, this, &TMpegDlg::TimerDABTimer);
  connect(Button1, &QPushButton::clicked, this, &TMpegDlg::Button1Click);
  connect(SelectBtn, &QPushButton::clicked, this, &TMpegDlg::SelectBtnClick);
  connect(Button2, &QPushButton::clicked, this, &TMpegDlg::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TMpegDlg::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TMpegDlg::Button4Click);
  TimerDAB->start();
}

void TMpegDlg::Button1Click() { DabRunning = !DabRunning; }

void TMpegDlg::TimerDABTimer() {
  if (!DabRunning) {
    DABLabel->setText(cv::MsgQ(m::Stopped));
    return;
  }
  DABLabel->setText(cv::MsgQ(m::Doing));
  ReadDab();
}

void TMpegDlg::ReadDab() {
  cv::cv4::MpegAnalyzer::DabFields fields;
  fields.snr = cv::To1252(SNREdit->text());
  fields.qual = cv::To1252(QUALEdit->text());
  analyzer.ReadDab(fields);
  Label5->setText(fields.answered ? cv::MsgQ(fields.locked ? m::LockOk : m::LockKo) : cv::MsgQ(cv::msg::mpeg::NoAnswer));
  SNREdit->setText(cv::From1252(fields.snr));
  QUALEdit->setText(cv::From1252(fields.qual));
  CapturaEdit->setText(cv::From1252(fields.captura));
}

void TMpegDlg::SelectBtnClick() { analyzer.SelectAudio(cv::To1252(AudioEdit->text())); }

void TMpegDlg::SerialTest(int test) {
  if (!analyzer.SerialTest(test)) AsciiMemo->appendPlainText(cv::MsgQ(m::WriteError) + "0");
}

void TMpegDlg::Button2Click() {
  TestStopRequested = false;
  SerialTest(1);
}

void TMpegDlg::Button4Click() { SerialTest(2); }

void TMpegDlg::Button3Click() { TestStopRequested = true; }

std::unique_ptr<QDialog> MakeMpegDlgPlen(QWidget* owner, TCv3Equip& equipment) {
  return std::make_unique<TMpegDlg>(owner, &static_cast<TCvPlenEquip&>(equipment));
}

}  // namespace cv::plenar
