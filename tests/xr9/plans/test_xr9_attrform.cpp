// The plan editor's attribute and field areas on the form: the SYS, TYPE and band rules with the
// controls they enable, the attribute lists the add and delete buttons make, the typed fields,
// Enter in a field, and what NEW CHANNEL and DELETE CHANNEL show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QScopeGuard>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "AppServices.h"
#include "HostForm.h"
#include "StartDir.h"
#include "Xr9Attributes.h"
#include "Xr9Chanplandlg.h"
#include "Serial.h"
#include "Xr9Equip.h"

namespace {

using cv::xr9::TChanAttribute;
using cv::xr9::TChannelsPlanDlg;
using cv::xr9::TChanXR9;
using cv::xr9::TPlanXR9;

// The controls a TYPE switches, in the order of the patterns below, each with its add button.
const char* const kSwitched[][2] = {
    {"ComChanOFFSETFREQEdit", "AddComChanOFFSETFREQBtn"}, {"ComChanBWEdit", "AddComChanBWBtn"},
    {"ComChanSREdit", "AddComChanSRBtn"},                 {"ComChanSPINVComboBox", "AddComChanSPINVBtn"},
    {"ComChanCONSTComboBox", "AddComChanCONSTBtn"},       {"ComChanCARRIERSComboBox", "AddComChanCARRIERSBtn"},
    {"ComChanGUARDComboBox", "AddComChanGUARDBtn"},       {"ComChanCRComboBox", "AddComChanCRBtn"}};

class Xr9AttrForm : public ::testing::Test {
 protected:
  void SetUp() override {
    equip = std::make_unique<cv::xr9::TXR9Equip>(&host.form, nullptr);
    dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
  }
  template <class W = QPushButton>
  W* Find(const char* name) {
    W* w = dlg->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
  TPlanXR9& Plan(int i = 0) { return dlg->Editor().plans[i]; }
  TChanXR9& Chan(int i, int plan = 0) { return (*Plan(plan).Channels)[i]; }
  // A new plan, switched to satellite when asked, focused.
  void NewPlan(bool sat) {
    Find("AddPlanBtn")->click();
    if (sat) Choose("BandComboBox", "SAT");
  }
  // Picks an item as the user does, so the chooser's handler runs.
  void Choose(const char* chooser, const char* item) {
    auto* box = Find<QComboBox>(chooser);
    int at = -1;
    for (int i = 0; i < box->count(); ++i)
      if (box->itemText(i).trimmed() == item) at = i;
    ASSERT_GE(at, 0) << chooser << " " << item;
    box->setCurrentIndex(at);
    emit box->activated(at);
  }
  QString Shown(const char* chooser) { return Find<QComboBox>(chooser)->currentText().trimmed(); }
  // "1" per enabled control of kSwitched; its add button must agree.
  std::string Enabled() {
    std::string s;
    for (const auto& pair : kSwitched) {
      const bool on = Find<QWidget>(pair[0])->isEnabled();
      EXPECT_EQ(Find<QWidget>(pair[1])->isEnabled(), on) << pair[1];
      s += on ? '1' : '0';
    }
    return s;
  }
  void SetRadio(const char* group, int index) {
    Find<QGroupBox>(group)->findChildren<QRadioButton*>()[index]->click();
  }
  // Channels at these video carriers (terrestrial spacing 8 MHz), all selected, the last focused.
  void Channels(std::initializer_list<uint32_t> videos, std::vector<std::vector<TChanAttribute>> lists = {}) {
    Plan().Channels.emplace();
    size_t k = 0;
    for (uint32_t v : videos) Plan().Channels->push_back(TChanXR9("CH", v, v + 2750, k < lists.size() ? lists[k++] : std::vector<TChanAttribute>{}));
    dlg->RefreshAll();
    auto* list = Find<QListWidget>("ChanListBox");
    list->selectAll();
    list->setCurrentRow(list->count() - 1, QItemSelectionModel::Select);
  }
  std::vector<std::vector<uint8_t>> Records(const TChanAttribute* list) {
    std::vector<std::vector<uint8_t>> r;
    for (int i = 0; i < cv::xr9::AttrListSize && !list[i].IsMarker(); ++i)
      r.push_back({list[i].code, list[i].value[0], list[i].value[1], list[i].value[2], list[i].value[3]});
    return r;
  }

  StartDir start;
  HostForm host;
  cv::RecordingPrompter prompter;
  std::unique_ptr<cv::xr9::TXR9Equip> equip;
  std::unique_ptr<TChannelsPlanDlg> dlg;
};

TEST_F(Xr9AttrForm, TheSysTypeAndBandRules) {
  const struct {
    bool sat;
    std::vector<std::pair<const char*, const char*>> before;  // chooser, item
    const char* chooser;
    const char* item;
    const char* sys;
    const char* type;
    const char* bw;
    const char* sr;
    const char* enabled;  // offset bw sr spinv const carriers guard cr
  } rows[] = {
      {true, {}, "ComChanTYPEComboBox", "DVB-T/H", "SAT.ANLOG", "ANALOG", "8.00", "27500", "01000000"},
      {false, {}, "ComChanTYPEComboBox", "ITU J.83B", "PAL  BG", "ITU J.83B", "6.00", "5057", "00111000"},
      {false, {}, "ComChanTYPEComboBox", "8-VSB", "PAL  BG", "8-VSB", "6.00", "27500", "10010000"},
      {false, {}, "ComChanTYPEComboBox", "DVB-S2", "PAL  BG", "DVB-S2", "8.00", "27500", "01111001"},
      {false, {}, "ComChanTYPEComboBox", "DVB-S", "PAL  BG", "ANALOG", "8.00", "27500", "00000000"},
      {true, {}, "ComChanTYPEComboBox", "DSS", "PAL  BG", "DSS", "8.00", "27500", "00010001"},
      {true, {{"ComChanTYPEComboBox", "DVB-C"}}, "ComChanSYSComboBox", "SAT.ANLOG", "SAT.ANLOG", "ANALOG", "8.00",
       "27500", "01000000"},
      {false, {}, "ComChanSYSComboBox", "SAT.ANLOG", "PAL  BG", "ANALOG", "8.00", "27500", "00000000"},
      {true, {}, "ComChanSYSComboBox", "PAL  BG", "SAT.ANLOG", "ANALOG", "8.00", "27500", "01000000"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.chooser) + " " + r.item + (r.sat ? " sat" : " ter"));
    dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
    NewPlan(r.sat);
    for (const auto& [chooser, item] : r.before) {
      auto* box = Find<QComboBox>(chooser);
      for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i).trimmed() == item) box->setCurrentIndex(i);
    }
    Choose(r.chooser, r.item);
    EXPECT_EQ(Shown("ComChanSYSComboBox"), r.sys);
    EXPECT_EQ(Shown("ComChanTYPEComboBox"), r.type);
    EXPECT_EQ(Edit("ComChanBWEdit")->text(), r.bw);
    EXPECT_EQ(Edit("ComChanSREdit")->text(), r.sr);
    EXPECT_EQ(Enabled(), r.enabled);
    if (std::string(r.item) == "ITU J.83B") {
      EXPECT_EQ(Shown("ComChanCONSTComboBox"), "64 QAM CONSTEL.");
    }
    for (const char* always : {"AddComChanSYSBtn", "AddComChanTYPEBtn", "AddComChanLNBBtn"})
      EXPECT_TRUE(Find(always)->isEnabled());
  }
}

