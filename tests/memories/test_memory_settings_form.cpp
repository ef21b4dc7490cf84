// The memory settings dialog and the channel picker as forms: the layout modes read from the
// widgets, Edit from the memory editor (OK, Cancel, an invalid record, a whole set opened and
// closed untouched), and the picker and the channel lookup against the simulated instrument.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <set>

#include "Memchanneldlg.h"
#include "Memdatadlg.h"
#include "Memdlg.h"
#include "MemoryTestKit.h"
#include "ModalHelper.h"
#include "Pll.h"
#include "RecordingOpener.h"
#include "SimOnCom1.h"
#include "StartDir.h"

using cvsim::Corvane3Profile;

namespace {

MemoryRecord Record(char band, char meas, const std::function<void(MemoryRecord&)>& more = {}) {
  MemoryRecord r;
  r.number = 7;
  std::copy_n("M007", 5, r.label);
  r.band = band;
  r.meas = meas;
  const bool ber = meas == '4' || meas == '5' || meas == '6';
  r.color = ber || meas == '2' ? '3' : '0';
  r.std = ber || meas == '2' ? '6' : band == 'S' ? '7' : '0';
  r.freq = band == 'S' ? 1500 : 471.25f;
  r.chFr = '1';
  r.codePlan = 1;
  r.units = ber ? 0 : '0';
  r.lnbSup = '0';
  r.sound = ber || meas == '2' ? '3' : band == 'S' ? 'E' : '6';
  r.bw = 8;
  r.lnbOsc = band == 'S' ? 9750 : 0;
  if (meas == '4') r.codeRate = '0', r.specInv = '0', r.symRate = 27500;
  if (meas == '5') r.modulation = '0', r.specInv = '0', r.symRate = 6875;
  if (meas == '6') r.carriers = '4', r.guardInt = '0';
  if (meas == '7') r.cnRefFreq = 100;
  if (more) more(r);
  return r;
}

// The settings dialog over `record`, its owner an offline memory editor.
struct FormRig {
  explicit FormRig(TSerial* port = nullptr) : equip(&host.form, port) { equip.decimalSeparator = ','; }
  std::unique_ptr<TMemoryDataDlg> Open(const MemoryRecord& record) {
    owner = std::make_unique<TMemoryDlg>(nullptr, &equip);
    owner->Editor().current = record;
    return std::make_unique<TMemoryDataDlg>(owner.get(), &equip);
  }
  HostForm host;
  TCv3Equip equip;
  cv::RecordingPrompter prompter;
  std::unique_ptr<TMemoryDlg> owner;
};

// Each group as "name:" + control enabled, label enabled, and 'e' when the control is empty.
std::string Groups(TMemoryDataDlg* d) {
  std::string s;
  auto put = [&](const char* name, QWidget* control, const char* label, bool empty) {
    auto* l = d->findChild<QLabel*>(label);
    s += std::string(s.empty() ? "" : " ") + name + ":" + (control->isEnabled() ? "1" : "0") +
         (l && l->isEnabled() ? "1" : "0") + (empty ? "e" : "");
  };
  auto combo = [&](const char* name, QComboBox* c, const char* label) { put(name, c, label, c->count() == 0); };
  auto edit = [&](const char* name, QLineEdit* e, const char* label) { put(name, e, label, e->text().isEmpty()); };
  combo("sound", d->SoundCombo, "SoundLabel");
  edit("sub", d->SoundSubEdit, "SoundSubLabel");
  edit("sym", d->SymRateEdit, "SymRateLabel");
  combo("si", d->SpecInvCombo, "SpecInvLabel");
  combo("cr", d->CodeRateCombo, "CodeRateLabel");
  combo("mod", d->ModulationCombo, "ModulationLabel");
  combo("car", d->CarriersCombo, "CarriersLabel");
  combo("gi", d->IntervalCombo, "IntervalLabel");
  edit("lnb", d->LNBOscEdit, "LNBOscLabel");
  combo("units", d->UnitsCombo, "UnitsLabel");
  edit("noise", d->NoiseEdit, "NoiseLabel");
  return s;
}

TEST(MemorySettingsForm, LayoutModesFromTheWidgets) {
  struct Case {
    const char* name;
    MemoryRecord record;
    int mode;
    const char* groups;
  };
  const Case cases[] = {
      {"terrestrial Level", Record('T', '0'), 0,
       "sound:11 sub:01e sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:00e units:11 noise:00e"},
      {"terrestrial T.Narrow", Record('T', '0', [](MemoryRecord& r) { r.sound = '4'; r.soundFreq = 6; }), 0,
       "sound:11 sub:11 sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:00e units:11 noise:00e"},
      {"terrestrial C/N Ref", Record('T', '7'), 0,
       "sound:11 sub:01e sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:00e units:11 noise:11"},
      {"BER QAM", Record('T', '5'), 1,
       "sound:00e sub:00e sym:11 si:11 cr:00e mod:11 car:00e gi:00e lnb:00e units:00e noise:00e"},
      {"BER COFDM", Record('T', '6'), 1,
       "sound:00e sub:00e sym:00e si:00 cr:00e mod:00e car:11 gi:11 lnb:00e units:00e noise:00e"},
      {"satellite Level", Record('S', '0'), 2,
       "sound:11 sub:01e sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:11 units:11 noise:00e"},
      {"BER QPSK", Record('S', '4'), 3,
       "sound:00e sub:00e sym:11 si:11 cr:11 mod:00e car:00e gi:00e lnb:11 units:00e noise:00e"},
      {"terrestrial Power", Record('T', '2'), 4,
       "sound:00e sub:00e sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:00e units:11 noise:00e"},
      {"satellite Power", Record('S', '2'), 4,
       "sound:00e sub:00e sym:00e si:00 cr:00e mod:00e car:00e gi:00e lnb:11 units:11 noise:00e"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormRig rig;
    auto d = rig.Open(c.record);
    ASSERT_TRUE(d->Opened());
    EXPECT_EQ(d->Model().layoutMode, c.mode);
    EXPECT_EQ(Groups(d.get()), c.groups);
  }
  // Mode 1 stays 1 from QAM to COFDM, and its groups are switched again by the measure type.
  // Before that, a change within QAM refills the modulation list once: it is switched (emptied)
  // again before its fill adds the five entries.
  FormRig rig;
  auto d = rig.Open(Record('T', '5'));
  emit d->ModulationCombo->activated(2);
  EXPECT_EQ(d->ModulationCombo->count(), 5);
  EXPECT_EQ(d->ModulationCombo->currentText(), "QAM64");
  emit d->LevelCombo->activated(6);
  EXPECT_EQ(d->Model().layoutMode, 1);
  EXPECT_EQ(Groups(d.get()), "sound:00e sub:00e sym:00e si:00 cr:00e mod:00e car:11 gi:11 lnb:00e units:00e noise:00e");
  EXPECT_EQ(d->ModulationCombo->count(), 0);
}

TEST(MemorySettingsForm, ControlsCaptionAndTypedValues) {
  FormRig rig;
  auto d = rig.Open(Record('T', '0'));
  EXPECT_EQ(d->windowTitle(), "Measurement Configuration - Memory 7");
  for (const char* name :
       {"Image1", "NameEdit", "FreqEdit", "ChannelEdit", "FreqRadioButton", "ChannelRadioButton", "ModifyChannelBtn",
        "LevelCombo", "BandCombo", "SoundCombo", "StandardCombo", "UnitsCombo", "LNBSupCombo", "CodeRateCombo",
        "ModulationCombo", "SpecInvCombo", "IntervalCombo", "CarriersCombo", "SoundSubEdit", "BWEdit", "LNBOscEdit",
        "SymRateEdit", "NoiseEdit", "OKBtn", "CancelBtn", "HelpBtn"})
    EXPECT_NE(d->findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(d->FreqEdit->text(), "471,25");
  EXPECT_EQ(d->FreqEdit->toolTip(), "Equipment input frequency");
  EXPECT_TRUE(d->FreqRadioButton->isChecked());
  EXPECT_FALSE(d->ChannelEdit->isEnabled());
  EXPECT_EQ(d->StandardCombo->currentText(), "PAL_BG");
  EXPECT_EQ(d->SoundCombo->currentText(), "5.50");

  // Enter is swallowed and leaves the edit for OK, so the typed value is taken; the dialog stays.
  d->show();
  QApplication::setActiveWindow(d.get());
  d->FreqEdit->setFocus();
  d->FreqEdit->setText("900");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(d->FreqEdit, &enter);
  QApplication::processEvents();
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(d->Model().w.r.freq, 900.0f);
  EXPECT_EQ(d->BandCombo->currentText(), "SAT");
  EXPECT_EQ(d->LNBOscEdit->text(), "9750,0");
  EXPECT_EQ(d->FreqEdit->text(), "900,00");

  // A refused value: a beep, the old frequency back.
  QFocusEvent out(QEvent::FocusOut);
  d->FreqEdit->setText("3");
  QApplication::sendEvent(d->FreqEdit, &out);
  EXPECT_EQ(rig.prompter.beeps, 1);
  EXPECT_EQ(d->FreqEdit->text(), "900,00");
  // Every other refused edit is emptied and keeps its field.
  d->BWEdit->setText("90");
  QApplication::sendEvent(d->BWEdit, &out);
  EXPECT_EQ(rig.prompter.beeps, 2);
  EXPECT_EQ(d->BWEdit->text(), "");
  EXPECT_EQ(d->Model().w.r.bw, 8.0f);
  d->hide();
}

// Esc or the close box right after typing in a field, without leaving it: the field is taken
// first, the question comes, Cancel keeps the dialog and the value, Yes keeps the value as OK does.
// Untouched, both close at once.
TEST(MemorySettingsForm, EscAndTheCloseBoxTakeTheTypedFieldAndAsk) {
  struct Row {
    const char* name;
    QLineEdit* TMemoryDataDlg::*edit;
    const char* typed;
    std::function<bool(const MemoryRecord&)> took;
  } rows[] = {
      {"frequency", &TMemoryDataDlg::FreqEdit, "474", [](const MemoryRecord& r) { return r.freq == 474.0f; }},
      {"name", &TMemoryDataDlg::NameEdit, "ABCD", [](const MemoryRecord& r) { return std::string(r.label) == "ABCD"; }},
      {"bandwidth", &TMemoryDataDlg::BWEdit, "7", [](const MemoryRecord& r) { return r.bw == 7.0f; }},
      {"untouched", nullptr, nullptr, nullptr},
  };
  for (const Row& row : rows) {
    for (const bool escape : {true, false}) {
      SCOPED_TRACE(std::string(row.name) + (escape ? ", Esc" : ", close box"));
      FormRig rig;
      auto d = rig.Open(Record('T', '0'));
      const MemoryRecord before = rig.owner->Editor().current;
      d->show();
      QApplication::setActiveWindow(d.get());
      QLineEdit* edit = row.edit ? d.get()->*row.edit : d->FreqEdit;
      edit->setFocus();
      if (row.typed) edit->setText(row.typed);
      auto leave = [&] {
        if (escape)
          QTest::keyClick(edit, Qt::Key_Escape);
        else
          d->close();
      };
      rig.prompter.answers = {cv::MsgAnswer::Cancel, cv::MsgAnswer::Yes};
      leave();
      if (!row.typed) {
        EXPECT_TRUE(rig.prompter.shown.empty());
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Rejected);
        continue;
      }
      ASSERT_EQ(rig.prompter.shown.size(), 1u);
      EXPECT_EQ(rig.prompter.shown[0].text, "Data has been modified\nDo you want to save?");
      EXPECT_TRUE(d->isVisible());
      EXPECT_TRUE(row.took(d->Model().w.r));
      EXPECT_TRUE(edit->text().startsWith(row.typed)) << edit->text().toStdString();
      EXPECT_EQ(rig.owner->Editor().current, before);
      leave();
      EXPECT_EQ(rig.prompter.shown.size(), 2u);
      EXPECT_FALSE(d->isVisible());
      EXPECT_EQ(d->result(), QDialog::Accepted);
      EXPECT_TRUE(row.took(rig.owner->Editor().current));
    }
  }
}

// Edit in the memory editor over the simulator's 99 memories, offline.
struct EditorRig : FormRig {
  explicit EditorRig(TSerial* port = nullptr) : FormRig(port) {
    dlg = std::make_unique<TMemoryDlg>(nullptr, &equip);
    auto& editor = dlg->Editor();
    editor.records = memtest::DefaultRecords();
    for (const MemoryRecord& r : editor.records) {
      editor.LoadCurrentRecord(r);
      editor.UpdateListEntry();
    }
    editor.loaded = true;
    editor.FillMemoryList();
    editor.EnableControls(true);
    dlg->ShowList();
  }
  void Edit(int row, std::function<void(TMemoryDataDlg*)> act) {
    dlg->MemoryListBox->setCurrentRow(row);
    cvtest::WhenModal<TMemoryDataDlg>(act);
    dlg->EditBtn->click();
  }
  std::unique_ptr<TMemoryDlg> dlg;
};

TEST(MemorySettingsForm, OpeningAndClosingUntouchedChangesNoRecord) {
  EditorRig rig;
  const auto before = rig.dlg->Editor().records;
  std::set<char> measures;
  for (int i = 0; i < cv::mem::kMemoryCount; ++i) {
    bool shown = false;
    rig.Edit(i, [&](TMemoryDataDlg* d) {
      shown = true;
      d->OKBtn->click();
    });
    ASSERT_TRUE(shown) << i;
    EXPECT_EQ(rig.dlg->Editor().records[i], before[i]) << "memory " << i + 1;
    measures.insert(before[i].meas);
  }
  EXPECT_EQ(measures.size(), 8u);
  EXPECT_TRUE(rig.dlg->Editor().modified);  // OK marks the set modified, changed or not
  EXPECT_TRUE(rig.prompter.shown.empty());
}

TEST(MemorySettingsForm, EditOkCancelAndAnInvalidRecord) {
  EditorRig rig;
  auto& editor = rig.dlg->Editor();
  EXPECT_EQ(rig.dlg->MemoryListBox->item(2)->text(), " 3 M003 TER   69,25");
  // Cancel: nothing changes.
  rig.Edit(2, [](TMemoryDataDlg* d) {
    emit d->BandCombo->activated(1);
    EXPECT_EQ(d->FreqEdit->text(), "1500,00");
    d->CancelBtn->click();
  });
  EXPECT_FALSE(editor.modified);
  EXPECT_EQ(editor.records[2], memtest::DefaultRecords()[2]);
  EXPECT_EQ(rig.dlg->MemoryListBox->item(2)->text(), " 3 M003 TER   69,25");
  // OK: the set is modified and the list shows the new line.
  rig.Edit(2, [](TMemoryDataDlg* d) {
    emit d->BandCombo->activated(1);
    d->OKBtn->click();
  });
  EXPECT_TRUE(editor.modified);
  EXPECT_EQ(editor.records[2].band, 'S');
  EXPECT_EQ(editor.records[2].lnbOsc, 9750.0f);
  EXPECT_EQ(rig.dlg->MemoryListBox->item(2)->text(), " 3 M003 SAT 1500,00");

  // An invalid record: the box, its lines in the log, and no dialog.
  editor.modified = false;
  editor.records[4].nPlan = 32;
  bool shown = false;
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (auto* d = qobject_cast<TMemoryDataDlg*>(QApplication::activeModalWidget())) {
      shown = true;
      d->reject();
    }
  });
  guard.start(5);
  rig.host.Clear();
  rig.dlg->MemoryListBox->setCurrentRow(4);
  rig.dlg->EditBtn->click();
  guard.stop();
  EXPECT_FALSE(shown);
  ASSERT_EQ(rig.prompter.shown.size(), 1u);
  EXPECT_EQ(rig.prompter.shown[0].text, "Invalid memory data");
  EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(rig.host.Lines(), (QStringList{"Error(s) in memory number 5:", "Number of plan:32 (32)"}));
  EXPECT_FALSE(editor.modified);
}

