#include <gtest/gtest.h>

#include "PlanFakes.h"
#include "PlanImport.h"
#include "PlanScript.h"

namespace plantest {
namespace {

class RecordingReport : public Report {
 public:
  void Log(const std::string& l) override { log.push_back(l); }
  void LogZone(const std::string& l) override { zone.push_back(l); }
  cv::Prompter& Ask() override { return prompter; }
  bool Logged(const std::string& part) const {
    for (auto& l : log)
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
  RecordingPrompter prompter;
  std::vector<std::string> log, zone;
};

PlanSlots Empty() {
  PlanSlots s;
  for (auto& p : s) ClearPlan(p);
  return s;
}

bool Import(const std::string& script, PlanSlots& plans, RecordingReport& report) {
  TextFileLines file;
  SplitTextLines(script, file);
  return ReadProPlans(file, "/tmp/x/PLANS.PRO", ParseScriptLine, "CORVANE-3", plans, report);
}

std::string Script(PlanSlots plans) {
  std::string script, error;
  EXPECT_TRUE(BuildPlanScript(plans, script, error)) << error;
  return script;
}

PlanSlots Sample() {
  PlanSlots plans = Empty();
  plans[1] = MakePlan("TERRA", 'T', 40, 1);
  CopyField(plans[1].commands[1], "SY00");  // compacted to the front on the way back
  plans[1].code = 7;
  plans[4] = MakePlan("ASTRA", 'S', 80, 3, 9750.0f);
  CopyField(plans[4].commands[0], "LB7");
  plans[4].Channels()[5] = TChan3::FromFrequency("  X", 1200.0f, 0, 'S', "", "SO4722", "");
  SortChannels(plans[4].Channels());
  plans[9] = MakePlan("CBAND", 'S', 3, 0, 5150.0f);
  return plans;
}

TEST(PlanImport, ScriptReadsBackIntoTheSamePlans) {
  PlanSlots original = Sample();
  std::string script = Script(original);
  for (const char* ending : {"\n", "\r\n"}) {
    std::string text = script;
    if (std::string(ending) == "\r\n") {
      text.clear();
      for (char c : script) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    PlanSlots back = Empty();
    RecordingReport report;
    ASSERT_TRUE(Import(text, back, report)) << (report.log.empty() ? "" : report.log.back());
    EXPECT_TRUE(report.Logged("Channel Plan loaded from PLANS.PRO"));
    int slot = 0;  // compacted into plans 0 upwards
    for (const PlanSlot& o : original) {
      if (!o.HoldsPlan()) continue;
      const PlanSlot& b = back[slot++];
      SCOPED_TRACE(o.name);
      EXPECT_EQ(std::string(b.name).substr(0, std::string(o.name).size()), o.name);
      EXPECT_EQ(b.band, o.band);
      EXPECT_EQ(b.lnbMHz, o.lnbMHz);
      EXPECT_EQ(b.code, o.code);
      EXPECT_EQ(b.origin, PlanSlot::Imported);
      std::vector<std::string> oc, bc;
      for (int c = 0; c < 3; ++c) {
        if (*o.commands[c]) oc.push_back(o.commands[c]);
        if (*b.commands[c]) bc.push_back(b.commands[c]);
      }
      EXPECT_EQ(bc, oc);
      ASSERT_EQ(b.Channels().size(), o.Channels().size());
      for (size_t i = 0; i < o.Channels().size(); ++i) {
        EXPECT_EQ(b.Channels()[i].word, o.Channels()[i].word) << i;
        EXPECT_EQ(b.Channels()[i].bandwidth, o.Channels()[i].bandwidth) << i;
        std::vector<std::string> ocmd, bcmd;  // compacted to the front on the way back
        for (int c = 0; c < 3; ++c) {
          if (*o.Channels()[i].commands[c]) ocmd.push_back(o.Channels()[i].commands[c]);
          if (*b.Channels()[i].commands[c]) bcmd.push_back(b.Channels()[i].commands[c]);
        }
        EXPECT_EQ(bcmd, ocmd) << i;
      }
    }
    EXPECT_FALSE(back[3].HoldsPlan());
    // Terrestrial names come back right-aligned in four characters, satellite names left-aligned.
    EXPECT_STREQ(back[0].Channels()[0].name, "  C0");
    EXPECT_STREQ(back[1].Channels()[0].name, "C0  ");
    // The channel-bandwidth option bytes resolve to their own row, not the first with the code.
    EXPECT_STREQ(back[0].Channels()[0].commands[0], "CW0320");
    EXPECT_STREQ(back[1].Channels()[0].commands[0], "SY00");
  }
}

TEST(PlanImport, BadScriptsStopWithAMessageNamingTheProblem) {
  const std::string good = Script(Sample());
  auto replace = [&](const std::string& from, const std::string& to) {
    std::string s = good;
    size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return s.replace(at, from.size(), to);
  };
  auto oddChannelOffset = [&] {
    std::string s = good;
    size_t at = s.find("0x", s.find("CHAN3T (0, "));
    return s.replace(at, 6, "0x0003");
  };
  struct Case {
    std::string name, script, message;
  } cases[] = {
      {"truncated", good.substr(0, good.find("CHAN3S (7")), "Data File error in PLANS.PRO"},
      {"33 plans", replace("DIRECTORY3 (3)", "DIRECTORY3 (33)"), "More than 32 plans found.\nAborting..."},
      {"no plans", replace("DIRECTORY3 (3)", "DIRECTORY3 (0)"), "Number of plans out of range"},
      {"second directory", replace("# Max. number of plans", "DIRECTORY3 (3)\n#"), "out of its place"},
      {"plan before commands", replace("# command codes", "PLAN (1)\n#"), "out of its place"},
      {"channel after the last plan", good + "CHAN3T (0, A, 100.00, 8, 0xFFFF)\n", "out of its place"},
      {"out of band", replace("CHAN3T (0, C0, 47.00", "CHAN3T (0, C0, 870.00"), "Frequency out of range in line:\n("},
      {"plan number", replace("PLAN (2)", "PLAN (4)"), "Plan number out of range"},
      {"offset", replace("0xFFFF, 0xFFFF)\n", "0x0400, 0xFFFF)\n"), "Command offset out of range"},
      {"odd offset", replace("0xFFFF, 0xFFFF)\n", "0x0003, 0xFFFF)\n"), "Command offset out of range"},
      {"odd channel offset", oddChannelOffset(), "Command offset out of range in line:\n("},
      {"plan zero", replace("PLAN (1)", "PLAN (0)"), "Plan number out of range in line:\n(117) PLAN (0)"},
      {"negative lnb", replace("9750.0,", "-9750.0,"), "LNB oscillator out of range (0 to 52428.7 MHz) in line:\n("},
      {"count", replace("HEADER3 (TERRA, 0x0400, 40,", "HEADER3 (TERRA, 0x0400, 0,"), "Number of channels out of range"},
      {"unknown statement", replace("PLAN (1)", "PLAM (1)"), "Parser error at line:\n("},
      {"binary", std::string("HEADER3\0\x01\x02", 10) + "\n", "is not a text file (line 1"},
  };
  for (const Case& c : cases) {
    PlanSlots plans = Empty();
    RecordingReport report;
    EXPECT_FALSE(Import(c.script, plans, report)) << c.name;
    EXPECT_TRUE(report.prompter.Shown(c.message)) << c.name << ": "
                                                  << (report.prompter.Boxes().empty() ? "no box" : report.prompter.Boxes()[0].text);
  }
}

TEST(PlanImport, AFullPlanOf128ChannelsIsTheLargestAccepted) {
  PlanSlots plans = Empty();
  plans[0] = MakePlan("FULL", 'S', 128, 0, 9750.0f);
  const std::string full = Script(plans);
  PlanSlots back = Empty();
  RecordingReport report;
  ASSERT_TRUE(Import(full, back, report)) << (report.prompter.Boxes().empty() ? "" : report.prompter.Boxes()[0].text);
  EXPECT_EQ(back[0].Channels().size(), 128u);

  // One channel more, announced by the header and present below it.
  std::string over = full;
  size_t at = over.find(", 128, ");
  ASSERT_NE(at, std::string::npos);
  over.replace(at, 7, ", 129, ");
  size_t last = over.rfind("CHAN3S (127,");
  size_t end = over.find('\n', last);
  std::string extra = over.substr(last, end - last + 1);
  extra.replace(0, 12, "CHAN3S (128,");
  over.insert(end + 1, extra);
  back = Empty();
  RecordingReport refused;
  EXPECT_FALSE(Import(over, back, refused));
  EXPECT_TRUE(refused.prompter.Shown("Number of channels out of range (1 to 128) in line:\n("));
  EXPECT_FALSE(back[0].HoldsPlan());
}

TEST(PlanImport, Directory4IsConvertedOnlyWithConsent) {
  RecordingPrompter p;
  std::string converted;
  EXPECT_TRUE(ConvertDirectory4("directory4 (5, 7) #x", "CORVANE-3", p, converted));
  EXPECT_EQ(converted, "DIRECTORY3 (5) #Imported from DIRECTORY4");
  EXPECT_EQ(p.Boxes()[0].text, "This canalization is not for CORVANE-3.\nDo you want CvTools to try to import this file?");
  EXPECT_EQ(p.Boxes()[0].caption, "Import Canalization?");
  p.yesNo = false;
  EXPECT_FALSE(ConvertDirectory4("DIRECTORY4 (5)", "CORVANE-3", p, converted));
  EXPECT_FALSE(ConvertDirectory4("DIRECTORY3 (5)", "CORVANE-3", p, converted));
}

TEST(PlanImport, Directory3IsRewrittenAndConvertedOnlyWithConsent) {
  std::string out;
  EXPECT_TRUE(RewriteDirectory3("directory3 (2)\t\t#number of channel plans", out));
  EXPECT_EQ(out, "DIRECTORY4 (2)");
  EXPECT_FALSE(RewriteDirectory3("DIRECTORY4 (2)", out));
  EXPECT_FALSE(RewriteDirectory3("DIRECTORY3", out));
  RecordingPrompter p;
  std::string converted;
  EXPECT_TRUE(ConvertDirectory3("  Directory3 (7)", "CORVANE-4", p, converted));
  EXPECT_EQ(converted, "DIRECTORY4 (7) #Imported from DIRECTORY3");
  ASSERT_EQ(p.Boxes().size(), 1u);
  EXPECT_EQ(p.Boxes()[0].text, "This canalization is not for CORVANE-4.\nDo you want CvTools to try to import this file?");
  EXPECT_EQ(p.Boxes()[0].icon, cv::MsgIcon::Error);
  EXPECT_FALSE(ConvertDirectory3("DIRECTORY4 (7)", "CORVANE-4", p, converted));
  EXPECT_EQ(p.Boxes().size(), 1u);  // no question for another line
  p.yesNo = false;
  EXPECT_FALSE(ConvertDirectory3("DIRECTORY3 (7)", "CORVANE-4", p, converted));
}

}  // namespace
}  // namespace plantest