TEST_F(Xr9AttrForm, EveryTypeEnablesItsControlsOnBothBands) {
  const struct {
    const char* type;
    const char* ter;
    const char* sat;
  } rows[] = {{"ANALOG", "00000000", "01000000"},  {"DVB-T/H", "11010110", "11010110"},
              {"DVB-C", "01111000", "01111000"},   {"DVB-S", "01110001", "01110001"},
              {"8-VSB", "10010000", "10010000"},   {"ITU J.83B", "00111000", "00111000"},
              {"DSS", "00010001", "00010001"},     {"DVB-S2", "01111001", "01111001"}};
  NewPlan(false);
  auto* type = Find<QComboBox>("ComChanTYPEComboBox");
  for (bool sat : {false, true}) {
    Find<QComboBox>("BandComboBox")->setCurrentIndex(sat ? 1 : 0);
    for (const auto& r : rows) {
      for (int i = 0; i < type->count(); ++i)
        if (type->itemText(i).trimmed() == r.type) type->setCurrentIndex(i);
      dlg->ApplyChannelTypeEnables(dlg->ChannelTypeId());
      EXPECT_EQ(Enabled(), sat ? r.sat : r.ter) << r.type << (sat ? " sat" : " ter");
    }
  }
  // The plan side: bandwidth with ANALOG only on a satellite plan.
  Find<QComboBox>("BandComboBox")->setCurrentIndex(0);
  Choose("ComPlanTYPEComboBox", "ANALOG");
  EXPECT_FALSE(Find("AddComPlanBWBtn")->isEnabled());
  EXPECT_FALSE(Edit("ComPlanBWEdit")->isEnabled());
  Choose("ComPlanTYPEComboBox", "DVB-C");
  EXPECT_TRUE(Find("AddComPlanBWBtn")->isEnabled());
  Choose("ComPlanTYPEComboBox", "DVB-T/H");  // stays on a terrestrial plan
  EXPECT_EQ(Shown("ComPlanTYPEComboBox"), "DVB-T/H");
}