TEST(MemorySettingsForm, HelpOpensTheMemoriesSection) {
  StartDir dir;
  FormRig rig;
  ASSERT_TRUE(QDir(dir.path()).mkpath("help"));
  const QString page = dir.filePath("help/Cv3Tools.html");
  ASSERT_TRUE(QFile::copy(QStringLiteral(CV_BIN_DIR "/help/Cv3Tools.html"), page));
  auto d = rig.Open(Record('T', '0'));
  RecordingOpener opener;
  d->HelpBtn->click();
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].fragment(), "Memories");
  EXPECT_NE(memtest::ReadAll(page).find("id=\"Memories\""), std::string::npos);
  cv::SetAppHelpFile("");
}

// ---- Against the simulator ----

Corvane3Profile::StoredChannel Channel(const char* name, char band, double mhz) {
  Corvane3Profile::StoredChannel c;
  c.name = name;
  c.word = cv::PllWord(band, mhz);
  return c;
}

class MemorySettingsSim : public testing::Test, public SimOnCom1 {
 public:
  void SetUp() override {
    auto profile = std::make_unique<Corvane3Profile>();
    Corvane3Profile::StoredPlan vhf{"VHF", 'T', 0, 3, {}, {Channel("E2", 'T', 48.25), Channel("E3", 'T', 55.25)}};
    Corvane3Profile::StoredPlan uhf{
        "UHF", 'T', 0, 0x21, {}, {Channel("C21", 'T', 471.25), Channel("C22", 'T', 479.25), Channel("C23", 'T', 487.25)}};
    Corvane3Profile::StoredPlan astra{"ASTRA", 'S', 97500, 0x30, {}, {Channel("ARD", 'S', 1200), Channel("ZDF", 'S', 1350)}};
    profile->plans = {{0, vhf}, {1, uhf}, {2, astra}};
    ASSERT_NO_FATAL_FAILURE(StartSim(std::move(profile)));
    rig = std::make_unique<FormRig>(&port);
    ASSERT_NO_FATAL_FAILURE(SettleAndOpen());
    ASSERT_NO_FATAL_FAILURE(SettleAfterWakeLine());  // past the wake line of the opening
    rig->host.Clear();
  }
  void TearDown() override { port.Close(); }
  std::unique_ptr<FormRig> rig;
};

