// The plan editor form's attribute and field areas: the choosers with their SYS, TYPE and band
// rules, the add and delete buttons, the fields with their Enter key and exit handlers.
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "FocusMoves.h"
#include "Format.h"
#include "Text1252.h"
#include "Xr9Attributes.h"
#include "Xr9Chanplandlg.h"
#include "Xr9Fields.h"

namespace cv::xr9 {

namespace {

// Attribute ids the rules name.
constexpr int kPalBg = 0, kLastTerrestrialSystem = 8, kSatAnalog = 9;
constexpr int kAnalog = 10, kDvbT = 11, kDvbC = 12, kDvbS = 13, kVsb8 = 45, kJ83B = 46, kDss = 47, kDvbS2 = 54;
constexpr int kQam64 = 28;

// The controls a TYPE enables or disables on the channel side, each with its add button.
constexpr const char* kTypeControls[][2] = {
    {"ComChanOFFSETFREQEdit", "AddComChanOFFSETFREQBtn"}, {"ComChanBWEdit", "AddComChanBWBtn"},
    {"ComChanSREdit", "AddComChanSRBtn"},                 {"ComChanSPINVComboBox", "AddComChanSPINVBtn"},
    {"ComChanCONSTComboBox", "AddComChanCONSTBtn"},       {"ComChanCARRIERSComboBox", "AddComChanCARRIERSBtn"},
    {"ComChanGUARDComboBox", "AddComChanGUARDBtn"},       {"ComChanCRComboBox", "AddComChanCRBtn"}};

// Per TYPE: offset, bandwidth, symbol rate, sp. inv., constellation, carriers, guard, code rate;
// 2 stands for "enabled on a satellite plan only".
struct TypeEnables {
  int type;
  int on[8];
};
constexpr TypeEnables kChannelTypeEnables[] = {
    {kAnalog, {0, 2, 0, 0, 0, 0, 0, 0}}, {kDvbT, {1, 1, 0, 1, 0, 1, 1, 0}}, {kDvbC, {0, 1, 1, 1, 1, 0, 0, 0}},
    {kDvbS, {0, 1, 1, 1, 0, 0, 0, 1}},   {kVsb8, {1, 0, 0, 1, 0, 0, 0, 0}}, {kJ83B, {0, 0, 1, 1, 1, 0, 0, 0}},
    {kDss, {0, 0, 0, 1, 0, 0, 0, 1}},    {kDvbS2, {0, 1, 1, 1, 1, 0, 0, 1}}};

// The eight fields: where Enter sends the focus, and the exit handler that leaving runs.
struct FieldWiring {
  const char* field;
  const char* next;
  void (TChannelsPlanDlg::*exit)();
};
const FieldWiring kFields[] = {
    {"ChannelNameEdit", "FreqEdit", &TChannelsPlanDlg::ChannelNameEditExit},
    {"FreqEdit", "ChannelNameEdit", &TChannelsPlanDlg::FreqEditExit},
    {"ChannelSpacingEdit", "ChannelNameEdit", &TChannelsPlanDlg::ChannelSpacingEditExit},
    {"PlanNameEdit", "PlanListBox", &TChannelsPlanDlg::PlanNameEditExit},
    {"ComPlanBWEdit", "AddComPlanBWBtn", &TChannelsPlanDlg::ComPlanBWEditExit},
    {"ComChanBWEdit", "AddComChanBWBtn", &TChannelsPlanDlg::ComChanBWEditExit},
    {"ComChanSREdit", "AddComChanSRBtn", &TChannelsPlanDlg::ComChanSREditExit},
    {"ComChanOFFSETFREQEdit", "AddComChanOFFSETFREQBtn", &TChannelsPlanDlg::ComChanOFFSETFREQEditExit}};

void LittleEndian(uint32_t v, uint8_t out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<int> SelectedLines(const QListWidget* list) {
  std::vector<int> lines;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) lines.push_back(i);
  return lines;
}

QRadioButton* Radio(QGroupBox* group, int index) {
  const QList<QRadioButton*> radios = group->findChildren<QRadioButton*>();
  return index < radios.size() ? radios[index] : nullptr;
}

void SetText(QLineEdit* e, const std::string& text1252) { TChannelsPlanDlg::ShowFieldText(e, cv::From1252(text1252)); }

constexpr char kShownText[] = "cvShownText";

}  // namespace

void TChannelsPlanDlg::ShowFieldText(QLineEdit* field, const QString& text) {
  field->setText(text);
  field->setProperty(kShownText, text);
}

// Leaving a field is no edit: a frequency shown rounded to 10 kHz, stored again, would move the
// channel, and an untouched field would mark its plan changed.
bool TChannelsPlanDlg::FieldUnchanged(const QLineEdit* field) {
  const QVariant shown = field->property(kShownText);
  return shown.isValid() && field->text() == shown.toString();
}

template <class W>
W* TChannelsPlanDlg::Ctl(const char* name) const {
  return findChild<W*>(QString::fromLatin1(name));
}

bool TChannelsPlanDlg::Satellite() const { return BandComboBox->currentIndex() == 1; }

bool TChannelsPlanDlg::CenterChosen() const { return Radio(FreqRadioGroup, 1)->isChecked(); }

int TChannelsPlanDlg::ChooserId(const char* chooser, int code) const {
  const QComboBox* box = Ctl<QComboBox>(chooser);
  const int position = box ? box->currentIndex() : -1;
  return position < 0 ? -1 : AttributeIdAt(position, code);
}

void TChannelsPlanDlg::SetChooserId(const char* chooser, int code, int id) {
  if (QComboBox* box = Ctl<QComboBox>(chooser)) box->setCurrentIndex(FindAttributeIndex(id, code));
}

int TChannelsPlanDlg::ChannelTypeId() const { return ChooserId("ComChanTYPEComboBox", AttrType); }
int TChannelsPlanDlg::PlanTypeId() const { return ChooserId("ComPlanTYPEComboBox", AttrType); }

void TChannelsPlanDlg::ConnectEditing() {
  const struct {
    const char* name;
    void (TChannelsPlanDlg::*slot)();
  } buttons[] = {{"AddComChanSYSBtn", &TChannelsPlanDlg::AddComChanSYSBtnClick},
                 {"AddComChanTYPEBtn", &TChannelsPlanDlg::AddComChanTYPEBtnClick},
                 {"AddComChanLNBBtn", &TChannelsPlanDlg::AddComChanLNBBtnClick},
                 {"AddComChanSPINVBtn", &TChannelsPlanDlg::AddComChanSPINVBtnClick},
                 {"AddComChanCONSTBtn", &TChannelsPlanDlg::AddComChanCONSTBtnClick},
                 {"AddComChanCARRIERSBtn", &TChannelsPlanDlg::AddComChanCARRIERSBtnClick},
                 {"AddComChanGUARDBtn", &TChannelsPlanDlg::AddComChanGUARDBtnClick},
                 {"AddComChanCRBtn", &TChannelsPlanDlg::AddComChanCRBtnClick},
                 {"AddComChanBWBtn", &TChannelsPlanDlg::AddComChanBWBtnClick},
                 {"AddComChanOFFSETFREQBtn", &TChannelsPlanDlg::AddComChanOFFSETFREQBtnClick},
                 {"AddComChanSRBtn", &TChannelsPlanDlg::AddComChanSRBtnClick},
                 {"DelComChanBtn", &TChannelsPlanDlg::DelComChanBtnClick},
                 {"AddComPlanSYSBtn", &TChannelsPlanDlg::AddComPlanSYSBtnClick},
                 {"AddComPlanTYPEBtn", &TChannelsPlanDlg::AddComPlanTYPEBtnClick},
                 {"AddComPlanLNBBtn", &TChannelsPlanDlg::AddComPlanLNBBtnClick},
                 {"AddComPlanBWBtn", &TChannelsPlanDlg::AddComPlanBWBtnClick},
                 {"DelComPlanBtn", &TChannelsPlanDlg::DelComPlanBtnClick}};
  for (const auto& b : buttons)
    if (auto* button = Ctl<QPushButton>(b.name)) connect(button, &QPushButton::clicked, this, b.slot);
  const struct {
    const char* name;
    void (TChannelsPlanDlg::*slot)();
  } choosers[] = {{"ComChanSYSComboBox", &TChannelsPlanDlg::ComChanSYSComboBoxSelect},
                  {"ComChanTYPEComboBox", &TChannelsPlanDlg::ComChanTYPEComboBoxSelect},
                  {"ComPlanSYSComboBox", &TChannelsPlanDlg::ComPlanSYSComboBoxSelect},
                  {"ComPlanTYPEComboBox", &TChannelsPlanDlg::ComPlanTYPEComboBoxSelect},
                  {"BandComboBox", &TChannelsPlanDlg::BandComboBoxSelect}};
  for (const auto& c : choosers)
    if (auto* box = Ctl<QComboBox>(c.name)) connect(box, &QComboBox::activated, this, c.slot);
  for (int i = 0; i < 2; ++i) {
    connect(Radio(FreqRadioGroup, i), &QRadioButton::clicked, this, &TChannelsPlanDlg::FreqRadioGroupClick);
    connect(Radio(PlanAttRadioGroup, i), &QRadioButton::clicked, this, &TChannelsPlanDlg::PlanAttRadioGroupClick);
  }
  for (const FieldWiring& f : kFields) {
    auto* edit = Ctl<QLineEdit>(f.field);
    auto* next = Ctl<QWidget>(f.next);
    if (!edit || !next) continue;
    edit->installEventFilter(this);
    // Enter should reach the next control, whatever the tab order says.
    next->setFocusPolicy(Qt::StrongFocus);
  }
}

// Enter is swallowed (no character, no beep) and moves the focus on; the exit handler runs when
// the field loses the focus, so Enter stores once, through the focus change.
bool TChannelsPlanDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::FocusOut)
    return QDialog::eventFilter(watched, event);
  for (const FieldWiring& f : kFields) {
    if (watched->objectName() != QLatin1String(f.field)) continue;
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        fieldExitRan = false;
        if (auto* next = Ctl<QWidget>(f.next)) next->setFocus(Qt::TabFocusReason);
        // A window without the input focus moves no focus and sends no focus loss.
        if (!fieldExitRan) (this->*f.exit)();
        return true;
      }
    } else if (cv::IsControlExit(event)) {
      // Another window taking the focus (a message box, a list's popup) is no exit.
      fieldExitRan = true;
      (this->*f.exit)();
    }
    break;
  }
  return QDialog::eventFilter(watched, event);
}

