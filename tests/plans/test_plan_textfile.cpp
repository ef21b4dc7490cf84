#include <gtest/gtest.h>

#include "Format.h"
#include "PlanFakes.h"
#include "PlanTextFile.h"

namespace plantest {
namespace {

class RecordingReport : public Report {
 public:
  void Log(const std::string& l) override { log.push_back(l); }
  void LogZone(const std::string& l) override { zone.push_back(l); }
  cv::Prompter& Ask() override { return prompter; }
  RecordingPrompter prompter;
  std::vector<std::string> log, zone;
};

bool Read(const std::string& text, char dec, char list, PlanSlot& slot, RecordingReport& report) {
  TextFileLines file;
  SplitTextLines(text, file);
  return ReadPlanText(file, "/tmp/p/PLAN.csv",
                      [&](const std::string& l, std::vector<std::string>& f) { return SplitLikeEquipment(l, dec, list, f); },
                      slot, report);
}

TEST(PlanTextFile, RoundTripWithEitherSeparators) {
  struct Seps {
    char dec, list;
  } seps[] = {{',', ';'}, {'.', ','}};
  PlanSlot ter = MakePlan("TERRA   ", 'T', 5);
  ter.Channels()[1] = TChan3::FromFrequency("C1", 650.0f, 7, 'T');
  SortChannels(ter.Channels());
  PlanSlot sat = MakePlan("ASTRA   ", 'S', 4, 0, 9750.0f);
  PlanSlot cband = MakePlan("CBAND   ", 'S', 4, 0, 5150.0f);
  for (const Seps& s : seps) {
    for (const PlanSlot* p : {&ter, &sat, &cband}) {
      SCOPED_TRACE(std::string(p->name) + s.dec);
      std::string text = PlanTextFileContent(*p, s.dec, s.list);
      PlanSlot back;
      ClearPlan(back);
      RecordingReport report;
      ASSERT_TRUE(Read(text, s.dec, s.list, back, report));
      EXPECT_STREQ(back.name, p->name);
      EXPECT_EQ(back.band, p->band);
      EXPECT_EQ(back.lnbMHz, p->lnbMHz);
      EXPECT_EQ(back.origin, PlanSlot::FromTextFile);
      EXPECT_EQ(back.channelCount, static_cast<int>(p->Channels().size()));
      ASSERT_EQ(back.Channels().size(), p->Channels().size());
      for (size_t i = 0; i < p->Channels().size(); ++i) {
        EXPECT_EQ(back.Channels()[i].word, p->Channels()[i].word) << i;
        EXPECT_EQ(back.Channels()[i].bandwidth, p->Channels()[i].bandwidth) << i;
      }
    }
  }
  std::string comma = PlanTextFileContent(ter, ',', ';');
  EXPECT_NE(comma.find("C1;  650,00;7\n"), std::string::npos) << comma;
  EXPECT_NE(comma.find("#Chan:Name;Freq;BW\n"), std::string::npos);
  std::string dot = PlanTextFileContent(sat, '.', ',');
  EXPECT_NE(dot.find("ASTRA   ,S, 9750.0\n"), std::string::npos) << dot;
  EXPECT_NE(dot.find("C0,10700.00\n"), std::string::npos);  // 9750 + IF 950
  PlanSlot one = MakePlan("X", 'S', 0, 0, 5150.0f);
  one.Channels().push_back(TChan3::FromFrequency("A", 1200.0f, 0, 'S'));
  EXPECT_NE(PlanTextFileContent(one, '.', ';').find("A; 3950.00\n"), std::string::npos);
}

// Extract keeps two decimals: a frequency read with more, halfway between two steps, is written as
// the step it tunes, so that Add reads the file back onto the same word; one that two decimals
// keep on its word is written as read.
TEST(PlanTextFile, AFrequencyBetweenStepsExtractsAsTheStepItTunes) {
  PlanSlot slot;
  RecordingReport report;
  ASSERT_TRUE(Read("P;T\nA;47,125;8\nB;471,2501;8\nC;48,1;8\n", ',', ';', slot, report));
  const std::string text = PlanTextFileContent(slot, ',', ';');
  EXPECT_NE(text.find("\nA;   47,15;8\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nC;   48,10;8\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nB;  471,25;8\n"), std::string::npos) << text;
  PlanSlot back;
  ASSERT_TRUE(Read(text, ',', ';', back, report));
  ASSERT_EQ(back.Channels().size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(back.Channels()[i].word, slot.Channels()[i].word) << i;

  // The file keeps one decimal of the oscillator: the channel is written against that one, so
  // that the C-band edge channel (IF 900.00 under 5150.01) does not read back out of the band.
  ASSERT_TRUE(Read("CB;S;5150,01\nE;4250,01\n", ',', ';', slot, report));
  const std::string cband = PlanTextFileContent(slot, ',', ';');
  EXPECT_NE(cband.find("\nE; 4250,00\n"), std::string::npos) << cband;
  ASSERT_TRUE(Read(cband, ',', ';', back, report));
  EXPECT_EQ(back.Channels().at(0).word, slot.Channels()[0].word);
}

TEST(PlanTextFile, AHundredAndThirtyChannelsAreTruncatedTo128) {
  std::string text = "P;T\n";
  for (int i = 0; i < 130; ++i) text += "C" + std::to_string(i) + ";" + std::to_string(100 + i) + ",00;8\n";
  PlanSlot slot;
  RecordingReport report;
  ASSERT_TRUE(Read(text, ',', ';', slot, report));
  EXPECT_EQ(slot.Channels().size(), 128u);
  EXPECT_TRUE(report.prompter.Shown("Maximum number of channels reached\nThis plan will be truncated"));
}

TEST(PlanTextFile, BadFilesAreRefusedAndLeaveTheSlotEmpty) {
  struct Case {
    std::string name, text, message;
  } cases[] = {
      {"band d", "P;d\nA;100,00;8\n", "These channels cannot be loaded"},
      {"band x", "P;X\nA;100,00;8\n", "Unknown band"},
      {"out of band", "P;T\nA;100,00;8\nB;870,00;8\n", "Frequency out of range in line:\n( 3) B;870,00;8"},
      {"sat IF out of band", "P;S;9750,0\nA;10500,00\n", "Frequency out of range"},
      {"unreadable", "P;T\nA;1x0,00;8\n", "Unreadable number"},
      {"bad lnb", "P;S;99999,0\nA;10500,00\n", "LNB oscillator out of range"},
      {"negative lnb", "P;S;-0,1\nA;10500,00\n", "LNB oscillator out of range (0 to 52428.7 MHz) in line:\n( 1) P;S;-0,1"},
      {"binary", std::string("P;T\nA;1\0\0;8\n", 12), "is not a text file (line 2"},
      {"empty line of fields", "P;T\n;;\n", "Bad data in line:\n( 2) ;;"},
  };
  for (const Case& c : cases) {
    PlanSlot slot;
    RecordingReport report;
    EXPECT_FALSE(Read(c.text, ',', ';', slot, report)) << c.name;
    EXPECT_FALSE(slot.HoldsPlan()) << c.name;
    EXPECT_TRUE(report.prompter.Shown(c.message)) << c.name << ": "
                                                  << (report.prompter.Boxes().empty() ? "" : report.prompter.Boxes()[0].text);
  }
  // Only the plan line: refused without a message of its own.
  PlanSlot slot;
  RecordingReport report;
  EXPECT_FALSE(Read("# c\nP;T\n", ',', ';', slot, report));
  EXPECT_TRUE(report.prompter.Boxes().empty());
}

TEST(PlanTextLines, LongLinesEndingsAndBinary) {
  TextFileLines f;
  SplitTextLines(std::string(300, 'a') + "\r\nb\nc", f);
  ASSERT_EQ(f.lines.size(), 4u);
  EXPECT_EQ(f.lines[0].text.size(), 254u);
  EXPECT_EQ(f.lines[1].text.size(), 46u);
  EXPECT_EQ(f.lines[2].text, "b");
  EXPECT_EQ(f.lines[3].number, 4);
  EXPECT_EQ(f.binaryLine, 0);
  SplitTextLines(std::string(254, 'a') + "\nb\n", f);
  ASSERT_EQ(f.lines.size(), 3u);  // the line feed after 254 characters is read as an empty line
  EXPECT_EQ(f.lines[2].text, "b");
}

TEST(PlanNumbers, ParseStrictlyAndFormatWithoutTheLocale) {
  EXPECT_EQ(cv::PrintfFixed(650.0, 8, 2), "  650.00");
  EXPECT_EQ(cv::PrintfFixed(0.0, 4, 1), " 0.0");
  EXPECT_EQ(ParseNumber(" 471.25 ").value_or(-1), 471.25);
  EXPECT_FALSE(ParseNumber("471,25"));
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("12abc"));
  EXPECT_EQ(ParseHex16("0x0400").value_or(0), 0x0400);
  EXPECT_FALSE(ParseHex16("0x10000"));
  EXPECT_FALSE(ParseHex16("400"));
}

}  // namespace
}  // namespace plantest
