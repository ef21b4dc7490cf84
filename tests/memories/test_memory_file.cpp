// The memory text file: golden files written from the simulator's 99 memories and read back, the
// reader's checks on damaged files with the editor's state afterwards, and the save question.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "ChildProcess.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "Format.h"
#include "MemoryFile.h"
#include "MemoryTestKit.h"
#include "ProcessSetup.h"

using namespace cv::mem;
using memtest::Rig;

namespace {

const QString kData = QString(CV_TEST_DATA_DIR) + "/memories/";

std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < content.size()) {
    size_t end = content.find('\n', at);
    lines.push_back(content.substr(at, end - at));
    at = end == std::string::npos ? content.size() : end + 1;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string out;
  for (const std::string& l : lines) out += l + end;
  return out;
}

MemoryButtons Buttons(bool loaded, bool port = false) {
  MemoryButtons b;
  b.receive = port;
  b.edit = b.save = loaded;
  b.send = b.sendOne = loaded && port;
  return b;
}

TEST(MemoryFile, GoldenFilesByteForByteAndBack) {
  struct Case {
    char decimal, list;
    const char* golden;
  } cases[] = {{',', ';', "semicolon.csv"}, {'.', ',', "comma.csv"}};
  const auto records = memtest::DefaultRecords();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    QTemporaryDir dir;
    const QString path = dir.filePath(c.golden);
    Rig writer(nullptr, c.decimal, c.list);
    writer.editor.records = records;
    ASSERT_TRUE(writer.editor.WriteMemoryFile(path.toStdString()));
    EXPECT_EQ(writer.Log(), (std::vector<std::string>{std::string("Writing memories to ") + c.golden,
                                                      "Writing memories complete"}));
    EXPECT_EQ(writer.view.gauges.back(), 100);
    const std::string written = memtest::ReadAll(path);
    ASSERT_EQ(written, memtest::ReadAll(kData + c.golden));

    // The layout, independently of the golden file.
    std::vector<std::string> lines = Lines(written);
    ASSERT_EQ(lines.size(), 20u + kMemoryCount);
    EXPECT_EQ(lines[18], std::string(58, '#'));
    for (int n = 1; n <= kMemoryCount; ++n) {
      const std::string& row = lines[19 + n];
      ASSERT_EQ(row.size(), kFileRowLength) << n;
      for (int at : {2, 7, 9, 11, 13, 15, 17, 25, 27, 30, 33, 35, 37, 39, 41, 43, 48, 54, 62, 64, 66, 68, 74})
        EXPECT_EQ(row[at], c.list) << n << " at " << at;
    }
    EXPECT_EQ(lines[20].substr(0, 8), std::string("01") + c.list + "M001" + c.list);
    EXPECT_EQ(lines[20].substr(18, 7), std::string("0053") + c.decimal + "25");
    // A BER memory writes '0' in Units and blanks where it has no sound.
    EXPECT_EQ(lines[24][34], '0');
    EXPECT_EQ(lines[24].substr(42, 6), std::string(" ") + c.list + "    ");

    Rig reader(nullptr, c.decimal, c.list);
    reader.chooser.openPath = path.toStdString();
    reader.editor.ReadBtnClick();
    EXPECT_EQ(reader.Log(), (std::vector<std::string>{std::string("Reading memories from ") + c.golden,
                                                      "Reading memories complete"}));
    EXPECT_TRUE(reader.editor.loaded);
    EXPECT_EQ(reader.editor.records, records);
    EXPECT_EQ(reader.editor.listLines.size(), 99u);
    EXPECT_EQ(reader.editor.listLines[0], std::string(" 1 M001 TER   53") + c.decimal + "25");
    EXPECT_EQ(reader.editor.listLines[1], std::string(" 2 M002 TER   61") + c.decimal + "25");
    EXPECT_EQ(reader.editor.buttons, Buttons(true));
  }
}

