#include "Chandlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "AppServices.h"
#include "Chanblockdlg.h"
#include "Chanplandlg.h"
#include "Cv3Equip.h"
#include "CommandTable.h"
#include "DialogExit.h"
#include "EnterKey.h"
#include "FixedFont.h"
#include "FocusMoves.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlanFormat.h"
#include "PluginHelp.h"
#include "Prompt.h"
#include "Text1252.h"

namespace {

QPushButton* Button(QWidget* parent, const char* name, int textId, int hintId = 0) {
  auto* b = new QPushButton(cv::MsgQ(textId), parent);
  b->setObjectName(name);
  if (hintId) b->setToolTip(cv::MsgQ(hintId));
  b->setAutoDefault(false);
  return b;
}


}  // namespace

TChannelsDlg::TChannelsDlg(QWidget* owner, PlanSlot& plan, TCv3Equip* eq, const cv::plan::PlanFamily& family)
    : QDialog(owner), target(plan), equip(eq), editor(plan, family) {
  namespace m = cv::msg;
  setObjectName("ChannelsDlg");
  std::string caption = cv::Msg(m::ChannelsEditorCaption);
  // The plan's name without the blanks that pad it to the instrument's 8 characters.
  if (auto at = caption.find("%s"); at != std::string::npos) caption.replace(at, 2, cv::plan::ShownName(plan.name));
  setWindowTitle(cv::From1252(caption));
  beep = [] { QApplication::beep(); };
  errorBox = [this](const QString& text, const QString& title) {
    QMessageBox::warning(this, title, text);
  };

  ChanListBox = new QListWidget(this);
  ChanListBox->setObjectName("ChanListBox");
  ChanListBox->setFont(cv::FixedPitchFont("Courier New"));

  auto edit = [this](const char* name, int hintId) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    if (hintId) e->setToolTip(cv::MsgQ(hintId));
    e->installEventFilter(this);
    return e;
  };
  NameEdit = edit("NameEdit", m::ChanNameHint);
  NameEdit->setMaxLength(4);
  FreqEdit = edit("FreqEdit", m::ChanFreqHint);
  FreqEdit->setMaxLength(8);
  BWEdit = edit("BWEdit", 0);
  BWEdit->setMaxLength(editor.BandwidthChars());
  BWLabel = new QLabel(cv::MsgQ(m::ChanBwLabel), this);
  BWLabel->setObjectName("BWLabel");

  QComboBox** combos[3] = {&Comm1Combo, &Comm2Combo, &Comm3Combo};
  for (int i = 0; i < 3; ++i) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString("Comm%1Combo").arg(i + 1));
    c->installEventFilter(this);
    TChannelsPlanDlg::FillCommandCombo(c, *family.commands);
    connect(c, &QComboBox::activated, this, [this, i](int) { OnExitCommCombo(i); });
    *combos[i] = c;
  }

  AddBtn = Button(this, "AddBtn", m::ChanAddBtn, m::ChanAddHint);
  DeleteBtn = Button(this, "DeleteBtn", m::ChanDeleteBtn, m::ChanDeleteHint);
  BlockBtn = Button(this, "BlockBtn", m::ChanBlockBtn, m::ChanBlockHint);
  OKBtn = Button(this, "OKBtn", m::ChanOkBtn);
  CancelBtn = Button(this, "CancelBtn", m::ChanCancelBtn);
  HelpBtn = Button(this, "HelpBtn", m::ChanHelpBtn);
  if (family.channelComm3Hint) Comm3Combo->setToolTip(cv::MsgQ(family.channelComm3Hint));
  if (family.channelCancelHint) CancelBtn->setToolTip(cv::MsgQ(family.channelCancelHint));
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");

  // A label names its field and gives the field's keyboard shortcut.
  auto label = [this](int textId, QWidget* buddy) {
    auto* l = new QLabel(cv::MsgQ(textId), this);
    l->setBuddy(buddy);
    return l;
  };
  auto* fields = new QGridLayout;
  fields->addWidget(label(m::ChanNameLabel, NameEdit), 0, 0);
  fields->addWidget(NameEdit, 0, 1);
  fields->addWidget(label(m::ChanFreqLabel, FreqEdit), 1, 0);
  fields->addWidget(FreqEdit, 1, 1);
  fields->addWidget(BWLabel, 2, 0);
  fields->addWidget(BWEdit, 2, 1);
  fields->addWidget(label(m::ChanCommandLabelFirst, Comm1Combo), 3, 0);
  fields->addWidget(Comm1Combo, 3, 1);
  fields->addWidget(label(m::ChanCommandLabelFirst + 1, Comm2Combo), 4, 0);
  fields->addWidget(Comm2Combo, 4, 1);
  fields->addWidget(label(m::ChanCommandLabelFirst + 2, Comm3Combo), 5, 0);
  fields->addWidget(Comm3Combo, 5, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(AddBtn);
  listButtons->addWidget(DeleteBtn);
  listButtons->addWidget(BlockBtn);
  auto* left = new QVBoxLayout;
  left->addWidget(ChanListBox);
  left->addLayout(listButtons);
  auto* right = new QVBoxLayout;
  right->addWidget(Image1);
  right->addLayout(fields);
  right->addStretch();
  auto* closeButtons = new QHBoxLayout;
  closeButtons->addStretch();
  closeButtons->addWidget(OKBtn);
  closeButtons->addWidget(CancelBtn);
  closeButtons->addWidget(HelpBtn);
  right->addLayout(closeButtons);
  auto* top = new QHBoxLayout(this);
  top->addLayout(left);
  top->addLayout(right);

  connect(AddBtn, &QPushButton::clicked, this, &TChannelsDlg::AddBtnClick);
  connect(DeleteBtn, &QPushButton::clicked, this, &TChannelsDlg::DeleteBtnClick);
  connect(BlockBtn, &QPushButton::clicked, this, &TChannelsDlg::BlockBtnClick);
  connect(OKBtn, &QPushButton::clicked, this, &TChannelsDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TChannelsDlg::CancelBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TChannelsDlg::HelpBtnClick);
  // Cancel throws the working copy away as its caption says; Esc and the close box ask the plan
  // editor's Close question first when it holds changes (Yes keeps them as OK does), and do
  // nothing while Cancel is off.
  cv::ExitThrough(*this, *CancelBtn, [this] { LeaveAsking(); });
  connect(ChanListBox, &QListWidget::currentRowChanged, this, [this](int row) {
    if (filling) return;
    editor.Select(row);
    ShowChannel();
  });

  if (equip) equip->LoadCustomLogo(Image1);
  ClearEdits();
  FillChannelList();
  EnableEdits();
  EnableButtons(true);
}