TEST_F(Xr9AttrForm, SwitchingTheBandKeepsFileTypeAndChoosersInStep) {
  NewPlan(false);
  Plan().FileType = 2;
  Plan().Modified = 0;
  Choose("ComChanTYPEComboBox", "DVB-S");  // back to ANALOG on a terrestrial plan
  Choose("BandComboBox", "SAT");
  EXPECT_EQ(Plan().FileType, 5);
  EXPECT_EQ(Plan().PlanType, 5);
  EXPECT_EQ(Plan().Modified, 1);
  EXPECT_EQ(Find<QListWidget>("PlanListBox")->item(0)->text(), "(SAT) NEW");
  for (const char* sys : {"ComChanSYSComboBox", "ComPlanSYSComboBox"}) EXPECT_EQ(Shown(sys), "SAT.ANLOG");
  for (const char* type : {"ComChanTYPEComboBox", "ComPlanTYPEComboBox"}) EXPECT_EQ(Shown(type), "ANALOG");
  EXPECT_TRUE(Find<QWidget>("ChannelSpacingEdit")->isHidden());
  EXPECT_TRUE(Find<QWidget>("FreqRadioGroup")->isHidden());
  EXPECT_EQ(Enabled(), "01000000");
  Choose("BandComboBox", "TER");
  EXPECT_EQ(Plan().FileType, 2);
  EXPECT_EQ(Plan().PlanType, 7);
  for (const char* sys : {"ComChanSYSComboBox", "ComPlanSYSComboBox"}) EXPECT_EQ(Shown(sys), "PAL  BG");
  EXPECT_FALSE(Find<QWidget>("ChannelSpacingEdit")->isHidden());
  EXPECT_EQ(Enabled(), "00000000");
  Plan().FileType = 1;
  Choose("BandComboBox", "SAT");
  EXPECT_EQ(Plan().FileType, 4);
}