// Where the label's separators end: rows as the writer makes them, and rows it never makes
// (a spreadsheet's trailing separator, the 25-column row of a family with DiSEqC, a short label).
TEST(MemoryFile, SurplusSeparatorsOfARowAreTheLabels) {
  Rig rig(nullptr, ',', ';');
  const auto split = [&](const std::string& row) { return rig.link.SplitFields(row); };
  const std::string tail = ";T;0;1; ; ;0053,25;1;01;07;0;1;0; ;1;    ;08,00;09750,0; ; ; ;     ;-006,15";
  const struct {
    std::string row;
    int columns;
    const char* label;
    const char* band;
    const char* last;
  } cases[] = {
      {"01;M001" + tail, kCv3FileColumns, "M001", "T", "-006.15"},
      {"01;A;B " + tail, kCv3FileColumns, "A;B ", "T", "-006.15"},
      {"01;;;;;" + tail, kCv3FileColumns, ";;;;", "T", "-006.15"},
      {"01;A;B" + tail, kCv3FileColumns, "A;B", "T", "-006.15"},
      {"01;A,;." + tail, kCv3FileColumns, "A.;.", "T", "-006.15"},
      {"01;M001" + tail + ";", kCv3FileColumns, "M001", "T", "-006.15"},
      {"01;M001" + tail + ";f", kCv3FileColumns, "M001", "T", "-006.15"},
      {"01;AB;C" + tail + ";f", kCv3FileColumns, "AB;C", "T", "-006.15"},
      {"01;AB;C" + tail + ";f", kFileColumns, "AB;C", "T", "-006.15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    const std::vector<std::string> f = SplitFileRow(c.row, c.columns, ';', split);
    ASSERT_GT(f.size(), static_cast<size_t>(cCnRef));
    EXPECT_EQ(f[cLabel], c.label);
    EXPECT_EQ(f[cBand], c.band);
    EXPECT_EQ(f[cCnRef], c.last);
  }
}

// A golden file with its rows changed, and what reading it logs and leaves.
struct Damage {
  const char* name;
  std::function<void(std::vector<std::string>& lines)> change;  // lines[19 + n] is memory n
  std::vector<std::string> log;                                 // after "Reading memories from"
  bool loaded;
  size_t listed;
  std::function<void(const Rig& rig)> check;
  std::string reason{};  // a failed read's, in its box; a good read's warnings, in theirs (none: no box)
};

void SetField(std::string& row, size_t at, const std::string& value) { row.replace(at, value.size(), value); }

TEST(MemoryFile, DamagedFilesLogAndLeaveTheEditor) {
  const auto defaults = memtest::DefaultRecords();
  const std::vector<Damage> cases = {
      {"frequency out of range",
       [](auto& l) { SetField(l[22], 18, "0900,00"); },
       {"Error(s) in memory number 3:", " Frequency: 900 (5-862)", "Reading memories failed"},
       false, 0, nullptr, "Error(s) in memory number 3: Frequency: 900 (5-862)"},
      {"fewer than 99 rows",
       [](auto& l) { l.resize(20 + 50); },
       {"Reading memories failed"},
       false, 0, nullptr, "The file ends before memory number 51"},
      {"row naming memory 00",
       [](auto& l) { SetField(l[22], 0, "00"); },
       {"Error. Row 3 of the file names memory number 00: nothing stored", "Reading memories failed"},
       false, 0, nullptr, "Error. Row 3 of the file names memory number 00: nothing stored"},
      {"row naming another memory",
       [](auto& l) { SetField(l[22], 0, "04"); },
       {"Error. Row 3 of the file names memory number 04: nothing stored", "Reading memories failed"},
       false, 0, nullptr, "Error. Row 3 of the file names memory number 04: nothing stored"},
      {"B in Meas",
       [](auto& l) { SetField(l[25], 38, "B"); },
       {"Error(s) in memory number 6:", " Specific QAM meas. has been replaced by BER", "Reading memories complete"},
       true, 99,
       [&](const Rig& r) { EXPECT_EQ(r.editor.records[5], defaults[5]); },
       "Error(s) in memory number 6: Specific QAM meas. has been replaced by BER"},
      {"BER QPSK on a terrestrial memory",
       [](auto& l) {
         SetField(l[24], 8, "T");
         SetField(l[24], 18, "0474,00");
       },
       {"Error(s) in memory number 5:", " Measurement must be in SAT", "Reading memories complete"},
       true, 99,
       [](const Rig& r) {
         EXPECT_EQ(r.editor.records[4].band, 'T');
         EXPECT_EQ(r.editor.records[4].meas, '4');
         EXPECT_EQ(r.editor.records[4].freq, 474.0f);
       },
       "Error(s) in memory number 5: Measurement must be in SAT"},
      {"two-character label",
       [](auto& l) { l[20].replace(3, 4, "AB"); },
       {"Reading memories complete"},
       true, 99,
       [](const Rig& r) {
         EXPECT_STREQ(r.editor.records[0].label, "  AB");
         EXPECT_EQ(r.editor.listLines[0], " 1   AB TER   53,25");
       }},
      {"blank lines",
       [](auto& l) {
         l.insert(l.begin() + 30, "");
         l.insert(l.begin() + 20, "   ");
       },
       {"Reading memories complete"},
       true, 99,
       [&](const Rig& r) { EXPECT_EQ(r.editor.records, defaults); }},
      {"spreadsheet line ends",
       [](auto& l) {
         for (auto& line : l) line += "\r";
       },
       {"Reading memories complete"},
       true, 99,
       [&](const Rig& r) { EXPECT_EQ(r.editor.records, defaults); }},
      {"bad values stay in the record",
       [](auto& l) { l[26] = l[26].substr(0, 49) + "999,99;9999999;" + l[26].substr(63); },
       {"Error(s) in memory number 7:", " Channel bandwidth: 999.989990234375 (0.1-81.91)",
        " LNB frequency: 9999999 (0-52428.7)", "Reading memories complete"},
       true, 99,
       [](const Rig& r) { EXPECT_EQ(r.editor.records[6].bw, 999.99f); },
       "Error(s) in memory number 7: Channel bandwidth: 999.989990234375 (0.1-81.91) LNB frequency: 9999999 (0-52428.7)"},
      {"twelve memories with a bandwidth of 0",
       [](auto& l) {
         for (int n = 1; n <= 12; ++n) SetField(l[19 + n], 49, "00,00");
       },
       [] {
         std::vector<std::string> log;
         for (int n = 1; n <= 12; ++n) {
           log.push_back(cv::Format("Error(s) in memory number %d:", n));
           log.push_back(" Channel bandwidth: 0 (0.1-81.91)");
         }
         log.push_back("Reading memories complete");
         return log;
       }(),
       true, 99, nullptr,
       [] {
         std::string listed;
         for (int n = 1; n <= 10; ++n)
           listed += cv::Format("%sError(s) in memory number %d: Channel bandwidth: 0 (0.1-81.91)", n > 1 ? "\n" : "", n);
         return listed + "\n... and 2 more memories with such values (the log lists them all).";
       }()},
  };
  const std::vector<std::string> golden = Lines(memtest::ReadAll(kData + "semicolon.csv"));
  for (const Damage& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    std::vector<std::string> lines = golden;
    c.change(lines);
    const QString path = dir.filePath("damaged.csv");
    ASSERT_TRUE(memtest::WriteAll(path, Join(lines)));
    Rig rig;
    rig.chooser.openPath = path.toStdString();
    rig.editor.ReadBtnClick();
    std::vector<std::string> expected = {"Reading memories from damaged.csv"};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    EXPECT_EQ(rig.Log(), expected);
    EXPECT_EQ(rig.editor.loaded, c.loaded);
    EXPECT_EQ(rig.editor.listLines.size(), c.listed);
    EXPECT_EQ(rig.editor.buttons, Buttons(c.loaded));
    EXPECT_EQ(rig.view.gauges.back(), c.loaded ? 100 : 0);
    if (c.check) c.check(rig);
    if (c.loaded) {
      // Values kept outside their ranges are told in the editor, not only in the log behind it.
      if (c.reason.empty()) {
        EXPECT_TRUE(rig.prompter.shown.empty());
        continue;
      }
      ASSERT_EQ(rig.prompter.shown.size(), 1u);
      EXPECT_EQ(cv::To1252(rig.prompter.shown[0].text),
                "The memories were read from damaged.csv with values outside their ranges, kept as they stand:\n" +
                    c.reason);
      EXPECT_EQ(rig.prompter.shown[0].caption, "Warning");
      EXPECT_EQ(rig.prompter.shown[0].icon, cv::MsgIcon::Warning);
      continue;
    }
    // No row of a failed file reaches a memory.
    EXPECT_EQ(rig.editor.records, decltype(rig.editor.records){});
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(cv::To1252(rig.prompter.shown[0].text), "Couldn't read memories from damaged.csv:\n" + c.reason +
                                                          "\nThe memories in the editor are left as they were.");
    EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
  }
}

// A family whose list takes a narrower range than its rows' checks: a row only the list refuses
// is named by its own frequency, never by the reasons of a row that failed in an earlier read.
TEST(MemoryFile, AFailedReadNamesItsOwnRowOnly) {
  class NarrowList : public cv::mem::MemoryCodec {
   public:
    bool FreqInRange(char band, float mhz) const override {
      return MemoryCodec::FreqInRange(band, mhz) && (band != 'T' || mhz >= 45.0f);
    }
  } codec;
  Rig rig;
  cv::mem::MemoryEditor editor{rig.link, rig.prompter, rig.chooser, rig.view, codec};
  const std::vector<std::string> golden = Lines(memtest::ReadAll(kData + "semicolon.csv"));
  std::vector<std::string> otherMemory = golden, low = golden;
  SetField(otherMemory[22], 0, "04");
  SetField(low[20], 18, "0030,00");
  EXPECT_FALSE(editor.ReadMemoryText(Join(otherMemory), "other.csv"));
  EXPECT_FALSE(editor.ReadMemoryText(Join(low), "low.csv"));
  ASSERT_EQ(rig.prompter.shown.size(), 2u);
  EXPECT_EQ(cv::To1252(rig.prompter.shown[1].text),
            "Couldn't read memories from low.csv:\nError(s) in memory number 1: Frequency: 30 (5-862)\n"
            "The memories in the editor are left as they were.");
}

TEST(MemoryFile, UnreadableUnwritableAndUnfitFiles) {
  QTemporaryDir dir;
  const auto defaults = memtest::DefaultRecords();
  {
    // A file that cannot be opened changes nothing; a cancelled dialog neither.
    Rig rig;
    rig.editor.records = defaults;
    rig.editor.loaded = true;
    rig.editor.FillMemoryList();
    rig.chooser.openPath = dir.filePath("missing.csv").toStdString();
    rig.editor.ReadBtnClick();
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "Unable to read data file");
    EXPECT_EQ(rig.prompter.shown[0].caption, "Warning");
    EXPECT_EQ(rig.prompter.shown[0].icon, cv::MsgIcon::Error);
    EXPECT_EQ(rig.editor.records, defaults);
    EXPECT_TRUE(rig.Log().empty());
    EXPECT_TRUE(rig.editor.loaded);
    rig.chooser.openPath.clear();
    rig.editor.ReadBtnClick();
    EXPECT_EQ(rig.editor.listLines.size(), 99u);
    EXPECT_EQ(rig.editor.records, defaults);
    EXPECT_EQ(rig.prompter.shown.size(), 1u);
  }
  {
    Rig rig;
    rig.editor.records = defaults;
    // A name as the file system spells it (UTF-8) is logged as the log's Windows-1252 text, and
    // nothing says it is written before it is.
    const std::string path = QFile::encodeName(dir.filePath(QString::fromUtf8("no/such/dir/m\u00e9m.csv"))).toStdString();
    EXPECT_FALSE(rig.editor.WriteMemoryFile(path));
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text,
              QString::fromUtf8("Couldn't create file m\u00e9m.csv\nBe sure this file is not in use by another program."));
    EXPECT_EQ(rig.prompter.shown[0].caption, "CvTools Error");
    EXPECT_EQ(rig.prompter.shown[0].icon, cv::MsgIcon::Warning);
    EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Couldn't create file m\xe9m.csv"}));
  }
  {
    // A plan code the two-digit column cannot hold refuses the save; 99 still fits.
    Rig rig;
    rig.editor.records = defaults;
    rig.editor.records[11].codePlan = 100;
    const QString path = dir.filePath("codes.csv");
    EXPECT_FALSE(rig.editor.WriteMemoryFile(path.toStdString()));
    const std::string text = "Memory number 12 has plan code 100, which a memory file cannot hold (0-99): nothing saved";
    EXPECT_EQ(rig.Log(), std::vector<std::string>{text});
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(cv::To1252(rig.prompter.shown[0].text), text);
    EXPECT_FALSE(QFile::exists(path));
    rig.editor.records[11].codePlan = 99;
    EXPECT_TRUE(rig.editor.WriteMemoryFile(path.toStdString()));
    EXPECT_EQ(Lines(memtest::ReadAll(path))[31].substr(31, 2), "99");
  }
}