TEST_F(MemorySettingsSim, PickerListsPlansAndChannels) {
  auto d = rig->Open(Record('T', '0'));
  TMemoryChannelDlg picker(d.get(), &rig->equip);
  EXPECT_EQ(picker.windowTitle(), "Channel Plan Selector");
  EXPECT_FALSE(picker.PlanCombo->isEnabled());
  EXPECT_EQ(picker.TimerToShowForm->interval(), 1000);
  picker.LoadChannels();
  EXPECT_FALSE(picker.TimerToShowForm->isActive());
  ASSERT_EQ(picker.PlanCombo->count(), 3);
  EXPECT_EQ(picker.PlanCombo->itemText(1), "UHF     ");
  EXPECT_EQ(picker.ChannelCombo->itemText(1), "E3   (55,25 MHz)");
  EXPECT_TRUE(picker.OKBtn->isEnabled());
  emit picker.PlanCombo->activated(1);
  ASSERT_EQ(picker.ChannelCombo->count(), 3);
  EXPECT_EQ(picker.ChannelCombo->itemText(2), "C23  (487,25 MHz)");
  EXPECT_EQ(picker.Gauge->value(), 100);
  picker.OKBtn->click();
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_EQ(d->Model().pickedPlanNumber, 1);
  EXPECT_STREQ(d->Model().pickedChannel.name, "C21 ");
  EXPECT_STREQ(d->Model().pickedPlan.name, "UHF     ");

  // A satellite plan with a 9750 MHz oscillator shows downlink frequencies.
  TMemoryChannelDlg second(d.get(), &rig->equip);
  second.LoadChannels();
  emit second.PlanCombo->activated(2);
  ASSERT_EQ(second.ChannelCombo->count(), 2);
  EXPECT_EQ(second.ChannelCombo->itemText(0), "ARD  (10950,00 MHz)");
  EXPECT_EQ(second.ChannelCombo->itemText(1), "ZDF  (11100,00 MHz)");
  EXPECT_TRUE(rig->prompter.shown.empty());
}