TEST_F(Xr9AttrForm, AddingAndRemovingChannelAttributes) {
  using V = std::vector<std::vector<uint8_t>>;
  const TChanAttribute sys = TChanAttribute::Of(1, 0x0101), type = TChanAttribute::Of(2, 0);
  NewPlan(false);
  Channels({200000, 100000, 300000}, {{}, {}, {sys, type, TChanAttribute::Of(4, 8000)}});
  // Sorted: 100000 (the second), 200000, 300000; the last line holds SYS, TYPE, BW.
  Choose("ComChanSYSComboBox", "PAL  BG");
  Find("AddComChanSYSBtn")->click();
  EXPECT_EQ(Records(Chan(0).attrs1), (V{{1, 1, 1, 0, 0}}));
  EXPECT_EQ(Records(Chan(1).attrs1), (V{{1, 1, 1, 0, 0}}));
  EXPECT_EQ(Records(Chan(2).attrs1), (V{{2, 0, 0, 0, 0}, {4, 0x40, 0x1F, 0, 0}, {1, 1, 1, 0, 0}}));
  EXPECT_EQ(Find<QListWidget>("ComChanListBox")->count(), 3) << "the highest selected channel's list";
  EXPECT_EQ(Find<QListWidget>("ChanListBox")->selectedItems().size(), 3);

  // Only the last line selected from here on; a TYPE that enables the value fields.
  Find<QListWidget>("ChanListBox")->setCurrentRow(2);
  Choose("ComChanTYPEComboBox", "DVB-T/H");
  const struct {
    const char* field;
    const char* typed;
    const char* button;
    std::vector<uint8_t> record;
  } values[] = {
      {"ComChanBWEdit", "7", "AddComChanBWBtn", {4, 0x58, 0x1B, 0, 0}},
      {"ComChanBWEdit", "7.25", "AddComChanBWBtn", {4, 0x52, 0x1C, 0, 0}},
      {"ComChanBWEdit", "8", "AddComChanBWBtn", {4, 0x40, 0x1F, 0, 0}},
      {"ComChanBWEdit", "9999999999", "AddComChanBWBtn", {4, 0x40, 0x1F, 0, 0}},
      {"ComChanOFFSETFREQEdit", "-166666", "AddComChanOFFSETFREQBtn", {10, 0xF6, 0x74, 0xFD, 0xFF}},
      {"ComChanSREdit", "27500", "AddComChanSRBtn", {5, 0xE0, 0x9D, 0xA3, 0x01}},
  };
  for (const auto& v : values) {
    SCOPED_TRACE(std::string(v.field) + " " + v.typed);
    if (std::string(v.field) == "ComChanSREdit") Choose("ComChanTYPEComboBox", "DVB-S2");
    Edit(v.field)->setText(v.typed);
    Find(v.button)->click();
    const V got = Records(Chan(2).attrs1);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), v.record);
    int ofCode = 0;
    for (const auto& rec : got) ofCode += rec[0] == v.record[0];
    EXPECT_EQ(ofCode, 1) << "replaced, not added";
  }
  EXPECT_EQ(Records(Chan(2).attrs1).size(), 5u);  // TYPE, SYS, BW, OFFSET, SR

  // DELETE CONFIG. removes the focused record; the rest moves forward.
  Find<QListWidget>("ComChanListBox")->setCurrentRow(0);
  const V before = Records(Chan(2).attrs1);
  Find("DelComChanBtn")->click();
  EXPECT_EQ(Records(Chan(2).attrs1), V(before.begin() + 1, before.end()));
  EXPECT_EQ(Find<QListWidget>("ComChanListBox")->count(), 4);
  EXPECT_TRUE(prompter.shown.empty());

  // No line selected.
  Find<QListWidget>("ChanListBox")->clearSelection();
  Find("AddComChanLNBBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "No channel selected!");
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
}