// The editor with the default memories loaded and memory 1 edited.
void LoadAndEdit(Rig& rig) {
  rig.editor.records = memtest::DefaultRecords();
  rig.editor.loaded = true;
  rig.editor.EnableControls(true);
  rig.editor.FillMemoryList();
  int index = rig.editor.EditBtnClick();
  ASSERT_EQ(index, 0);
  rig.editor.current.freq = 56.25f;
  rig.editor.MemoryEdited(index);
  ASSERT_TRUE(rig.editor.modified);
  EXPECT_EQ(rig.editor.listLines[0], " 1 M001 TER   56,25");
  EXPECT_EQ(rig.editor.listIndex, 0);
}

TEST(MemorySaveQuestion, CancelYesAndNo) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("saved.csv").toStdString();
  struct Case {
    const char* name;
    cv::MsgAnswer answer;
    std::string savePath;
    bool closes, modifiedAfter, saved;
  } cases[] = {
      {"cancel keeps the editor", cv::MsgAnswer::Cancel, path, false, true, false},
      {"no closes without saving", cv::MsgAnswer::No, path, true, true, false},
      {"yes with the save dialog cancelled stays", cv::MsgAnswer::Yes, "", false, true, false},
      {"yes saves, then closes", cv::MsgAnswer::Yes, path, true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(QString::fromStdString(path));
    Rig rig;
    ASSERT_NO_FATAL_FAILURE(LoadAndEdit(rig));
    rig.chooser.savePath = c.savePath;
    rig.prompter.answers = {c.answer};
    EXPECT_EQ(rig.editor.CloseBtnClick(), c.closes);
    ASSERT_GE(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text, "Data has been modified\nDo you want to save?");
    EXPECT_EQ(rig.prompter.shown[0].caption, "Warning");
    EXPECT_EQ(rig.prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgCancel);
    EXPECT_EQ(rig.editor.modified, c.modifiedAfter);
    EXPECT_EQ(QFile::exists(QString::fromStdString(path)), c.saved);
    EXPECT_EQ(rig.chooser.saves, c.answer == cv::MsgAnswer::Yes ? 1 : 0);
    if (c.saved) {
      EXPECT_EQ(rig.chooser.defaultExt, "csv");
    }
  }
  {
    // Cancel stops Read and Receive before they touch anything.
    Rig rig;
    ASSERT_NO_FATAL_FAILURE(LoadAndEdit(rig));
    rig.prompter.answers = {cv::MsgAnswer::Cancel, cv::MsgAnswer::Cancel};
    const auto before = rig.editor.records;
    rig.editor.ReadBtnClick();
    rig.editor.ReceiveBtnClick();
    EXPECT_EQ(rig.chooser.opens, 0);
    EXPECT_EQ(rig.editor.records, before);
    EXPECT_TRUE(rig.editor.modified);
    EXPECT_TRUE(rig.Log().empty());
    EXPECT_EQ(rig.editor.buttons, Buttons(true));
  }
}

