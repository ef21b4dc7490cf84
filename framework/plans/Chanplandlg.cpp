#include "Chanplandlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "AppServices.h"
#include "Chandlg.h"
#include "CommandTable.h"
#include "Cv3Equip.h"
#include "BusyCursor.h"
#include "ControlsOff.h"
#include "DialogExit.h"
#include "DialogFileChooser.h"
#include "EnterKey.h"
#include "FixedFont.h"
#include "FocusMoves.h"
#include "PluginHelp.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Format.h"
#include "PlanFormat.h"
#include "ScriptEngine.h"
#include "Text1252.h"

using namespace cv::plan;

// The editor's way to the equipment, the person, the file dialogs and this form.
class TChannelsPlanDlg::Adapter : public PlanEquipment, public DialogFileChooser, public PlanView {
 public:
  Adapter(TChannelsPlanDlg& dlg, TCv3Equip& e)
      : DialogFileChooser(&dlg, cv::MsgQ(cv::msg::PlanSelectFile)), dlg(dlg), e(e) {}

  bool HasPort() const override { return e.port != nullptr; }
  bool CheckVersion() override { return e.CheckVersion(); }
  PlanAnswer ReadPlanInfo(int plan, PlanInfo& info) override {
    bool answered = false, absent = false;
    if (e.ReadPlanInfo(plan, info, &answered, &absent)) return PlanAnswer::Plan;
    return !answered ? PlanAnswer::Lost : absent ? PlanAnswer::NoPlan : PlanAnswer::Garbled;
  }
  bool ReadChannelInfo(int c, int p, TChan3& chan, char band) override { return e.ReadChannelInfo(c, p, chan, band); }
  bool RunScript(const std::string& path) override {
    return dlg.scriptRunner ? dlg.scriptRunner(path, &dlg) : false;
  }
  int StoppedLine() const override { return e.Script().lineNumber; }
  int ParseLine(const std::string& l, int& k, std::vector<std::string>& a) override {
    return ParseDialectLine(e.Dialect(), l, k, a);
  }
  bool SplitFields(const std::string& line, std::vector<std::string>& fields) override {
    bool any = e.SplitFields(line.c_str());
    fields.assign(std::begin(e.fields), std::end(e.fields));
    return any;
  }
  void Log(const std::string& line) override { e.Log(line); }
  std::string ModelName() const override { return e.modelName; }
  std::string StartDir() const override { return e.GetStartDir(); }
  char DecimalSeparator() const override { return e.decimalSeparator; }
  char ListSeparator() const override { return e.listSeparator; }

  void SetGauge(int percent) override { dlg.Gauge->setValue(percent); }
  void Repaint() override { dlg.repaint(); }
  void AddLogZone(const std::string& line) override { dlg.AddLogLine(line); }
  void SetBusy(bool busy) override { cv::SetBusyCursor(busy); }

 private:
  TChannelsPlanDlg& dlg;
  TCv3Equip& e;
};