void TChannelsPlanDlg::ReadFieldBeingTyped() {
  const QWidget* typing = focusWidget();
  if (!typing) return;
  for (const FieldWiring& f : kFields) {
    if (typing->objectName() != QLatin1String(f.field)) continue;
    (this->*f.exit)();
    return;
  }
}

// ---------------------------------------------------------------------------------------------
// Display

void TChannelsPlanDlg::FillBandCombo() {
  BandComboBox->addItems({cv::From1252(TPlanEditor::BandText(7)), cv::From1252(TPlanEditor::BandText(5))});
}

void TChannelsPlanDlg::ShowPlanFields(int slot) {
  if (slot < 0 || slot >= PlanSlots) {
    ShowFieldText(PlanNameEdit, QString());
    return;
  }
  const TPlanXR9& p = editor->plans[slot];
  SetText(PlanNameEdit, p.Name);
  const bool modifiable = p.FileType == 2 || p.FileType == 5;
  Radio(PlanAttRadioGroup, modifiable ? 1 : 0)->setChecked(true);
  const bool sat = p.PlanType == 5;
  BandComboBox->setCurrentIndex(sat ? 1 : 0);
  ShowBandControls(sat ? 5 : 7);
}

void TChannelsPlanDlg::ShowChannelFields(int channel) {
  const int plan = editor->planIndex;
  const TPlanXR9* p = plan >= 0 && plan < PlanSlots ? &editor->plans[plan] : nullptr;
  if (!p || channel < 0 || !p->Channels || channel >= static_cast<int>(p->Channels->size())) {
    for (QLineEdit* e : {ChannelNameEdit, FreqEdit, ChannelSpacingEdit}) ShowFieldText(e, QString());
    return;
  }
  const TChanXR9& c = (*p->Channels)[channel];
  SetText(ChannelNameEdit, c.name);
  SetText(FreqEdit, cv::Format("%.2f", (CenterChosen() ? c.value2 : c.value1) * 0.001));
  if (p->PlanType == 7) SetText(ChannelSpacingEdit, cv::Format("%.2f", ChannelSpacingKhz(c) * 0.001));
}

