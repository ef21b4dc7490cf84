#pragma once
// The CORVANE-4's monitor dialog against a simulated meter of the family or of a descendant that
// runs the same monitor: the fixture `Base` is a FamilySettingsSim over a profile derived from
// cvsim::Corvane4Profile, and the table is what every such plug-in shows.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "Corvane4Profile.h"
#include "Monidlg.h"
#include "Monidlg4.h"

template <class Base>
class Cv4MonitorSim : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    std::unique_ptr<QDialog> made = cv::cv4::MakeMonitorDlg4(*this->equip);
    dlg.reset(static_cast<TMonitorDlg*>(made.release()));
  }
  std::vector<std::string> Tunings() { return this->Sent("*FR"); }

  // Typing, the arrows, the standard a reply selects and the frequency shown, one case a row.
  void ExpectTypedArrowedReadAndShown() {
    struct Case {
      enum Kind { Type, Up, Down, Reply, Shown } kind;
      const char* text;     // typed or in the edit before an arrow; the meter's reply for Reply/Shown
      const char* tuning;   // what the meter received ("" nothing)
      const char* edit;     // the edit afterwards (Type) or the standard item (Reply) or the display
      int beeps;
    } cases[] = {
        {Case::Type, "862.5", "", "", 1},
        {Case::Type, "900", "*FRS2b1c", "900", 0},
        {Case::Type, "2150", "*FRS522c", "2150", 0},
        {Case::Type, "862", "*FRT4662", "862", 0},
        {Case::Type, "5", "*FRT036e", "5", 0},
        {Case::Type, "4.99", "", "", 1},
        {Case::Type, "2150.5", "", "", 1},
        {Case::Type, "", "*FRS3ddc", "", 0},
        {Case::Up, "899.95", "*FRS2b1c", nullptr, 0},
        {Case::Up, " 900.0", "*FRS2b20", nullptr, 0},
        {Case::Down, " 900.0", "", nullptr, 0},
        {Case::Up, "862.00", "", nullptr, 0},
        {Case::Up, "2150.0", "", nullptr, 0},
        {Case::Reply, "*SY160", "", "12", 0},
        {Case::Reply, "*SY060", "", "12", 0},
        {Case::Reply, "*SY360", "", "12", 0},
        {Case::Reply, "*SY990", "", "0", 0},
        {Case::Reply, "*SY130", "", "6", 0},
        {Case::Shown, "*FRS2b1c", "", " 900.0", 0},
        {Case::Shown, "*FRT4959", "", "899.95", 0},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.text) + " kind " + std::to_string(c.kind));
      this->sim->ClearTraffic();
      this->prompter.beeps = 0;
      switch (c.kind) {
        case Case::Type:
          dlg->FreqEdit->setText(c.text);
          dlg->OnExitFreqEdit();
          EXPECT_EQ(dlg->FreqEdit->text().toStdString(), c.edit);
          break;
        case Case::Up:
        case Case::Down:
          dlg->FreqEdit->setText(c.text);
          dlg->FreqUpDownClick(c.kind == Case::Up);
          EXPECT_TRUE(dlg->FreqUpDown->isEnabled());
          break;
        case Case::Reply:
          this->Profile([&](cvsim::Corvane4Profile& p) { p.systemReply = c.text; });
          dlg->ReceiveAll();
          EXPECT_EQ(std::to_string(dlg->StdRadioGroup->ItemIndex()), c.edit);
          break;
        case Case::Shown:
          this->Profile([&](cvsim::Corvane4Profile& p) { p.lastTuning = c.text; });
          dlg->ReceiveAll();
          EXPECT_EQ(dlg->FreqEdit->text().toStdString(), c.edit);
          EXPECT_TRUE(dlg->DisplayMemo->toPlainText().endsWith(QString(c.edit) + " MHz"))
              << dlg->DisplayMemo->toPlainText().toStdString();
          break;
      }
      dlg->TimerToReceiveAll->stop();
      const std::vector<std::string> tuned = Tunings();
      EXPECT_EQ(tuned, *c.tuning ? std::vector<std::string>{c.tuning} : std::vector<std::string>{});
      EXPECT_EQ(this->prompter.beeps, c.beeps);
    }
    EXPECT_TRUE(this->Log().isEmpty()) << this->Log().join('\n').toStdString();
  }

  std::unique_ptr<TMonitorDlg> dlg;
};
