#include "Memdatadlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "BusyCursor.h"
#include "Cv3Equip.h"
#include "Cv3MemoryEquipment.h"
#include "DialogExit.h"
#include "FocusMoves.h"
#include "Memchanneldlg.h"
#include "Memdlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Prompt.h"
#include "Text1252.h"

namespace {

namespace d = cv::msg::memdata;

const QString kHelpTopic = QStringLiteral("Memories");

void ShowEdit(QLineEdit* e, QLabel* label, const cv::mem::EditState& s) {
  QString text = cv::From1252(s.text);
  if (e->text() != text) e->setText(text);
  e->setModified(false);
  e->setEnabled(s.enabled);
  if (label) label->setEnabled(s.labelEnabled);
}

void ShowCombo(QComboBox* c, QLabel* label, const cv::mem::ComboState& s) {
  QStringList items;
  for (const std::string& t : s.items) items << cv::From1252(t);
  QStringList now;
  for (int i = 0; i < c->count(); ++i) now << c->itemText(i);
  if (now != items) {
    c->clear();
    c->addItems(items);
  }
  c->setCurrentIndex(s.index);
  c->setEnabled(s.enabled);
  if (label) label->setEnabled(s.labelEnabled);
}

}  // namespace

class TMemoryDataDlg::Adapter : public cv::mem::Cv3MemoryEquipment, public cv::mem::MemoryDataView {
 public:
  Adapter(TMemoryDataDlg& dlg, TCv3Equip& e) : Cv3MemoryEquipment(e), dlg(dlg), equip(e) {}
  void Render() override {
    dlg.Render();
    dlg.repaint();
  }
  void FocusEdit(cv::mem::DataEdit edit) override {
    if (QLineEdit* e = dlg.EditOf(edit)) e->setFocus();
  }
  void SetHourglass(bool on) override { cv::SetBusyCursor(on); }
  bool RunChannelPicker() override {
    cv::mem::MemoryData& m = dlg.Model();
    cv::mem::PickTarget target{m.pickedPlan, m.pickedChannel, m.pickedPlanNumber};
    if (dlg.family.runPicker) return dlg.family.runPicker(&dlg, target, dlg.pickerStart);
    TMemoryChannelDlg picker(&dlg, &equip, target, dlg.pickerStart);
    return picker.exec() == QDialog::Accepted;
  }

 private:
  TMemoryDataDlg& dlg;
  TCv3Equip& equip;
};

