#include "Mpegdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "FixedFont.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Serial.h"
#include "Text1252.h"

namespace cv::cv4 {

namespace m = cv::msg::mpeg;

namespace {

QPlainTextEdit* Memo(QWidget* parent, const char* name) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setFont(cv::FixedPitchFont("Courier New"));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  return memo;
}

}  // namespace

QPushButton* TMpegDlg::MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  // Enter in a field must not press a button of the form.
  b->setAutoDefault(false);
  return b;
}

QLineEdit* TMpegDlg::MakeEdit(QWidget* parent, const char* name, bool readOnly) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(readOnly);
  return e;
}

TMpegDlg::TMpegDlg(QWidget* owner, TCv3Equip* equipment)
    : QDialog(owner), link(*equipment), analyzer(link), equipment(equipment) {
  setObjectName("MpegDlg");
  setWindowTitle(cv::MsgQ(m::Caption));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  SDTBtn = MakeButton(this, "SDTBtn", cv::MsgQ(m::SDTBtn));
  RefreshBtn = MakeButton(this, "RefreshBtn", cv::MsgQ(m::RefreshBtn));
  TaulaLabel = new QLabel(this);
  TaulaLabel->setObjectName("TaulaLabel");
  GetPacketBtn = MakeButton(this, "GetPacketBtn", cv::MsgQ(m::GetPacketBtn));
  GetSect = MakeButton(this, "GetSect", cv::MsgQ(m::GetSect));
  ConvertirCheckBox = new QCheckBox(cv::MsgQ(m::Convertir), this);
  ConvertirCheckBox->setObjectName("ConvertirCheckBox");
  ClearBtn = MakeButton(this, "ClearBtn", cv::MsgQ(m::ClearBtn));

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Label1 = new QLabel(cv::MsgQ(m::DirectLabel), Bevel1);
  Label1->setObjectName("Label1");
  DirectMpegBtn0 = MakeButton(Bevel1, "DirectMpegBtn0", "S=0;0");
  DirectMpegBtn1 = MakeButton(Bevel1, "DirectMpegBtn1", "S=0;1");
  DirectMpegBtn2 = MakeButton(Bevel1, "DirectMpegBtn2", "V/A/T");
  DirectMpeg3 = MakeButton(Bevel1, "DirectMpeg3", "S");
  DirectMpegBtn4 = MakeButton(Bevel1, "DirectMpegBtn4", "T");
  DirectMpegBtn5 = MakeButton(Bevel1, "DirectMpegBtn5", "V/A");
  auto* direct = new QGridLayout(Bevel1);
  direct->addWidget(Label1, 0, 0, 1, 3);
  QPushButton* directs[] = {DirectMpegBtn0, DirectMpegBtn1, DirectMpegBtn2, DirectMpeg3, DirectMpegBtn4, DirectMpegBtn5};
  for (int i = 0; i < 6; ++i) direct->addWidget(directs[i], 1 + i / 3, i % 3);

  Label2 = new QLabel(cv::MsgQ(m::BytesLabel), this);
  Label2->setObjectName("Label2");
  SelEdit = MakeEdit(this, "SelEdit", true);
  SelEditHex = MakeEdit(this, "SelEditHex", true);

  EnviarComboBox = new QComboBox(this);
  EnviarComboBox->setObjectName("EnviarComboBox");
  EnviarComboBox->setEditable(true);
  EnviarComboBox->setInsertPolicy(QComboBox::NoInsert);
  EnviarComboBox->setMaxVisibleItems(10);
  EnviarComboBox->addItems({kAccessCode, "*?SL00", "*MPS=0;0", "*?VE"});
  // The port takes command lines of 252 characters: longer text is never typed.
  EnviarComboBox->lineEdit()->setMaxLength(kMaxCommandLength);
  EnviarComboBox->setCurrentIndex(0);
  EnviarBtn = MakeButton(this, "EnviarBtn", cv::MsgQ(m::EnviarBtn));
  RespostaEdit = MakeEdit(this, "RespostaEdit", true);
  EstatMpegBtn = MakeButton(this, "EstatMpegBtn", cv::MsgQ(m::EstatMpegBtn));
  EstatMpegEdit = MakeEdit(this, "EstatMpegEdit", false);

  CharMemo = Memo(this, "CharMemo");
  CharMemo->viewport()->setMouseTracking(true);
  AsciiMemo = Memo(this, "AsciiMemo");

  auto flagRow = [this](const char* boxName, int caption, const char* editName, QCheckBox*& box, QLineEdit*& edit) {
    box = new QCheckBox(cv::MsgQ(caption), this);
    box->setObjectName(boxName);
    edit = MakeEdit(this, editName, false);
  };
  flagRow("syncbCheckBox", m::SyncB, "syncbEdit", syncbCheckBox, syncbEdit);
  flagRow("teiCheckBox", m::Tei, "teiEdit", teiCheckBox, teiEdit);
  flagRow("scCheckBox", m::ScrambledPat, "scEdit", scCheckBox, scEdit);
  flagRow("tidCheckBox", m::TidPat, "tidEdit", tidCheckBox, tidEdit);
  tidCheckBox->setStyleSheet("color: red");
  RefreshNoisedBtn = MakeButton(this, "RefreshNoisedBtn", cv::MsgQ(m::RefreshBtn));

  // Layout: commands on top, the two memos, then the test flags and a family's panel.
  auto* top = new QGridLayout;
  top->addWidget(SDTBtn, 0, 0);
  top->addWidget(RefreshBtn, 0, 1);
  top->addWidget(TaulaLabel, 0, 2);
  top->addWidget(GetPacketBtn, 1, 0);
  top->addWidget(GetSect, 1, 1);
  top->addWidget(ConvertirCheckBox, 1, 2);
  top->addWidget(ClearBtn, 1, 3);
  top->addWidget(Label2, 2, 0);
  top->addWidget(SelEdit, 2, 1);
  top->addWidget(SelEditHex, 2, 2);
  top->addWidget(Bevel1, 0, 4, 3, 1);
  top->addWidget(EnviarComboBox, 3, 0, 1, 2);
  top->addWidget(EnviarBtn, 3, 2);
  top->addWidget(RespostaEdit, 3, 3, 1, 2);
  top->addWidget(EstatMpegBtn, 4, 0);
  top->addWidget(EstatMpegEdit, 4, 1, 1, 4);
  auto* memos = new QHBoxLayout;
  memos->addWidget(CharMemo, 3);
  memos->addWidget(AsciiMemo, 2);
  auto* flags = new QGridLayout;
  QCheckBox* boxes[] = {syncbCheckBox, teiCheckBox, scCheckBox, tidCheckBox};
  QLineEdit* edits[] = {syncbEdit, teiEdit, scEdit, tidEdit};
  for (int i = 0; i < 4; ++i) {
    flags->addWidget(boxes[i], 0, i);
    flags->addWidget(edits[i], 1, i);
  }
  flags->addWidget(RefreshNoisedBtn, 1, 4);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addLayout(memos, 1);
  all->addLayout(flags);
  panelArea = new QVBoxLayout;
  all->addLayout(panelArea);
  resize(760, 560);

  connect(GetPacketBtn, &QPushButton::clicked, this, &TMpegDlg::GetPacketBtnClick);
  connect(GetSect, &QPushButton::clicked, this, &TMpegDlg::GetSectClick);
  connect(SDTBtn, &QPushButton::clicked, this, &TMpegDlg::SDTBtnClick);
  connect(RefreshBtn, &QPushButton::clicked, this, &TMpegDlg::RefreshBtnClick);
  connect(EstatMpegBtn, &QPushButton::clicked, this, &TMpegDlg::EstatMpegBtnClick);
  connect(ClearBtn, &QPushButton::clicked, this, &TMpegDlg::ClearBtnClick);
  connect(EnviarBtn, &QPushButton::clicked, this, &TMpegDlg::EnviarBtnClick);
  connect(DirectMpegBtn0, &QPushButton::clicked, this, &TMpegDlg::DirectMpegBtn0Click);
  connect(DirectMpegBtn1, &QPushButton::clicked, this, &TMpegDlg::DirectMpegBtn1Click);
  connect(DirectMpegBtn2, &QPushButton::clicked, this, &TMpegDlg::DirectMpegBtn2Click);
  connect(DirectMpeg3, &QPushButton::clicked, this, &TMpegDlg::DirectMpeg3Click);
  connect(DirectMpegBtn4, &QPushButton::clicked, this, &TMpegDlg::DirectMpegBtn4Click);
  connect(DirectMpegBtn5, &QPushButton::clicked, this, &TMpegDlg::DirectMpegBtn5Click);
  // A row writes on every change of its box's state, the refresh's included.
  connect(syncbCheckBox, &QCheckBox::toggled, this, &TMpegDlg::syncbCheckBoxClick);
  connect(teiCheckBox, &QCheckBox::toggled, this, &TMpegDlg::teiCheckBoxClick);
  connect(scCheckBox, &QCheckBox::toggled, this, &TMpegDlg::scCheckBoxClick);
  connect(tidCheckBox, &QCheckBox::toggled, this, &TMpegDlg::tidCheckBoxClick);
  connect(RefreshNoisedBtn, &QPushButton::clicked, this, &TMpegDlg::RefreshNoisedBtnClick);
  CharMemo->viewport()->installEventFilter(this);
  CharMemo->installEventFilter(this);
  EnviarComboBox->installEventFilter(this);
  EnviarComboBox->lineEdit()->installEventFilter(this);
}