TEST_F(MemorySettingsSim, PickerFailures) {
  auto d = rig->Open(Record('T', '0'));
  Profile([](Corvane3Profile& p) { p.plans[1].channels[1].unreadable = true; });
  TMemoryChannelDlg picker(d.get(), &rig->equip);
  picker.LoadChannels();
  emit picker.PlanCombo->activated(1);
  ASSERT_EQ(rig->prompter.shown.size(), 1u);
  EXPECT_EQ(rig->prompter.shown[0].caption, "Error");
  EXPECT_EQ(rig->prompter.shown[0].text,
            "Channel Plan error:\n - Channel: 1\n - Name: C21 \n - Pll(hex): 27DB\n - Frequency: 471,25");
  EXPECT_EQ(picker.ChannelCombo->count(), 1);
  EXPECT_EQ(picker.Picker().result, cv::mem::ChannelPicker::Result::Open);
  EXPECT_TRUE(picker.PlanCombo->isEnabled());

  // No plans: the box, the picker closes with Cancel, and the memory keeps its tuning.
  Profile([](Corvane3Profile& p) { p.plans.clear(); });
  const MemoryRecord before = d->Model().w.r;
  cvtest::WhenModal<TMemoryChannelDlg>([](TMemoryChannelDlg* p) { p->LoadChannels(); });
  d->ModifyChannelBtn->click();
  ASSERT_EQ(rig->prompter.shown.size(), 2u);
  EXPECT_EQ(rig->prompter.shown[1].text, "No Channel Plans present");
  EXPECT_EQ(d->Model().w.r, before);
  EXPECT_EQ(d->ModifyChannelBtn->text(), "Modify Channel");
  EXPECT_TRUE(d->ModifyChannelBtn->isEnabled());
}

