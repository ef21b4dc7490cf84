// The DV-800 plan script through the editor's own save and read paths: the golden script, the
// byte limit of a plan, what the writer refuses, and plans read back as they were written.
#include <gtest/gtest.h>

#include "FileSizeLimit.h"

#include "Commands8.h"
#include "Dv8PlanRig.h"

namespace dv8test {
namespace {

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// One text per plan in use and per channel, in slot order. `asWritten` gives what the script
// carries back of plans written from these: names made script-safe (a plan's padded to 8, a
// terrestrial channel's right-aligned in 4, a satellite one's left-aligned without its leading
// blanks) and the commands the table knows moved to the front.
std::string Describe(PlanSlots plans, bool asWritten) {
  std::ostringstream out;
  for (PlanSlot& s : plans) {
    if (!s.HoldsPlan()) continue;
    const std::string name = ScriptSafeName(s.name);
    if (asWritten) cv::plan::CompactCommands(s.commands, 3, cv::dv8::kCommands8);
    out << (asWritten ? FixWidth(name, 8) : std::string(s.name)) << "|" << s.band << "|" << s.lnbMHz << "|" << s.code
        << "|" << s.commands[0] << "," << s.commands[1] << "," << s.commands[2] << "\n";
    for (TChan3& c : s.Channels()) {
      std::string cn = ScriptSafeName(c.name);
      if (asWritten) {
        cn = s.band == 'S' ? FixWidth(cn.substr(std::min(cn.find_first_not_of(' '), cn.size())), 4)
                           : FixWidth(PadLeft(cn, 4), 4);
        cv::plan::CompactCommands(c.commands, s.band == 'S' ? 3 : 1, cv::dv8::kCommands8);
      }
      out << "  " << (asWritten ? cn : std::string(c.name)) << "|" << c.word << "|" << c.commands[0] << ","
          << c.commands[1] << "," << c.commands[2] << "\n";
    }
  }
  return out.str();
}

TEST(Dv8Script, GoldenScriptSavedAndReadBack) {
  Dv8EditorRig r;
  r.editor.planSlots = GoldenPlans();
  const std::string path = r.Path("PLANS.PRO");
  ASSERT_TRUE(cv::dv8::WritePlanScript(r.editor, path));
  const std::string script = ReadAll(path);
  ExpectGolden(script, "plans.pro");
  EXPECT_EQ(r.equip.log, (std::vector<std::string>{"Creating PRO file", "PRO file generated"}));
  // The example plan's lines, the addresses of the plans after it, the satellite downlink.
  for (const char* line :
       {"\nHEADER3 (TEST, 0x0400, 1, 7,  0.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n", "\nCHAN3T (0, CH21, 471.25, 8, 0x0000)\n",
        "\nHEADER3 (UHF, 0x0900, 2, 7,  0.0, 2, 0x0014, 0xFFFF, 0x0044)\n",
        "\nHEADER3 (ASTRA, 0x0E00, 2, 5, 9750.0, 5, 0x0038, 0xFFFF, 0xFFFF)\n",
        "\nCHAN3S (0, S1, 11200.00, 0x0012, 0x0038, 0x0032)\n", "\nDIRECTORY3 (3)\t\t#number of channel plans\n",
        "\n# DV800\n", "\n# trying to POWER ON DV800\n"})
    EXPECT_EQ(Count(script, line), 1) << line;
  // A code line per row and an option-bytes line after each row with a parameter: 37 + 5.
  const size_t block = script.find("# command codes related to former headers\n");
  const std::string codes = script.substr(block, script.find("FSTEP", block) - block);
  EXPECT_EQ(Count(codes, "\nCOMMAND3 ("), 42);
  EXPECT_EQ(Count(codes, "#Option bytes"), 5);
  EXPECT_NE(codes.find("COMMAND3 (0xFF, 0xFF)\t#(offset 0x"), std::string::npos);

  PlanSlots back;
  ASSERT_TRUE(cv::dv8::ReadPlanScript(r.editor, path, back));
  EXPECT_EQ(Describe(back, false), Describe(GoldenPlans(), true));
  EXPECT_TRUE(r.equip.Logged("Channel Plan loaded from PLANS.PRO"));
}

TEST(Dv8Script, PlanByteLimit) {
  struct Case {
    const char* what;
    char band;
    int channels, commands;
    const char* error;  // nullptr: written
  } cases[] = {
      {"128 TER without commands (1280 bytes)", 'T', 128, 0, nullptr},
      {"127 TER and a 128th with a command (1282 bytes)", 'T', -128, 0, "There are 128 or less channels in plan P"},
      {"106 TER with a command each (1272 bytes)", 'T', 106, 1, nullptr},
      {"107 TER with a command each (1284 bytes)", 'T', 107, 1, "There are 128 or less channels in plan P"},
      {"91 SAT with two commands (1274 bytes)", 'S', 91, 2, nullptr},
      {"80 SAT with three commands (1280 bytes)", 'S', 80, 3, nullptr},
      {"81 SAT with three commands (1296 bytes)", 'S', 81, 3, "There are 128 or less channels in plan P"},
      {"129 TER", 'T', 129, 0, "Too much channels in plan P"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dv8EditorRig r;
    PlanSlot plan = MakePlan("P", c.band, c.channels < 0 ? -c.channels : c.channels, c.commands,
                             c.band == 'S' ? 9750.0f : 0.0f);
    if (c.channels < 0) CopyField(plan.Channels().back().commands[0], "SY00");
    r.editor.planSlots[1] = plan;
    r.editor.planSlots[3] = MakePlan("Q", 'T', 1);  // a good plan after it changes nothing
    const std::string path = r.Path("P.PRO");
    EXPECT_EQ(cv::dv8::WritePlanScript(r.editor, path), c.error == nullptr);
    if (!c.error) {
      EXPECT_EQ(Count(ReadAll(path), c.band == 'S' ? "\nCHAN3S (" : "\nCHAN3T ("), plan.channelCount + (c.band == 'T'));
      continue;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    ASSERT_EQ(r.prompter.Boxes().size(), 1u);
    EXPECT_EQ(r.prompter.Boxes()[0].text.rfind(c.error, 0), 0u) << r.prompter.Boxes()[0].text;
    EXPECT_EQ(r.prompter.Boxes()[0].caption, "CvTools Error");
    EXPECT_FALSE(r.equip.Logged("PRO file generated"));
  }
}

TEST(Dv8Script, EmptyPlansAndUnwritableFiles) {
  {
    // A received plan whose channels are not read yet: the meter must answer first.
    Dv8EditorRig r;
    r.editor.planSlots[0] = MakePlan("RX", 'T', 0);
    r.editor.planSlots[0].origin = PlanSlot::Received;
    r.editor.planSlots[0].channelCount = 2;
    r.equip.answers = false;
    EXPECT_FALSE(cv::dv8::WritePlanScript(r.editor, r.Path("A.PRO")));
    EXPECT_TRUE(r.equip.Logged("Receiving Plans from equipment Error: Equipment not detected"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path("A.PRO"))));
    // It answers, but stops after the first channel: the plan is not written short.
    r.equip.answers = true;
    r.equip.channels[0] = {Channel("A", 500.0f, 8, 'T')};
    EXPECT_FALSE(cv::dv8::WritePlanScript(r.editor, r.Path("A.PRO")));
    EXPECT_TRUE(r.prompter.Shown("Only 1 of the 2 channels of plan RX"));
    r.equip.channels[0].push_back(Channel("B", 508.0f, 8, 'T'));
    r.editor.planSlots[0].Channels().clear();
    EXPECT_TRUE(cv::dv8::WritePlanScript(r.editor, r.Path("A.PRO")));
    EXPECT_EQ(Count(ReadAll(r.Path("A.PRO")), "\nCHAN3T ("), 2);
  }
  {
    Dv8EditorRig r;
    r.editor.planSlots[0] = MakePlan("NONE", 'T', 0);
    EXPECT_FALSE(cv::dv8::WritePlanScript(r.editor, r.Path("B.PRO")));
    EXPECT_TRUE(r.equip.Logged("Plan NONE without channels. Error"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path("B.PRO"))));
  }
  {
    // Send cannot write its script (a full disk, wherever it goes): nothing runs.
    Dv8EditorRig r;
    r.editor.planSlots[0] = MakePlan("P", 'T', 2);
    r.editor.planSelected = true;
    QFile hex(r.dir.filePath("update.hex"));
    ASSERT_TRUE(hex.open(QIODevice::WriteOnly));
    hex.close();
    {
      cvtest::FileSizeLimit full(16);
      r.editor.SendBtnClick();
    }
    ASSERT_EQ(r.prompter.Boxes().size(), 1u);
    EXPECT_EQ(r.prompter.Boxes()[0].text, std::string("Couldn't create temporary file ") + cv::dv8::kDv8TempScript);
    EXPECT_EQ(r.prompter.Boxes()[0].icon, cv::MsgIcon::Warning);
    EXPECT_TRUE(r.equip.ranScripts.empty());
  }
}

TEST(Dv8Script, RoundTripOfHostileNamesAndEveryCommand) {
  Dv8EditorRig r;
  PlanSlots& plans = r.editor.planSlots;
  const char* names[] = {"A.B", "#LEAD", " X", "Q\"T", "a,b;c", "\xC9T\xC9", "LONGNAME1"};
  const cv::dv8::CommandLookups& t = cv::dv8::kDv8Lookups;
  // Every command of the table on a terrestrial channel, the three slots of satellite channels.
  PlanSlot ter = MakePlan(names[0], 'T', 0);
  PlanSlot sat = MakePlan(names[1], 'S', 0, 0, 10600.0f);
  CopyField(sat.commands[0], "SOF6A9");
  CopyField(sat.commands[1], "CW0320");
  for (int row = 0; row < cv::dv8::kCommandRows; ++row) {
    const std::string name = names[row % 7];
    ter.Channels().push_back(Channel(name.c_str(), 48.25f + 8.0f * row, 8, 'T', t.CommandMnemonic(row)));
    sat.Channels().push_back(Channel(name.c_str(), 900.0f + 33.75f * row, 0, 'S', t.CommandMnemonic(row),
                                     t.CommandMnemonic((row + 1) % cv::dv8::kCommandRows), "SO4722"));
  }
  ter.Channels().push_back(Channel("TOP", 862.0f, 8, 'T'));
  sat.Channels().push_back(Channel("TOP", 2150.0f, 0, 'S'));
  plans[0] = ter;
  plans[1] = sat;
  for (int p = 0; p < 2; ++p) plans[p].channelCount = static_cast<int32_t>(plans[p].Channels().size());
  const std::string path = r.Path("ROUND.PRO");
  ASSERT_TRUE(cv::dv8::WritePlanScript(r.editor, path));
  PlanSlots back;
  ASSERT_TRUE(cv::dv8::ReadPlanScript(r.editor, path, back));
  EXPECT_EQ(Describe(back, false), Describe(plans, true));
}

TEST(Dv8Script, ReaderCases) {
  Dv8EditorRig r;
  r.editor.planSlots = GoldenPlans();
  ASSERT_TRUE(cv::dv8::WritePlanScript(r.editor, r.Path("G.PRO")));
  const std::string saved = ReadAll(r.Path("G.PRO"));
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string s = saved;
    s.replace(s.find(from), from.size(), to);
    return s;
  };
  std::string cut = saved.substr(0, saved.find("CHAN3S (1"));
  std::string dir4 = replaced("DIRECTORY3 (3)", "DIRECTORY4 (3)");
  struct Case {
    const char* what;
    std::string script;
    bool ok;
    bool yes;
    const char* shown;
  } cases[] = {
      {"cut before the last channel", cut, false, true, "Data File error in S.PRO"},
      {"terrestrial channel above 862 MHz", replaced("855.25", "862.05"), false, true,
       "Frequency out of range in line:\n"},
      {"satellite IF below 900 MHz", replaced("11200.00", "10649.00"), false, true, "Frequency out of range in line:\n"},
      {"satellite IF above 2150 MHz", replaced("11200.00", "11900.50"), false, true,
       "Frequency out of range in line:\n"},
      {"PLAN past the declared plans", replaced("PLAN (3)", "PLAN (4)"), false, true, "Plan number out of range"},
      {"a COMMAND3 line that does not read", replaced("COMMAND3 (0x01, 0x00)", "COMMAND3 (0x01, zz)"), false, true,
       "in line:\n(46) COMMAND3 (0x01, zz)"},
      {"DIRECTORY4 accepted", dir4, true, true, "This canalization is not for DV-800.\n"},
      {"DIRECTORY4 declined", dir4, false, false, "Parser error at line:\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Dv8EditorRig rr;
    rr.prompter.yesNo = c.yes;
    std::ofstream(rr.Path("S.PRO"), std::ios::binary) << c.script;
    PlanSlots back;
    EXPECT_EQ(cv::dv8::ReadPlanScript(rr.editor, rr.Path("S.PRO"), back), c.ok);
    EXPECT_TRUE(rr.prompter.Shown(c.shown)) << c.shown;
    if (c.ok) {
      EXPECT_EQ(Describe(back, false), Describe(GoldenPlans(), true));
    }
  }
  // An unreadable command offset of a satellite channel is no command, not offset 0 (PAL B/G).
  Dv8EditorRig rr;
  std::ofstream(rr.Path("S.PRO"), std::ios::binary)
      << replaced("CHAN3S (0, S1, 11200.00, 0x0012,", "CHAN3S (0, S1, 11200.00, junk,");
  PlanSlots back;
  ASSERT_TRUE(cv::dv8::ReadPlanScript(rr.editor, rr.Path("S.PRO"), back));
  EXPECT_STREQ(back[2].Channels()[0].commands[0], "UN1");
  EXPECT_STREQ(back[2].Channels()[0].commands[1], "SOF6A9");
  EXPECT_STREQ(back[2].Channels()[0].commands[2], "");
}

}  // namespace
}  // namespace dv8test
