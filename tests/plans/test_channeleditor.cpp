#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QComboBox>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AppServices.h"
#include "Chanblockdlg.h"
#include "Chandlg.h"
#include "ChannelListEditor.h"
#include "CommandTable.h"
#include "Format.h"
#include "PlanFormat.h"

namespace {

PlanSlot Plan(char band, std::initializer_list<float> mhz, float lnb = 0) {
  PlanSlot p;
  CopyField(p.name, "EUROPE  ");
  p.band = band;
  p.lnbMHz = lnb;
  p.empty = 0;
  p.channels.emplace();
  int n = 0;
  for (float f : mhz) {
    p.channels->push_back(TChan3::FromFrequency("C" + std::to_string(n++), f, 8, band, "SY00"));
  }
  return p;
}

PlanSlot TerrestrialPlanOf(int count) {
  PlanSlot p = Plan('T', {});
  for (int i = 0; i < count; ++i) {
    p.channels->push_back(TChan3::FromFrequency("X", 48.25f + i, 8, 'T'));
  }
  return p;
}

using Exit = ChannelListEditor::Exit;

TEST(ChannelListEditor, WorkingCopyIsSortedAndListedByShownFrequency) {
  ChannelListEditor t(Plan('T', {479.25f, 471.25f}));
  EXPECT_STREQ(t.Channels()[0].name, "C1");
  EXPECT_EQ(t.ListLine(0), "  C1 (471.25)");
  EXPECT_EQ(t.Selected(), -1);

  // A satellite line shows the downlink frequency, also after an edit.
  ChannelListEditor s(Plan('S', {1500.0f}, 9750.0f));
  EXPECT_EQ(s.ListLine(0), "  C0 (11250.00)");
  s.Select(0);
  EXPECT_EQ(s.FrequencyText(), "11250.00");
  EXPECT_EQ(s.ReadFrequency("11258"), Exit::Changed);
  EXPECT_EQ(s.Channels()[0].frequency, 1508.0f);
  EXPECT_EQ(s.ListLine(0), "  C0 (11258.00)");
}

TEST(ChannelListEditor, AddStopsAt128AndDeleteKeepsThePosition) {
  ChannelListEditor t(TerrestrialPlanOf(127));
  ASSERT_TRUE(t.Add());
  EXPECT_EQ(t.Count(), 128);
  EXPECT_STREQ(t.Channels()[t.Selected()].name, " NEW");
  EXPECT_EQ(t.Channels()[t.Selected()].frequency, 471.25f);
  EXPECT_FALSE(t.Add());
  EXPECT_EQ(t.Count(), 128);

  ChannelListEditor s(Plan('S', {}, 9750.0f));
  ASSERT_TRUE(s.Add());
  EXPECT_EQ(s.Channels()[0].frequency, 1500.0f);
  EXPECT_EQ(s.Channels()[0].bandwidth, 0);

  ChannelListEditor d(Plan('T', {471.25f, 479.25f, 487.25f}));
  d.Select(2);
  ASSERT_TRUE(d.Delete());
  EXPECT_EQ(d.Selected(), 1);  // the last one
  d.Select(0);
  ASSERT_TRUE(d.Delete());
  EXPECT_EQ(d.Selected(), 0);
  ASSERT_TRUE(d.Delete());
  EXPECT_EQ(d.Selected(), -1);
  EXPECT_FALSE(d.Delete());
}

TEST(ChannelListEditor, FrequencyExitRefusesOutOfRangeAndResorts) {
  ChannelListEditor t(Plan('T', {471.25f, 479.25f, 487.25f}));
  // No channel selected: the first is selected instead of reading the edit.
  EXPECT_EQ(t.ReadFrequency("900"), Exit::Reselected);
  EXPECT_EQ(t.Selected(), 0);
  for (const char* bad : {"900", "4.9", "abc", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(t.ReadFrequency(bad), Exit::Refused);
    EXPECT_EQ(t.Channels()[0].frequency, 471.25f);
  }
  EXPECT_EQ(t.ReadFrequency("471.25"), Exit::Unchanged);
  EXPECT_EQ(t.ReadFrequency("495,25"), Exit::Changed);  // decimal comma read too
  EXPECT_EQ(t.Selected(), 2);                           // moved to its sorted place
  const TChan3& moved = t.Channels()[2];
  EXPECT_STREQ(moved.name, "C0");
  EXPECT_EQ(moved.word, 10683u);
  EXPECT_EQ(moved.bandwidth, 8);
  EXPECT_STREQ(moved.commands[0], "SY00");

  ChannelListEditor s(Plan('S', {1500.0f}, 9750.0f));
  s.Select(0);
  EXPECT_EQ(s.ReadFrequency("10000"), Exit::Refused);  // IF 250 MHz
  EXPECT_EQ(s.ReadFrequency("12000"), Exit::Refused);  // IF 2250 MHz
  EXPECT_EQ(s.ReadFrequency("11900"), Exit::Changed);  // IF 2150 MHz, the top
}

TEST(ChannelListEditor, BandwidthNameAndCommandExits) {
  ChannelListEditor t(Plan('T', {471.25f}));
  t.Select(0);
  for (const char* bad : {"0", "16", "-1", "x", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(t.ReadBandwidth(bad), Exit::Refused);
  }
  EXPECT_EQ(t.ReadBandwidth("8"), Exit::Unchanged);
  EXPECT_EQ(t.ReadBandwidth("7"), Exit::Changed);
  EXPECT_EQ(t.Channels()[0].word2, 10203 + 35);

  std::string shown;
  // The first 4 characters, their first word held right-aligned as the meter holds it, shown
  // without the padding.
  EXPECT_EQ(t.ReadName("C21 XYZ", shown), Exit::Changed);
  EXPECT_EQ(shown, "C21");
  EXPECT_STREQ(t.Channels()[0].name, " C21");
  EXPECT_EQ(t.NameText(), "C21");
  EXPECT_EQ(t.ReadName("C21", shown), Exit::Unchanged);
  EXPECT_EQ(t.ReadName(" C21", shown), Exit::Unchanged);
  EXPECT_EQ(t.ReadName("K", shown), Exit::Changed);
  EXPECT_STREQ(t.Channels()[0].name, "   K");

  EXPECT_EQ(t.ReadCommand(0, 21), Exit::Changed);
  EXPECT_STREQ(t.Channels()[0].commands[0], "SV0");
  EXPECT_EQ(t.CommandRow(0), 21);
  EXPECT_EQ(t.ReadCommand(1, 21), Exit::Unchanged);  // a terrestrial channel has one command
  EXPECT_EQ(t.ReadCommand(0, kNoCommand), Exit::Changed);
  EXPECT_STREQ(t.Channels()[0].commands[0], "");

  ChannelListEditor s(Plan('S', {1500.0f}, 9750.0f));
  s.Select(0);
  EXPECT_EQ(s.ReadBandwidth("99"), Exit::Unchanged);  // no bandwidth on satellite
  EXPECT_EQ(s.ReadCommand(2, 34), Exit::Changed);
  EXPECT_STREQ(s.Channels()[0].commands[2], "SOB");
}

TEST(ChannelListEditor, DuplicateFrequencies) {
  EXPECT_TRUE(ChannelListEditor(Plan('T', {471.25f, 479.25f, 471.25f})).HasDuplicateFrequency());
  EXPECT_FALSE(ChannelListEditor(Plan('T', {471.25f, 479.25f})).HasDuplicateFrequency());
}

struct BlockCase {
  const char* what;
  char band;
  int existing;
  BlockSettings block;
  int made;
  const char* firstName;
  const char* lastName;
};

TEST(ChannelListEditor, BlockGeneration) {
  const BlockCase cases[] = {
      {"plain", 'T', 0, {'A', 5, 3, 471.25f, 8.0f}, 3, " A05", " A07"},
      {"stops at the band's end", 'T', 0, {'A', 0, 10, 858.0f, 8.0f}, 1, " A00", " A00"},
      {"index wraps from 999", 'T', 0, {'B', 998, 4, 100.0f, 8.0f}, 4, "B998", " B01"},
      {"stops at 128 channels", 'T', 120, {'C', 0, 20, 300.0f, 1.0f}, 8, " C00", " C07"},
      {"typed index too long", 'T', 0, {'D', 1234, 1, 100.0f, 8.0f}, 1, "D123", "D123"},
      {"typed negative index", 'T', 0, {'E', -5, 6, 100.0f, 8.0f}, 6, "E-05", " E00"},
      {"negative index too long", 'T', 0, {'F', -100, 1, 100.0f, 8.0f}, 1, "F-10", "F-10"},
      {"satellite IF", 'S', 0, {'S', 10, 3, 2134.0f, 8.0f}, 3, " S10", " S12"},
      {"satellite past 2150", 'S', 0, {'S', 10, 5, 2134.0f, 8.0f}, 3, " S10", " S12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlanSlot plan = c.band == 'S' ? Plan('S', {}, 9750.0f) : TerrestrialPlanOf(c.existing);
    ChannelListEditor e(plan);
    ASSERT_EQ(e.GenerateBlock(c.block), c.made);
    EXPECT_EQ(e.Count(), c.existing + c.made);
    std::vector<std::string> made;
    for (const auto& ch : e.Channels()) {
      if (ch.name != std::string("X")) made.push_back(ch.name);
    }
    ASSERT_EQ(made.size(), static_cast<size_t>(c.made));
    EXPECT_EQ(made.front(), c.firstName);
    EXPECT_EQ(made.back(), c.lastName);
    EXPECT_EQ(e.Channels()[e.Selected()].name, std::string(c.lastName));
  }
}

TEST(ChannelBlockEditor, PreviewAndFieldReaders) {
  BlockSettings b;
  ChannelBlockEditor t(b, 'T', 0);
  auto texts = t.ShowBlock();
  EXPECT_EQ(texts.initChar, "A");
  EXPECT_EQ(texts.initIndex, "00");
  EXPECT_EQ(texts.firstChannel, "A00, 471.25 MHz.");
  EXPECT_EQ(texts.lastChannel, "A01, 479.25 MHz.");
  EXPECT_EQ(texts.quantity, "2");
  EXPECT_EQ(texts.step, "8.00");

  std::optional<std::string> restore;
  for (const char* bad : {"0", "200", "x"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(t.ReadQuantity(bad, restore));
    EXPECT_EQ(restore, "2");
  }
  EXPECT_TRUE(t.ReadQuantity("4", restore));
  EXPECT_FALSE(restore);
  EXPECT_TRUE(t.ReadInitIndex("998"));
  EXPECT_FALSE(t.ReadInitIndex("998"));
  EXPECT_EQ(t.ShowBlock().lastChannel, "A01, 495.25 MHz.");
  EXPECT_FALSE(t.ReadInitChar(""));  // keeps 'A'
  EXPECT_TRUE(t.ReadInitChar("Kx"));
  EXPECT_EQ(b.firstChar, 'K');
  EXPECT_TRUE(t.ReadStepFreq("7.5"));
  EXPECT_EQ(b.step, 7.5f);

  BlockSettings sb;
  sb.firstFreq = 1500.0f;
  ChannelBlockEditor s(sb, 'S', 9750.0f);
  EXPECT_EQ(s.ShowBlock().initFreq, "11250.00");
  EXPECT_TRUE(s.ReadInitFreq("11258"));
  EXPECT_EQ(sb.firstFreq, 1508.0f);
}

// Esc and the close box of the channel dialog: without a change it goes at once; with changed
// channels it asks first. Cancel keeps it open with the changes, Yes takes them into the plan as
// OK does (a frequency twice is refused and the dialog stays), No throws them away as Cancel does.
TEST(ChannelsDlgForm, EscAndTheCloseBoxAskAboutChangedChannels) {
  struct Row {
    const char* way;
    bool escape;
    cv::MsgAnswer answer;  // Yes, No or Cancel; Ok: nothing changed, nothing asked
    bool duplicate;
    bool open;
    int stored;  // channels the plan holds afterwards
  } rows[] = {
      {"Esc, unchanged", true, cv::MsgAnswer::Ok, false, false, 2},
      {"Esc, Cancel", true, cv::MsgAnswer::Cancel, false, true, 2},
      {"close box, Cancel", false, cv::MsgAnswer::Cancel, false, true, 2},
      {"Esc, Yes", true, cv::MsgAnswer::Yes, false, false, 3},
      {"close box, Yes", false, cv::MsgAnswer::Yes, false, false, 3},
      {"Esc, Yes, a frequency twice", true, cv::MsgAnswer::Yes, true, true, 2},
      {"close box, No", false, cv::MsgAnswer::No, false, false, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.way);
    cv::RecordingPrompter prompter;
    PlanSlot plan = Plan('T', {479.25f, 487.25f});  // Add's new channel comes at 471.25
    TChannelsDlg dlg(nullptr, plan);
    QStringList errors;
    dlg.errorBox = [&](const QString& text, const QString&) { errors << text; };
    if (r.answer != cv::MsgAnswer::Ok) {
      dlg.findChild<QPushButton*>("AddBtn")->click();
      if (r.duplicate) {
        auto* freq = dlg.findChild<QLineEdit*>("FreqEdit");
        freq->setText("479.25");
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(freq, &out);
      }
      prompter.answers = {r.answer};
    }
    dlg.show();
    if (r.escape)
      QTest::keyClick(&dlg, Qt::Key_Escape);
    else
      dlg.close();
    EXPECT_EQ(dlg.isVisible(), r.open);
    EXPECT_EQ(prompter.shown.size(), r.answer == cv::MsgAnswer::Ok ? 0u : 1u);
    if (!prompter.shown.empty()) {
      EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
    }
    EXPECT_EQ(errors.size(), r.duplicate ? 1 : 0);
    EXPECT_EQ(plan.Channels().size(), static_cast<size_t>(r.stored));
    if (r.open) {
      EXPECT_EQ(dlg.findChild<QListWidget*>("ChanListBox")->count(), 3) << "the changes stay";
    }
  }
}

// A frequency the field refuses, typed and not left: Esc and the close box keep the dialog with a
// beep and the field back on its kept value, so the drop is seen; the next Esc leaves, as nothing
// changed.
TEST(ChannelsDlgForm, ARefusedTypedValueKeepsTheDialogOnEscAndTheCloseBox) {
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Esc" : "close box");
    cv::RecordingPrompter prompter;
    PlanSlot plan = Plan('T', {471.25f, 479.25f});
    TChannelsDlg dlg(nullptr, plan);
    int beeps = 0;
    dlg.beep = [&] { ++beeps; };
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.ChanListBox->setCurrentRow(0);
    const QString kept = dlg.FreqEdit->text();
    dlg.FreqEdit->setFocus();
    dlg.FreqEdit->selectAll();
    QTest::keyClicks(dlg.FreqEdit, "9999");
    if (escape)
      QTest::keyClick(dlg.FreqEdit, Qt::Key_Escape);
    else
      dlg.close();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dlg.FreqEdit->text(), kept);
    EXPECT_TRUE(prompter.shown.empty());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(plan.Channels()[0].frequency, 471.25f);
  }
}

// Each kind of change in the channel dialog, Esc and the close box: the question comes and Cancel
// keeps the dialog and the change. A field typed in and not left yet is read before the question,
// as leaving it would.
TEST(ChannelsDlgForm, EveryKindOfChangeAsksBeforeEscAndTheCloseBoxLeave) {
  using Dlg = TChannelsDlg;
  auto type = [](QLineEdit* (Dlg::*field), const char* text) {
    return [field, text](Dlg& d) {
      (d.*field)->setFocus();
      (d.*field)->selectAll();
      QTest::keyClicks(d.*field, text);
    };
  };
  auto andLeave = [](std::function<void(Dlg&)> change) {
    return [change](Dlg& d) {
      change(d);
      d.ChanListBox->setFocus();
    };
  };
  auto chooseCommand = [](bool left) {
    return [left](Dlg& d) {
      d.Comm1Combo->setFocus();
      d.Comm1Combo->setCurrentIndex(1);
      if (left) emit d.Comm1Combo->activated(1);
    };
  };
  auto nameIs = [](const char* name) {
    return [name](const ChannelListEditor& e) {
      for (const TChan3& c : e.Channels())
        if (cv::plan::TrimBlanks(c.name) == name) return true;
      return false;
    };
  };
  auto count = [](int n) { return [n](const ChannelListEditor& e) { return e.Count() == n; }; };
  const auto frequency = [](const ChannelListEditor& e) {
    for (const TChan3& c : e.Channels())
      if (c.frequency == 495.25f) return true;
    return false;
  };
  const auto bandwidth = [](const ChannelListEditor& e) { return e.Channels()[0].bandwidth == 7; };
  const auto command = [](const ChannelListEditor& e) {
    return std::string(e.Channels()[0].commands[0]) == kCv3CommandTable.Row(1).mnemonic;
  };
  struct Kind {
    const char* what;
    std::function<void(Dlg&)> change;
    std::function<bool(const ChannelListEditor&)> kept;
  } kinds[] = {
      {"Add", [](Dlg& d) { d.AddBtn->click(); }, count(3)},
      {"Delete", [](Dlg& d) { d.DeleteBtn->click(); }, count(1)},
      {"Block",
       [](Dlg& d) {
         QTimer::singleShot(0, [] {
           if (auto* b = qobject_cast<TChannelsBlockDlg*>(QApplication::activeModalWidget())) b->OKBtn->click();
         });
         d.BlockBtn->click();
       },
       count(4)},
      {"name typed and left", andLeave(type(&Dlg::NameEdit, "K21")), nameIs("K21")},
      {"frequency typed and left", andLeave(type(&Dlg::FreqEdit, "495.25")), frequency},
      {"bandwidth typed and left", andLeave(type(&Dlg::BWEdit, "7")), bandwidth},
      {"command chosen and left", chooseCommand(true), command},
      {"name typed, not left", type(&Dlg::NameEdit, "K21"), nameIs("K21")},
      {"frequency typed, not left", type(&Dlg::FreqEdit, "495.25"), frequency},
      {"bandwidth typed, not left", type(&Dlg::BWEdit, "7"), bandwidth},
      {"command chosen by key, not left", chooseCommand(false), command},
  };
  for (const Kind& k : kinds) {
    for (bool escape : {true, false}) {
      SCOPED_TRACE(std::string(k.what) + (escape ? ", Esc" : ", close box"));
      cv::RecordingPrompter prompter;
      PlanSlot plan = Plan('T', {471.25f, 479.25f});
      Dlg dlg(nullptr, plan);
      dlg.beep = [] {};
      dlg.errorBox = [](const QString&, const QString&) {};
      dlg.show();
      QApplication::setActiveWindow(&dlg);
      ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
      dlg.ChanListBox->setCurrentRow(0);
      k.change(dlg);
      prompter.answers = {cv::MsgAnswer::Cancel};
      if (escape)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dlg, Qt::Key_Escape);
      else
        dlg.close();
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].text, "Data has been modified\nDo you want to save?");
      EXPECT_TRUE(dlg.isVisible());
      EXPECT_TRUE(k.kept(dlg.Editor())) << "the change stays";
      EXPECT_EQ(plan.Channels().size(), 2u) << "the plan is untouched until OK";
    }
  }
}