TMemoryDataDlg::TMemoryDataDlg(TMemoryDlg* ownerDlg, TCv3Equip* equipment, const MemoryDataFormFamily& formFamily)
    : QDialog(ownerDlg), owner(ownerDlg), equip(equipment), family(formFamily) {
  using cv::MsgQ;
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto label = [&](const char* name, int text) {
    auto* l = new QLabel(MsgQ(text), this);
    l->setObjectName(name);
    return l;
  };
  auto edit = [&](QLineEdit*& e, const char* name, int hint) {
    e = new QLineEdit(this);
    e->setObjectName(name);
    if (hint) e->setToolTip(MsgQ(hint));
    e->installEventFilter(this);
  };
  auto combo = [&](QComboBox*& c, const char* name, int hint) {
    c = new QComboBox(this);
    c->setObjectName(name);
    if (hint) c->setToolTip(MsgQ(hint));
    c->installEventFilter(this);
  };
  // Two columns of label and control; `col` 0 or 2.
  auto place = [&](QLabel* l, QWidget* w, int r, int col) {
    if (l) {
      l->setBuddy(w);
      grid->addWidget(l, r, col);
    }
    grid->addWidget(w, r, col + 1);
  };

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  grid->addWidget(Image1, row++, 0, 1, 4);

  edit(NameEdit, "NameEdit", family.nameHint);
  NameEdit->setMaxLength(4);
  place(label("NameLabel", d::NameLabel), NameEdit, row, 0);
  combo(BandCombo, "BandCombo", 0);
  place(label("BandLabel", d::BandLabel), BandCombo, row++, 2);

  FreqRadioButton = new QRadioButton(MsgQ(d::FreqRadio), this);
  FreqRadioButton->setObjectName("FreqRadioButton");
  FreqRadioButton->setChecked(true);
  edit(FreqEdit, "FreqEdit", d::FreqHint);
  grid->addWidget(FreqRadioButton, row, 0);
  grid->addWidget(FreqEdit, row++, 1);
  ChannelRadioButton = new QRadioButton(MsgQ(d::ChannelRadio), this);
  ChannelRadioButton->setObjectName("ChannelRadioButton");
  ChannelEdit = new QLineEdit(this);
  ChannelEdit->setObjectName("ChannelEdit");
  ChannelEdit->setReadOnly(true);
  grid->addWidget(ChannelRadioButton, row, 0);
  grid->addWidget(ChannelEdit, row, 1);
  ModifyChannelBtn = new QPushButton(MsgQ(d::ModifyChannel), this);
  ModifyChannelBtn->setObjectName("ModifyChannelBtn");
  ModifyChannelBtn->setToolTip(MsgQ(family.modifyChannelHint));
  ModifyChannelBtn->setAutoDefault(false);
  grid->addWidget(ModifyChannelBtn, row++, 2, 1, 2);

  combo(LevelCombo, "LevelCombo", family.levelHint);
  place(label("LevelLabel", d::LevelLabel), LevelCombo, row, 0);
  combo(UnitsCombo, "UnitsCombo", 0);
  place(label("UnitsLabel", d::UnitsLabel), UnitsCombo, row++, 2);
  combo(StandardCombo, "StandardCombo", 0);
  place(label("StandardLabel", d::StandardLabel), StandardCombo, row, 0);
  edit(BWEdit, "BWEdit", 0);
  place(label("BWLabel", d::BWLabel), BWEdit, row++, 2);
  combo(SoundCombo, "SoundCombo", 0);
  place(label("SoundLabel", d::SoundLabel), SoundCombo, row, 0);
  edit(SoundSubEdit, "SoundSubEdit", d::SoundSubHint);
  place(label("SoundSubLabel", d::SoundSubLabel), SoundSubEdit, row++, 2);
  edit(LNBOscEdit, "LNBOscEdit", 0);
  place(label("LNBOscLabel", d::LNBOscLabel), LNBOscEdit, row, 0);
  combo(LNBSupCombo, "LNBSupCombo", 0);
  place(label("LNBSupLabel", d::LNBSupLabel), LNBSupCombo, row++, 2);
  edit(SymRateEdit, "SymRateEdit", d::SymRateHint);
  place(label("SymRateLabel", d::SymRateLabel), SymRateEdit, row, 0);
  combo(CodeRateCombo, "CodeRateCombo", d::CodeRateHint);
  place(label("CodeRateLabel", d::CodeRateLabel), CodeRateCombo, row++, 2);
  combo(ModulationCombo, "ModulationCombo", d::ModulationHint);
  place(label("ModulationLabel", d::ModulationLabel), ModulationCombo, row, 0);
  combo(SpecInvCombo, "SpecInvCombo", family.specInvHint);
  place(label("SpecInvLabel", d::SpecInvLabel), SpecInvCombo, row++, 2);
  combo(CarriersCombo, "CarriersCombo", d::CarriersHint);
  place(label("CarriersLabel", d::CarriersLabel), CarriersCombo, row, 0);
  combo(IntervalCombo, "IntervalCombo", d::IntervalHint);
  place(label("IntervalLabel", d::IntervalLabel), IntervalCombo, row++, 2);
  edit(NoiseEdit, "NoiseEdit", 0);
  place(label("NoiseLabel", d::NoiseLabel), NoiseEdit, row++, 0);

  auto* buttons = new QHBoxLayout;
  auto button = [&](QPushButton*& b, const char* name, int text) {
    b = new QPushButton(MsgQ(text), this);
    b->setObjectName(name);
    buttons->addWidget(b);
  };
  button(OKBtn, "OKBtn", d::OKBtn);
  button(CancelBtn, "CancelBtn", d::CancelBtn);
  button(HelpBtn, "HelpBtn", d::HelpBtn);
  OKBtn->setDefault(true);
  CancelBtn->setAutoDefault(false);
  HelpBtn->setAutoDefault(false);
  grid->addLayout(buttons, row, 0, 1, 4);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  for (const auto& [name, text] : family.labels)
    if (auto* l = findChild<QLabel*>(name)) l->setText(MsgQ(text));

  adapter = std::make_unique<Adapter>(*this, *equip);
  model = std::make_unique<cv::mem::MemoryData>(*adapter, cv::PrompterInForce(), *adapter,
                                                family.data ? *family.data : cv::mem::Cv3MemoryData());
  auto on = [this](QComboBox* c, void (cv::mem::MemoryData::*ev)(int)) {
    connect(c, &QComboBox::activated, this, [this, ev](int index) {
      (model.get()->*ev)(index);
      Render();
    });
  };
  using M = cv::mem::MemoryData;
  on(LevelCombo, &M::EvLevelChange);
  on(BandCombo, &M::EvBandChange);
  on(SoundCombo, &M::EvSoundChange);
  on(StandardCombo, &M::EvStandChange);
  on(UnitsCombo, &M::EvUnitsChange);
  on(LNBSupCombo, &M::EvLNBSupChange);
  on(CodeRateCombo, &M::EvCodeRateChange);
  on(ModulationCombo, &M::EvModulationChange);
  on(SpecInvCombo, &M::EvSpInvChange);
  on(CarriersCombo, &M::EvCarriersChange);
  on(IntervalCombo, &M::EvIntervalChange);
  connect(FreqRadioButton, &QRadioButton::clicked, this, [this] {
    model->FreqRadioButtonClick();
    Render();
  });
  connect(ChannelRadioButton, &QRadioButton::clicked, this, [this] {
    model->ChannelRadioButtonClick();
    Render();
  });
  connect(ModifyChannelBtn, &QPushButton::clicked, this, &TMemoryDataDlg::ModifyChannelBtnClick);
  connect(OKBtn, &QPushButton::clicked, this, &TMemoryDataDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  // Cancel throws the working record away as its caption says; Esc and the close box take the
  // field being typed in first and then, when the record changed, ask as the editor's Close does
  // (Yes keeps it as OK does).
  cv::ExitThrough(*this, *CancelBtn, [this] { LeaveAsking(); });
  connect(HelpBtn, &QPushButton::clicked, this, &TMemoryDataDlg::HelpBtnClick);

  equip->LoadCustomLogo(Image1);
  opened = model->OpenRecord(owner->Editor().current);
  openedAs = owner->Editor().current;
  if (opened) model->StoreRecord(openedAs);
  if (!opened) setResult(QDialog::Rejected);
  setWindowTitle(cv::From1252(model->form.caption));
  Render();
}

TMemoryDataDlg::~TMemoryDataDlg() = default;

QLineEdit* TMemoryDataDlg::EditOf(cv::mem::DataEdit edit) const {
  using cv::mem::DataEdit;
  switch (edit) {
    case DataEdit::Name: return NameEdit;
    case DataEdit::Freq: return FreqEdit;
    case DataEdit::SoundSub: return SoundSubEdit;
    case DataEdit::BW: return BWEdit;
    case DataEdit::LNBOsc: return LNBOscEdit;
    case DataEdit::SymRate: return SymRateEdit;
    case DataEdit::Noise: return NoiseEdit;
  }
  return nullptr;
}

void TMemoryDataDlg::Render() {
  rendering = true;
  const cv::mem::MemoryDataForm& f = model->form;
  auto lbl = [this](const char* name) { return findChild<QLabel*>(name); };
  ShowEdit(NameEdit, lbl("NameLabel"), f.name);
  ShowEdit(FreqEdit, nullptr, f.freq);
  ShowEdit(ChannelEdit, nullptr, f.channel);
  ShowEdit(SoundSubEdit, lbl("SoundSubLabel"), f.soundSub);
  ShowEdit(BWEdit, lbl("BWLabel"), f.bw);
  ShowEdit(LNBOscEdit, lbl("LNBOscLabel"), f.lnbOsc);
  ShowEdit(SymRateEdit, lbl("SymRateLabel"), f.symRate);
  ShowEdit(NoiseEdit, lbl("NoiseLabel"), f.noise);
  ShowCombo(BandCombo, lbl("BandLabel"), f.band);
  ShowCombo(LevelCombo, lbl("LevelLabel"), f.level);
  ShowCombo(UnitsCombo, lbl("UnitsLabel"), f.units);
  ShowCombo(StandardCombo, lbl("StandardLabel"), f.standard);
  ShowCombo(SoundCombo, lbl("SoundLabel"), f.sound);
  ShowCombo(LNBSupCombo, lbl("LNBSupLabel"), f.lnbSup);
  ShowCombo(CodeRateCombo, lbl("CodeRateLabel"), f.codeRate);
  ShowCombo(ModulationCombo, lbl("ModulationLabel"), f.modulation);
  ShowCombo(SpecInvCombo, lbl("SpecInvLabel"), f.specInv);
  ShowCombo(CarriersCombo, lbl("CarriersLabel"), f.carriers);
  ShowCombo(IntervalCombo, lbl("IntervalLabel"), f.interval);
  if (f.freqRadio) FreqRadioButton->setChecked(true);
  if (f.channelRadio) ChannelRadioButton->setChecked(true);
  ModifyChannelBtn->setText(cv::From1252(f.modifyCaption));
  ModifyChannelBtn->setEnabled(f.modifyEnabled);
  rendering = false;
}

void TMemoryDataDlg::EditExit(QLineEdit* e) {
  const std::string text = cv::To1252(e->text());
  cv::mem::MemoryData& m = *model;
  if (e == NameEdit) m.EvNameChange(text);
  else if (e == FreqEdit) m.EvFreqChange(text);
  else if (e == SoundSubEdit) m.EvFreqSoChange(text);
  else if (e == BWEdit) m.EvChBWChange(text);
  else if (e == LNBOscEdit) m.EvLNBOscChange(text);
  else if (e == SymRateEdit) m.EvSymRateChange(text);
  else if (e == NoiseEdit) m.NoiseChange(text);
  Render();
}

bool TMemoryDataDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter leaves the control for OK, so its exit handler runs; the dialog stays open.
      OKBtn->setFocus();
      return true;
    }
  } else if (cv::IsControlExit(event) && !rendering) {
    if (auto* e = qobject_cast<QLineEdit*>(watched)) EditExit(e);
  } else if (event->type() == QEvent::MouseButtonPress && watched == NameEdit) {
    // After the press has placed the cursor.
    QTimer::singleShot(0, this, &TMemoryDataDlg::NameEditClick);
  }
  return QDialog::eventFilter(watched, event);
}

