#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <sstream>

#include "AppServices.h"
#include "CsvTable.h"
#include "Csvview.h"
#include "IniFile.h"
#include "ModalHelper.h"
#include "Separators.h"

namespace {

cv::CsvTable Read(const std::string& text, char sep = ',') {
  std::istringstream in(text);
  return cv::ReadCsvTable(in, sep);
}

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvTable, SplitsLinesAndFields) {
  struct Case {
    const char* name;
    std::string text;
    char sep;
    Rows rows;
  } cases[] = {
      {"comma", "a,b,c\n1,2\n", ',', {{"a", "b", "c"}, {"1", "2"}}},
      {"CRLF", "a;b\r\nc;d\r\n", ';', {{"a", "b"}, {"c", "d"}}},
      {"no final break", "a,b\nc", ',', {{"a", "b"}, {"c"}}},
      {"consecutive separators", "first,,second\n,lead,\n", ',', {{"first", "second"}, {"lead"}}},
      {"foreign separator", "1;2;3\n", ',', {{"1;2;3"}}},
      {"empty lines stay rows", "a\n\n\nb\n", ',', {{"a"}, {}, {}, {"b"}}},
      {"blanks are kept", " a , b \n", ',', {{" a ", " b "}}},
      {"Windows-1252 bytes", "caf\xe9,\x80\n", ',', {{"caf\xe9", "\x80"}}},
      {"quoted separator and quote", "\"A;B;\";\"say \"\"hi\"\"\";x\n", ';', {{"A;B;", "say \"hi\"", "x"}}},
      {"quoted line break", "\"a\r\nb\",c\nd\n", ',', {{"a\nb", "c"}, {"d"}}},
      {"quoted empty cell keeps its place", "a,\"\",b\n", ',', {{"a", "", "b"}}},
      {"quote inside a cell is text", "ab\"c,d\n", ',', {{"ab\"c", "d"}}},
  };
  for (const Case& c : cases) {
    cv::CsvTable t = Read(c.text, c.sep);
    EXPECT_EQ(t.rows, c.rows) << c.name;
    EXPECT_FALSE(t.tooLarge) << c.name;
  }
}

TEST(CsvTable, LongLinesAreReadInPieces) {
  cv::CsvTable t = Read(std::string(5000, 'x') + "\r\nend\r\n");
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.rows[0][0].size(), 2999u);
  EXPECT_EQ(t.rows[1][0].size(), 2001u);
  EXPECT_EQ(t.rows[2][0], "end");
  // A line exactly one piece long makes no empty row of its own.
  t = Read(std::string(2999, 'y') + "\nnext\n");
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.rows[1][0], "next");
}

TEST(CsvTable, StrayQuoteHoldsAtMostOnePieceOfLines) {
  std::string text = "\"open";
  for (int i = 0; i < 2000; ++i) text += "\nline" + std::to_string(i);
  cv::CsvTable t = Read(text + "\n");
  ASSERT_GT(t.rows.size(), 1u);
  EXPECT_LE(t.rows[0][0].size(), 2999u + 20u);
}

TEST(CsvTable, RowAndColumnLimits) {
  std::string text;
  for (int i = 0; i < 256; ++i) text += std::to_string(i) + "\n";
  cv::CsvTable exact = Read(text);
  EXPECT_EQ(exact.rows.size(), 256u);
  EXPECT_FALSE(exact.tooLarge);
  cv::CsvTable over = Read(text + "256\n257\n");
  EXPECT_EQ(over.rows.size(), 256u);
  EXPECT_EQ(over.rows.back()[0], "255");
  EXPECT_TRUE(over.tooLarge);

  std::string wide;
  for (int i = 0; i < 300; ++i) wide += std::to_string(i) + ",";
  cv::CsvTable cut = Read("a,b\n" + wide + "\nlast\n");
  ASSERT_EQ(cut.rows.size(), 3u);
  EXPECT_EQ(cut.rows[1].size(), 256u);
  EXPECT_EQ(cut.rows[1].back(), "255");
  EXPECT_EQ(cut.rows[2][0], "last");  // reading goes on after a cut line
  EXPECT_EQ(cut.columns, 256);
  EXPECT_TRUE(cut.tooLarge);
}

// Counts what the reader takes from a stream that never ends.
class EndlessLines : public std::streambuf {
 public:
  size_t served = 0;

 protected:
  int_type underflow() override {
    static const char line[] = "12.5,-40.1,text\n";
    setg(const_cast<char*>(line), const_cast<char*>(line), const_cast<char*>(line) + sizeof line - 1);
    served += sizeof line - 1;
    return traits_type::to_int_type(line[0]);
  }
};

TEST(CsvTable, StopsReadingAtTheRowLimit) {
  EndlessLines source;
  std::istream in(&source);
  cv::CsvTable t = cv::ReadCsvTable(in, ',');
  EXPECT_EQ(t.rows.size(), 256u);
  EXPECT_TRUE(t.tooLarge);
  EXPECT_LT(source.served, 300u * 16);
}

class CsvViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile("CvTools.INI", "[Intl]\nsList=,\nsDecimal=.\n");
    cv::SetHostIniPath(dir.filePath("CvTools.INI").toStdString());
    cv::ReloadSeparators();
    LogMemo = new QPlainTextEdit(&mainForm);
    LogMemo->setObjectName("LogMemo");
  }
  void TearDown() override {
    cv::SetHostIniPath("");
    cv::ReloadSeparators();
  }
  QString WriteFile(const char* name, const QByteArray& content) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  }
  QStringList Log() const { return LogMemo->toPlainText().split('\n', Qt::SkipEmptyParts); }
  static QString Cell(TCSVViewer& v, int row, int col) {
    QTableWidgetItem* item = v.StringGrid->item(row, col);
    return item ? item->text() : QString();
  }

  QTemporaryDir dir;
  QWidget mainForm;
  QPlainTextEdit* LogMemo = nullptr;
  cv::RecordingPrompter prompter;
};

TEST_F(CsvViewerTest, StartsEmptyWithTheUsersSeparator) {
  TCSVViewer v(&mainForm);
  EXPECT_EQ(v.windowTitle(), QStringLiteral("CSV Viewer"));
  EXPECT_EQ(v.StringGrid->rowCount(), 25);
  EXPECT_EQ(v.StringGrid->columnCount(), 25);
  EXPECT_EQ(v.listSeparator, ',');
  EXPECT_TRUE(v.ShowEdit->isReadOnly());
}

TEST_F(CsvViewerTest, SemicolonFileOnACommaSystemShowsWholeLines) {
  TCSVViewer v(&mainForm);
  QString file = WriteFile("semi.csv", "Freq;Level\r\n474.0;55.2\r\n");
  v.LoadFile(file);
  EXPECT_EQ(Log(), QStringList{file + " opened"});
  EXPECT_EQ(v.StringGrid->rowCount(), 3);
  EXPECT_EQ(v.StringGrid->columnCount(), 3);
  EXPECT_EQ(Cell(v, 0, 0), "Freq;Level");
  EXPECT_EQ(Cell(v, 1, 0), "474.0;55.2");
  EXPECT_EQ(Cell(v, 1, 1), "");
  v.StringGridSelectCell(0, 1);
  EXPECT_EQ(v.ShowEdit->text(), "474.0;55.2");
}

TEST_F(CsvViewerTest, SecondFileReplacesTheFirst) {
  TCSVViewer v(&mainForm);
  QByteArray wide;
  for (int i = 0; i < 6; ++i) wide += "c" + QByteArray::number(i) + ",";
  v.LoadFile(WriteFile("wide.csv", wide + "\n1\n2\n3\n4\n5\n"));
  EXPECT_EQ(v.StringGrid->columnCount(), 6);
  EXPECT_EQ(v.StringGrid->rowCount(), 6);
  v.LoadFile(WriteFile("small.csv", "x,,y\n"));
  EXPECT_EQ(v.StringGrid->rowCount(), 3);
  EXPECT_EQ(v.StringGrid->columnCount(), 3);
  EXPECT_EQ(Cell(v, 0, 0), "x");
  EXPECT_EQ(Cell(v, 0, 1), "y");
  EXPECT_EQ(Cell(v, 0, 2), "");
  EXPECT_EQ(Cell(v, 1, 0), "");
}

TEST_F(CsvViewerTest, MissingFileOnlyLogsAndKeepsTheGrid) {
  TCSVViewer v(&mainForm);
  v.LoadFile(WriteFile("ok.csv", "keep,me\n"));
  QString missing = dir.filePath("nothere.csv");
  v.LoadFile(missing);
  EXPECT_EQ(Log().back(), "Couldn't open CSV file " + missing);
  EXPECT_EQ(Cell(v, 0, 1), "me");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CsvViewerTest, HugeFileShowsItsFirst256RowsAndSaysSo) {
  QString file = dir.filePath("huge.csv");
  {
    std::ofstream out(file.toStdString(), std::ios::binary);
    for (int i = 0; i < 1000; ++i) out << i << ",474.00,55.2,-3.1\r\n";
  }
  // The rest of the 300 MB is a hole: writing it would only slow the test down.
  QFile(file).resize(300LL * 1024 * 1024);
  TCSVViewer v(&mainForm);
  v.LoadFile(file);
  EXPECT_EQ(v.StringGrid->rowCount(), 256);
  EXPECT_EQ(v.StringGrid->columnCount(), 4);
  EXPECT_EQ(Cell(v, 0, 0), "0");
  EXPECT_EQ(Cell(v, 255, 0), "255");
  EXPECT_EQ(Cell(v, 255, 3), "-3.1");
  EXPECT_EQ(Log(), (QStringList{file + " opened", "Couldn't load all the table due to its size"}));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("CvTools"));
  EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Couldn't load all the table due to its size"));
}

TEST_F(CsvViewerTest, OpenButtonLoadsTheChosenFile) {
  TCSVViewer v(&mainForm);
  QString file = WriteFile("pick.csv", "a,b\n");
  cvtest::PickFile(file);
  v.OpenBtn->click();
  EXPECT_EQ(Cell(v, 0, 1), "b");
  EXPECT_TRUE(v.OpenBtn->isEnabled());
}

}  // namespace