// The block dialog asks nothing: a quantity typed and not left goes with Esc and the close box,
// which make no channel, and is taken by OK, which makes that many.
TEST(ChannelsDlgForm, BlockQuantityTypedAndNotLeftGoesWithEscAndIsTakenByOK) {
  struct Row {
    const char* way;
    std::function<void(TChannelsBlockDlg*)> leave;
    int made;
  } rows[] = {
      {"Esc", [](TChannelsBlockDlg* b) { QTest::keyClick(b->QuantityEdit, Qt::Key_Escape); }, 0},
      {"close box", [](TChannelsBlockDlg* b) { b->close(); }, 0},
      {"OK", [](TChannelsBlockDlg* b) { b->OKBtn->click(); }, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.way);
    cv::RecordingPrompter prompter;
    PlanSlot plan = Plan('T', {});
    TChannelsDlg dlg(nullptr, plan);
    dlg.show();
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* b = qobject_cast<TChannelsBlockDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(b, nullptr);
      QApplication::setActiveWindow(b);
      ASSERT_TRUE(QTest::qWaitForWindowActive(b));
      b->QuantityEdit->setFocus();
      b->QuantityEdit->selectAll();
      QTest::keyClicks(b->QuantityEdit, "5");
      r.leave(b);
      ran = !b->isVisible();
    });
    dlg.BlockBtn->click();
    EXPECT_TRUE(ran);
    EXPECT_EQ(dlg.Editor().Count(), r.made);
    EXPECT_EQ(dlg.Editor().Edited(), r.made > 0);
    EXPECT_TRUE(prompter.shown.empty());
  }
}

