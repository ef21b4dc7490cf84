// Plans into the TV MIRELTO plan editor: the script tokenizer and statement dispatch, the
// canalization reader with its ".CAN" files, the satellite CSV import and the two load buttons.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "AppServices.h"
#include "FileDialogs.h"
#include "HostForm.h"
#include "IniFile.h"
#include "Separators.h"
#include "Xr9EditorFakes.h"
#include "Xr9Equip.h"
#include "Xr9PlanEditor.h"
#include "Xr9PlanIn.h"
#include "Xr9PlanInFixture.h"
#include "Xr9PlanFiles.h"
#include "Xr9PlanOut.h"

namespace {

using cv::xr9::TChanXR9;
using cv::xr9::TPlanEditor;
using cv::xr9::TPlanIn;
using cv::xr9::TPlanXR9;

std::vector<int> ChannelIds(const TChanXR9& c) {
  std::vector<int> ids;
  for (const auto& a : c.attrs1) {
    if (a.IsMarker()) break;
    ids.push_back(cv::xr9::AttributeIdOf(a));
  }
  return ids;
}

TEST(Xr9ScriptTokens, KeywordsDelimitersAndFileNames) {
  struct Case {
    const char* line;
    int result;
    const char* token1;
    const char* token2;
  } cases[] = {
      {"SENDRESOURCE My Plan.CAN  04", 1, "My Plan.CAN", "04"},
      {"sendresource \"x y.can\" 5", 1, "x y.can", "5"},
      {"SENDRESOURCE plan.txt 04", 0, nullptr, nullptr},   // no ".CAN"
      {"SENDRESOURCE My.CAN", 0, nullptr, nullptr},        // no file type
      {"SENDRESOURCE #x.CAN 1", 0, nullptr, nullptr},
      {"SEND #7205", 0, nullptr, nullptr},
      {"BOGUS 1", 0, nullptr, nullptr},
      {"  \t ", -1, nullptr, nullptr},
      {"DISPLAY \"hello, world\"", 1, "hello, world", nullptr},
      {"ORG(0x1f)", 1, "0x1f", nullptr},
      {"ALERT", 1, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    cv::script::Statement st;
    EXPECT_EQ(cv::xr9::TokenizeScriptLine(c.line, st), c.result) << c.line;
    if (c.token1) {
      EXPECT_STREQ(st.tokens[1], c.token1) << c.line;
    }
    if (c.token2) {
      EXPECT_STREQ(st.tokens[2], c.token2) << c.line;
    }
  }
}

// One rule names a plan's file in SAVE ONE PLAN, in the script line and in the reader: every name
// reads back whole through the tokenizer, and names that meet in one file name are told apart.
TEST(Xr9PlanFileNames, EveryNameComesBackThroughTheScript) {
  struct Row {
    const char* name;
    const char* file;
  } rows[] = {
      {"ASTRA 19.2E", "ASTRA 19.2E.can"},  {"TDT.CANARIAS", "TDT%2ECANARIAS.can"}, {"#1 MADRID", "%231 MADRID.can"},
      {" AB", "%20AB.can"},                {"A\"B", "A%22B.can"},                   {"x.can tv", "x%2Ecan tv.can"},
      {"\xD1" "AND\xDA", "\xD1" "AND\xDA.can"}, {"A/B\\C:D", "A%2FB%5CC%3AD.can"},  {"50% 'X'", "50%25 %27X%27.can"},
      {"TAB\tEND", "TAB%09END.can"},       {"A #B", "A #B.can"},                    {"END.", "END..can"},
  };
  std::vector<TPlanXR9> store(std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    SCOPED_TRACE(r.name);
    EXPECT_EQ(cv::xr9::PlanFileName(r.name), r.file);
    EXPECT_EQ(cv::xr9::PlanNameFromFile(std::string("dir/") + r.file), r.name);
    store[i].Name = r.name;
    store[i].Channels = std::vector<TChanXR9>{TChanXR9("C", 474000, 474000)};
  }
  // The script line of each plan gives the tokenizer the file and the reader the name.
  std::istringstream script(cv::xr9::CanalizationScriptText(store));
  size_t row = 0;
  for (std::string line; std::getline(script, line);) {
    cv::script::Statement st;
    if (line.rfind("SENDRESOURCE", 0) != 0) continue;
    ASSERT_LT(row, std::size(rows));
    ASSERT_EQ(cv::xr9::TokenizeScriptLine(line.c_str(), st), 1) << line;
    EXPECT_EQ(std::string(st.tokens[1]), std::string(rows[row].file).substr(0, std::strlen(rows[row].file) - 4) + ".CAN");
    EXPECT_EQ(cv::xr9::PlanNameFromFile(st.tokens[1]), rows[row].name);
    ++row;
  }
  EXPECT_EQ(row, std::size(rows));

  std::vector<TPlanXR9> same(4);
  const char* names[] = {"A", "a", "", "A"};
  for (int i = 0; i < 4; ++i) same[i].Name = names[i];
  EXPECT_EQ(cv::xr9::PlanFileNames(same), (std::vector<std::string>{"A.can", "a~2.can", "", "A~3.can"}));
  same[2].Name = "a~2";
  EXPECT_EQ(cv::xr9::PlanFileNames(same), (std::vector<std::string>{"A.can", "a~2.can", "a~2~2.can", "A~3.can"}));
  EXPECT_EQ(cv::xr9::PlanNameFromFile("ASTRA~1.CAN"), "ASTRA~1");
  EXPECT_EQ(cv::xr9::PlanNameFromFile("plan%zz.CAN"), "plan%zz");  // no escape: as it stands
}

TEST(Xr9CsvSplit, FieldLimitsAndSeparators) {
  char f[cv::xr9::kCsvFields][cv::xr9::kCsvFieldChars + 1];
  std::string line;
  for (int i = 0; i < 26; ++i) line += std::string(i ? ";" : "") + "f" + std::to_string(i);
  ASSERT_TRUE(cv::xr9::SplitCsvLine(line, f));  // the 26th field is dropped
  EXPECT_STREQ(f[24], "f24");
  EXPECT_TRUE(cv::xr9::SplitCsvLine("a\tb;" + std::string(30, 'x') + ";c\r", f));
  EXPECT_STREQ(f[0], "ab");
  EXPECT_EQ(std::strlen(f[1]), 24u);  // the line ends at a full field
  EXPECT_STREQ(f[2], "");
  EXPECT_FALSE(cv::xr9::SplitCsvLine(";;\t", f));

  // 30 fields, the 26th long: fields 1 to 25 are taken and nothing is written past the table.
  struct {
    char fields[cv::xr9::kCsvFields][cv::xr9::kCsvFieldChars + 1];
    char after[64];
  } guarded{};
  line.clear();
  for (int i = 0; i < 30; ++i) line += std::string(i ? ";" : "") + (i == 25 ? std::string(60, 'L') : "g" + std::to_string(i));
  ASSERT_TRUE(cv::xr9::SplitCsvLine(line, guarded.fields));
  EXPECT_STREQ(guarded.fields[0], "g0");
  EXPECT_STREQ(guarded.fields[24], "g24");
  EXPECT_EQ(std::string(guarded.after, sizeof guarded.after), std::string(sizeof guarded.after, '\0'));
}

class Xr9PlanIn : public xr9test::PlanInFixture {
 protected:
  void SetUp() override {
    PlanInFixture::SetUp();
    UseSeparators(';', ',');
  }
  void TearDown() override {
    PlanInFixture::TearDown();
    cv::SetHostIniPath("");
    cv::ReloadSeparators();
  }
  void UseSeparators(char list, char decimal) {
    Write("CvTools.INI", std::string("[Intl]\nsList=") + list + "\nsDecimal=" + decimal + "\n");
    cv::SetHostIniPath(Path("CvTools.INI"));
    cv::ReloadSeparators();
  }
  void WritePlan(const std::string& file, const std::string& name, int channels) {
    TPlanXR9 p;
    p.InUse = 3;
    p.Name = name;
    p.Channels.emplace();
    for (int i = 0; i < channels; ++i) p.Channels->push_back(TChanXR9("CH" + std::to_string(i), 474000 + 8000 * i, 474000 + 8000 * i));
    p.ChannelCount = channels;
    ASSERT_TRUE(cv::xr9::WriteBinaryPlan(Path(file), p, 0, editor.Sinks()));
  }
  void FillStore() {
    for (int i = 0; i < cv::xr9::PlanSlots; ++i) editor.SetPlanName(i, "P" + std::to_string(i), 3);
  }
};

std::string DataFile(const std::string& name) {
  std::ifstream in(std::string(CV_TEST_DATA_DIR) + "/xr9/plans/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(Xr9PlanIn, ScriptsReadStatementByStatement) {
  WritePlan("x.can", "X", 2);
  WritePlan("My Plan.CAN", "MINE", 1);
  struct Case {
    const char* script;
    const char* answer;  // to a missing file's question: "Y", "N" or ""
    bool ok;
    std::vector<std::string> names;  // the slots noted, in order
    const char* errorLine;           // the parser-error log line, or ""
  } cases[] = {
      {"", "", true, {}, ""},  // the golden of analyser-only statements (sendonly.PRO)
      {"SENDRESOURCE My Plan.CAN  04\nsendresource X.CAN 01\n", "", true, {"My Plan", "X"}, ""},
      {"SEND *7205&\n\n# note\nBOGUS 1\nSENDRESOURCE x.can 1\n", "", false, {}, "Parser error in line 4: BOGUS 1"},
      {"SENDRESOURCE x.can\n", "", false, {}, "Parser error in line 1: SENDRESOURCE x.can"},
      {"ORG 0xZZ\n", "", false, {}, "Parser error in line 1: ORG 0xZZ"},
      {"DIRECTORY4 3\n", "", true, {}, ""},  // starts a CORVANE import (its own tests)
      {"SENDRESOURCE gone.CAN 1\nSENDRESOURCE x.can 1\n", "N", true, {"x"}, ""},
      {"SENDRESOURCE gone.CAN 1\nSENDRESOURCE x.can 1\n", "Y", false, {}, "Parser error in line 1: SENDRESOURCE gone.CAN 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    editor.ClearAllPlans();
    view.zone.clear();
    prompter.shown.clear();
    prompter.answers.clear();
    if (*c.answer) prompter.answers.push_back(*c.answer == 'Y' ? cv::MsgAnswer::Yes : cv::MsgAnswer::No);
    Write("set.PRO", *c.script ? c.script : DataFile("sendonly.PRO"));
    EXPECT_EQ(in.LoadCanalization(Path("set.PRO")), c.ok);
    std::vector<std::string> names;
    for (int i = 0; i < editor.ListedPlans(); ++i) names.push_back(editor.plans[i].Name);
    EXPECT_EQ(names, c.names);
    if (*c.script == 0) {
      EXPECT_EQ(view.zone, (std::vector<std::string>{"Parsing file set.PRO", "Channel Plan loaded from set.PRO",
                                                     "Loaded file set.PRO"}));
      EXPECT_EQ(in.scriptAddress, 0x1f);
    }
    if (*c.errorLine) {
      EXPECT_NE(std::find(view.zone.begin(), view.zone.end(), c.errorLine), view.zone.end());
      ASSERT_FALSE(prompter.shown.empty());
      EXPECT_TRUE(prompter.shown.back().text.startsWith("Parser error at line:\n"));
      EXPECT_EQ(prompter.shown.back().caption, "CvTools Error");
      EXPECT_TRUE(view.zone.back() == "Couldn't finish load of PRO file set.PRO");
    }
    if (*c.answer) {
      const QString question = prompter.shown.front().text;
      EXPECT_TRUE(question.startsWith(QString::fromStdString(Path("gone.CAN")) +
                                      " not found.\nDo you want to cancel the loading?"))
          << question.toStdString();
      EXPECT_TRUE(host.memo->toPlainText().contains("WARNING:"));
    }
  }
  // The file named "My Plan.CAN" with type 04 and the one named X.CAN found as x.can: the script
  // notes their types, then both files are read.
  Write("set.PRO", "SENDRESOURCE My Plan.CAN  04\nSENDRESOURCE X.CAN 02\n");
  editor.ClearAllPlans();
  editor.nextImportSlot = 0;
  ASSERT_TRUE(in.ReadCanalizationScript(Path("set.PRO")));
  EXPECT_EQ(editor.plans[0].FileType, 4);
  EXPECT_EQ(editor.plans[1].FileType, 2);
  ASSERT_TRUE(in.LoadCanalization(Path("set.PRO")));
  ASSERT_TRUE(editor.plans[1].Channels);
  EXPECT_EQ(editor.plans[1].Channels->size(), 2u);
  EXPECT_EQ(editor.plans[1].FilePath, Path("x.can"));
}

TEST_F(Xr9PlanIn, AFullStoreEndsTheScriptAsAtItsEnd) {
  WritePlan("x.can", "X", 1);
  std::string script;
  for (int i = 0; i < cv::xr9::PlanSlots + 1; ++i) script += "SENDRESOURCE x.can 1\n";
  script += "BOGUS\n";  // never reached
  Write("big.PRO", script);
  EXPECT_TRUE(in.LoadCanalization(Path("big.PRO")));
  EXPECT_EQ(editor.ListedPlans(), cv::xr9::PlanSlots);
  EXPECT_TRUE(editor.plans[cv::xr9::PlanSlots - 1].Channels.has_value());
  EXPECT_TRUE(prompter.Showed("NO more room for plan channels!"));
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(Xr9PlanIn, CanalizationRoundTrip) {
  std::vector<TPlanXR9>& store = editor.plans;
  ASSERT_TRUE(QDir(dir.path()).mkdir("saved"));
  const char* names[] = {"TER A", "SAT/B", "C"};
  for (int i = 0; i < 3; ++i) {
    TPlanXR9& p = store[i];
    p.InUse = 3;
    p.Name = names[i];
    p.PlanType = i == 1 ? 5 : 7;
    p.FileType = i == 1 ? 4 : 1;  // the plan file's own type (reading a ".CAN" file gives 1 or 4)
    p.Channels.emplace();
    for (int k = 0; k <= i; ++k) p.Channels->push_back(TChanXR9("K" + std::to_string(k), 100000 + 1000 * k, 100000 + 1000 * k));
    p.ChannelCount = i + 1;
    p.Modified = 1;
    const uint8_t sr[4] = {0xE0, 0x8F, 0xA3, 0x01};
    editor.SetChannelAttribute(i, 0, 23, sr);
    ASSERT_TRUE(cv::xr9::WriteBinaryPlan(Path("saved/" + cv::xr9::PlanFileName(p.Name)), p, i, editor.Sinks()))
        << "folder";
  }
  ASSERT_TRUE(cv::xr9::WriteCanalizationScript(store, Path("saved/set.PRO"), editor.Sinks()));

  xr9test::FakeView view2;
  TPlanEditor loaded{offline, prompter, view2};
  TPlanIn in2{loaded};
  QDir::setCurrent(QString::fromStdString(Path("saved")));
  ASSERT_TRUE(in2.LoadCanalization(Path("saved/set.PRO")));
  EXPECT_EQ(loaded.ListedPlans(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(loaded.plans[i].Name, store[i].Name);
    EXPECT_EQ(loaded.plans[i].FileType, store[i].FileType);
    EXPECT_EQ(loaded.plans[i].Modified, 0);
    std::vector<uint8_t> a, b;
    ASSERT_TRUE(cv::xr9::WriteBinaryPlanHeader(a, store[i], i, editor.Sinks()));
    ASSERT_TRUE(cv::xr9::WriteBinaryPlanHeader(b, loaded.plans[i], i, editor.Sinks()));
    cv::xr9::WriteBinaryPlanChannels(a, store[i]);
    cv::xr9::WriteBinaryPlanChannels(b, loaded.plans[i]);
    EXPECT_EQ(a, b);
  }
}

// A ".CAN" file holds no file type: the script line's type makes a plan modifiable, LOAD ONE
// PLAN takes the file's own (protected) type.
TEST_F(Xr9PlanIn, TheScriptKeepsModifiablePlansModifiable) {
  TPlanXR9 sat;
  sat.InUse = 3;
  sat.PlanType = 5;
  sat.Channels = std::vector<TChanXR9>{TChanXR9("S", 11250000, 11250000)};
  ASSERT_TRUE(cv::xr9::WriteBinaryPlan(Path("sat.can"), sat, 0, editor.Sinks()));
  WritePlan("ter.can", "T", 1);
  Write("set.PRO", "SENDRESOURCE ter.CAN  01\nSENDRESOURCE ter.CAN  02\nSENDRESOURCE sat.CAN  04\n"
                   "SENDRESOURCE sat.CAN  05\nSENDRESOURCE sat.CAN  02\n");
  ASSERT_TRUE(in.LoadCanalization(Path("set.PRO")));
  std::vector<int> types;
  for (int i = 0; i < editor.ListedPlans(); ++i) types.push_back(editor.plans[i].FileType);
  EXPECT_EQ(types, (std::vector<int>{1, 2, 4, 5, 5}));  // the band comes from the file

  editor.ClearAllPlans();
  chooser.openAnswers = {{QString::fromStdString(Path("sat.can"))}};
  in.AddChannelSetBtnClick(nullptr);
  ASSERT_EQ(editor.ListedPlans(), 1);
  EXPECT_EQ(editor.plans[0].FileType, 4);
}

// LOAD CANALIZATION replaces the store only with a canalization read whole. Whatever stops it
// (a parser error, a cancelled loading, a plan file that cannot be read, a CORVANE import cut
// short, empty or without its directory, a satellite CSV file) gives back the store exactly, marks
// and focus included, logs no "loaded" line and says so in a box.
TEST_F(Xr9PlanIn, AFailedLoadKeepsTheStore) {
  WritePlan("x.can", "X", 2);
  Write("broken.can", std::string("\x05\x00\x07", 3));  // five channels announced, none there
  Write("sats.csv", DataFile("sats.csv"));
  const std::string corvane = "DIRECTORY4 (2)\nHEADER3 (A, 0x0400, 1, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\n"
                              "HEADER3 (B, 0x0400, 1, 7, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF)\nCOMMAND3 (0xFF, 0xFF)\n"
                              "PLAN (1)\nCHAND (0, 30, 546.0, 0xFFFF)\nPLAN (2)\nCHAND (0, 31, 554.0, 0xFFFF)\n";
  struct Row {
    const char* name;
    std::string file;  // the chosen file
    std::string text;  // its contents, or "" for a file written above
    const char* zoneLine;  // a line the log zone shows before the box's, or ""
  } rows[] = {
      {"parser error", "bad.PRO", "SENDRESOURCE x.can 1\n#1 MADRID.can 1\nSENDRESOURCE #1 MADRID.can 1\n",
       "Couldn't finish load of PRO file bad.PRO"},
      {"loading cancelled", "bad.PRO", "SENDRESOURCE x.can 1\nSENDRESOURCE gone.can 1\n",
       "Couldn't finish load of PRO file bad.PRO"},
      {"plan file unreadable", "bad.PRO", "SENDRESOURCE x.can 1\nSENDRESOURCE broken.can 1\n",
       "The plan file broken.can could not be read"},
      {"CORVANE cut short", "cv.PRO", corvane.substr(0, corvane.find("PLAN (2)")), "Data File error in cv.PRO"},
      {"CORVANE empty", "cv.PRO", "\n", "Data File error in cv.PRO"},
      {"CORVANE without directory", "cv.PRO", "SEND *7205&\nORG 0x10\n", "Data File error in cv.PRO"},
      {"satellite CSV", "sats.csv", "", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    editor.ClearAllPlans();
    editor.SetPlanName(0, "KEEP", 3);
    editor.plans[0].Channels = std::vector<TChanXR9>{TChanXR9("K", 474000, 474000)};
    editor.plans[0].ChannelCount = 1;
    editor.SetPlanName(1, "KEEP2", 3);
    editor.plans[1].Modified = 1;
    editor.planIndex = 1;
    editor.channelIndex = 0;
    if (!r.text.empty()) Write(r.file, r.text);
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::No, cv::MsgAnswer::Yes};  // keep the changes unsaved; cancel the loading
    view.zone.clear();
    host.memo->clear();
    chooser.openAnswers = {{QString::fromStdString(Path(r.file))}};
    in.ReadBtnClick(nullptr);
    ASSERT_EQ(editor.ListedPlans(), 2);
    EXPECT_EQ(editor.plans[0].Name, "KEEP");
    ASSERT_TRUE(editor.plans[0].Channels);
    EXPECT_EQ(editor.plans[0].Channels->size(), 1u);
    EXPECT_EQ(editor.plans[0].Modified, 0);
    EXPECT_EQ(editor.plans[1].Name, "KEEP2");
    EXPECT_FALSE(editor.plans[1].Channels);
    EXPECT_EQ(editor.plans[1].Modified, 1);
    EXPECT_EQ(editor.planIndex, 1);
    EXPECT_TRUE(view.save);
    for (const std::string& line : view.zone) {
      EXPECT_EQ(line.find("oaded f"), std::string::npos) << line;  // "Loaded file", "loaded from"
      EXPECT_EQ(line.find("CSV format accepted"), std::string::npos) << line;
    }
    if (*r.zoneLine) {
      EXPECT_NE(std::find(view.zone.begin(), view.zone.end(), r.zoneLine), view.zone.end());
    }
    const std::string told = r.file + " was not loaded: the plans in the editor are kept as they were.";
    EXPECT_EQ(view.zone.back(), told);
    EXPECT_TRUE(host.memo->toPlainText().contains(QString::fromStdString(told)));
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text.toStdString(), told);
    EXPECT_EQ(prompter.shown.back().caption, "CvTools Error");
  }
  // The same canalization whole loads.
  Write("good.PRO", "SENDRESOURCE x.can 1\n");
  prompter.answers = {cv::MsgAnswer::No};
  chooser.openAnswers = {{QString::fromStdString(Path("good.PRO"))}};
  in.ReadBtnClick(nullptr);
  EXPECT_EQ(editor.ListedPlans(), 1);
  EXPECT_EQ(editor.plans[0].Channels->size(), 2u);
  Write("cv.PRO", corvane);
  chooser.openAnswers = {{QString::fromStdString(Path("cv.PRO"))}};
  in.ReadBtnClick(nullptr);
  EXPECT_EQ(editor.ListedPlans(), 2);
  EXPECT_EQ(view.zone.back(), "Loaded file cv.PRO");
}

// Log lines name a file by its name, in the log's Windows-1252, whatever the file system's encoding.
TEST_F(Xr9PlanIn, LogLinesNameFilesInTheLogsEncoding) {
  const std::string accented = "plan\xC3\xA9";  // "plané" as the file system spells it
  WritePlan(accented + ".can", "P", 1);
  Write("r\xC3\xA9seau.csv", DataFile("sats.csv"));
  chooser.openAnswers << QStringList{QString::fromUtf8(Path(accented + ".can").c_str()),
                                     QString::fromUtf8(Path("r\xC3\xA9seau.csv").c_str())};
  in.AddChannelSetBtnClick(nullptr);
  ASSERT_EQ(editor.ListedPlans(), 3);
  EXPECT_EQ(editor.plans[0].Name, "plan\xE9");
  EXPECT_TRUE(host.memo->toPlainText().contains(QString::fromUtf8("Loaded file plané.can")))
      << host.memo->toPlainText().toStdString();
  EXPECT_EQ(view.zone.back(), "Loaded file r\xE9seau.csv");
  std::remove(Path(accented + ".can").c_str());
  editor.ClearAllPlans();
  editor.plans[0].InUse = 3;
  editor.plans[0].FilePath = Path(accented + ".can");
  EXPECT_FALSE(cv::xr9::ReadCanFile(editor.plans[0], editor.Sinks()));
  EXPECT_TRUE(host.memo->toPlainText().contains(QString::fromUtf8("plané.can")));
  EXPECT_FALSE(host.memo->toPlainText().contains(QString::fromUtf8("Ã")));
}

TEST_F(Xr9PlanIn, CsvImport) {
  Write("sats.csv", DataFile("sats.csv"));
  editor.SetPlanName(0, "EXISTING", 3);
  // A file that cannot be read gives the hourglass back too.
  EXPECT_FALSE(in.ImportCsvPlanFile(Path("gone.csv"), 5));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ASSERT_TRUE(in.ImportCsvPlanFile(Path("sats.csv"), 5));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ASSERT_EQ(editor.ListedPlans(), 3);
  const TPlanXR9& astra = editor.plans[1];
  EXPECT_EQ(astra.Name, "ASTRA 19E");
  EXPECT_EQ(astra.PlanType, 5);
  EXPECT_EQ(astra.FileType, 4);
  EXPECT_EQ(astra.Modified, 1);
  ASSERT_EQ(astra.ChannelCount, 2u);
  // Sorted: the 10832 MHz line comes first.
  const TChanXR9& bbc = (*astra.Channels)[0];
  const TChanXR9& cnn = (*astra.Channels)[1];
  EXPECT_EQ(bbc.value1, 10832000u);
  EXPECT_EQ(ChannelIds(bbc), (std::vector<int>{10, 18}));  // PAL, H with band L; analogue: no inversion
  EXPECT_EQ(ChannelIds(cnn), (std::vector<int>{13, 20, 23, 40, 25, 22}));
  cv::xr9::TChanAttribute a;
  cv::xr9::FindChannelAttribute(cnn, cv::xr9::AttributeById(23)->code, a);
  EXPECT_EQ(cv::xr9::ReadU32LE(a.value), 27500000u);
  cv::xr9::FindChannelAttribute(cnn, cv::xr9::AttributeById(22)->code, a);
  EXPECT_EQ(cv::xr9::ReadU32LE(a.value), 36000u);
  const TPlanXR9& hotbird = editor.plans[2];
  ASSERT_EQ(hotbird.ChannelCount, 1u);
  const TChanXR9& third = (*hotbird.Channels)[0];
  EXPECT_STREQ(third.name, "ch??");
  EXPECT_EQ(ChannelIds(third), (std::vector<int>{13, 21, 23, 42, 24, 22}));
  // Clamped: symbol rate 100 and bandwidth 200 MHz fall back to their defaults.
  cv::xr9::FindChannelAttribute(third, cv::xr9::AttributeById(23)->code, a);
  EXPECT_EQ(cv::xr9::ReadU32LE(a.value), 27500000u);
  cv::xr9::FindChannelAttribute(third, cv::xr9::AttributeById(22)->code, a);
  EXPECT_EQ(cv::xr9::ReadU32LE(a.value), 8000u);
  EXPECT_EQ(view.zone.back(), "Loaded file sats.csv");
}

TEST_F(Xr9PlanIn, CsvSeparatorsAndPolarisations) {
  struct Case {
    char list, decimal;
    const char* line;
    uint32_t khz;
    int lnb;  // 0: none
  } cases[] = {
      {';', ',', "A;11778,9;V;DVB-S;0;;L;;0;1;S", 11778000, 16},
      {',', '.', "A,11778.9,L,DVB-S,0,,H,,0,1,S", 11778000, 21},
      {',', '.', "A,10000,X,DVB-S,0,,H,,0,1,S", 10000000, 0},
      {',', '.', "A,10000,V,DVB-S,0,,Q,,0,1,S", 10000000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    UseSeparators(c.list, c.decimal);
    editor.ClearAllPlans();
    Write("one.csv", std::string("#<IMPORT FORMAT SAT>\n") + c.line + "\n");
    editor.csvPlanCounter = 0;
    ASSERT_TRUE(in.ImportCsvPlanFile(Path("one.csv"), 5));
    ASSERT_EQ(editor.plans[0].ChannelCount, 1u);
    const TChanXR9& ch = (*editor.plans[0].Channels)[0];
    EXPECT_EQ(ch.value1, c.khz);
    std::vector<int> want{13};
    if (c.lnb) want.push_back(c.lnb);
    want.push_back(24);
    EXPECT_EQ(ChannelIds(ch), want);
  }
}

TEST_F(Xr9PlanIn, CsvIntoAFullStoreChangesNothing) {
  FillStore();
  Write("sats.csv", DataFile("sats.csv"));
  ASSERT_TRUE(in.ImportCsvPlanFile(Path("sats.csv"), 5));
  EXPECT_TRUE(prompter.Showed("NO more room for plan channels!"));
  EXPECT_EQ(prompter.shown.size(), 1u);  // the file ends at the first refusal
  EXPECT_EQ(editor.plans[0].Name, "P0");
  EXPECT_FALSE(editor.plans[0].Channels.has_value());
}

TEST_F(Xr9PlanIn, LoadOnePlanAddsAfterTheExistingPlans) {
  WritePlan("a.can", "A", 1);
  WritePlan("b.CAN", "B", 2);
  Write("c.txt", "x");
  Write("sats.csv", DataFile("sats.csv"));
  Write("plain.csv", "a;b\n");
  editor.SetPlanName(0, "FIRST", 3);
  chooser.openAnswers << QStringList{QString::fromStdString(Path("a.can")), QString::fromStdString(Path("c.txt")),
                                     QString::fromStdString(Path("b.CAN")), QString::fromStdString(Path("plain.csv")),
                                     QString::fromStdString(Path("sats.csv"))};
  in.AddChannelSetBtnClick(nullptr);
  ASSERT_EQ(chooser.opens.size(), 1);
  EXPECT_TRUE(chooser.opens[0].multiSelect);
  EXPECT_EQ(chooser.opens[0].filter, "CAN files (*.CAN)|*.CAN|CSV files (*.csv)|*.csv");
  std::vector<std::string> names;
  for (int i = 0; i < editor.ListedPlans(); ++i) names.push_back(editor.plans[i].Name);
  EXPECT_EQ(names, (std::vector<std::string>{"FIRST", "a", "b", "ASTRA 19E", "HOTBIRD 13E"}));
  EXPECT_EQ(editor.plans[2].ChannelCount, 2u);
  EXPECT_TRUE(view.save);

  // Every slot used: the message, and nothing changes.
  editor.ClearAllPlans();
  FillStore();
  prompter.shown.clear();
  chooser.openAnswers << QStringList{QString::fromStdString(Path("a.can"))};
  in.AddChannelSetBtnClick(nullptr);
  EXPECT_TRUE(prompter.Showed("NO more room for plan channels!"));
  EXPECT_EQ(editor.plans[0].Name, "P0");
  EXPECT_FALSE(editor.plans[0].Channels.has_value());
}

TEST_F(Xr9PlanIn, LoadCanalizationAsksAboutChangedPlans) {
  struct Case {
    cv::MsgAnswer answer;
    bool dialogOpened;
    uint8_t modifiedAfter;
  } cases[] = {{cv::MsgAnswer::Cancel, false, 1}, {cv::MsgAnswer::Yes, false, 1}, {cv::MsgAnswer::No, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.answer));
    editor.ClearAllPlans();
    editor.SetPlanName(0, "CHANGED", 3);
    editor.plans[0].Modified = 1;
    chooser.opens.clear();
    prompter.answers = {c.answer};
    chooser.openAnswers << QStringList{};  // the dialog is cancelled
    in.ReadBtnClick(nullptr);
    chooser.openAnswers.clear();
    EXPECT_EQ(chooser.opens.size(), c.dialogOpened ? 1 : 0);
    EXPECT_EQ(editor.plans[0].Name, "CHANGED");
    EXPECT_EQ(editor.plans[0].Modified, c.modifiedAfter);
    // With no file chosen nothing was given up: Close still asks about the plan.
    prompter.shown.clear();
    prompter.answers = {cv::MsgAnswer::Cancel};
    EXPECT_FALSE(editor.CloseBtnClick());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.endsWith("Plans not saved: CHANGED"));
  }
  // A chosen canalization replaces the store.
  WritePlan("x.can", "X", 1);
  Write("set.PRO", "SENDRESOURCE x.can 1\n");
  prompter.answers = {cv::MsgAnswer::No};
  chooser.openAnswers << QStringList{QString::fromStdString(Path("set.PRO"))};
  in.ReadBtnClick(nullptr);
  EXPECT_EQ(editor.ListedPlans(), 1);
  EXPECT_EQ(editor.plans[0].Name, "x");
  EXPECT_TRUE(view.save);
  EXPECT_EQ(chooser.opens.back().filter, "PRO files (*.PRO)|*.PRO");
}

}  // namespace