TChannelsPlanDlg::TChannelsPlanDlg(QWidget* owner, TCv3Equip* equipment, const cv::plan::PlanFamily& planFamily)
    : TLogForm(owner), equip(equipment), family(planFamily) {
  // Edit opens the channel list editor on a copy of the selected slot; OK writes it back.
  channelEditor = [this](TChannelsPlanDlg*, int) {
    PlanSlot* slot = GetSelectedPlan();
    if (!slot) return false;
    TChannelsDlg channels(this, *slot, equip, family);
    return channels.exec() == QDialog::Accepted;
  };
  using cv::MsgQ;
  namespace m = cv::msg;
  setWindowTitle(MsgQ(m::PlanFormCaption));
  auto* grid = new QGridLayout(this);
  auto button = [&](QPushButton*& b, const char* name, int text, int hint, int row, int col, void (TChannelsPlanDlg::*slot)()) {
    b = new QPushButton(MsgQ(text), this);
    b->setObjectName(name);
    if (hint) b->setToolTip(MsgQ(hint));
    grid->addWidget(b, row, col);
    connect(b, &QPushButton::clicked, this, slot);
  };
  ListBoxLabel = new QLabel(MsgQ(m::PlanListLabel), this);
  ListBoxLabel->setObjectName("ListBoxLabel");
  grid->addWidget(ListBoxLabel, 0, 0);
  ChanPlanListBox = new QListWidget(this);
  ChanPlanListBox->setObjectName("ChanPlanListBox");
  ChanPlanListBox->setToolTip(MsgQ(m::PlanListHint));
  ChanPlanListBox->setFont(cv::FixedPitchFont("Courier New", 10));
  ChanPlanListBox->installEventFilter(this);
  grid->addWidget(ChanPlanListBox, 1, 0, 7, 1);
  connect(ChanPlanListBox, &QListWidget::itemClicked, this, &TChannelsPlanDlg::OnClickListBox);
  connect(ChanPlanListBox, &QListWidget::itemDoubleClicked, this, &TChannelsPlanDlg::EditBtnClick);
  ListBoxLabel->setBuddy(ChanPlanListBox);

  button(UpBtn, "UpBtn", m::PlanUp, m::PlanUpHint, 1, 1, &TChannelsPlanDlg::UpBtnClick);
  button(DownBtn, "DownBtn", m::PlanDown, m::PlanDownHint, 2, 1, &TChannelsPlanDlg::DownBtnClick);
  button(EditBtn, "EditBtn", m::PlanEdit, m::PlanEditHint, 3, 1, &TChannelsPlanDlg::EditBtnClick);
  button(NewBtn, "NewBtn", m::PlanNew, m::PlanNewHint, 4, 1, &TChannelsPlanDlg::NewBtnClick);
  button(InsertBtn, "InsertBtn", m::PlanInsert, m::PlanInsertHint, 5, 1, &TChannelsPlanDlg::InsertBtnClick);
  button(DeleteBtn, "DeleteBtn", m::PlanDelete, m::PlanDeleteHint, 6, 1, &TChannelsPlanDlg::DeleteBtnClick);
  button(ExtractBtn, "ExtractBtn", m::PlanExtract, family.extractHint ? family.extractHint : m::PlanExtractHint, 1, 4,
         &TChannelsPlanDlg::ExtractBtnClick);
  button(AddBtn, "AddBtn", m::PlanAdd, m::PlanAddHint, 2, 4, &TChannelsPlanDlg::AddBtnClick);
  button(SaveBtn, "SaveBtn", m::PlanSave, m::PlanSaveHint, 3, 4, &TChannelsPlanDlg::SaveBtnClick);
  button(ReadBtn, "ReadBtn", m::PlanRead, m::PlanReadHint, 4, 4, &TChannelsPlanDlg::ReadBtnClick);
  button(SendBtn, "SendBtn", m::PlanSend, family.sendHint, 5, 4, &TChannelsPlanDlg::SendBtnClick);
  button(ReceiveBtn, "ReceiveBtn", m::PlanReceive, family.receiveHint, 6, 4, &TChannelsPlanDlg::ReceiveBtnClick);
  button(CloseBtn, "CloseBtn", m::PlanClose, m::PlanCloseHint, 7, 4, &TChannelsPlanDlg::CloseBtnClick);
  button(HelpBtn, "HelpBtn", m::PlanHelp, 0, 7, 1, &TChannelsPlanDlg::HelpBtnClick);

  // Their exit handlers run from eventFilter, on a move of the focus only.
  auto edit = [&](QLineEdit*& e, const char* name, int label, int hint, int row) {
    auto* l = new QLabel(MsgQ(label), this);
    e = new QLineEdit(this);
    e->setObjectName(name);
    e->setToolTip(MsgQ(hint));
    e->installEventFilter(this);
    l->setBuddy(e);
    grid->addWidget(l, row, 2);
    grid->addWidget(e, row, 3);
  };
  edit(NameEdit, "NameEdit", m::PlanNameLabel, m::PlanNameHint, 1);
  edit(CodeEdit, "CodeEdit", m::PlanCodeLabel, m::PlanCodeHint, 2);
  edit(LNBEdit, "LNBEdit", m::PlanLnbLabel, m::PlanLnbHint, 3);
  edit(NumberChanEdit, "NumberChanEdit", m::PlanChannelsLabel, m::PlanChannelsHint, 4);
  NumberChanEdit->setReadOnly(true);
  NameEdit->setMaxLength(8);

  auto combo = [&](QComboBox*& c, const char* name, int label, int hint, int row, void (TChannelsPlanDlg::*exit)()) {
    auto* l = new QLabel(MsgQ(label), this);
    c = new QComboBox(this);
    c->setObjectName(name);
    c->setToolTip(MsgQ(hint));
    c->installEventFilter(this);
    l->setBuddy(c);
    grid->addWidget(l, row, 2);
    grid->addWidget(c, row, 3);
    connect(c, QOverload<int>::of(&QComboBox::activated), this, exit);
  };
  combo(BandCombo, "BandCombo", m::PlanBandLabel, m::PlanBandHint, 5, &TChannelsPlanDlg::OnExitBandCombo);
  combo(Comm1Combo, "Comm1Combo", m::PlanComm1Label, m::PlanComm1Hint, 6, &TChannelsPlanDlg::OnExitComm1Combo);
  combo(Comm2Combo, "Comm2Combo", m::PlanComm2Label, m::PlanComm2Hint, 7, &TChannelsPlanDlg::OnExitComm2Combo);
  combo(Comm3Combo, "Comm3Combo", m::PlanComm3Label, m::PlanComm3Hint, 8, &TChannelsPlanDlg::OnExitComm3Combo);

  LogoTessary = new QLabel(this);
  LogoTessary->setObjectName("LogoTessary");
  grid->addWidget(LogoTessary, 0, 4);
  grid->addWidget(Gauge, 9, 0, 1, 2);
  grid->addWidget(RemoteLabel, 9, 2, 1, 3);
  RemoteLabel->hide();
  grid->addWidget(LogZone, 10, 0, 1, 5);
  // The log form's fixed size is for its own bare layout; this form is as large as its controls.
  LogZone->setMinimumHeight(70);
  ChanPlanListBox->setMinimumWidth(140);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  // The real collaborators; a test may put its own in their place.
  scriptRunner = [this](const std::string& path, TLogForm* progress) { return equip->RunScript(path, progress); };
  channelEditor = [this](TChannelsPlanDlg* planEditor, int index) {
    TChannelsDlg dialog(planEditor, planEditor->Editor().planSlots[index], equip, family);
    return dialog.exec() == QDialog::Accepted;
  };

  adapter = std::make_unique<Adapter>(*this, *equip);
  editor = std::make_unique<PlanEditor>(*adapter, cv::PrompterInForce(), *adapter, *adapter, family);
  equip->LoadCustomLogo(LogoTessary);
  LogZone->clear();
  BandCombo->addItems({MsgQ(m::PlanBandTer), MsgQ(m::PlanBandSat)});
  if (family.thirdBandLabel) BandCombo->addItem(MsgQ(family.thirdBandLabel));
  for (QComboBox* c : {Comm1Combo, Comm2Combo, Comm3Combo}) FillCommandCombo(c, *family.commands);
  ClearEdits();
  EnableEdits(false);
  EnableButtons();
  // Esc and the close box ask about unsaved plans as Close does, and do nothing while a
  // transfer holds Close off.
  cv::ExitThrough(*this, *CloseBtn);
}

