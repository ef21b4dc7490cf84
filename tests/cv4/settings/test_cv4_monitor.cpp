// The CORVANE-4 monitor: the family's ranges, steps, display format and standard codes, on the
// profile and through the dialog against the simulated meter.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <memory>

#include "Cv4MonitorTable.h"
#include "Cv4SettingsFixture.h"
#include "Monidlg.h"
#include "Monidlg4.h"
#include "MonitorPoller.h"

namespace {

using cv::cv4::Monitor4Profile;
using cv::settings::DefaultMonitorProfile;

// Both profiles side by side, each bound tested on both sides.
TEST(Monitor4Profile, RangesStepsAndFormatsAgainstTheDefault) {
  const auto& cv4 = Monitor4Profile();
  const auto& cv3 = DefaultMonitorProfile();
  struct Case {
    double mhz;
    int variant;
    bool cv4, cv3;
  } allowed[] = {
      {4.99, 5, false, false}, {5.0, 5, true, true},      {862.0, 5, true, true},    {862.05, 5, false, false},
      {862.1, 5, false, true}, {899.99, 5, false, true},  {900.0, 5, true, true},    {2150.0, 5, true, true},
      {2150.01, 5, false, false}, {600.0, 4, true, false}, {1200.0, 4, true, true},
  };
  for (const auto& c : allowed) {
    SCOPED_TRACE(c.mhz);
    EXPECT_EQ(cv4.FrequencyAllowed(c.mhz, c.variant), c.cv4);
    EXPECT_EQ(cv3.FrequencyAllowed(c.mhz, c.variant), c.cv3);
  }
  struct Step {
    double from;
    bool up;
    double to;
  } steps[] = {{899.95, true, 900.0}, {900.0, true, 900.5}, {900.0, false, 899.5},
               {899.9, false, 899.85}, {862.1, true, 862.15}, {2150.0, false, 2149.5}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.from);
    EXPECT_EQ(cv4.SteppedFrequency(s.from, s.up), s.to) << "exact: a hair below 900 is in neither range";
  }
  EXPECT_EQ(cv4.FrequencyText(900.0f), " 900.0");
  EXPECT_EQ(cv4.FrequencyText(899.95f), "899.95");
  EXPECT_EQ(cv4.FrequencyText(2150.0f), "2150.0");
  EXPECT_EQ(cv3.FrequencyText(899.95f), " 900.0");
}

TEST(Monitor4Profile, StandardCodes) {
  const auto& p = Monitor4Profile();
  const char* sent[] = {"00", "01", "02", "04", "05", "10", "13", "11", "24", "07", "17", "27", "36"};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(p.StdCode(i), sent[i]) << i;
    EXPECT_EQ(p.StdIndex(sent[i]), i) << i;
  }
  for (const char* digital : {"06", "16", "26"}) {
    EXPECT_EQ(p.StdIndex(digital), 12) << digital;
    EXPECT_EQ(DefaultMonitorProfile().StdIndex(digital), 0) << digital;
  }
  EXPECT_EQ(p.StdIndex("99"), 0);
  EXPECT_EQ(p.StdIndex(""), 0);
  EXPECT_EQ(p.StdCode(13), "00");
}

class Monitor4Sim : public Cv4MonitorSim<Cv4SettingsSim> {};

TEST_F(Monitor4Sim, TypedArrowedReadAndShown) { ExpectTypedArrowedReadAndShown(); }

// DIGITAL is sent as "36", whichever digital code the meter reported.
TEST_F(Monitor4Sim, DigitalIsSentAs36) {
  Profile([](cvsim::Corvane4Profile& p) { p.systemReply = "*SY060"; });
  dlg->ReceiveAll();
  dlg->StdRadioGroup->findChild<QRadioButton*>("Item8")->click();
  dlg->StdRadioGroup->findChild<QRadioButton*>("Item12")->click();
  dlg->TimerToReceiveAll->stop();
  EXPECT_EQ(Sent("*SY"), (std::vector<std::string>{"*SY24", "*SY36"}));
}

// The meter refusing the tuning: the equipment's own line, then the monitor's once more.
TEST_F(Monitor4Sim, RefusedTuningLogsTheErrorTwice) {
  Profile([](cvsim::Corvane4Profile& p) { p.On("*FR", [](const std::string&) { return cvsim::Answer::Nak(); }); });
  dlg->FreqEdit->setText("1200");
  dlg->OnExitFreqEdit();
  dlg->TimerToReceiveAll->stop();
  const QStringList log = Log();
  ASSERT_GE(log.size(), 2) << log.join('\n').toStdString();
  EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"Error when sending Frequency", "Error when sending Frequency"}))
      << log.join('\n').toStdString();
  EXPECT_EQ(dlg->FreqEdit->text(), "1200") << "a refused tuning is no typing error";
}

}  // namespace
