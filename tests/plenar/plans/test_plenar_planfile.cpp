// CORVANE-PLENAR plan files: the "#<IMPORT FORMAT 2>" file written by Extract and read by Add
// (command list, resolution by code, line classes, bandwidths in MHz with decimals), the plain
// plan text with DAB plans, both separator settings, and a save that fails at its write.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "../../cv4/plans/Cv4PlanRig.h"
#include "ChanPlen.h"
#include "FileSizeLimit.h"
#include "HostForm.h"
#include "PlenEquip.h"
#include "PlenPlanFile.h"

using namespace plantest;
using cv4test::RecordingReport;
using cv::plenar::TChanPlen;

namespace {

struct Separators {
  char decimal, list;
};

// Reads a plan file's text with the equipment's field splitter under `s`.
bool ReadText(const std::string& text, Separators s, PlanSlot& slot, RecordingReport& report) {
  HostForm host;
  std::unique_ptr<cv::plenar::TCvPlenEquip> e(TCv3Equip::Build<cv::plenar::TCvPlenEquip>(&host.form, nullptr));
  e->decimalSeparator = s.decimal;
  e->listSeparator = s.list;
  TextFileLines file;
  SplitTextLines(text, file);
  return cv::plenar::ReadPlanFile(
      file, "/tmp/x/PLAN.TXT",
      [&](const std::string& line, std::vector<std::string>& fields) {
        fields.clear();
        if (!e->SplitFields(line.c_str())) return false;
        for (int i = 0; i < e->FieldCount(); ++i) fields.emplace_back(e->fields[i]);
        return true;
      },
      slot, report);
}

PlanSlot Plan(const char* name, char band, float lnb = 0) {
  PlanSlot s;
  NewPlan(s);
  CopyField(s.name, name);
  s.band = band;
  s.lnbMHz = lnb;
  return s;
}

}  // namespace

TEST(PlenPlanFile, Format2RoundTripsEveryBandUnderBothSeparatorSettings) {
  PlanSlot ter = Plan("TDT.1", 'T');
  CopyField(ter.commands[0], "SY06");
  CopyField(ter.commands[1], "CW0099");
  ter.Channels() = {TChanPlen::FromFrequency("C21", 474.0f, 800, 'T', "ME6"),
                    TChanPlen::FromFrequency("N", 482.25f, 153, 'T', "CW0099"),
                    TChanPlen::FromFrequency("C;9", 490.0f, 700, 'T')};
  PlanSlot dab = Plan("DAB", 'D');
  CopyField(dab.commands[0], "ME8");
  dab.Channels() = {TChanPlen::FromFrequency("5A", 174.928f, 800, 'D', "ME8"), TChanPlen::FromFrequency("12D", 229.07f, 800, 'D')};
  PlanSlot sat = Plan("ASTRA", 'S', 9750.0f);
  CopyField(sat.commands[0], "LB5");
  sat.Channels() = {TChanPlen::FromFrequency("RTL", 1200.0f, 0, 'S', "SY06", "UN1", "LB7"),
                    TChanPlen::FromFrequency("ZDF", 1953.5f, 0, 'S', "UN0")};
  for (Separators s : {Separators{',', ';'}, Separators{'.', ','}}) {
    for (const PlanSlot* plan : {&ter, &dab, &sat}) {
      SCOPED_TRACE(std::string(plan->name) + " " + s.list);
      const std::string text = cv::plenar::Format2Content(*plan, s.decimal, s.list);
      EXPECT_EQ(text.rfind("#<IMPORT FORMAT 2>\n#<START COMMANDS>\n#COMMAND3 (0x04, 0x00)   #(offset 0x0000) LNB EXT\n", 0), 0u);
      RecordingReport report;
      PlanSlot back;
      ASSERT_TRUE(ReadText(text, s, back, report)) << text << ::testing::PrintToString(report.log);
      EXPECT_EQ(back.band, plan->band);
      EXPECT_EQ(std::string(back.name).rfind(cv::plan::ScriptSafeName(plan->name).substr(0, 5), 0), 0u) << back.name;
      for (int c = 0; c < 3; ++c) EXPECT_STREQ(back.commands[c], plan->commands[c]) << c;
      EXPECT_FLOAT_EQ(back.lnbMHz, plan->lnbMHz);
      ASSERT_EQ(back.Channels().size(), plan->Channels().size());
      EXPECT_EQ(back.channelCount, static_cast<int32_t>(plan->Channels().size()));
      for (size_t i = 0; i < back.Channels().size(); ++i) {
        const TChan3& a = plan->Channels()[i];
        const TChan3& b = back.Channels()[i];
        EXPECT_EQ(b.word, a.word) << i;
        EXPECT_EQ(b.bandwidth, plan->band == 'S' ? 0 : a.bandwidth) << i;  // DAB: 800, as no file carries it
        for (int c = 0; c < 3; ++c) EXPECT_STREQ(b.commands[c], a.commands[c]) << i << c;
      }
      EXPECT_EQ(report.log.back(), "Plan loaded from PLAN.TXT");
    }
  }
  // 1.53 MHz is written with two decimals in the locale's separator; a name never splits a line.
  const std::string text = cv::plenar::Format2Content(ter, ',', ';');
  EXPECT_NE(text.find("\nN;  482,25;1,53;0x005C\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nC_9;  490,00;7,00\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nTDT.1;T;0x0022;0x005C\n"), std::string::npos) << text;
  EXPECT_NE(cv::plenar::Format2Content(dab, '.', ',').find("\n5A,  174.93,0x0084\n"), std::string::npos);
}