TChannelsPlanDlg::~TChannelsPlanDlg() = default;

void TChannelsPlanDlg::FillCommandCombo(QComboBox* combo, const TCommandTable& table) {
  combo->clear();
  for (int row = 0; row < table.Rows(); ++row)
    combo->addItem(row == table.NoCommandRow() ? cv::MsgQ(cv::msg::PlanNoCommand) : cv::From1252(table.Row(row).label));
  combo->setCurrentIndex(table.NoCommandRow());
}

std::vector<QWidget*> TChannelsPlanDlg::Buttons() const {
  return {UpBtn,  DownBtn, EditBtn, NewBtn,  InsertBtn,  DeleteBtn, ExtractBtn,
          AddBtn, SaveBtn, ReadBtn, SendBtn, ReceiveBtn, CloseBtn,  HelpBtn};
}

template <typename F>
void TChannelsPlanDlg::Run(F&& handler) {
  // Declared first, so it runs after the buttons have their earlier states back (and also when
  // the handler throws): what the handler changed decides what is on now.
  struct Again {
    TChannelsPlanDlg* d;
    ~Again() { d->Refresh(); }
  } again{this};
  cv::ControlsOff off(Buttons());
  handler();
}

void TChannelsPlanDlg::Refresh() {
  FillPlanList();
  ShowPlan();
  EnableEdits(true);
  EnableButtons();
}