// The preview's last channel is the one the block makes: the band's end, the plan's room and a
// satellite oscillator that counts down (C band) all stop or turn it as they stop the generator.
TEST(ChannelBlockEditor, PreviewShowsTheLastChannelTheBlockMakes) {
  PlanSlot many = Plan('T', {});
  for (int i = 0; i < 126; ++i)
    many.channels->push_back(TChan3::FromFrequency("M", 48.25f + 0.5f * static_cast<float>(i), 8, 'T'));
  struct Case {
    const char* what;
    PlanSlot plan;
    BlockSettings block;
    int made;
    const char* last;
  } cases[] = {
      {"within the band", Plan('T', {}), {'A', 0, 3, 471.25f, 8.0f}, 3, "A02, 487.25 MHz."},
      {"past 862 MHz", Plan('T', {}), {'A', 0, 127, 471.25f, 8.0f}, 49, "A48, 855.25 MHz."},
      {"past the plan's room", many, {'B', 0, 5, 600.0f, 8.0f}, 2, "B01, 608.00 MHz."},
      {"C band counts down", Plan('S', {}, 5150.0f), {'S', 0, 4, 950.0f, 10.0f}, 4, "S03, 4170.00 MHz."},
      {"nothing in the band", Plan('T', {}), {'A', 0, 4, 870.0f, 8.0f}, 0, ""},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    ChannelListEditor e(c.plan);
    c.block.room = e.NewBlockSettings().room;
    EXPECT_EQ(ChannelBlockEditor(c.block, c.plan.band, c.plan.lnbMHz).ShowBlock().lastChannel, c.last);
    ASSERT_EQ(e.GenerateBlock(c.block), c.made);
    if (c.made == 0) continue;
    const std::string name(e.Channels()[e.Selected()].name);
    EXPECT_EQ(std::string(c.last).substr(0, 3), name.substr(name.find_first_not_of(' ')));
    EXPECT_EQ(cv::Format("%4.2f", e.ShownFrequency(e.Selected())) + " MHz.", std::string(c.last).substr(5));
  }
}

