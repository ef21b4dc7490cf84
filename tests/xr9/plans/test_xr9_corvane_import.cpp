// CORVANE canalizations into the TV MIRELTO plan editor: the family's command table and command
// attributes, the statement steps with their states and limits, the conversion into plans, and
// LOAD CANALIZATION of a script written by the CORVANE-3 plan editor.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlanScript.h"
#include "Pll.h"
#include "Xr9Corvane.h"
#include "Xr9PlanInFixture.h"

namespace {

using cv::xr9::TChanAttribute;

TEST(Xr9CorvaneTable, LookupsWalkTheRowsInOrder) {
  using namespace cv::xr9;
  EXPECT_STREQ(CorvaneCommandTable[17].mnemonic, "SY06");
  EXPECT_STREQ(CorvaneCommandTable[44].mnemonic, "CW0099");
  EXPECT_STREQ(CorvaneCommandTable[59].description, " -none-");
  EXPECT_EQ(PlanOffsetOfMnemonic("SO4722"), 54);
  EXPECT_EQ(PlanOffsetOfMnemonic("ME8"), 132);
  EXPECT_EQ(PlanOffsetOfMnemonic("XX"), -1);
  EXPECT_EQ(PlanOffsetOfMnemonic(""), -1);  // the none row
  EXPECT_EQ(ParameterOfMnemonic("CW02BC"), 700u);
  EXPECT_EQ(ParameterOfMnemonic("XX"), 65535u);
  EXPECT_EQ(CodeOfMnemonic("SV0"), 0x3701u);
  EXPECT_EQ(CodeOfMnemonic("XX"), 65535u);
  EXPECT_EQ(TakesParameterOfMnemonic("SOF6A9"), 1);
  EXPECT_EQ(TakesParameterOfMnemonic("XX"), 0);
  EXPECT_STREQ(MnemonicOfPlanOffset(100), "CW02BC");
  EXPECT_STREQ(MnemonicOfPlanOffset(56), "");  // a parameter's bytes, no row
  uint32_t parameter = 0;
  EXPECT_EQ(PlanOffsetOfCode(0x0106, parameter), 34);
  EXPECT_EQ(parameter, 65535u);
  EXPECT_EQ(PlanOffsetOfCode(0x01F6, parameter), 34);  // 0x01n6 counts as DIGITAL
  EXPECT_EQ(PlanOffsetOfCode(0x0107, parameter), 36);
  EXPECT_EQ(PlanOffsetOfCode(0x1F00, parameter), 92);
  EXPECT_EQ(parameter, 153u);
  EXPECT_EQ(PlanOffsetOfCode(0x9999, parameter), 65535);
  EXPECT_EQ(PlanOffsetOfCodeParameter(0x1F00, 800), 104);
  EXPECT_EQ(PlanOffsetOfCodeParameter(0x1F00, 801), 112);  // the last row with the code
  EXPECT_EQ(PlanOffsetOfCodeParameter(0x0136, 0), 34);
  EXPECT_EQ(PlanOffsetOfCodeParameter(0x9999, 0), 65535);
}

TEST(Xr9CorvaneTable, CommandsToAttributes) {
  struct Case {
    uint32_t code, parameter;
    char band;
    bool ok;
    TChanAttribute attr;
  } cases[] = {
      {0x0400, 0, 'S', true, {3, {0, 0, 0, 0}}},
      {0x0401, 0, 'S', true, {3, {2, 0, 0, 0}}},
      {0x0406, 0, 'S', true, {3, {3, 1, 0, 0}}},
      {0x0407, 0, 'S', true, {3, {4, 1, 0, 0}}},
      {0x0100, 0, 'T', true, {1, {1, 1, 0, 0}}},
      {0x0104, 0, 'T', true, {1, {1, 4, 1, 0}}},
      {0x0113, 0, 'T', true, {1, {2, 6, 0, 0}}},
      {0x0124, 0, 'T', true, {1, {3, 4, 1, 0}}},
      {0x0106, 0, 'S', true, {2, {2, 0, 0, 0}}},
      {0x0106, 0, 'T', true, {2, {0, 0, 0, 0}}},
      {0x0106, 0, 'D', true, {2, {0, 0, 0, 0}}},
      {0x1F00, 800, 'T', true, {4, {0x40, 0x1F, 0, 0}}},      // 8000 kHz
      {0x1F00, 0x1FFFFFF, 'T', true, {4, {0xF6, 0xFF, 0xFF, 0}}},  // three bytes only
      {0x0107, 0, 'S', false, {}},
      {0x0204, 1826, 'T', false, {}},
      {0x0001, 0, 'T', false, {}},
      {0xFFFF, 0, 'T', false, {}},
  };
  for (const Case& c : cases) {
    TChanAttribute out = TChanAttribute::Of(9, 9);
    EXPECT_EQ(cv::xr9::CommandToAttribute(c.code, c.parameter, c.band, out), c.ok) << std::hex << c.code;
    EXPECT_EQ(out, c.attr) << std::hex << c.code;
  }
  // The LNB value of 0x0406 names no row of the attribute table.
  TChanAttribute lnb;
  ASSERT_TRUE(cv::xr9::LnbCommandToAttribute(0x0406, lnb));
  EXPECT_EQ(cv::xr9::AttributeIdOf(lnb), -1);
}

TEST(Xr9CorvaneTable, ChannelsByBandLetterAndCompaction) {
  using cv::xr9::TChanXR9CV;
  const TChanXR9CV t("  21", 'T', 471.25f, 800, "CW0320", "SY00", "SY00");
  EXPECT_EQ(t.word, 10203u);  // (471.25 + 38.9) * 20 + 0.5
  EXPECT_EQ(t.word2, t.word + 55);
  EXPECT_EQ(t.wordText, "27DB");
  EXPECT_EQ(t.word2Text, "2812");
  EXPECT_STREQ(t.commands[0], "CW0320");
  EXPECT_STREQ(t.commands[1], "");
  const TChanXR9CV d("  30", 'D', 546.0f, 700, "SY06", "", "");
  EXPECT_EQ(d.word2, d.word);
  const TChanXR9CV s("A", 'S', 2150.0f, 36, "LB1", "", "SY06");
  EXPECT_EQ(s.mhz, 1500.0f);
  EXPECT_EQ(s.word, 15836u);  // (1500 + 479.5) * 8 + 0.5
  EXPECT_EQ(s.bandwidth, 0);
  EXPECT_STREQ(s.commands[2], "SY06");
  TChanXR9CV kept("B", 'S', 899.99f, 0, "", "XX", "ME0");
  cv::xr9::CompactChannelCommands(kept, 3);
  EXPECT_STREQ(kept.commands[0], "ME0");
  EXPECT_STREQ(kept.commands[1], "");
  EXPECT_STREQ(kept.commands[2], "");
  EXPECT_EQ(kept.mhz, 1500.0f);
}

class Xr9CorvaneIn : public xr9test::PlanInFixture {
 protected:
  bool Read(const std::string& script) {
    Write("cv.PRO", script);
    view.zone.clear();
    prompter.shown.clear();
    host.memo->clear();
    for (auto& s : editor.imports) cv::xr9::ClearImportSlot(s);
    return in.ReadCorvaneCanalization(Path("cv.PRO"));
  }
  bool InZone(const std::string& line) const {
    return std::find(view.zone.begin(), view.zone.end(), line) != view.zone.end();
  }
  std::string HostLog() const { return host.memo->toPlainText().toStdString(); }
};

// One terrestrial plan: two plan commands and a none word, a command list whose third entry takes
// the 8 MHz parameter, two channels.
const char* const kTerScript =
    "DIRECTORY4 (1)\n"
    "HEADER3 (NAME, 0x0400, 2, 7, 0.0, 1, 0xFFFF, 0x0000, 0x0002)\n"
    "COMMAND3 (0x04, 0x00)\n"
    "COMMAND3 (0x01, 0x06)\n"
    "COMMAND3 (0x1F, 0x00)\n"
    "COMMAND3 (0x20, 0x03)\t#Option bytes\n"
    "COMMAND3 (0xFF, 0xFF)\n"
    "PLAN (1)\n"
    "CHAN3T (1, E22LONG, 479.25, 8.00, 0x0040)\n"
    "CHAN3T (0, 21, 471.25, 8.00, 0x0004)\n";

TEST_F(Xr9CorvaneIn, StatementsByStateWithTheirLimits) {
  const std::string header = "HEADER3 (A, 0x0400, 1, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n";
  const std::string ends = "COMMAND3 (0xFF, 0xFF)\n";
  struct Case {
    std::string script;
    bool ok;
    int state;
    const char* box;      // part of the box shown, or ""
    const char* caption;  // its caption
    int errorLine;        // the parser error's line, or 0
  } cases[] = {
      // Lines that parse but leave plans unread are no canalization.
      {"DIRECTORY3 (2)\n", false, 1, "", "", 0},
      {"DIRECTORY4 (64)\n", false, 1, "", "", 0},
      {"DIRECTORY4 (65)\n", false, 0, "More than 64 plans found.\nAborting...", "CvTools Error", 1},
      {"DIRECTORY4 (0)\n", false, 0, "Bad format of PRO file (DIRECTORY4)", "Error", 1},
      {"DIRECTORY4 (-1)\n", false, 0, "Bad format of PRO file (DIRECTORY4)", "Error", 1},
      {"DIRECTORY9 (1)\n", false, 0, "Parser error at line:\nDIRECTORY9 (1)", "CvTools Error", 1},
      {header, false, 0, "Parser error at line:", "CvTools Error", 1},  // HEADER3 before DIRECTORY4
      {"DIRECTORY4 (1)\nHEADER3 (A, 0xZZ, 1, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n", false, 1, "Parser error", "CvTools Error", 2},
      {"DIRECTORY4 (1)\n" + header + "COMMAND3 (0x01, 1)\n", false, 2, "Parser error", "CvTools Error", 3},
      {"DIRECTORY4 (1)\n" + header + ends + "PLAN (2)\n", false, 3, "Parser error", "CvTools Error", 4},
      {"DIRECTORY4 (1)\n" + header + ends + "PLAN (0)\n", false, 3, "Parser error", "CvTools Error", 4},
      {"DIRECTORY4 (1)\n" + header + ends + "PLAN (1)\nCHAND (0, 30, 546.0, 0xFFFF)\nCHAND (1, 31, 554.0, 0xFFFF)\n",
       false, 5, "Parser error", "CvTools Error", 6},  // one channel more than declared
      {"DIRECTORY4 (1)\n" + header + ends + "PLAN (1)\nCHAND (0, 30, 546.0, 0xFFFF)\n", true, 5, "", "", 0},
      {"DIRECTORY4 (2)\n" + header + header + ends + "PLAN (2)\nCHAND (0, 30, 546.0, 0xFFFF)\n", false, 3, "", "", 0},
      {"", false, 0, "", "", 0},
      {"SEND *7205&\nORG 0x10\n", false, 0, "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(Read(c.script), c.ok);
    EXPECT_EQ(in.importState, c.state);
    if (*c.box) {
      ASSERT_EQ(prompter.shown.size(), c.errorLine && std::string(c.box).rfind("Parser", 0) != 0 ? 2u : 1u);
      EXPECT_TRUE(prompter.shown.front().text.startsWith(c.box)) << prompter.shown.front().text.toStdString();
      EXPECT_EQ(prompter.shown.front().caption, c.caption);
    } else {
      EXPECT_TRUE(prompter.shown.empty());
    }
    if (c.errorLine) {
      EXPECT_NE(HostLog().find("Parser error in line " + std::to_string(c.errorLine) + ":"), std::string::npos);
    }
    if (std::string(c.box).rfind("More than", 0) == 0) {
      EXPECT_TRUE(InZone(c.box));
    }
    // The last line of the host log tells whether every plan was read.
    EXPECT_NE(HostLog().find(c.state == 5 ? "Channel Plan loaded from cv.PRO" : "Data File error in cv.PRO"),
              std::string::npos);
  }
  EXPECT_FALSE(Read("DIRECTORY3 (2)\n"));
  EXPECT_EQ(in.corvane.plans, 2);
}

TEST_F(Xr9CorvaneIn, CommandWordsDecodeIntoCompactedMnemonics) {
  ASSERT_TRUE(Read(kTerScript));
  EXPECT_EQ(in.importState, 5);
  const cv::xr9::ImportSlot& slot = editor.imports[0];
  EXPECT_STREQ(slot.name, "NAME    ");
  EXPECT_EQ(slot.address, 0x0400);
  EXPECT_EQ(slot.band, 'T');
  EXPECT_STREQ(slot.codeText, "01");
  // 0xFFFF stores the empty mnemonic and the compaction drops it.
  EXPECT_STREQ(slot.commands[0], "LB0");
  EXPECT_STREQ(slot.commands[1], "SY06");
  EXPECT_STREQ(slot.commands[2], "");
  ASSERT_EQ(slot.channels->size(), 2u);
  const cv::xr9::TChanXR9CV& first = slot.channels->at(0);  // sorted by frequency
  EXPECT_EQ(first.name, "  21");
  EXPECT_EQ(first.bandwidth, 800);
  EXPECT_EQ(first.word2, first.word + 55);
  EXPECT_STREQ(first.commands[0], "CW0320");  // the parameter of the next entry chooses the row
  EXPECT_STREQ(slot.channels->at(1).commands[0], "");  // a word past the list read
  EXPECT_EQ(slot.channels->at(1).name, "LONG");  // a longer name keeps its last four characters
  EXPECT_TRUE(editor.imports[1].empty);

  // A list that never ends carries nothing into the next reading.
  EXPECT_FALSE(Read("DIRECTORY4 (1)\nHEADER3 (A, 0x0400, 1, 7, 0, 0, 0x0000, 0xFFFF, 0xFFFF)\nCOMMAND3 (0x04, 0x01)\n"));
  EXPECT_EQ(in.corvane.commands.size(), 1u);
  EXPECT_FALSE(Read("DIRECTORY4 (1)\nHEADER3 (A, 0x0400, 1, 7, 0, 0, 0x0000, 0xFFFF, 0xFFFF)\nCOMMAND3 (0xFF, 0xFF)\n"));
  EXPECT_STREQ(editor.imports[0].commands[0], "");
}

TEST_F(Xr9CorvaneIn, ImportedPlansConvertIntoPlanSlots) {
  ASSERT_TRUE(Read(kTerScript));
  in.ConvertImportedPlans();
  const cv::xr9::TPlanXR9& ter = editor.plans[0];
  EXPECT_EQ(ter.Name, "NAME");
  EXPECT_EQ(ter.PlanType, 7);
  EXPECT_EQ(ter.FileType, 1);
  EXPECT_EQ(ter.InUse, 3);
  EXPECT_EQ(ter.Modified, 0);
  EXPECT_EQ(ter.ChannelCount, 2u);
  EXPECT_EQ(ter.Attributes[0], TChanAttribute::Of(3, 0));
  EXPECT_EQ(ter.Attributes[1], TChanAttribute::Of(2, 0));
  EXPECT_TRUE(ter.Attributes[2].IsMarker());
  const cv::xr9::TChanXR9& c = ter.Channels->at(0);
  EXPECT_STREQ(c.name, "      21");
  EXPECT_EQ(c.value1, 471250u);
  EXPECT_EQ(c.value2, 474000u);
  EXPECT_EQ(c.attrs1[0], TChanAttribute::Of(4, 8000));
  EXPECT_TRUE(c.attrs1[1].IsMarker());
  EXPECT_TRUE(ter.Channels->at(1).attrs1[0].IsMarker());
  EXPECT_TRUE(editor.plans[1].Name.empty());

  // Satellite plans: a C-band oscillator and a Ku-band one; IFs of 2150 and 2149.9 MHz.
  ASSERT_TRUE(Read("DIRECTORY4 (2)\n"
                   "HEADER3 (CB, 0x0400, 1, 5, 5150.0, 0, 0x0000, 0xFFFF, 0xFFFF)\n"
                   "HEADER3 (KU, 0x0900, 3, 5, 9750.0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n"
                   "COMMAND3 (0x04, 0x06)\n"
                   "COMMAND3 (0x01, 0x16)\n"
                   "COMMAND3 (0xFF, 0xFF)\n"
                   "PLAN (2)\n"
                   "CHAN3S (0, C, 11250.00, 0xFFFF, 0x0002, 0x0000)\n"
                   "CHAN3S (1, D, 11900.00, 0xFFFF, 0xFFFF, 0xFFFF)\n"
                   "CHAN3S (2, E, 11899.90, 0xFFFF, 0xFFFF, 0xFFFF)\n"
                   "PLAN (1)\n"
                   "CHAN3S (0, A, 3700.00, 0x0000, 0x0002, 0xFFFF)\n"));
  EXPECT_EQ(in.importState, 5);
  EXPECT_EQ(view.zone, (std::vector<std::string>{"Parsing file cv.PRO", "KU      , D    out of range: 2150.00 MHz",
                                                 "New frequency value: 1500 MHz"}));
  EXPECT_STREQ(editor.imports[1].lnbText, "17CDC");  // 97500
  EXPECT_STREQ(editor.imports[1].countText, "3");
  EXPECT_EQ(editor.imports[1].address, 0x0900);
  const auto& ku = *editor.imports[1].channels;
  EXPECT_EQ(ku[1].mhz, 1500.0f);  // D, sorted between C (1500 too) and E
  EXPECT_NEAR(ku[2].mhz, 2149.9f, 0.01f);
  EXPECT_STREQ(ku[0].commands[0], "SY06");  // 0x0116 counts as DIGITAL, compacted forward
  EXPECT_STREQ(ku[0].commands[1], "LB6");
  in.ConvertImportedPlans();
  const cv::xr9::TPlanXR9& cband = editor.plans[0];
  EXPECT_EQ(cband.PlanType, 5);
  EXPECT_EQ(cband.FileType, 4);
  EXPECT_EQ(cband.Attributes[0], TChanAttribute::Of(3, 0x0103));  // LNB 3, 1: no row names it
  EXPECT_EQ(cband.Channels->at(0).value1, 3700000u);
  EXPECT_EQ(cband.Channels->at(0).value2, 3700000u);
  EXPECT_EQ(cband.Channels->at(0).attrs1[0], TChanAttribute::Of(3, 0x0103));
  EXPECT_EQ(cband.Channels->at(0).attrs1[1], TChanAttribute::Of(2, 2));  // DVB-S
  const cv::xr9::TPlanXR9& kuPlan = editor.plans[1];
  EXPECT_EQ(kuPlan.Name, "KU");
  EXPECT_TRUE(kuPlan.Attributes[0].IsMarker());
  ASSERT_EQ(kuPlan.Channels->size(), 3u);
  EXPECT_EQ(kuPlan.Channels->at(0).value1, 11250000u);
  EXPECT_EQ(kuPlan.Channels->at(0).value2, 11250000u);
  EXPECT_EQ(kuPlan.Channels->at(0).attrs1[0], TChanAttribute::Of(2, 2));
  EXPECT_EQ(kuPlan.Channels->at(0).attrs1[1], TChanAttribute::Of(3, 0x0103));
}

// The CORVANE-3 editor's programming script of three plans (and, in the second run, a fourth
// with no channels) loads through LOAD CANALIZATION.
TEST_F(Xr9CorvaneIn, LoadCanalizationImportsACorvaneProgrammingScript) {
  for (bool withEmptyPlan : {false, true}) {
    SCOPED_TRACE(withEmptyPlan);
    PlanSlots plans;
    for (PlanSlot& s : plans) ClearPlan(s);
    auto make = [&](int i, const char* name, char band, int n, float lnb, const char* command) {
      NewPlan(plans[i]);
      CopyField(plans[i].name, name);
      plans[i].band = band;
      plans[i].lnbMHz = lnb;
      CopyField(plans[i].commands[0], command);
      for (int k = 0; k < n; ++k) {
        const float f = band == 'S' ? 10950.0f + 20.0f * k : 471.25f + 8.0f * k;
        plans[i].Channels().push_back(
            TChan3::FromFrequency("C" + std::to_string(k), band == 'S' ? cv::FreqToIF(lnb, f) : f, band == 'S' ? 0 : 8,
                                  band, band == 'S' ? "LB5" : "CW0320"));
      }
      plans[i].channelCount = n;
    };
    make(0, "TERRA", 'T', 3, 0, "SY00");
    make(1, "ASTRA", 'S', 2, 9750.0f, "LB7");
    make(2, "CANAL", 'T', 1, 0, "");
    if (withEmptyPlan) make(3, "NONE", 'T', 0, 0, "");
    std::string script, error;
    ASSERT_TRUE(cv::plan::BuildPlanScript(plans, script, error)) << error;
    Write("corvane.PRO", script);

    editor.ClearAllPlans();
    view.zone.clear();
    chooser.openAnswers << QStringList{QString::fromStdString(Path("corvane.PRO"))};
    in.ReadBtnClick(nullptr);
    EXPECT_TRUE(InZone("CORVANE canalization will be imported."));
    EXPECT_TRUE(InZone("Loaded file corvane.PRO"));
    EXPECT_NE(HostLog().find("Channel Plan loaded from corvane.PRO"), std::string::npos);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(editor.ListedPlans(), withEmptyPlan ? 4 : 3);
    for (int i = withEmptyPlan ? 4 : 3; i < cv::xr9::ImportSlots; ++i) EXPECT_TRUE(editor.imports[i].empty) << i;
    EXPECT_EQ(editor.plans[0].Name, "TERRA");
    EXPECT_EQ(editor.plans[1].Name, "ASTRA");
    EXPECT_EQ(editor.plans[2].Name, "CANAL");
    EXPECT_EQ(editor.plans[0].Attributes[0], TChanAttribute::Of(1, 0x0101));  // PAL B/G
    EXPECT_EQ(editor.plans[1].Attributes[0], TChanAttribute::Of(3, 0x0104));  // 18V+22kHz
    ASSERT_EQ(editor.plans[0].Channels->size(), 3u);
    EXPECT_EQ(editor.plans[0].Channels->at(2).value1, 487250u);
    EXPECT_EQ(editor.plans[0].Channels->at(2).value2, 490000u);
    EXPECT_EQ(editor.plans[0].Channels->at(2).attrs1[0], TChanAttribute::Of(4, 8000));
    ASSERT_EQ(editor.plans[1].Channels->size(), 2u);
    EXPECT_EQ(editor.plans[1].Channels->at(1).value1, 10970000u);
    EXPECT_EQ(editor.plans[1].Channels->at(1).attrs1[0], TChanAttribute::Of(3, 0x0102));  // 13V+22kHz
    EXPECT_EQ(editor.plans[1].PlanType, 5);
    for (int i = 0; i < editor.ListedPlans(); ++i) EXPECT_EQ(editor.plans[i].Modified, 0);
    EXPECT_TRUE(view.save);
    if (withEmptyPlan) {
      EXPECT_EQ(editor.plans[3].Name, "NONE");
      EXPECT_EQ(editor.plans[3].ChannelCount, 0u);
    }
  }
  // A canalization that fails gives back the store it was to replace.
  const std::vector<std::string> before = {editor.plans[0].Name, editor.plans[1].Name};
  const int listed = editor.ListedPlans();
  Write("bad.PRO", "DIRECTORY4 (1)\nPLAN (1)\n");
  chooser.openAnswers << QStringList{QString::fromStdString(Path("bad.PRO"))};
  in.ReadBtnClick(nullptr);
  EXPECT_TRUE(InZone("Couldn't finish load of PRO file bad.PRO"));
  EXPECT_EQ(editor.ListedPlans(), listed);
  EXPECT_EQ((std::vector<std::string>{editor.plans[0].Name, editor.plans[1].Name}), before);
  EXPECT_EQ(editor.plans[1].Channels->size(), 2u);
  EXPECT_TRUE(editor.imports[0].empty);
}

// A DIRECTORY4 line in a script of this analyser starts the same import.
TEST_F(Xr9CorvaneIn, DirectoryInAnAnalyserScriptStartsAnImport) {
  Write("set.PRO", "SEND *7205&\nDIRECTORY4 3\n");
  EXPECT_TRUE(in.LoadCanalization(Path("set.PRO")));
  EXPECT_EQ(in.importState, 1);
  EXPECT_EQ(in.corvane.plans, 3);
}

}  // namespace