void TChannelsPlanDlg::FillPlanList() {
  QSignalBlocker block(ChanPlanListBox);
  ChanPlanListBox->clear();
  if (!editor->listFilled) return;
  for (int i = 0; i < editor->family.planSlots; ++i)
    ChanPlanListBox->addItem(cv::From1252(editor->planSlots[i].name));
  ChanPlanListBox->setCurrentRow(editor->listIndex < 0 ? 0 : editor->listIndex);
}

void TChannelsPlanDlg::ClearEdits() {
  for (QLineEdit* e : {CodeEdit, NumberChanEdit, LNBEdit, NameEdit}) e->clear();
}

void TChannelsPlanDlg::ShowPlan() {
  const PlanSlot* s = editor->planSelected ? editor->GetSelectedPlan() : nullptr;
  if (!s) {
    ClearEdits();
    return;
  }
  CodeEdit->setText(QString::fromStdString(Dec(s->code, 2, true)));
  NumberChanEdit->setText(QString::number(s->channelCount));
  LNBEdit->setText(QString::fromStdString(cv::PrintfFixed(s->lnbMHz, 3, 1)));
  NameEdit->setText(cv::From1252(ShownName(s->name)));
  BandCombo->setCurrentIndex(s->band == 'S' ? 1 : IsThirdBand(family, s->band) && family.thirdBandLabel ? 2 : 0);
  QComboBox* combos[3] = {Comm1Combo, Comm2Combo, Comm3Combo};
  for (int k = 0; k < 3; ++k) combos[k]->setCurrentIndex(family.commands->IndexOfMnemonic(s->commands[k]));
}

void TChannelsPlanDlg::EnableEdits(bool on) {
  bool enable = on && editor->planSelected;
  for (QWidget* w : std::initializer_list<QWidget*>{NameEdit, CodeEdit, LNBEdit, NumberChanEdit, BandCombo,
                                                    Comm1Combo, Comm2Combo, Comm3Combo})
    w->setEnabled(enable);
}

void TChannelsPlanDlg::EnableButtons() {
  bool sel = editor->planSelected;
  bool port = equip->port != nullptr;
  for (QPushButton* b : {CloseBtn, InsertBtn, NewBtn, ReadBtn, AddBtn, HelpBtn}) b->setEnabled(true);
  for (QPushButton* b : {DeleteBtn, EditBtn, SaveBtn, UpBtn, DownBtn, ExtractBtn}) b->setEnabled(sel);
  ReceiveBtn->setEnabled(port);
  SendBtn->setEnabled(sel && port);
}

void TChannelsPlanDlg::NewBtnClick() { Run([&] { editor->NewBtnClick(); }); }
void TChannelsPlanDlg::InsertBtnClick() { Run([&] { editor->InsertBtnClick(); }); }
void TChannelsPlanDlg::DeleteBtnClick() { Run([&] { editor->DeleteBtnClick(); }); }
void TChannelsPlanDlg::UpBtnClick() { Run([&] { editor->UpBtnClick(); }); }
void TChannelsPlanDlg::DownBtnClick() { Run([&] { editor->DownBtnClick(); }); }
void TChannelsPlanDlg::ReadBtnClick() { Run([&] { editor->ReadBtnClick(); }); }
void TChannelsPlanDlg::AddBtnClick() { Run([&] { editor->AddBtnClick(); }); }
void TChannelsPlanDlg::ExtractBtnClick() { Run([&] { editor->ExtractBtnClick(); }); }
void TChannelsPlanDlg::SaveBtnClick() { Run([&] { editor->SaveBtnClick(); }); }
// Send and Receive let window events run while they talk to the meter: the plan list and the
// plan's fields stay off with the buttons, so that nothing selects, edits or opens another plan
// under the transfer.
template <typename F>
void TChannelsPlanDlg::Transfer(F&& handler) {
  Run([&] {
    cv::ControlsOff off{ChanPlanListBox, NameEdit, CodeEdit,   LNBEdit,   NumberChanEdit,
                        BandCombo,       Comm1Combo, Comm2Combo, Comm3Combo};
    handler();
  });
}