void TChannelsPlanDlg::ShowChannelFieldsVideo(int channel) {
  if (editor->planIndex < 0 || channel < 0) return;
  Radio(FreqRadioGroup, 0)->setChecked(true);
  ShowChannelFields(channel);
}

void TChannelsPlanDlg::ShowBandControls(int planType) {
  const bool ter = planType == 7;
  for (const char* name : {"ChannelSpacingLabel", "ChannelSpacingEdit", "ChannelSpacingMHzLabel", "FreqRadioGroup"})
    if (auto* w = Ctl<QWidget>(name)) w->setVisible(ter);
}

void TChannelsPlanDlg::ApplyChannelTypeEnables(int typeId) {
  for (const TypeEnables& row : kChannelTypeEnables) {
    if (row.type != typeId) continue;
    for (int i = 0; i < 8; ++i) {
      const bool on = row.on[i] == 2 ? Satellite() : row.on[i] == 1;
      for (const char* name : kTypeControls[i])
        if (auto* w = Ctl<QWidget>(name)) w->setEnabled(on);
    }
    return;
  }
}

void TChannelsPlanDlg::ApplyPlanTypeEnables(int typeId) {
  bool on;
  switch (typeId) {
    case kAnalog: on = Satellite(); break;
    case kDvbT: case kDvbC: case kDvbS: case kVsb8: case kJ83B: case kDss: case kDvbS2: on = true; break;
    default: return;
  }
  for (const char* name : {"ComPlanBWEdit", "AddComPlanBWBtn"})
    if (auto* w = Ctl<QWidget>(name)) w->setEnabled(on);
}