TChannelsDlg::~TChannelsDlg() {
  // Widgets going away lose their focus; no exit check may run on a half-destroyed form.
  for (QObject* w : {static_cast<QObject*>(NameEdit), static_cast<QObject*>(FreqEdit),
                     static_cast<QObject*>(BWEdit)}) {
    w->removeEventFilter(this);
  }
  for (QComboBox* c : {Comm1Combo, Comm2Combo, Comm3Combo}) c->removeEventFilter(this);
}

void TChannelsDlg::FillChannelList() {
  filling = true;
  ChanListBox->clear();
  for (int i = 0; i < editor.Count(); ++i) {
    ChanListBox->addItem(cv::From1252(editor.ListLine(i)));
  }
  ChanListBox->setCurrentRow(editor.Selected());
  filling = false;
}

void TChannelsDlg::ShowChannel() {
  if (editor.Selected() < 0) {
    ClearEdits();
    return;
  }
  NameEdit->setText(cv::From1252(editor.NameText()));
  FreqEdit->setText(cv::From1252(editor.FrequencyText()));
  BWEdit->setText(cv::From1252(editor.BandwidthText()));
  Comm1Combo->setCurrentIndex(editor.CommandRow(0));
  Comm2Combo->setCurrentIndex(editor.CommandRow(1));
  Comm3Combo->setCurrentIndex(editor.CommandRow(2));
}

void TChannelsDlg::ClearEdits() {
  NameEdit->clear();
  FreqEdit->clear();
  BWEdit->clear();
}

void TChannelsDlg::EnableEdits() {
  bool sat = editor.IsSatellite();
  bool bandwidth = editor.ShowsBandwidth();
  FreqEdit->setEnabled(true);
  NameEdit->setEnabled(true);
  Comm1Combo->setEnabled(true);
  Comm2Combo->setEnabled(sat);
  Comm3Combo->setEnabled(sat);
  BWEdit->setVisible(bandwidth);
  BWLabel->setVisible(bandwidth);
  BWEdit->setEnabled(bandwidth);
  BWLabel->setEnabled(bandwidth);
}

void TChannelsDlg::EnableButtons(bool on) {
  for (QPushButton* b : {OKBtn, CancelBtn, AddBtn, BlockBtn}) b->setEnabled(on);
  DeleteBtn->setEnabled(on && editor.Count() > 0);
}

void TChannelsDlg::AddBtnClick() {
  if (!editor.Add()) {
    errorBox(cv::MsgQ(cv::msg::PlanChannelsFull), cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption));
    return;
  }
  FillChannelList();
  ShowChannel();
  EnableButtons(true);
}

void TChannelsDlg::DeleteBtnClick() {
  if (editor.Selected() < 0) return;
  editor.Delete();
  FillChannelList();
  ShowChannel();
  EnableButtons(true);
}