TEST_F(Xr9AttrForm, FourteenAttributesAtMost) {
  NewPlan(false);
  std::vector<TChanAttribute> full;
  for (uint8_t code : {1, 2, 4, 5, 6, 7, 8, 9, 10, 3, 3, 3, 3, 3}) full.push_back(TChanAttribute::Of(code, code));
  Channels({100000}, {full});
  Choose("ComChanTYPEComboBox", "DVB-S2");  // code rate enabled
  Choose("ComChanCRComboBox", Find<QComboBox>("ComChanCRComboBox")->itemText(0).trimmed().toLatin1().constData());
  Find("AddComChanCRBtn")->click();  // a code not in the list
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Cannot add more commands");
  EXPECT_EQ(prompter.shown[0].caption, "User Error");
  EXPECT_EQ(Records(Chan(0).attrs1).size(), 14u);
  EXPECT_EQ(Chan(0).attrs1[13].code, 3);
  Find("AddComChanSYSBtn")->click();  // a code in the list: replaced
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(Records(Chan(0).attrs1).size(), 14u);
  EXPECT_EQ(Chan(0).attrs1[13].code, 1);
  EXPECT_EQ(Chan(0).attrs1[0].code, 2);

  // The plan side: full, damaged, and nothing selected.
  for (int i = 0; i < 14; ++i) Plan().Attributes[i] = full[i];
  Plan().Attributes[14] = TChanAttribute::Marker();
  Find<QListWidget>("PlanListBox")->item(0)->setSelected(true);
  Choose("ComPlanTYPEComboBox", "DVB-C");  // bandwidth enabled
  prompter.shown.clear();
  Find("AddComPlanBWBtn")->click();  // code 4 is present: replaced at the end
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(Plan().Attributes[13], TChanAttribute::Of(4, 8000));
  EXPECT_EQ(Plan().Attributes[14], TChanAttribute::Marker());
  Plan().Attributes[0] = TChanAttribute::Of(3, 0);  // no SYS left: a new code
  const auto kept = Plan().Attributes;
  Find("AddComPlanSYSBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Cannot add more commands");
  EXPECT_EQ(Plan().Attributes, kept);
  for (auto& a : Plan().Attributes) a = TChanAttribute::Of(4, 8000);  // no end marker
  Find("AddComPlanLNBBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].text, "End of commands not found");
  EXPECT_EQ(prompter.shown[1].caption, "CvTools Error");
  Find<QListWidget>("PlanListBox")->clearSelection();
  Find("AddComPlanLNBBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 3u);
  EXPECT_EQ(prompter.shown[2].text, "No plan selected!");
  EXPECT_EQ(prompter.shown[2].caption, "Error");
}

TEST_F(Xr9AttrForm, TypedFieldsGoIntoTheStore) {
  const struct {
    bool sat;
    bool center;
    const char* spacing;  // typed into ChannelSpacingEdit first (terrestrial)
    const char* freq;     // typed into FreqEdit
    uint32_t video, centre;
    const char* shownFreq;
    const char* shownSpacing;
  } rows[] = {
      {false, false, "8.00", "471.25", 471250, 474000, "471.25", "8.00"},
      {false, true, "8.00", "474.00", 471250, 474000, "474.00", "8.00"},
      {false, false, "8.00", "471,25", 471250, 474000, "471.25", "8.00"},
      {false, false, "8.00", "960", 650000, 652750, "650.00", "8.00"},
      {false, false, "8.00", "9999999999", 650000, 652750, "650.00", "8.00"},
      {false, true, "7", "500", 497750, 500000, "500.00", "7.00"},
      {false, true, "12", "500", 497250, 500000, "500.00", "8.00"},
      {true, false, nullptr, "950", 950000, 950000, "950.00", nullptr},
      {true, false, nullptr, "15000", 15000000, 15000000, "15000.00", nullptr},
      {true, false, nullptr, "11.5", 12100000, 12100000, "12100.00", nullptr},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.freq) + (r.sat ? " sat" : " ter") + (r.center ? " center" : " video"));
    dlg = std::make_unique<TChannelsPlanDlg>(&host.form, equip.get());
    NewPlan(r.sat);
    Find("AddChannelBtn")->click();
    SetRadio("FreqRadioGroup", r.center ? 1 : 0);
    if (r.spacing) {
      Edit("ChannelSpacingEdit")->setText(r.spacing);
      dlg->ChannelSpacingEditExit();
    }
    Edit("FreqEdit")->setText(r.freq);
    dlg->FreqEditExit();
    EXPECT_EQ(Chan(0).value1, r.video);
    EXPECT_EQ(Chan(0).value2, r.centre);
    EXPECT_EQ(Edit("FreqEdit")->text(), r.shownFreq);
    if (r.shownSpacing) {
      EXPECT_EQ(Edit("ChannelSpacingEdit")->text(), r.shownSpacing);
    }
    EXPECT_EQ(Plan().Modified, 1);
  }
}