TMpegDlg::~TMpegDlg() = default;

bool TMpegDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CharMemo->viewport() && event->type() == QEvent::MouseMove) CharMemoMouseMove();
  if (watched == CharMemo && event->type() == QEvent::KeyRelease) CharMemoKeyUp();
  if ((watched == EnviarComboBox || watched == EnviarComboBox->lineEdit()) && event->type() == QEvent::KeyPress)
    return EnviarComboBoxKeyDown(static_cast<QKeyEvent*>(event)->key());
  return QDialog::eventFilter(watched, event);
}

bool TMpegDlg::EnviarComboBoxKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  SendTypedCommand();
  return true;
}

void TMpegDlg::ErrorBox(int id) {
  cv::ShowBox(cv::CurrentPrompter(), cv::Msg(id), cv::Msg(m::ErrorCaption), cv::MsgIcon::Error);
}

void TMpegDlg::ShowDump(const std::optional<std::string>& text, size_t positions) {
  if (!text) {
    CharMemo->appendPlainText(cv::MsgQ(m::ErrorRxTx));
    return;
  }
  char time[64] = {};
  equipment->TimeString(time);
  CharMemo->appendPlainText(cv::From1252(time));
  CharMemo->appendPlainText(cv::From1252(*text));
  if (ConvertirCheckBox->isChecked()) {
    AsciiMemo->appendPlainText(" ");
    AsciiMemo->appendPlainText(cv::From1252(HexToText(*text, positions)));
  }
}

