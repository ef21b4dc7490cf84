// The CORVANE-2 plan script and plan text file through the editor's own Save, Read, Extract and
// Add: the golden script with its C-band downlinks, plans read back word for word, and the
// framework's plan text file with satellite plans under a C-band oscillator.
#include <gtest/gtest.h>

#include "Commands2.h"
#include "Cv2PlanRig.h"
#include "FileSizeLimit.h"

namespace cv2test {
namespace {

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string Trimmed(const char* text) {
  std::string s(text);
  s.erase(0, s.find_first_not_of(' '));
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// The plans in use, as the script carries them: band, oscillator, code, plan commands, then each
// channel's name, PLL word and commands.
std::string Describe(const PlanSlots& plans) {
  std::ostringstream out;
  for (const PlanSlot& s : plans) {
    if (!s.HoldsPlan()) continue;
    out << Trimmed(s.name) << "|" << s.band << "|" << s.lnbMHz << "|" << s.code << "|" << s.commands[0] << ","
        << s.commands[1] << "," << s.commands[2] << "\n";
    for (const TChan3& c : s.Channels())
      out << "  " << Trimmed(c.name) << "|" << c.word << "|" << c.commands[0] << "," << c.commands[1] << ","
          << c.commands[2] << "\n";
  }
  return out.str();
}

// The editor holding `plans` as loaded, slot 0 selected.
void Hold(Cv2EditorRig& r, const PlanSlots& plans) {
  r.editor.planSlots = plans;
  r.editor.listFilled = true;
  r.editor.OnClickListBox(0);
}

TEST(Cv2Script, GoldenScriptSavedAndReadBack) {
  Cv2EditorRig r;
  Hold(r, GoldenPlans());
  r.chooser.savePath = r.Path("PLANS.PRO");
  ASSERT_TRUE(r.editor.SaveBtnClick());
  const std::string script = ReadAll(r.chooser.savePath);
  ExpectGolden(script, "plans.pro");
  // Save writes the family's temporary script and copies it.
  EXPECT_EQ(ReadAll(r.Path("___CH2__.TMP")), script);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(r.Path("___CH3__.TMP"))));
  std::istringstream lines(script);
  std::string line;
  for (int i = 0; i < 3; ++i) std::getline(lines, line);
  EXPECT_EQ(line, "# CORVANE-2");
  EXPECT_EQ(Count(script, "\n# trying to POWER ON CORVANE-2\n"), 1);
  // A code line per row and an option-bytes line after each row with a parameter: 44 + 7.
  const size_t block = script.find("# command codes related to former headers\n");
  const std::string codes = script.substr(block, script.find("FSTEP", block) - block);
  EXPECT_EQ(Count(codes, "\nCOMMAND3 ("), 51);
  EXPECT_EQ(Count(codes, "#Option bytes"), 7);
  EXPECT_NE(codes.find("COMMAND3 (0xFF, 0xFF)\t#(offset 0xFFFF)  -none-\n"), std::string::npos) << codes;
  // Satellite downlinks: oscillator minus IF strictly inside 5000..6000 MHz, the sum otherwise;
  // the channel below 45 MHz is written as it is.
  for (const char* line : {"\nCHAN3S (1, C1, 3950.00, ", "\nCHAN3S (0, C2, 4250.00, ", "\nCHAN3S (0, A1, 10950.00, ",
                           "\nCHAN3S (0, E1, 6200.00, ", "\nCHAN3S (1, E2, 7150.00, ", "\nCHAN3T (0,   C1, 40.00, 8, "})
    EXPECT_EQ(Count(script, line), 1) << line;

  r.chooser.openPath = r.chooser.savePath;
  r.editor.ReadBtnClick();
  EXPECT_EQ(Describe(r.editor.planSlots), Describe(GoldenPlans()));
  EXPECT_FALSE(r.editor.modified);
  EXPECT_TRUE(r.prompter.shown.empty()) << r.prompter.shown[0].text.toStdString();
}

TEST(Cv2Script, ReaderKeepsEightyEightCommandWordsAndTheEndWord) {
  // The golden script with 40 more COMMAND3 lines before the end word: the offsets past 88 words
  // are dropped, the end word still ends the list, and the plans read as before.
  Cv2EditorRig r;
  Hold(r, GoldenPlans());
  r.chooser.savePath = r.Path("PLANS.PRO");
  ASSERT_TRUE(r.editor.SaveBtnClick());
  std::string script = ReadAll(r.chooser.savePath);
  const size_t end = script.find("COMMAND3 (0xFF, 0xFF)");
  ASSERT_NE(end, std::string::npos);
  std::string extra;
  for (int i = 0; i < 40; ++i) extra += "COMMAND3 (0x06, 0x00)\n";
  script.insert(end, extra);
  std::ofstream(r.Path("MORE.PRO"), std::ios::binary) << script;
  PlanSlots back;
  ASSERT_TRUE(r.editor.ReadScriptFile(r.Path("MORE.PRO"), back));
  EXPECT_EQ(Describe(back), Describe(GoldenPlans()));
}

TEST(Cv2Script, ReaderRangesNameTheLine) {
  struct Case {
    const char* line;
    bool read;
  } cases[] = {
      {"CHAN3T (0,   C1, 5.00, 8, 0xFFFF)", true},        // below 45 MHz still loads: the plan check judges it
      {"CHAN3T (0,   C1, 4.99, 8, 0xFFFF)", false},
      {"CHAN3T (0,   C1, 862.00, 8, 0xFFFF)", true},
      {"CHAN3T (0,   C1, 862.01, 8, 0xFFFF)", false},
  };
  Cv2EditorRig r;
  PlanSlots one;
  for (auto& p : one) ClearPlan(p);
  one[0] = Plan("LOW", 'T', 0, 1, {Channel("  C1", 471.25f, 8, 'T')});
  Hold(r, one);
  r.chooser.savePath = r.Path("ONE.PRO");
  ASSERT_TRUE(r.editor.SaveBtnClick());
  const std::string script = ReadAll(r.chooser.savePath);
  const std::string written = "CHAN3T (0,   C1, 471.25, 8, 0xFFFF)";
  ASSERT_NE(script.find(written), std::string::npos) << script;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string edited = script;
    edited.replace(edited.find(written), written.size(), c.line);
    std::ofstream(r.Path("EDIT.PRO"), std::ios::binary) << edited;
    r.prompter.shown.clear();
    PlanSlots back;
    EXPECT_EQ(r.editor.ReadScriptFile(r.Path("EDIT.PRO"), back), c.read);
    if (c.read) {
      ASSERT_EQ(back[0].Channels().size(), 1u);
      EXPECT_EQ(back[0].Channels()[0].word, Channel("x", static_cast<float>(std::atof(c.line + 16)), 8, 'T').word);
    } else {
      ASSERT_FALSE(r.prompter.shown.empty());
      EXPECT_TRUE(r.prompter.Shown(c.line)) << r.prompter.shown[0].text.toStdString();
    }
  }
}

