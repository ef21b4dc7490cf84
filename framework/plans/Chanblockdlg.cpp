#include "Chanblockdlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "EnterKey.h"
#include "DialogExit.h"
#include "FocusMoves.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Text1252.h"

TChannelsBlockDlg::TChannelsBlockDlg(QWidget* owner, BlockSettings& settings, char band,
                                     float lnbMHz, const std::string& startDirectory,
                                     const cv::plan::PlanFamily& family)
    : QDialog(owner), block(settings, band, lnbMHz, family), startDir(startDirectory) {
  namespace m = cv::msg;
  setObjectName("ChannelsBlockDlg");
  setWindowTitle(cv::MsgQ(m::BlockCaption));

  auto edit = [this](const char* name, int hintId) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setToolTip(cv::MsgQ(hintId));
    e->installEventFilter(this);
    return e;
  };
  InitCharEdit = edit("InitCharEdit", m::BlockInitCharHint);
  InitCharEdit->setMaxLength(1);
  InitIndexEdit = edit("InitIndexEdit", m::BlockInitIndexHint);
  InitFreqEdit = edit("InitFreqEdit", m::BlockInitFreqHint);
  StepFreqEdit = edit("StepFreqEdit", m::BlockStepHint);
  QuantityEdit = edit("QuantityEdit", m::BlockQuantityHint);
  FirstChannelEdit = new QLineEdit(this);
  FirstChannelEdit->setObjectName("FirstChannelEdit");
  FirstChannelEdit->setReadOnly(true);
  LastChannelEdit = new QLineEdit(this);
  LastChannelEdit->setObjectName("LastChannelEdit");
  LastChannelEdit->setReadOnly(true);

  auto button = [this](const char* name, int textId, int hintId = 0) {
    auto* b = new QPushButton(cv::MsgQ(textId), this);
    b->setObjectName(name);
    if (hintId) b->setToolTip(cv::MsgQ(hintId));
    b->setAutoDefault(false);
    return b;
  };
  RefreshBitBtn = button("RefreshBitBtn", m::BlockRefreshBtn);
  OKBtn = button("OKBtn", m::BlockOkBtn, m::BlockOkHint);
  CancelBtn = button("CancelBtn", m::BlockCancelBtn, m::BlockCancelHint);
  HelpBtn = button("HelpBtn", m::BlockHelpBtn);

  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](int labelId, QWidget* w) {
    auto* l = new QLabel(cv::MsgQ(labelId), this);
    l->setBuddy(w);  // the label's '&' letter is the field's shortcut
    grid->addWidget(l, row, 0);
    grid->addWidget(w, row++, 1);
  };
  add(m::BlockInitCharLabel, InitCharEdit);
  add(m::BlockInitIndexLabel, InitIndexEdit);
  add(m::BlockInitFreqLabel, InitFreqEdit);
  add(m::BlockStepLabel, StepFreqEdit);
  add(m::BlockQuantityLabel, QuantityEdit);
  add(m::BlockFirstChannelLabel, FirstChannelEdit);
  add(m::BlockLastChannelLabel, LastChannelEdit);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(RefreshBitBtn);
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  buttons->addWidget(HelpBtn);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);

  connect(RefreshBitBtn, &QPushButton::clicked, this, &TChannelsBlockDlg::RefreshBitBtnClick);
  connect(OKBtn, &QPushButton::clicked, this, &TChannelsBlockDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(HelpBtn, &QPushButton::clicked, this, &TChannelsBlockDlg::HelpBtnClick);
  cv::ExitThrough(*this, *CancelBtn);

  ClearEdits();
  ShowBlock();
}

TChannelsBlockDlg::~TChannelsBlockDlg() {
  for (QLineEdit* e : {InitCharEdit, InitIndexEdit, InitFreqEdit, StepFreqEdit, QuantityEdit}) {
    e->removeEventFilter(this);
  }
}

void TChannelsBlockDlg::ShowBlock() {
  ChannelBlockEditor::Texts t = block.ShowBlock();
  InitCharEdit->setText(cv::From1252(t.initChar));
  InitIndexEdit->setText(cv::From1252(t.initIndex));
  InitFreqEdit->setText(cv::From1252(t.initFreq));
  FirstChannelEdit->setText(cv::From1252(t.firstChannel));
  LastChannelEdit->setText(cv::From1252(t.lastChannel));
  QuantityEdit->setText(cv::From1252(t.quantity));
  StepFreqEdit->setText(cv::From1252(t.step));
}

void TChannelsBlockDlg::ClearEdits() {
  for (QLineEdit* e : {InitCharEdit, InitIndexEdit, InitFreqEdit, StepFreqEdit, QuantityEdit}) {
    e->clear();
  }
}

bool TChannelsBlockDlg::ReadInitChar() { return block.ReadInitChar(cv::To1252(InitCharEdit->text())); }
bool TChannelsBlockDlg::ReadInitFreq() { return block.ReadInitFreq(cv::To1252(InitFreqEdit->text())); }
bool TChannelsBlockDlg::ReadInitIndex() {
  return block.ReadInitIndex(cv::To1252(InitIndexEdit->text()));
}
bool TChannelsBlockDlg::ReadStepFreq() { return block.ReadStepFreq(cv::To1252(StepFreqEdit->text())); }

bool TChannelsBlockDlg::ReadQuantity() {
  std::optional<std::string> restore;
  bool changed = block.ReadQuantity(cv::To1252(QuantityEdit->text()), restore);
  if (restore) QuantityEdit->setText(cv::From1252(*restore));
  return changed;
}

void TChannelsBlockDlg::RefreshBitBtnClick() { ShowBlock(); }

void TChannelsBlockDlg::OKBtnClick() {
  ReadInitChar();
  ReadInitFreq();
  ReadInitIndex();
  ReadQuantity();
  ReadStepFreq();
  accept();
}

void TChannelsBlockDlg::HelpBtnClick() {
  if (helpEquip)
    ShowPluginHelp(helpEquip, HelpTopic::Channels);
  else
    ShowPluginHelp(startDir, kChannelsHelpTopic);
}

void TChannelsBlockDlg::EditToBlock() { OKBtn->setFocus(); }

bool TChannelsBlockDlg::eventFilter(QObject* watched, QEvent* event) {
  if (cv::EnterMovesFocus(event, OKBtn)) return true;  // EditToBlock
  if (cv::IsControlExit(event)) {
    bool changed = watched == InitCharEdit    ? ReadInitChar()
                   : watched == InitIndexEdit ? ReadInitIndex()
                   : watched == InitFreqEdit  ? ReadInitFreq()
                   : watched == StepFreqEdit  ? ReadStepFreq()
                   : watched == QuantityEdit  ? ReadQuantity()
                                              : false;
    if (changed) ShowBlock();
  }
  return QDialog::eventFilter(watched, event);
}

void TChannelsBlockDlg::keyPressEvent(QKeyEvent* event) {
  if (cv::EnterMovesFocus(event, OKBtn)) return;  // EditToBlock
  QDialog::keyPressEvent(event);
}