void TMpegDlg::GetPacketBtnClick() { ShowDump(analyzer.PacketDump(), kPacketChars); }

void TMpegDlg::GetSectClick() { ShowDump(analyzer.SectionDump(), kSectionPositions); }

void TMpegDlg::ShowTable(MpegAnalyzer::Table table) {
  static const int texts[] = {m::Sdt, m::Nit, m::NoAnswer, m::NotChanged};
  TaulaLabel->setText(cv::MsgQ(texts[static_cast<int>(table)]));
}

void TMpegDlg::SDTBtnClick() {
  const MpegAnalyzer::Table table = analyzer.ChangeTable(SdtSelected);
  SDTBtn->setText(cv::MsgQ(m::SDTBtn));
  ShowTable(table);
}

void TMpegDlg::RefreshBtnClick() { ShowTable(analyzer.RefreshTable(SdtSelected)); }

void TMpegDlg::EstatMpegBtnClick() {
  const std::string current = cv::To1252(EstatMpegEdit->text());
  const std::optional<std::string> status = analyzer.Status(current);
  // A status that never came is said in its place, never left as a blank that looks like one.
  EstatMpegEdit->setText(cv::From1252(status ? *status : AppendStatus(current, "*MP" + cv::Msg(m::NoAnswer))));
}