TEST_F(Xr9AttrForm, NamesProtectionAndTheValueFields) {
  NewPlan(false);
  Find("AddChannelBtn")->click();
  const struct {
    const char* field;
    const char* typed;
    std::function<std::string()> stored;
    const char* expected;
  } names[] = {
      {"ChannelNameEdit", "   ABCDEFGHIJ", [&] { return std::string(Chan(0).name); }, "ABCDEFGH"},
      {"ChannelNameEdit", "    ", [&] { return std::string(Chan(0).name); }, "no-name"},
      {"ChannelNameEdit", "C21 \xe9", [&] { return std::string(Chan(0).name); }, "C21 \xe9"},
      {"PlanNameEdit", "ABCDEFGHIJKLM", [&] { return Plan().Name; }, "ABCDEFGHIJKL"},
      {"PlanNameEdit", "  MADRID", [&] { return Plan().Name; }, "  MADRID"},
      {"PlanNameEdit", "", [&] { return Plan().Name; }, "no-name"},
  };
  for (const auto& n : names) {
    Edit(n.field)->setText(QString::fromLatin1(n.typed));
    if (std::string(n.field) == "PlanNameEdit")
      dlg->PlanNameEditExit();
    else
      dlg->ChannelNameEditExit();
    EXPECT_EQ(n.stored(), n.expected) << n.typed;
  }
  EXPECT_EQ(Find<QListWidget>("PlanListBox")->item(0)->text(), "(TER) no-name");

  // MODIFIABLE on a satellite plan: file type 5, Modified left alone.
  Choose("BandComboBox", "SAT");
  Plan().Modified = 0;
  SetRadio("PlanAttRadioGroup", 1);
  EXPECT_EQ(Plan().FileType, 5);
  EXPECT_EQ(Plan().Modified, 0);
  SetRadio("PlanAttRadioGroup", 0);
  EXPECT_EQ(Plan().FileType, 4);

  const struct {
    const char* field;
    const char* typed;
    const char* shown;
    void (TChannelsPlanDlg::*exit)();
  } values[] = {
      {"ComChanBWEdit", "0.2", "0.20", &TChannelsPlanDlg::ComChanBWEditExit},
      {"ComChanBWEdit", "0.1", "8.00", &TChannelsPlanDlg::ComChanBWEditExit},
      {"ComPlanBWEdit", "80.001", "8.00", &TChannelsPlanDlg::ComPlanBWEditExit},
      {"ComPlanBWEdit", "7,25", "7.25", &TChannelsPlanDlg::ComPlanBWEditExit},
      {"ComPlanBWEdit", "9999999999", "8.00", &TChannelsPlanDlg::ComPlanBWEditExit},
      {"ComChanSREdit", "499", "27500", &TChannelsPlanDlg::ComChanSREditExit},
      {"ComChanSREdit", "75001", "27500", &TChannelsPlanDlg::ComChanSREditExit},
      {"ComChanSREdit", "9999999999", "27500", &TChannelsPlanDlg::ComChanSREditExit},
      {"ComChanOFFSETFREQEdit", "20000001", "166666", &TChannelsPlanDlg::ComChanOFFSETFREQEditExit},
      {"ComChanOFFSETFREQEdit", "-20000000", "-20000000", &TChannelsPlanDlg::ComChanOFFSETFREQEditExit},
      {"ComChanOFFSETFREQEdit", "9999999999", "166666", &TChannelsPlanDlg::ComChanOFFSETFREQEditExit},
      {"ComChanOFFSETFREQEdit", "x", "0", &TChannelsPlanDlg::ComChanOFFSETFREQEditExit},
  };
  Plan().Modified = 0;
  for (const auto& v : values) {
    Edit(v.field)->setText(v.typed);
    (dlg.get()->*v.exit)();
    EXPECT_EQ(Edit(v.field)->text(), v.shown) << v.field << " " << v.typed;
  }
  EXPECT_EQ(Plan().Modified, 0) << "the value fields store nothing";
}

TEST_F(Xr9AttrForm, EditingToAnotherChannelsCentreFocusesTheFirstOfThem) {
  NewPlan(false);
  Channels({497250, 597250});  // centres 500000 and 600000
  Find<QListWidget>("ChanListBox")->setCurrentRow(1);
  SetRadio("FreqRadioGroup", 1);
  Edit("FreqEdit")->setText("500");
  dlg->FreqEditExit();
  EXPECT_EQ(Chan(0).value2, 500000u);
  EXPECT_EQ(Chan(1).value2, 500000u);
  EXPECT_EQ(dlg->Editor().channelIndex, 0);
  EXPECT_EQ(Find<QListWidget>("ChanListBox")->currentRow(), 0);
}

TEST_F(Xr9AttrForm, EnterMovesTheFocusAndStoresOnce) {
  NewPlan(false);
  Find("AddChannelBtn")->click();
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  Plan().Modified = 0;
  QSignalSpy refills(Find<QListWidget>("ChanListBox")->model(), &QAbstractItemModel::modelReset);
  Edit("FreqEdit")->setFocus();
  Edit("FreqEdit")->setText("471.25");
  QTest::keyClick(Edit("FreqEdit"), Qt::Key_Return);
  EXPECT_TRUE(Edit("ChannelNameEdit")->hasFocus());
  EXPECT_EQ(refills.count(), 1);
  EXPECT_EQ(Chan(0).value1, 471250u);
  EXPECT_EQ(Plan().Modified, 1);
  EXPECT_EQ(Edit("FreqEdit")->text(), "471.25");
  EXPECT_EQ(prompter.beeps, 0);
  // Enter in a value field normalises it and goes to its add button.
  Choose("ComChanTYPEComboBox", "DVB-T/H");
  Edit("ComChanBWEdit")->setFocus();
  Edit("ComChanBWEdit")->setText("0.1");
  QTest::keyClick(Edit("ComChanBWEdit"), Qt::Key_Enter);
  EXPECT_TRUE(Find("AddComChanBWBtn")->hasFocus());
  EXPECT_EQ(Edit("ComChanBWEdit")->text(), "8.00");
  dlg->hide();
}