void TChannelsPlanDlg::SendBtnClick() { Transfer([&] { editor->SendBtnClick(); }); }
void TChannelsPlanDlg::ReceiveBtnClick() { Transfer([&] { editor->ReceiveBtnClick(); }); }

void TChannelsPlanDlg::EditBtnClick() {
  Run([&] {
    int index = editor->EditBtnClick();
    if (index >= 0 && channelEditor && channelEditor(this, index)) editor->ChannelsEdited(index);
  });
}

void TChannelsPlanDlg::ReadAllEdits() {
  OnExitNameEdit();
  OnExitCodeEdit();
  OnExitLNBEdit();
  OnExitBandCombo();
  OnExitComm1Combo();
  OnExitComm2Combo();
  OnExitComm3Combo();
}

void TChannelsPlanDlg::CloseBtnClick() {
  if (editor->planSelected) {
    ReadAllEdits();
    ShowPlan();
  }
  if (editor->CloseBtnClick()) accept();
  Refresh();
}

void TChannelsPlanDlg::HelpBtnClick() { ShowPluginHelp(equip, HelpTopic::ChannelEditor); }

void TChannelsPlanDlg::OnClickListBox() {
  editor->OnClickListBox(ChanPlanListBox->currentRow());
  Refresh();
}

void TChannelsPlanDlg::OnExitNameEdit() {
  if (!editor->planSelected) return;
  std::string text = cv::To1252(NameEdit->text());
  bool changed = editor->ReadNameEdit(text) > 0;
  NameEdit->setText(cv::From1252(text));
  if (changed) FillPlanList();
}

// A refused value is answered with the beep (by the reader) and the stored value shown again,
// so the person sees what the plan still holds and an emptied edit cannot refuse every later
// exit. Out of range, the edit keeps the focus for another try.
void TChannelsPlanDlg::Refused(QLineEdit* edit, bool refocus) {
  ShowPlan();
  if (refocus) QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
}

void TChannelsPlanDlg::OnExitCodeEdit() {
  int r = editor->ReadCodeEdit(cv::To1252(CodeEdit->text()));
  if (r < 0)
    Refused(CodeEdit, true);
  else if (r > 0)
    ShowPlan();
}

void TChannelsPlanDlg::OnExitLNBEdit() {
  int r = editor->ReadLNBEdit(cv::To1252(LNBEdit->text()));
  if (r < 0)
    Refused(LNBEdit, r == -1);  // -2: a terrestrial plan has no LNB to type again
  else if (r > 0)
    ShowPlan();
}

void TChannelsPlanDlg::OnExitBandCombo() {
  if (editor->ReadBandCombo(BandCombo->currentIndex()) > 0) ShowPlan();
}
void TChannelsPlanDlg::OnExitComm1Combo() {
  if (editor->ReadCommandCombo(0, Comm1Combo->currentIndex()) > 0) ShowPlan();
}
void TChannelsPlanDlg::OnExitComm2Combo() {
  if (editor->ReadCommandCombo(1, Comm2Combo->currentIndex()) > 0) ShowPlan();
}
void TChannelsPlanDlg::OnExitComm3Combo() {
  if (editor->ReadCommandCombo(2, Comm3Combo->currentIndex()) > 0) ShowPlan();
}

bool TChannelsPlanDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ChanPlanListBox && cv::IsEnterKey(event)) {
    // The list is off while a handler runs, and its Enter is Edit's.
    if (ChanPlanListBox->isEnabled()) EditBtnClick();  // ChanPlanListBoxKeyDown
    return true;
  }
  // EditToPlan: the control's exit handler runs on focus out.
  if (cv::EnterMovesFocus(event, ChanPlanListBox)) return true;
  if (cv::IsControlExit(event)) {
    // Not editingFinished: it also comes when another window takes the focus.
    if (watched == NameEdit) OnExitNameEdit();
    else if (watched == CodeEdit) OnExitCodeEdit();
    else if (watched == LNBEdit) OnExitLNBEdit();
  }
  return TLogForm::eventFilter(watched, event);
}

void TChannelsPlanDlg::keyPressEvent(QKeyEvent* event) {
  if (cv::EnterMovesFocus(event, ChanPlanListBox)) return;  // EditToPlan
  TLogForm::keyPressEvent(event);
}
