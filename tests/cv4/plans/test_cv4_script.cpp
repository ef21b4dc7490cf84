// The CORVANE-4 canalization script: both variants byte for byte, the writer's limits, and the
// reader's cases, CORVANE-3 scripts among them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Commands4.h"
#include "FileSizeLimit.h"
#include "Cv4PlanRig.h"

namespace cv4test {
namespace {

using Variant = cv::plan::PlanScriptWriter::Variant;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Golden(const std::string& name) { return std::string(CV_TEST_DATA_DIR) + "/cv4/" + name; }

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

void ExpectSamePlans(const PlanSlots& read, const PlanSlots& written) {
  for (int p = 0; p < kPlanSlots; ++p) {
    SCOPED_TRACE(p);
    ASSERT_EQ(read[p].HoldsPlan(), written[p].HoldsPlan());
    if (!written[p].HoldsPlan()) continue;
    EXPECT_STREQ(read[p].name, FixWidth(written[p].name, 8).c_str());
    EXPECT_EQ(read[p].band, written[p].band);
    EXPECT_EQ(read[p].code, written[p].code);
    EXPECT_EQ(read[p].lnbMHz, written[p].lnbMHz);
    // An empty plan command is compacted away behind the ones that are set.
    char commands[3][16] = {};
    for (int c = 0, to = 0; c < 3; ++c)
      if (written[p].commands[c][0]) CopyField(commands[to++], written[p].commands[c]);
    for (int c = 0; c < 3; ++c) EXPECT_STREQ(read[p].commands[c], commands[c]);
    ASSERT_EQ(read[p].Channels().size(), written[p].Channels().size());
    for (size_t i = 0; i < written[p].Channels().size(); ++i) {
      const TChan3& a = read[p].Channels()[i];
      const TChan3& b = written[p].Channels()[i];
      // Terrestrial names come back right-aligned, satellite ones left-aligned.
      EXPECT_EQ(std::string(a.name), written[p].band == 'S' ? FixWidth(b.name, 4) : PadLeft(b.name, 4)) << i;
      EXPECT_EQ(a.word, b.word) << i;
      for (int c = 0; c < 3; ++c) EXPECT_STREQ(a.commands[c], b.commands[c]) << i;
    }
  }
}

TEST(Cv4Script, GoldenScriptsOfBothVariantsReadBackIntoTheSamePlans) {
  for (auto [variant, name] : {std::pair{Variant::Saved, "canalization_saved.pro"},
                               std::pair{Variant::Sent, "canalization_sent.pro"}}) {
    SCOPED_TRACE(name);
    PlanSlots plans = GoldenCanalization();
    const std::string script = Build(plans, variant);
    ASSERT_FALSE(script.empty());
    if (std::getenv("CV_WRITE_GOLDENS")) std::ofstream(Golden(name), std::ios::binary) << script;
    EXPECT_EQ(script, ReadAll(Golden(name)));
    PlanSlots back = EmptyPlans();
    RecordingReport report;
    ASSERT_TRUE(Read(script, back, report));
    ExpectSamePlans(back, GoldenCanalization());
    EXPECT_TRUE(report.Logged("Channel Plan loaded from PLANS.PRO"));
  }
  // The " -none-" plan command is written as no command.
  PlanSlots plans = GoldenCanalization();
  EXPECT_NE(Build(plans, Variant::Saved).find("HEADER3 (ASTRA, 0x0900, 3, 5, 9750.0, 1, 0x"), std::string::npos);
  EXPECT_NE(Build(plans, Variant::Saved).find(", 0xFFFF, 0x"), std::string::npos);
}

TEST(Cv4Script, WriterLimits) {
  struct Case {
    const char* what;
    char band;
    int channels, commands;
    const char* error;  // nullptr: written
  } cases[] = {
      {"128 TER without commands", 'T', 128, 0, nullptr},
      {"106 TER with a command each", 'T', 106, 1, nullptr},
      {"107 TER with a command each", 'T', 107, 1, "There are 128 or less channels in plan P, which is Ok,\n"},
      {"80 SAT with three commands", 'S', 80, 3, nullptr},
      {"81 SAT with three commands", 'S', 81, 3, "There are 128 or less channels in plan P, which is Ok,\n"},
      {"129 TER", 'T', 129, 0, "Too much channels in plan P"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlanSlots plans = EmptyPlans();
    plans[0] = Cv4Plan("P", c.band, c.channels, c.commands, c.band == 'S' ? 9750.0f : 0.0f);
    std::string error;
    const std::string script = Build(plans, Variant::Saved, &error);
    if (!c.error) {
      EXPECT_EQ(Count(script, c.band == 'S' ? "\nCHAN3S (" : "\nCHAN3T ("), c.channels) << error;
    } else {
      EXPECT_TRUE(script.empty());
      EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
  }
  // The count of bytes before a channel may reach 1270 and no more: 127 channels before the last
  // make 1270 without a command and 1272 with one, wherever it sits; the last one's own command
  // is not counted.
  const struct {
    const char* what;
    std::vector<int> withCommand;
    bool written;
  } bound[] = {{"1270 before the last, its own command", {127}, true},
               {"1272 before the last, a command on the first", {0}, false},
               {"1272 before the last, a command on the one before it", {126}, false}};
  for (const auto& b : bound) {
    SCOPED_TRACE(b.what);
    PlanSlots plans = EmptyPlans();
    plans[0] = Cv4Plan("P", 'T', 128);
    const PlanSlot commanded = Cv4Plan("P", 'T', 128, 1);
    for (int i : b.withCommand) plans[0].Channels()[size_t(i)] = commanded.Channels()[size_t(i)];
    std::string error;
    const std::string script = Build(plans, Variant::Saved, &error);
    EXPECT_EQ(Count(script, "\nCHAN3T ("), b.written ? 128 : 0) << error;
    EXPECT_EQ(error.rfind("There are 128 or less channels in plan P, which is Ok,\n", 0) == 0, !b.written) << error;
  }
  // The second plan's block starts 1280 bytes on, whatever the first plan's size up to 128.
  PlanSlots two = EmptyPlans();
  two[0] = Cv4Plan("A", 'T', 128);
  two[3] = Cv4Plan("B", 'T', 1);
  EXPECT_NE(Build(two, Variant::Saved).find("HEADER3 (B, 0x0900, 1, 7"), std::string::npos);
  EXPECT_EQ(two[3].memoryAddress, 0x0900);
  // No plan: a directory of none and nothing after it.
  PlanSlots none = EmptyPlans();
  for (Variant v : {Variant::Saved, Variant::Sent}) {
    const std::string script = Build(none, v);
    EXPECT_NE(script.find("DIRECTORY4 (0)\t\t#number of channel plans"), std::string::npos);
    EXPECT_EQ(Count(script, "HEADER3 ("), 0);
    EXPECT_EQ(Count(script, "\nPLAN ("), 0);
    EXPECT_EQ(Count(script, "CHAN3"), 0);
    int options = 0;
    for (int row = 0; row < cv::cv4::kCommandRows; ++row) options += cv::cv4::CommandHasParameter(row) ? 1 : 0;
    EXPECT_EQ(Count(script, "\nCOMMAND3 ("), cv::cv4::kCommandRows + options);
  }
}

// A script of `plans` one-channel plans, its DIRECTORY4 line saying `declared`.
std::string Directory(int plans, const std::string& declared) {
  PlanSlots all = EmptyPlans();
  for (int p = 0; p < plans; ++p) all[p] = Cv4Plan(("P" + std::to_string(p)).c_str(), 'T', 1);
  std::string script = Build(all, Variant::Saved);
  const std::string line = "DIRECTORY4 (" + std::to_string(plans) + ")";
  script.replace(script.find(line), line.size(), "DIRECTORY4 (" + declared + ")");
  return script;
}

TEST(Cv4Script, ReaderCases) {
  PlanSlots golden = GoldenCanalization();
  const std::string saved = Build(golden, Variant::Saved);
  const std::string cut = saved.substr(0, saved.find("CHAN3S (2"));
  std::string extra = saved;
  extra.insert(extra.find("ALERT\n", extra.find("CHAN3T (3")), "CHAN3T (4, X, 500.00, 8, 0xFFFF)\n");
  struct Case {
    const char* what;
    std::string script;
    bool ok;
    const char* shown;  // a box that names the reason
  } cases[] = {
      {"32 plans", Directory(32, "32"), true, nullptr},
      {"33 plans", Directory(32, "33"), false, "More than 32 plans found.\nAborting..."},
      {"-1 plans", Directory(1, "-1"), false, "Bad format of PRO file (DIRECTORY4)"},
      {"cut before the last channel", cut, false, "Data File error in PLANS.PRO"},
      {"a channel past the count", extra, true, nullptr},
      {"PLAN past the declared plans", std::string(saved).replace(saved.find("PLAN (2)"), 8, "PLAN (3)"), false,
       "Plan number out of range in line:\n"},
      {"terrestrial channel above 862 MHz", std::string(saved).replace(saved.find("47.00"), 5, "862.05"), false,
       "Frequency out of range in line:\n"},
      {"satellite IF below 900 MHz", std::string(saved).replace(saved.find("10700.00"), 8, "10649.90"), false,
       "Frequency out of range in line:\n"},
      {"a PLL word beyond four digits", std::string(saved).replace(saved.find("47.00"), 5, "4740.00"), false,
       "Frequency out of range in line:\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlanSlots plans = EmptyPlans();
    RecordingReport report;
    EXPECT_EQ(Read(c.script, plans, report), c.ok);
    if (c.shown) {
      EXPECT_TRUE(report.prompter.Shown(c.shown));
    }
    for (const PlanSlot& p : plans)
      EXPECT_LE(p.Channels().size(), static_cast<size_t>(kMaxPlanChannels));
  }
  PlanSlots plans = EmptyPlans();
  RecordingReport report;
  ASSERT_TRUE(Read(extra, plans, report));
  EXPECT_EQ(plans[0].Channels().size(), 4u);  // the fifth line is skipped

  // A CHAN3T name of more than four characters keeps its first four.
  std::string longName = saved;
  longName.replace(longName.find("CHAN3T (0, C0,"), 14, "CHAN3T (0, ABCDEF,");
  ASSERT_TRUE(Read(longName, plans, report));
  EXPECT_STREQ(plans[0].Channels()[0].name, "ABCD");
}

TEST(Cv4Script, CorvaneThreeScriptReadsAfterYesOnly) {
  const std::string cv3 = ReadAll(std::string(CV_TEST_DATA_DIR) + "/plans/cv3_canalization.pro");
  ASSERT_NE(cv3.find("DIRECTORY3 (2)"), std::string::npos);
  // The CORVANE-3 plan's channels carry "DIGITAL" under that family's code 0x0136.
  std::string digital = cv3;
  ASSERT_NE(digital.find("CHAN3T (0, C0, 47.00, 8, 0x0060)"), std::string::npos);
  const size_t at = digital.find("#(offset 0x0022) DIGITAL");
  ASSERT_NE(at, std::string::npos) << "the CORVANE-3 table's DIGITAL row";
  for (size_t p = 0; (p = digital.find(", 0x0060)", p)) != std::string::npos;) digital.replace(p, 9, ", 0x0022)");

  RecordingReport yes;
  PlanSlots plans = EmptyPlans();
  ASSERT_TRUE(Read(digital, plans, yes));
  EXPECT_TRUE(yes.prompter.Shown("This canalization is not for CORVANE-4.\nDo you want CvTools to try to import this file?"));
  EXPECT_STREQ(plans[0].name, "TERRE   ");
  ASSERT_EQ(plans[0].Channels().size(), 3u);
  EXPECT_STREQ(plans[0].Channels()[0].commands[0], "SY06");
  EXPECT_STREQ(plans[1].name, "ASTRA   ");

  RecordingReport no;
  no.prompter.yesNo = false;
  EXPECT_FALSE(Read(digital, plans, no));
  EXPECT_TRUE(no.prompter.Shown("Parser error at line:\n(29) DIRECTORY3 (2)"));
  EXPECT_TRUE(no.Logged("Parser error in line 29: (29) DIRECTORY3 (2)"));
}

TEST(Cv4Script, AFailedReadLeavesTheEditorsPlans) {
  Cv4EditorRig r;
  r.editor.planSlots[4] = Cv4Plan("KEEP", 'T', 2);
  r.editor.planSelected = true;
  PlanSlots golden = GoldenCanalization();
  const std::string saved = Build(golden, Variant::Saved);
  {
    std::ofstream(r.Path("CUT.PRO"), std::ios::binary) << saved.substr(0, saved.size() / 2);
    std::string binary = saved;
    binary[binary.find("PLAN (1)")] = '\0';
    std::ofstream(r.Path("BIN.PRO"), std::ios::binary) << binary;
  }
  for (const char* name : {"CUT.PRO", "BIN.PRO"}) {
    r.chooser.openPath = r.Path(name);
    r.editor.ReadBtnClick();
    EXPECT_TRUE(r.equip.Logged(std::string("Couldn't finish load of PRO file ") + name));
    EXPECT_STREQ(r.editor.planSlots[4].name, "KEEP");
    EXPECT_EQ(r.editor.planSlots[4].Channels().size(), 2u);
  }
}

// A full disk, wherever the script goes.
TEST(Cv4Script, AScriptFileThatCannotBeWrittenStopsSendAtOnce) {
  Cv4EditorRig r;
  r.editor.planSlots[0] = Cv4Plan("P", 'T', 2);
  r.editor.planSelected = true;
  {
    cvtest::FileSizeLimit full(16);
    r.editor.SendBtnClick();
  }
  ASSERT_EQ(r.prompter.Boxes().size(), 1u);
  EXPECT_EQ(r.prompter.Boxes()[0].text, std::string("Couldn't create temporary file ") + cv::cv4::kCv4TempScript);
  EXPECT_EQ(r.prompter.Boxes()[0].caption, "CvTools Error");
  EXPECT_EQ(r.prompter.Boxes()[0].icon, cv::MsgIcon::Warning);
  EXPECT_TRUE(r.equip.ranScripts.empty());
  EXPECT_FALSE(QFile::exists(r.dir.filePath(cv::cv4::kCv4TempScript)));  // no cut script kept
}

}  // namespace
}  // namespace cv4test