// The 99 memories' file (about 9,000 bytes) under file-size limits below, at and above the write
// buffer: saved whole, or reported with the old file left as it was.
TEST(MemorySaveQuestion, SaveWritesTheWholeFileOrKeepsTheOldOne) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("all.csv").toStdString();
  Rig rig;
  ASSERT_NO_FATAL_FAILURE(LoadAndEdit(rig));
  rig.chooser.savePath = path;
  cvtest::ExpectWholeOrOldFile(path, [&] { return rig.editor.SaveBtnClick(); });
}

// The program's own start: a file-size limit's signal, left at its default, ends the process at
// the first write past the limit, with every tool's unsaved edits and the save's temporary file.
TEST(MemorySaveQuestion, SaveOverTheFileSizeLimitFailsWithoutEndingTheProgram) {
  QTemporaryDir dir;
  const QString path = dir.filePath("memories.csv");
  const std::string old = memtest::ReadAll(kData + "semicolon.csv");
  ASSERT_TRUE(memtest::WriteAll(path, old));
  const cvtest::ChildEnd end = cvtest::RunInChild([&] {
    signal(SIGXFSZ, SIG_DFL);  // as a process starts
    cv::SetUpProcess();
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 6 * 1024;  // below the 99 memories' file
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    Rig rig;
    LoadAndEdit(rig);
    rig.chooser.savePath = path.toStdString();
    if (rig.editor.SaveBtnClick()) return 3;
    if (rig.prompter.shown.size() != 1 ||
        rig.prompter.shown[0].text != "Couldn't write file memories.csv: the old file is left as it was")
      return 4;
    return rig.editor.modified ? 0 : 5;
  });
  EXPECT_TRUE(end.exited && end.code == 0) << end.Text();
  EXPECT_EQ(memtest::ReadAll(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"memories.csv"});
}