void TChannelsPlanDlg::RefreshEnables() {
  ShowBandControls(Satellite() ? 5 : 7);
  ApplyChannelTypeEnables(ChannelTypeId());
  ApplyPlanTypeEnables(PlanTypeId());
}

// ---------------------------------------------------------------------------------------------
// Adding and removing attributes

void TChannelsPlanDlg::AddToChannels(int id, const uint8_t* value) {
  const std::vector<int> lines = SelectedLines(ChanListBox);
  if (!editor->AddChannelAttributeToLines(lines, id, value) || id < 0 || editor->planIndex < 0) return;
  // Each addition shows the list again; the selection stays and the box shows the last channel.
  {
    QSignalBlocker block(ChanListBox);
    for (int line : lines)
      if (QListWidgetItem* item = ChanListBox->item(line)) item->setSelected(true);
  }
  ShowChannelAttributes(lines.back());
}

void TChannelsPlanDlg::AddToPlans(int id, const uint8_t* value) {
  const std::vector<int> lines = SelectedLines(PlanListBox);
  if (!editor->AddPlanAttributeToLines(lines, id, value) || id < 0) return;
  ShowPlanAttributes(lines.back());
}

void TChannelsPlanDlg::AddComChanSYSBtnClick() { AddToChannels(ChooserId("ComChanSYSComboBox", AttrSys), nullptr); }
void TChannelsPlanDlg::AddComChanTYPEBtnClick() { AddToChannels(ChooserId("ComChanTYPEComboBox", AttrType), nullptr); }
void TChannelsPlanDlg::AddComChanLNBBtnClick() { AddToChannels(ChooserId("ComChanLNBComboBox", AttrLnb), nullptr); }
void TChannelsPlanDlg::AddComChanSPINVBtnClick() {
  AddToChannels(ChooserId("ComChanSPINVComboBox", AttrSpInv), nullptr);
}
void TChannelsPlanDlg::AddComChanCONSTBtnClick() {
  AddToChannels(ChooserId("ComChanCONSTComboBox", AttrConstellation), nullptr);
}
void TChannelsPlanDlg::AddComChanCARRIERSBtnClick() {
  AddToChannels(ChooserId("ComChanCARRIERSComboBox", AttrCarriers), nullptr);
}
void TChannelsPlanDlg::AddComChanGUARDBtnClick() {
  AddToChannels(ChooserId("ComChanGUARDComboBox", AttrGuard), nullptr);
}
void TChannelsPlanDlg::AddComChanCRBtnClick() { AddToChannels(ChooserId("ComChanCRComboBox", AttrCodeRate), nullptr); }