TEST_F(Xr9AttrForm, NewAndDeletedChannelsShowTheirFields) {
  NewPlan(false);
  Find("AddChannelBtn")->click();
  EXPECT_EQ(Edit("FreqEdit")->text(), "497.25");
  EXPECT_EQ(Edit("ChannelSpacingEdit")->text(), "8.00");
  EXPECT_EQ(Edit("ChannelNameEdit")->text(), "no-name");
  SetRadio("FreqRadioGroup", 1);
  EXPECT_EQ(Edit("FreqEdit")->text(), "500.00");
  // Clicking a channel line goes back to the video carrier.
  Find<QListWidget>("ChanListBox")->setCurrentRow(-1);
  Find<QListWidget>("ChanListBox")->setCurrentRow(0);
  EXPECT_EQ(Edit("FreqEdit")->text(), "497.25");
  EXPECT_TRUE(Find<QGroupBox>("FreqRadioGroup")->findChildren<QRadioButton*>()[0]->isChecked());
  Find("DeleteChannelBtn")->click();
  EXPECT_EQ(Edit("FreqEdit")->text(), "");
  EXPECT_EQ(Edit("ChannelNameEdit")->text(), "");
  EXPECT_EQ(Edit("ChannelSpacingEdit")->text(), "");
  EXPECT_TRUE(Find("SaveBtn")->isEnabled());  // the plan is still there to be saved
  EXPECT_FALSE(Find("SendBtn")->isEnabled());  // offline

  Choose("BandComboBox", "SAT");
  Find("AddChannelBtn")->click();
  EXPECT_EQ(Edit("FreqEdit")->text(), "11250.00");
  for (const char* hidden : {"ChannelSpacingLabel", "ChannelSpacingEdit", "ChannelSpacingMHzLabel", "FreqRadioGroup"})
    EXPECT_TRUE(Find<QWidget>(hidden)->isHidden()) << hidden;
}

// Leaving a field is no edit: with nothing typed, no field of the field and attribute areas moves
// a channel, renames anything or marks the plan changed, whatever takes the focus; a focus lost to
// another window or a popup stores nothing even when something was typed.
TEST_F(Xr9AttrForm, LeavingAFieldUnchangedStoresNothing) {
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  NewPlan(false);
  Plan().Channels = std::vector<TChanXR9>{TChanXR9("  TER", 471255, 474005)};
  NewPlan(true);
  Plan(1).Channels = std::vector<TChanXR9>{TChanXR9("  SAT", 10744125, 10744125)};
  const char* fields[] = {"ChannelNameEdit", "FreqEdit",      "ChannelSpacingEdit", "PlanNameEdit",
                          "ComPlanBWEdit",   "ComChanBWEdit", "ComChanSREdit",      "ComChanOFFSETFREQEdit"};
  for (int plan : {0, 1}) {
    for (const char* field : fields) {
      for (const char* next : {"PlanListBox", "ChanListBox", "AddChannelBtn"}) {
        SCOPED_TRACE(std::string(field) + " to " + next + (plan ? " sat" : " ter"));
        Find<QListWidget>("PlanListBox")->setCurrentRow(plan);
        dlg->PlanListBoxClick();
        for (TPlanXR9* p : {&Plan(0), &Plan(1)}) p->Modified = 0;
        const TPlanXR9 before = Plan(plan);
        if (!Edit(field)->isVisible()) continue;  // the spacing of a satellite plan
        const QString shown = Edit(field)->text();
        Edit(field)->setFocus(Qt::MouseFocusReason);
        Find<QWidget>(next)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(Edit(field)->text(), shown);
        EXPECT_EQ(Plan(plan).Modified, 0);
        EXPECT_EQ(Plan(plan).Name, before.Name);
        EXPECT_EQ(Chan(0, plan).value1, (*before.Channels)[0].value1);
        EXPECT_EQ(Chan(0, plan).value2, (*before.Channels)[0].value2);
        EXPECT_STREQ(Chan(0, plan).name, (*before.Channels)[0].name);
      }
    }
  }
  // Typed, then the focus goes to another window or a popup: nothing yet; then a click elsewhere.
  Find<QListWidget>("PlanListBox")->setCurrentRow(0);
  dlg->PlanListBoxClick();
  Edit("FreqEdit")->setFocus(Qt::MouseFocusReason);
  Edit("FreqEdit")->setText("471.00");
  for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(Edit("FreqEdit"), &out);
    EXPECT_EQ(Chan(0).value1, 471255u) << reason;
  }
  Find<QWidget>("ChanListBox")->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(Chan(0).value1, 471000u);
  EXPECT_EQ(Plan().Modified, 1);
  dlg->hide();
}