TEST(MemorySaveQuestion, FailedWriteKeepsTheOldFileAndTheEdits) {
  QTemporaryDir dir;
  const QString path = dir.filePath("old.csv");
  const std::string old = memtest::ReadAll(kData + "semicolon.csv");
  ASSERT_TRUE(memtest::WriteAll(path, old));
  Rig rig;
  ASSERT_NO_FATAL_FAILURE(LoadAndEdit(rig));
  rig.chooser.savePath = path.toStdString();
  rig.prompter.answers = {cv::MsgAnswer::Yes};
  bool closes;
  {
    cvtest::FileSizeLimit limit(4096);
    closes = rig.editor.CloseBtnClick();
  }
  EXPECT_FALSE(closes);
  EXPECT_TRUE(rig.editor.modified);
  EXPECT_EQ(memtest::ReadAll(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.csv"});
  ASSERT_EQ(rig.prompter.shown.size(), 2u);
  EXPECT_EQ(rig.prompter.shown[1].text, "Couldn't write file old.csv: the old file is left as it was");
  EXPECT_EQ(rig.prompter.shown[1].caption, "CvTools Error");
  EXPECT_EQ(rig.Log(), (std::vector<std::string>{"Couldn't write file old.csv: the old file is left as it was"}));
}

TEST(MemoryEditorOffline, ButtonsFollowThePortAndTheLoadedSet) {
  Rig rig;
  EXPECT_EQ(rig.editor.buttons, Buttons(false));
  rig.chooser.openPath = (kData + "semicolon.csv").toStdString();
  rig.editor.ReadBtnClick();
  EXPECT_EQ(rig.editor.buttons, Buttons(true));
  // Send One and Send All do nothing without a port, Edit hands over the selected memory.
  rig.editor.SelectLine(4);
  EXPECT_EQ(rig.editor.EditBtnClick(), 4);
  EXPECT_EQ(rig.editor.current, rig.editor.records[4]);
  rig.host.Clear();
  rig.editor.SendOneBtnClick();
  rig.editor.SendBtnClick();
  EXPECT_TRUE(rig.Log().empty());
}

}  // namespace