void TMemoryDataDlg::NameEditClick() { NameEdit->setSelection(0, 4); }

void TMemoryDataDlg::ModifyChannelBtnClick() {
  model->ModifyChannelBtnClick();
  Render();
}

void TMemoryDataDlg::OKBtnClick() {
  // An edit that still holds the focus takes its text first, as leaving it for OK would.
  if (auto* e = qobject_cast<QLineEdit*>(focusWidget())) EditExit(e);
  model->StoreRecord(owner->Editor().current);
  accept();
}

void TMemoryDataDlg::LeaveAsking() {
  if (auto* e = qobject_cast<QLineEdit*>(focusWidget())) EditExit(e);
  MemoryRecord now = openedAs;
  model->StoreRecord(now);
  if (now == openedAs) {
    reject();
    return;
  }
  bool kept = false;
  namespace m = cv::msg::mem;
  const bool leave = cv::AskToSaveChanges(cv::PrompterInForce(), cv::Msg(m::AskSave), cv::Msg(m::CaptionWarning),
                                          [this, &kept] {
                                            OKBtnClick();
                                            return kept = true;
                                          });
  if (leave && !kept) reject();
}

void TMemoryDataDlg::HelpBtnClick() { ShowPluginHelp(equip, HelpTopic::Memories); }