void TMpegDlg::ClearBtnClick() {
  AsciiMemo->clear();
  CharMemo->clear();
  EstatMpegEdit->clear();
}

void TMpegDlg::SendTypedCommand() {
  std::string text = cv::To1252(EnviarComboBox->currentText());
  std::string reply;
  const MpegAnalyzer::Typed sent = analyzer.SendTyped(text, reply);
  const QString shown = cv::From1252(text);
  EnviarComboBox->setEditText(shown);
  if (sent == MpegAnalyzer::Typed::TooShort) return;
  if (sent == MpegAnalyzer::Typed::Query) RespostaEdit->setText(cv::From1252(reply));
  if (sent == MpegAnalyzer::Typed::NoReply) RespostaEdit->setText(cv::MsgQ(m::NoAnswer));
  EnviarComboBox->addItem(shown);
  // Adding an item to an empty history would select it; the typed text stays as it is.
  EnviarComboBox->setEditText(shown);
}

void TMpegDlg::EnviarBtnClick() { SendTypedCommand(); }

void TMpegDlg::ShowSelection() {
  const SelectionReadout r =
      cv::cv4::ShowSelection(static_cast<size_t>(CharMemo->textCursor().selectedText().size()), equipment->decimalSeparator);
  SelEdit->setText(QString::fromLatin1(r.bytes.c_str()));
  SelEditHex->setText(QString::fromLatin1(r.hex.c_str()));
}

void TMpegDlg::CharMemoMouseMove() { ShowSelection(); }
void TMpegDlg::CharMemoKeyUp() { ShowSelection(); }

void TMpegDlg::DirectMpegBtn0Click() { analyzer.WriteDirect(0); }
void TMpegDlg::DirectMpegBtn1Click() { analyzer.WriteDirect(1); }
void TMpegDlg::DirectMpegBtn2Click() { analyzer.WriteDirect(2); }
void TMpegDlg::DirectMpeg3Click() { analyzer.WriteDirect(3); }
void TMpegDlg::DirectMpegBtn4Click() { analyzer.WriteDirect(4); }
void TMpegDlg::DirectMpegBtn5Click() { analyzer.WriteDirect(5); }

void TMpegDlg::FlagClick(QCheckBox* box, QLineEdit* address) {
  std::string command;
  switch (analyzer.WriteFlag(cv::To1252(address->text()), box->isChecked(), command)) {
    case MpegAnalyzer::FlagWrite::BadAddress:
      ErrorBox(m::BadAddress);
      return;
    case MpegAnalyzer::FlagWrite::Refused:
      EnviarComboBox->setEditText(cv::From1252(command));
      ErrorBox(m::NotAccepted);
      return;
    case MpegAnalyzer::FlagWrite::Accepted:
      EnviarComboBox->setEditText(cv::From1252(command));
      return;
  }
}

void TMpegDlg::syncbCheckBoxClick() { FlagClick(syncbCheckBox, syncbEdit); }
void TMpegDlg::teiCheckBoxClick() { FlagClick(teiCheckBox, teiEdit); }
void TMpegDlg::scCheckBoxClick() { FlagClick(scCheckBox, scEdit); }
void TMpegDlg::tidCheckBoxClick() { FlagClick(tidCheckBox, tidEdit); }

void TMpegDlg::RefreshNoisedBtnClick() {
  if (!analyzer.FlagAccess()) return;
  const std::pair<QCheckBox*, QLineEdit*> rows[] = {
      {tidCheckBox, tidEdit}, {scCheckBox, scEdit}, {teiCheckBox, teiEdit}, {syncbCheckBox, syncbEdit}};
  for (const auto& [box, edit] : rows) {
    const std::string address = cv::To1252(edit->text());
    if (address.size() != kFlagAddressLength) {
      ErrorBox(m::BadAddress);
      continue;
    }
    // A changed state writes itself back through the box's toggled signal.
    if (const std::optional<bool> on = analyzer.ReadFlag(address)) box->setChecked(*on);
  }
}

std::unique_ptr<QDialog> MakeMpegDlg(QWidget* owner, TCv3Equip& equipment) {
  return std::make_unique<TMpegDlg>(owner, &equipment);
}

}  // namespace cv::cv4