TEST_F(MemorySettingsSim, AMemoryTunedToAPickedChannel) {
  auto d = rig->Open(Record('S', '0'));
  cvtest::WhenModal<TMemoryChannelDlg>([&](TMemoryChannelDlg* p) {
    EXPECT_EQ(d->ModifyChannelBtn->text(), "Loading...");
    EXPECT_FALSE(d->ModifyChannelBtn->isEnabled());
    p->LoadChannels();
    emit p->PlanCombo->activated(1);
    emit p->ChannelCombo->activated(2);
    p->OKBtn->click();
  });
  d->ModifyChannelBtn->click();
  const MemoryRecord& r = d->Model().w.r;
  EXPECT_EQ(r.chFr, '0');
  EXPECT_EQ(r.band, 'T');
  EXPECT_EQ(r.nPlan, 1);
  EXPECT_EQ(r.codePlan, 0x21);
  EXPECT_EQ(r.freq, 487.25f);
  EXPECT_EQ(r.std, '0');  // a terrestrial frequency turns the SAT standard into PAL BG
  EXPECT_EQ(d->ChannelEdit->text(), "C23 ");
  EXPECT_TRUE(d->ChannelRadioButton->isChecked());
  EXPECT_FALSE(d->FreqEdit->isEnabled());
  EXPECT_EQ(d->ModifyChannelBtn->text(), "Modify Channel");
  d->OKBtnClick();
  EXPECT_EQ(rig->owner->Editor().current.nPlan, 1);
  EXPECT_EQ(rig->owner->Editor().current.chFr, '0');
  EXPECT_EQ(rig->owner->Editor().current.freq, 487.25f);
}