// The channel dialog's caption names the plan without the blanks that pad it.
TEST(ChannelsDlgForm, CaptionNamesThePlanUnpadded) {
  PlanSlot plan = Plan('T', {471.25f});
  CopyField(plan.name, "DAB     ");
  TChannelsDlg dlg(nullptr, plan);
  EXPECT_EQ(dlg.windowTitle(), "Channels Editor - DAB");
}

// The form's wiring: a refused frequency is answered with a beep and the old value.
TEST(ChannelsDlgForm, RefusedFrequencyBeepsAndRestores) {
  PlanSlot plan = Plan('T', {471.25f, 479.25f});
  TChannelsDlg dlg(nullptr, plan);
  int beeps = 0;
  QStringList errors;
  dlg.beep = [&] { ++beeps; };
  dlg.errorBox = [&](const QString& text, const QString&) { errors << text; };
  auto* freq = dlg.findChild<QLineEdit*>("FreqEdit");
  auto* list = dlg.findChild<QListWidget*>("ChanListBox");
  ASSERT_TRUE(freq && list);
  EXPECT_EQ(list->count(), 2);

  list->setCurrentRow(0);
  EXPECT_EQ(freq->text(), "471.25");
  freq->setText("900");
  // Another window taking the focus is no exit: the half-typed value is left alone.
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(freq, &away);
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(freq->text(), "900");
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(freq, &out);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(freq->text(), "471.25");

  freq->setText("479.25");
  QCoreApplication::sendEvent(freq, &out);
  EXPECT_EQ(beeps, 1);
  dlg.OKBtnClick();  // two channels at 479.25 MHz
  EXPECT_EQ(errors, QStringList{"The same frequency cannot be used twice"});
  EXPECT_EQ(plan.channels->at(0).frequency, 471.25f);  // the slot is untouched until OK passes
  EXPECT_EQ(dlg.result(), 0);
}

}  // namespace