TEST(Cv2PlanText, SatellitePlansUnderACBandOscillatorRoundTrip) {
  // Extract then Add, in both separator pairs: 1200 under 5150 is written 3950.00 and read back.
  struct Case {
    char dec, list;
    int slot;
    const char* golden;
    const char* line;  // a channel line of the file
  } cases[] = {{',', ';', 1, "plan_cband.csv", "C1; 3950,00"},
               {'.', ',', 3, "plan_ku.csv", "A1,10950.00"},
               {',', ';', 0, "plan_ter.csv", "  C1;   40,00;8"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    Cv2EditorRig r;
    r.equip.dec = c.dec;
    r.equip.list = c.list;
    Hold(r, GoldenPlans());
    r.editor.OnClickListBox(c.slot);
    r.chooser.savePath = r.Path("PLAN.csv");
    r.editor.ExtractBtnClick();
    const std::string text = ReadAll(r.chooser.savePath);
    ExpectGolden(text, c.golden);
    EXPECT_NE(text.find(std::string("\n") + c.line + "\n"), std::string::npos) << text;
    r.chooser.openPath = r.chooser.savePath;
    r.editor.AddBtnClick();  // into the next free slot after the one extracted
    int added = c.slot + 1;
    while (added < kPlanSlots && r.editor.planSlots[added].HoldsPlan() &&
           r.editor.planSlots[added].origin != PlanSlot::FromTextFile)
      ++added;
    ASSERT_LT(added, kPlanSlots);
    const PlanSlot& back = r.editor.planSlots[added];
    const PlanSlot& written = r.editor.planSlots[c.slot];
    ASSERT_TRUE(back.HoldsPlan());
    EXPECT_EQ(back.band, written.band);
    EXPECT_FLOAT_EQ(back.lnbMHz, written.lnbMHz);
    ASSERT_EQ(back.Channels().size(), written.Channels().size());
    for (size_t i = 0; i < back.Channels().size(); ++i) {
      EXPECT_FLOAT_EQ(back.Channels()[i].frequency, written.Channels()[i].frequency) << i;
      EXPECT_EQ(back.Channels()[i].word, written.Channels()[i].word) << i;
    }
    EXPECT_TRUE(r.editor.modified);
    EXPECT_TRUE(r.prompter.shown.empty()) << r.prompter.shown[0].text.toStdString();
  }
}

TEST(Cv2PlanText, ADabPlanIsRefused) {
  Cv2EditorRig r;
  std::ofstream(r.Path("DAB.csv"), std::ios::binary) << "DAB;D\n12A;174,928\n";
  r.chooser.openPath = r.Path("DAB.csv");
  r.editor.AddBtnClick();
  EXPECT_TRUE(r.prompter.Shown("These channels cannot be loaded"));
  for (const PlanSlot& s : r.editor.planSlots) EXPECT_FALSE(s.HoldsPlan());
  EXPECT_FALSE(r.editor.modified);
}

TEST(Cv2PlanText, AFailedExtractLeavesTheOldFile) {
  Cv2EditorRig r;
  Hold(r, GoldenPlans());
  const std::string old(9000, '#');
  r.chooser.savePath = r.Path("PLAN.csv");
  std::ofstream(r.chooser.savePath, std::ios::binary) << old;
  {
    cvtest::FileSizeLimit limit(64);
    r.editor.ExtractBtnClick();
  }
  EXPECT_EQ(ReadAll(r.chooser.savePath), old);
  EXPECT_TRUE(r.equip.Logged("Couldn't generate CSV file PLAN.csv")) << (r.equip.log.empty() ? "" : r.equip.log.back());
}

}  // namespace
}  // namespace cv2test