TEST_F(MemorySettingsSim, ShowTuningLooksTheChannelUp) {
  auto byChannel = [](double mhz) {
    return Record('T', '0', [mhz](MemoryRecord& r) {
      r.chFr = '0';
      r.nPlan = 1;
      r.freq = static_cast<float>(mhz);
    });
  };
  {  // Found: the record's word text is lower case, the instrument's upper case.
    auto d = rig->Open(byChannel(479.25));
    EXPECT_EQ(d->Model().w.wordText, "287b");
    EXPECT_EQ(d->ChannelEdit->text(), "C22 ");
    EXPECT_TRUE(d->ChannelRadioButton->isChecked());
    EXPECT_EQ(d->Model().w.r.chFr, '0');
  }
  {  // A channel deleted from the plan: frequency mode with the stored frequency.
    auto d = rig->Open(byChannel(495.25));
    EXPECT_TRUE(d->FreqRadioButton->isChecked());
    EXPECT_EQ(d->FreqEdit->text(), "495,25");
    EXPECT_TRUE(d->FreqEdit->isEnabled());
    EXPECT_EQ(d->ChannelEdit->text(), "");
    EXPECT_EQ(d->Model().w.r.chFr, '1');
  }
  {  // An instrument that does not answer.
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = true; });
    auto d = rig->Open(byChannel(479.25));
    EXPECT_TRUE(d->FreqRadioButton->isChecked());
    EXPECT_EQ(d->Model().w.r.chFr, '1');
    EXPECT_TRUE(rig->host.Lines().contains("Receiving Channels Error: Equipment not detected"));
    sim->UpdateFaults([](cvsim::Faults& f) { f.silent = false; });
  }
  {  // Offline: channel mode, the channel edit as it was.
    FormRig offline;
    auto d = offline.Open(byChannel(479.25));
    EXPECT_TRUE(d->ChannelRadioButton->isChecked());
    EXPECT_EQ(d->ChannelEdit->text(), "");
    EXPECT_TRUE(d->ChannelEdit->isEnabled());
    EXPECT_EQ(d->Model().w.r.chFr, '0');
  }
}

}  // namespace