namespace {

// With its last channel deleted the list has nothing left to delete.
TEST(ChannelsDlgForm, DeletingTheLastChannelDisablesDelete) {
  PlanSlot plan = Plan('T', {471.25f});
  TChannelsDlg dlg(nullptr, plan);
  auto* remove = dlg.findChild<QPushButton*>("DeleteBtn");
  auto* list = dlg.findChild<QListWidget*>("ChanListBox");
  ASSERT_TRUE(remove && list);
  list->setCurrentRow(0);
  ASSERT_TRUE(remove->isEnabled());
  remove->click();
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(remove->isEnabled());
}

// Enter in an edit moves on instead of closing the dialog, and the block generator restores a
// refused quantity without closing either.
TEST(ChannelsDlgForm, EnterDoesNotCloseAndQuantityIsRestored) {
  PlanSlot plan = Plan('T', {471.25f});
  TChannelsDlg dlg(nullptr, plan);
  dlg.show();
  auto* name = dlg.findChild<QLineEdit*>("NameEdit");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(name, &enter);
  QCoreApplication::sendEvent(&dlg, &enter);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), 0);

  BlockSettings block;
  TChannelsBlockDlg blockDlg(&dlg, block, 'T', 0);
  auto* quantity = blockDlg.findChild<QLineEdit*>("QuantityEdit");
  auto* last = blockDlg.findChild<QLineEdit*>("LastChannelEdit");
  ASSERT_TRUE(quantity && last);
  EXPECT_EQ(last->text(), "A01, 479.25 MHz.");
  quantity->setText("200");
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(quantity, &out);
  EXPECT_EQ(quantity->text(), "2");
  quantity->setText("3");
  QCoreApplication::sendEvent(quantity, &out);
  EXPECT_EQ(last->text(), "A02, 487.25 MHz.");
  blockDlg.OKBtnClick();
  EXPECT_EQ(blockDlg.result(), QDialog::Accepted);
  EXPECT_EQ(block.quantity, 3);
}

}  // namespace
