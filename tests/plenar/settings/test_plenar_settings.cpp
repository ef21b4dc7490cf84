// The CORVANE-PLENAR configuration and monitor against the simulated meter: the 26 option
// records with the second model text, and the CORVANE-4's monitor table on this family's object.
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <memory>

#include "ConfigDlgChecks.h"
#include "Configdlg.h"
#include "Cv4MonitorTable.h"
#include "FamilySettingsSim.h"
#include "PlenEquip.h"
#include "PlenOptions.h"
#include "PlenarSim.h"

namespace {

using cv::plenar::TCvPlenEquip;
using cvsim::PlenarProfile;
using PlenSettingsSim = FamilySettingsSim<PlenarSim, TCvPlenEquip>;

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

class PlenOptions : public PlenSettingsSim {
 protected:
  void TearDown() override {
    dlg.reset();
    PlenSettingsSim::TearDown();
  }
  void Ask() {
    std::unique_ptr<QDialog> made = cv::plenar::MakeConfigurationDlgPlen(&host.form, equip.get());
    dlg.reset(static_cast<TConfigurationDlg*>(made.release()));
    dlg->TimerToShowForm->stop();
    sim->ClearTraffic();
    dlg->AskForOptions();
    Settle();
  }
  std::unique_ptr<TConfigurationDlg> dlg;
};

TEST_F(PlenOptions, TwentySixRecordsInTableOrderWithTheSecondModelText) {
  Ask();
  EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE-PLENAR v2.22") << "model and second model joined, version on the second";
  EXPECT_EQ(dlg->EquipLabel->text(), "TESSARY INSTRUMENTS");
  EXPECT_EQ(dlg->SerialLabel->text(), "CVP-4711");
  EXPECT_EQ(Items(dlg->OptionsListBox),
            (QStringList{"0102 TER TUNER (5-862) in slot 03", "0100 SAT TUNER (950-2150) in slot 04",
                         "0101 MPEG2 (1.4) in slot 07", "     CONAX", "0103 DAB (B3) in slot 08"}));
  // Every record's first query, in the table's order: the identity texts, then each board's
  // status (its name only when fitted) and the CA text.
  std::vector<std::string> firsts;
  const std::vector<std::string> expected = {
      "*?I20A01F10010", "*?I20A01F60010", "*?I20A01F20020", "*?I20A01F00010", "*?I20A01EFC002", "*?I20A01EE0002",
      "*?I20A01EC4002", "*?I20A01EA8002", "*?I20A01E8C002", "*?I20A01E70002", "*?I20A01E54002", "*?I20A01E38002",
      "*?I20A01E1C002", "*?I20A01E00002", "*?I20A01DE4002", "*?I20A01DC8002", "*?I20A01DAC002", "*?I20A01D90002",
      "*?I20A0159101F", "*?I20A01D74002", "*?I20A01D58002", "*?I20A01D20002", "*?I20A01D3C002", "*?I20A01D04002",
      "*?I20A01CE8002", "*?I20A01CCC002"};
  for (const std::string& l : Sent("*?I20A0"))
    if (std::find(expected.begin(), expected.end(), l) != expected.end()) firsts.push_back(l);
  EXPECT_EQ(firsts, expected);
  EXPECT_TRUE(Log().isEmpty()) << Log().join('\n').toStdString();
}

TEST_F(PlenOptions, IdentityOnlyAndEveryBoard) {
  struct Case {
    const char* what;
    void (*set)(PlenarProfile&);
    qsizetype lines;
  } cases[] = {
      {"identity only",
       [](PlenarProfile& p) {
         p.ClearBoards();
         p.SetRegisterText(0x1591, "", 31);
       },
       1},
      {"every board", [](PlenarProfile& p) { p.FitEveryBoard(); }, 22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Profile(c.set);
    Ask();
    EXPECT_EQ(dlg->MakeLabel->text(), "CORVANE-PLENAR v2.22");
    const QStringList items = Items(dlg->OptionsListBox);
    ASSERT_EQ(items.size(), c.lines) << items.join('\n').toStdString();
    if (c.lines == 1) {
      EXPECT_EQ(items[0], "No options detected");
      continue;
    }
    EXPECT_EQ(items[0], "0100 BOARD 00 (R1) in slot 00");
    EXPECT_EQ(items[14], "     CONAX") << "the CA text keeps its five blanks, after the MPEG2 board";
    EXPECT_EQ(items[17], "0111 BOARD 17 (R1) in slot 11") << "the COFDM constellation before the QAM one";
    EXPECT_EQ(items[18], "0110 BOARD 16 (R1) in slot 10");
    EXPECT_EQ(items[21], "0114 BOARD 20 (R1) in slot 14");
  }
}

TEST_F(PlenOptions, ApplyIsConfirmedOnlyByTheMeterAnsweringAfterIt) {
  Ask();
  ExpectApplyConfirmedOnlyByAnAnswer(*dlg, *equip, *sim, host, prompter);
}

class PlenMonitor : public Cv4MonitorSim<PlenSettingsSim> {};

TEST_F(PlenMonitor, TypedArrowedReadAndShownAsTheCorvane4) { ExpectTypedArrowedReadAndShown(); }

}  // namespace