// The value fields hold what their exit made of the typed text; a text that never left its field
// is read by the same rules, so a value beyond its range adds the range's default.
void TChannelsPlanDlg::AddComChanBWBtnClick() {
  uint8_t value[4];
  LittleEndian(static_cast<uint32_t>(ClampBandwidth(FieldKhz(cv::To1252(Ctl<QLineEdit>("ComChanBWEdit")->text())))),
               value);
  AddToChannels(AttributeIdAt(0, AttrBw), value);
}

void TChannelsPlanDlg::AddComChanOFFSETFREQBtnClick() {
  uint8_t value[4];
  LittleEndian(static_cast<uint32_t>(
                   ClampFrequencyOffset(FieldWhole(cv::To1252(Ctl<QLineEdit>("ComChanOFFSETFREQEdit")->text())))),
               value);
  AddToChannels(AttributeIdAt(0, AttrFrOffset), value);
}

void TChannelsPlanDlg::AddComChanSRBtnClick() {
  uint8_t value[4];
  LittleEndian(
      static_cast<uint32_t>(ClampSymbolRate(FieldWhole(cv::To1252(Ctl<QLineEdit>("ComChanSREdit")->text())))) * 1000u,
      value);
  AddToChannels(AttributeIdAt(0, AttrSymbolRate), value);
}

void TChannelsPlanDlg::AddComPlanSYSBtnClick() { AddToPlans(ChooserId("ComPlanSYSComboBox", AttrSys), nullptr); }
void TChannelsPlanDlg::AddComPlanTYPEBtnClick() { AddToPlans(ChooserId("ComPlanTYPEComboBox", AttrType), nullptr); }
void TChannelsPlanDlg::AddComPlanLNBBtnClick() { AddToPlans(ChooserId("ComPlanLNBComboBox", AttrLnb), nullptr); }

void TChannelsPlanDlg::AddComPlanBWBtnClick() {
  uint8_t value[4];
  LittleEndian(static_cast<uint32_t>(ClampBandwidth(FieldKhz(cv::To1252(Ctl<QLineEdit>("ComPlanBWEdit")->text())))),
               value);
  AddToPlans(AttributeIdAt(0, AttrBw), value);
}

void TChannelsPlanDlg::DelComChanBtnClick() {
  const int plan = editor->planIndex, channel = editor->channelIndex, position = ComChanListBox->currentRow();
  if (plan >= 0 && channel >= 0 && position >= 0) editor->RemoveChannelAttributeAt(plan, channel, position);
  ShowChannelAttributes(channel);
}

void TChannelsPlanDlg::DelComPlanBtnClick() {
  const int plan = editor->planIndex, position = ComPlanListBox->currentRow();
  if (plan >= 0 && position >= 0) editor->RemovePlanAttributeAt(plan, position);
  ShowPlanAttributes(plan);
}