TEST(PlenPlanFile, Format2ResolvesByCodeAndIgnoresLinesOutOfPlace) {
  // Another table's list: the digital standard at offset 0x0002 with its CORVANE-3 code 0x0136.
  const std::string head =
      "#<IMPORT FORMAT 2>\n#<START COMMANDS>\n#COMMAND3 (0x01, 0x00)\n#COMMAND3 (0x01, 0x36)\n#COMMAND3 (0x1B, 0x08)\n"
      "#COMMAND3 (bad)\n#<END COMMANDS>\n";
  struct Row {
    const char* what;
    std::string text;
    bool ok;
    std::vector<std::string> channels;  // name and first command
  } rows[] = {
      {"by code", head + "P;T;0x0002\nC1;474,00;8,00;0x0002\nC2;482,00;8;0x0004\nC3;490;8\n", true,
       {"C1", "SY06", "C2", "ME8", "C3", ""}},
      {"a data line before the end", "#<IMPORT FORMAT 2>\n#<START COMMANDS>\n#COMMAND3 (0x01, 0x36)\nX;T\nC9;474;8\n"
       "#COMMAND3 (0x1B, 0x08)\n#<END COMMANDS>\nP;T;0x0000\nC1;474;8;0x0000\n",
       true, {"C1", "SY06"}},
      {"a command line after the data", head + "P;T\nC1;474;8;0x0002\n#COMMAND3 (0x01, 0x00)\nC2;482;8\n", true,
       {"C1", "SY06"}},
      {"no channel", head + "P;T\n", false, {}},
      {"a bad band", head + "P;X\nC1;474;8\n", false, {}},
      {"a frequency out of band", head + "P;T\nC1;900;8\n", false, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    RecordingReport report;
    PlanSlot slot;
    EXPECT_EQ(ReadText(r.text, {',', ';'}, slot, report), r.ok) << ::testing::PrintToString(report.log);
    EXPECT_EQ(slot.HoldsPlan(), r.ok);
    std::vector<std::string> got;
    for (const TChan3& c : slot.Channels()) {
      got.push_back(std::string(c.name).substr(0, std::string(c.name).find(' ')));
      got.push_back(c.commands[0]);
    }
    EXPECT_EQ(got, r.channels);
    if (!r.ok) {
      EXPECT_EQ(report.log.back(), "Error loading file /tmp/x/PLAN.TXT");
    }
  }
  RecordingReport report;
  PlanSlot slot;
  ASSERT_FALSE(ReadText(head + "P;X\n", {',', ';'}, slot, report));
  ASSERT_EQ(report.prompter.shown.size(), 1u);
  EXPECT_EQ(report.prompter.shown[0].text, "Bad data in line:\nP;X");
  EXPECT_EQ(report.zone.front(), "( 1) #<IMPORT FORMAT 2>");
}

TEST(PlenPlanFile, PlainFilesTakeDabPlansAndBandwidthsInMHz) {
  struct Row {
    const char* what;
    Separators s;
    std::string text;
    char band;
    std::vector<int32_t> bandwidths;
  } rows[] = {
      {"TER ;/,", {',', ';'}, "#plain\nTDT;T\nC1;474,00;1,53\nC2;482;8\n", 'T', {153, 800}},
      {"TER ,/.", {'.', ','}, "#plain\nTDT,T\nC1,474.00,1.53\nC2,482,7.5\n", 'T', {153, 750}},
      {"DAB", {',', ';'}, "#plain\nDAB;D\n5A;174,93\n", 'D', {800}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    RecordingReport report;
    PlanSlot slot;
    ASSERT_TRUE(ReadText(r.text, r.s, slot, report)) << ::testing::PrintToString(report.log);
    EXPECT_EQ(slot.band, r.band);
    std::vector<int32_t> got;
    for (const TChan3& c : slot.Channels()) got.push_back(c.bandwidth);
    EXPECT_EQ(got, r.bandwidths);
  }
}

// A bandwidth with decimals becomes hundredths of MHz to the nearest one, in both plan files:
// 1.13 MHz is 113 though 1.13 x 100 falls just below, and each side of the half hundredth goes
// its own way.
TEST(PlenPlanFile, BandwidthsRoundToTheNearestHundredth) {
  struct Row {
    const char* typed;
    int32_t hundredths;
  } rows[] = {{"1,13", 113}, {"7,994", 799}, {"7,996", 800}, {"7,5", 750}, {"8", 800}, {"0,01", 1}};
  const std::string format2 = "#<IMPORT FORMAT 2>\n#<START COMMANDS>\n#<END COMMANDS>\nP;T\n";
  for (const Row& r : rows) {
    for (const std::string& head : {format2, std::string("#plain\nP;T\n")}) {
      SCOPED_TRACE(std::string(r.typed) + (head == format2 ? ", format 2" : ", plain"));
      RecordingReport report;
      PlanSlot slot;
      ASSERT_TRUE(ReadText(head + "C1;474,00;" + r.typed + "\n", {',', ';'}, slot, report))
          << ::testing::PrintToString(report.log);
      ASSERT_EQ(slot.Channels().size(), 1u);
      EXPECT_EQ(slot.Channels()[0].bandwidth, r.hundredths);
    }
  }
}

TEST(PlenPlanFile, AFailedSaveKeepsTheFileThatWasThere) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("PLAN.TXT").toStdString();
  std::ofstream(path) << "old plan\n";
  PlanSlot big = Plan("BIG", 'T');
  for (int i = 0; i < 100; ++i) big.Channels().push_back(TChanPlen::FromFrequency("C" + std::to_string(i), 47.0f + 6 * i, 800, 'T'));
  const size_t size = cv::plenar::Format2Content(big, '.', ',').size();
  for (size_t limit : {size_t{100}, size - 10}) {
    RecordingReport report;
    {
      cvtest::FileSizeLimit cap(limit);
      EXPECT_FALSE(cv::plenar::WriteFormat2File(path, big, '.', ',', report)) << limit;
    }
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old plan\n") << limit;
    EXPECT_EQ(report.log, std::vector<std::string>{"Couldn't create file " + path});
    ASSERT_EQ(report.prompter.shown.size(), 1u);
  }
  RecordingReport report;
  EXPECT_TRUE(cv::plenar::WriteFormat2File(path, big, '.', ',', report));
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), cv::plenar::Format2Content(big, '.', ','));
}