void TChannelsDlg::BlockBtnClick() {
  if (!editor.CanAddChannels()) {
    errorBox(cv::MsgQ(cv::msg::PlanChannelsFull), cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption));
    return;
  }
  BlockSettings block = editor.NewBlockSettings();
  TChannelsBlockDlg dialog(this, block, editor.Plan().band, editor.Plan().lnbMHz,
                           equip ? equip->GetStartDir() : std::string(), editor.Family());
  dialog.helpEquip = equip;
  if (dialog.exec() != QDialog::Accepted) return;
  editor.GenerateBlock(block);
  FillChannelList();
  ShowChannel();
  EnableButtons(true);
}

void TChannelsDlg::OKBtnClick() {
  if (editor.HasDuplicateFrequency()) {
    errorBox(cv::MsgQ(cv::msg::SameFrequencyTwice), cv::MsgQ(cv::msg::ChannelEditorErrorCaption));
    return;
  }
  target = editor.Plan();
  accept();
}

void TChannelsDlg::CancelBtnClick() { reject(); }

// Esc and the close box come while the field is still being typed in, before its exit check: it
// is read first, so the question knows of the value and Cancel keeps it.
bool TChannelsDlg::ReadFieldBeingTyped() {
  refused = false;
  QWidget* typing = focusWidget();
  if (typing == NameEdit) OnExitNameEdit();
  else if (typing == FreqEdit) OnExitFreqEdit();
  else if (typing == BWEdit) OnExitBWEdit();
  else if (typing == Comm1Combo) OnExitCommCombo(0);
  else if (typing == Comm2Combo) OnExitCommCombo(1);
  else if (typing == Comm3Combo) OnExitCommCombo(2);
  return !refused;
}

void TChannelsDlg::LeaveAsking() {
  // A refused value is dropped with a beep; leaving at the same key would hide that it was never
  // taken, so the dialog stays with the field back on its kept value, and the next Esc leaves.
  if (!ReadFieldBeingTyped()) return;
  if (!editor.Edited()) {
    reject();
    return;
  }
  bool kept = false;
  const bool leave = cv::AskToSaveChanges(cv::PrompterInForce(), cv::Msg(cv::msg::PlanAskSave),
                                          cv::Msg(cv::msg::PlanCaptionWarning), [this, &kept] {
                                            OKBtnClick();  // refuses a plan with a frequency twice
                                            kept = result() == QDialog::Accepted && !isVisible();
                                            return kept;
                                          });
  if (leave && !kept) reject();
}

void TChannelsDlg::HelpBtnClick() {
  ShowPluginHelp(equip, HelpTopic::Channels);
}

void TChannelsDlg::AfterExit(ChannelListEditor::Exit result, QWidget* refocus) {
  using Exit = ChannelListEditor::Exit;
  switch (result) {
    case Exit::Unchanged:
      return;
    case Exit::Changed:
      FillChannelList();
      return;
    case Exit::Reselected:
      FillChannelList();
      ShowChannel();
      return;
    case Exit::Refused:
      refused = true;
      ShowChannel();
      // After the focus change under way has finished.
      if (refocus) QTimer::singleShot(0, refocus, [refocus] { refocus->setFocus(); });
      beep();
      return;
  }
}

void TChannelsDlg::OnExitNameEdit() {
  std::string shown;
  auto result = editor.ReadName(cv::To1252(NameEdit->text()), shown);
  if (result == ChannelListEditor::Exit::Unchanged || result == ChannelListEditor::Exit::Changed) {
    if (editor.Selected() >= 0) NameEdit->setText(cv::From1252(shown));
  }
  AfterExit(result, nullptr);
}

void TChannelsDlg::OnExitFreqEdit() {
  AfterExit(editor.ReadFrequency(cv::To1252(FreqEdit->text())), FreqEdit);
}

void TChannelsDlg::OnExitBWEdit() {
  AfterExit(editor.ReadBandwidth(cv::To1252(BWEdit->text())), nullptr);
}

void TChannelsDlg::OnExitCommCombo(int which) {
  QComboBox* combos[3] = {Comm1Combo, Comm2Combo, Comm3Combo};
  AfterExit(editor.ReadCommand(which, combos[which]->currentIndex()), nullptr);
}

void TChannelsDlg::EditToChan() { ChanListBox->setFocus(); }

bool TChannelsDlg::eventFilter(QObject* watched, QEvent* event) {
  if (cv::EnterMovesFocus(event, ChanListBox)) return true;  // EditToChan
  if (cv::IsControlExit(event)) {
    if (watched == NameEdit) OnExitNameEdit();
    else if (watched == FreqEdit) OnExitFreqEdit();
    else if (watched == BWEdit) OnExitBWEdit();
  }
  return QDialog::eventFilter(watched, event);
}

void TChannelsDlg::keyPressEvent(QKeyEvent* event) {
  if (cv::EnterMovesFocus(event, ChanListBox)) return;  // EditToChan
  QDialog::keyPressEvent(event);
}