// ---------------------------------------------------------------------------------------------
// The SYS, TYPE and band rules

namespace {
struct Side {
  const char* sys;
  const char* type;
};
constexpr Side kChannelSide{"ComChanSYSComboBox", "ComChanTYPEComboBox"};
constexpr Side kPlanSide{"ComPlanSYSComboBox", "ComPlanTYPEComboBox"};
}  // namespace

void TChannelsPlanDlg::SystemChosen(bool channelSide) {
  const Side& side = channelSide ? kChannelSide : kPlanSide;
  const int s = ChooserId(side.sys, AttrSys), t = ChooserId(side.type, AttrType);
  if (s >= 0 && s <= kLastTerrestrialSystem) {
    if (t == kAnalog && Satellite()) SetChooserId(side.sys, AttrSys, kSatAnalog);
  } else if (s == kSatAnalog) {
    if (Satellite())
      SetChooserId(side.type, AttrType, kAnalog);
    else
      SetChooserId(side.sys, AttrSys, kPalBg);
  }
  if (channelSide)
    ApplyChannelTypeEnables(ChannelTypeId());
  else
    ApplyPlanTypeEnables(PlanTypeId());
}

void TChannelsPlanDlg::TypeChosen(bool channelSide) {
  const Side& side = channelSide ? kChannelSide : kPlanSide;
  const int t = ChooserId(side.type, AttrType);
  const bool sat = Satellite();
  switch (t) {
    case kDvbT: case kDvbC: case kVsb8: case kJ83B:
      if (sat) SetChooserId(side.type, AttrType, kAnalog);
      break;
    case kDvbS: case kDss:
      if (!sat)
        SetChooserId(side.type, AttrType, kAnalog);
      else if (ChooserId(side.sys, AttrSys) == kSatAnalog)
        SetChooserId(side.sys, AttrSys, kPalBg);
      break;
    case kAnalog:
      if (sat) SetChooserId(side.sys, AttrSys, kSatAnalog);
      break;
    default: break;
  }
  if (!channelSide) {
    ApplyPlanTypeEnables(PlanTypeId());
    return;
  }
  ShowFieldText(Ctl<QLineEdit>("ComChanBWEdit"), t == kVsb8 || t == kJ83B ? "6.00" : "8.00");
  ShowFieldText(Ctl<QLineEdit>("ComChanSREdit"), t == kJ83B ? "5057" : "27500");
  if (t == kJ83B) SetChooserId("ComChanCONSTComboBox", AttrConstellation, kQam64);
  ApplyChannelTypeEnables(ChannelTypeId());
}

void TChannelsPlanDlg::ComChanSYSComboBoxSelect() { SystemChosen(true); }
void TChannelsPlanDlg::ComPlanSYSComboBoxSelect() { SystemChosen(false); }
void TChannelsPlanDlg::ComChanTYPEComboBoxSelect() { TypeChosen(true); }
void TChannelsPlanDlg::ComPlanTYPEComboBoxSelect() { TypeChosen(false); }

void TChannelsPlanDlg::BandComboBoxSelect() {
  const bool sat = Satellite();
  if (!editor->StorePlanBand(sat)) return;
  RefreshAll();
  for (const Side& side : {kChannelSide, kPlanSide}) {
    if (sat) {
      SetChooserId(side.sys, AttrSys, kSatAnalog);
      SetChooserId(side.type, AttrType, kAnalog);
    } else {
      if (ChooserId(side.sys, AttrSys) == kSatAnalog) SetChooserId(side.sys, AttrSys, kPalBg);
      if (ChooserId(side.type, AttrType) == kDvbS) SetChooserId(side.type, AttrType, kAnalog);
    }
  }
  RefreshEnables();
}

// ---------------------------------------------------------------------------------------------
// Fields