// Enter is the fields' own: in a list, or once more after a typed name has moved on, it presses
// no button; no push button of the editor or the receive dialog is a default button.
TEST_F(Xr9AttrForm, EnterAddsNoPlan) {
  dlg->show();
  QApplication::setActiveWindow(dlg.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  NewPlan(false);
  Find("AddChannelBtn")->click();
  const struct {
    const char* widget;
    const char* typed;  // into a field first, or nothing
    int enters;
  } rows[] = {{"PlanListBox", nullptr, 1}, {"ChanListBox", nullptr, 1}, {"PlanNameEdit", "MADRID", 2},
              {"ChannelNameEdit", "C1", 3}, {"FreqEdit", "474", 2}, {"ComChanSREdit", "6900", 2}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.widget);
    QWidget* w = Find<QWidget>(r.widget);
    w->setFocus(Qt::MouseFocusReason);
    if (r.typed) Edit(r.widget)->setText(r.typed);
    for (int i = 0; i < r.enters; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dlg->Editor().ListedPlans(), 1);
    EXPECT_EQ(Plan().Channels->size(), 1u);
    EXPECT_TRUE(dlg->isVisible());
  }
  EXPECT_EQ(Plan().Name, "MADRID");
  cv::xr9::TReceivePlansDlg receive(dlg.get(), dlg->Editor(), equip.get(), {"(PROT.TER) A", "(MOD. SAT) B"});
  receive.setResult(-1);
  receive.show();
  QApplication::setActiveWindow(&receive);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&receive));
  receive.PlansCheckListBox->setFocus();
  QTest::keyClick(receive.PlansCheckListBox, Qt::Key_Return);
  EXPECT_TRUE(receive.isVisible());
  EXPECT_EQ(receive.PlansCheckListBox->item(0)->checkState(), Qt::Unchecked);
  for (QWidget* form : {static_cast<QWidget*>(dlg.get()), static_cast<QWidget*>(&receive)})
    for (QPushButton* b : form->findChildren<QPushButton*>()) {
      EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
      EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();
    }
  receive.hide();
  dlg->hide();
}

// The transfers serve the store: deleting the only channel of one plan of four leaves SAVE and
// SEND to the others; only an empty store turns them off.
TEST_F(Xr9AttrForm, DeletingOnePlansOnlyChannelKeepsTheTransfers) {
  TSerial port(0);  // never opened: the buttons only ask whether there is one
  cv::xr9::TXR9Equip linked(&host.form, &port);
  dlg = std::make_unique<TChannelsPlanDlg>(&host.form, &linked);
  const auto gone = qScopeGuard([this] { dlg.reset(); });  // before the equipment object goes
  for (int i = 0; i < 4; ++i) {
    NewPlan(false);
    Find("AddChannelBtn")->click();
  }
  const char* transfers[] = {"SaveBtn", "SavePROFileBtn", "SendBtn", "SendAllBtn"};
  for (int focused : {1, 3}) {
    Find<QListWidget>("PlanListBox")->setCurrentRow(focused);
    dlg->PlanListBoxClick();
    Find("DeleteChannelBtn")->click();
    ASSERT_TRUE(Plan(focused).Channels->empty());
    for (const char* b : transfers) EXPECT_TRUE(Find(b)->isEnabled()) << b << " after plan " << focused;
  }
  for (int i = 0; i < 4; ++i) Find("DeletePlanBtn")->click();
  EXPECT_EQ(dlg->Editor().ListedPlans(), 0);
  for (const char* b : transfers) EXPECT_FALSE(Find(b)->isEnabled()) << b;
}

}  // namespace