void TChannelsPlanDlg::ShowFocusedChannelAgain(int top) {
  FillChannelList(editor->planIndex);
  ChanListBox->verticalScrollBar()->setValue(top);
  {
    QSignalBlocker block(ChanListBox);
    ChanListBox->clearSelection();
    ChanListBox->setCurrentRow(editor->channelIndex);
  }
  ShowChannelFields(editor->channelIndex);
  ShowChannelAttributes(editor->channelIndex);
}

void TChannelsPlanDlg::ChannelNameEditExit() {
  if (FieldUnchanged(ChannelNameEdit)) return;
  const int top = ChanListBox->verticalScrollBar()->value();
  if (editor->StoreChannelName(cv::To1252(ChannelNameEdit->text()))) ShowFocusedChannelAgain(top);
}

void TChannelsPlanDlg::FreqEditExit() {
  if (FieldUnchanged(FreqEdit)) return;
  const int top = ChanListBox->verticalScrollBar()->value();
  const int64_t f = FieldKhz(cv::To1252(FreqEdit->text()));
  const int64_t spacing = FieldKhz(cv::To1252(ChannelSpacingEdit->text()));
  if (editor->StoreChannelFrequency(f, CenterChosen(), spacing)) ShowFocusedChannelAgain(top);
}

void TChannelsPlanDlg::ChannelSpacingEditExit() {
  if (FieldUnchanged(ChannelSpacingEdit)) return;
  const int top = ChanListBox->verticalScrollBar()->value();
  if (editor->StoreChannelSpacing(FieldKhz(cv::To1252(ChannelSpacingEdit->text())))) ShowFocusedChannelAgain(top);
}

void TChannelsPlanDlg::FreqRadioGroupClick() {
  const int plan = editor->planIndex, channel = editor->channelIndex;
  if (plan < 0 || channel < 0 || !editor->plans[plan].Channels) return;
  ShowChannelFields(channel);
}

void TChannelsPlanDlg::PlanNameEditExit() {
  if (FieldUnchanged(PlanNameEdit)) return;
  const int top = PlanListBox->verticalScrollBar()->value();
  if (!editor->StorePlanName(cv::To1252(PlanNameEdit->text()))) return;
  FillPlanList();
  PlanListBox->verticalScrollBar()->setValue(top);
  ChannelLabel->setText(cv::From1252(editor->ChannelLabelText(editor->planIndex)));
  ShowPlanFields(editor->planIndex);
}

void TChannelsPlanDlg::PlanAttRadioGroupClick() {
  if (!editor->StorePlanModifiable(Radio(PlanAttRadioGroup, 1)->isChecked())) return;
  FillPlanList();
  ShowPlanFields(editor->planIndex);
}

void TChannelsPlanDlg::ComPlanBWEditExit() {
  auto* e = Ctl<QLineEdit>("ComPlanBWEdit");
  if (FieldUnchanged(e)) return;
  SetText(e, cv::Format("%.2f", ClampBandwidth(FieldKhz(cv::To1252(e->text()))) * 0.001));
}

void TChannelsPlanDlg::ComChanBWEditExit() {
  auto* e = Ctl<QLineEdit>("ComChanBWEdit");
  if (FieldUnchanged(e)) return;
  SetText(e, cv::Format("%.2f", ClampBandwidth(FieldKhz(cv::To1252(e->text()))) * 0.001));
}

void TChannelsPlanDlg::ComChanSREditExit() {
  auto* e = Ctl<QLineEdit>("ComChanSREdit");
  if (FieldUnchanged(e)) return;
  SetText(e, cv::Format("%d", ClampSymbolRate(FieldInteger(cv::To1252(e->text())))));
}

void TChannelsPlanDlg::ComChanOFFSETFREQEditExit() {
  auto* e = Ctl<QLineEdit>("ComChanOFFSETFREQEdit");
  if (FieldUnchanged(e)) return;
  SetText(e, cv::Format("%d", ClampFrequencyOffset(FieldInteger(cv::To1252(e->text())))));
}

}  // namespace cv::xr9
