// The result sheet: paging, the equipment text, the logo, and the printed report read back from
// a PDF.
#include <QComboBox>
#include <algorithm>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QFile>
#include <QPageSize>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "AppServices.h"
#include "Datalogsheetdlg.h"
#include "LoggerFixture.h"
#include "LogoImage.h"
#include "PrintToFileChecks.h"
#include "Registry.h"

namespace {

// A download of `memories` x `tps` with cells "m<k>t<j>" of the ordinals.
std::shared_ptr<cv::logger::TLoggerDownload> MakeDownload(int memories, int tps, bool timeColumns) {
  auto d = std::make_shared<cv::logger::TLoggerDownload>();
  d->timeColumns = timeColumns;
  for (int k = 0; k < memories; ++k) {
    d->wantedMemories.push_back(k);
    cv::logger::TLoggerMemory m;
    m.number = static_cast<uint8_t>(k + 1);
    std::snprintf(m.name, sizeof m.name, "N%03u", static_cast<unsigned>(k + 1) % 1000u);
    m.band = k % 2 ? 'S' : 'T';
    m.frequency = k % 2 ? 1200.0f + k : 175.25f + k;
    m.measure = k % 2 ? 4 : 0;
    m.units = k % 2 ? 5 : 0;
    d->memories.push_back(m);
  }
  for (int j = 0; j < tps; ++j) {
    d->wantedTPs.push_back(j);
    d->timeStamps.push_back(timeColumns ? "10:" + std::to_string(10 + j % 50) + ":00,03/04/05" : "");
  }
  d->cells.assign(memories, std::vector<std::string>(tps));
  for (int k = 0; k < memories; ++k)
    for (int j = 0; j < tps; ++j) d->cells[k][j] = "m" + std::to_string(k + 1) + "t" + std::to_string(j + 1);
  return d;
}

}  // namespace

class LoggerSheet : public LoggerSim {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(LoggerSim::SetUp());
    cv::SetRegistryFile(start.Path("registry.ini"));
  }
  void TearDown() override {
    sheet.reset();
    cv::SetRegistryFile("");
    LoggerSim::TearDown();
  }
  TDataLoggerSheetDlg& Open(int memories, int tps, bool timeColumns = true) {
    dlg->Logger().download = MakeDownload(memories, tps, timeColumns);
    sheet = std::make_unique<TDataLoggerSheetDlg>(dlg.get(), equip.get());
    grid = sheet->findChild<QTableWidget*>("StringGrid");
    return *sheet;
  }
  QString Cell(int row, int column) const { return grid->item(row, column)->text(); }
  void Press(const char* button) { sheet->findChild<QToolButton*>(button)->click(); }

  std::unique_ptr<TDataLoggerSheetDlg> sheet;
  QTableWidget* grid = nullptr;
};

TEST_F(LoggerSheet, FiveMemoriesByThreeTestPointsFillTheirCellsAndNothingMoves) {
  Open(5, 3);
  EXPECT_EQ(grid->rowCount(), 23);
  EXPECT_EQ(grid->columnCount(), 11);
  EXPECT_EQ(grid->columnWidth(1), 100);
  EXPECT_EQ((QStringList{Cell(0, 1), Cell(1, 1), Cell(2, 1), Cell(3, 1), Cell(4, 1)}),
            (QStringList{"NUM:", "NAME:", "BAND:", "FREQ:", "LEVEL:"}));
  EXPECT_EQ((QStringList{Cell(0, 2), Cell(1, 2), Cell(2, 2), Cell(3, 2), Cell(4, 2)}),
            (QStringList{"1", "N001", "TER", "175.25", "LEVEL(dBuV)"}));
  EXPECT_EQ(Cell(2, 3), "SAT");
  EXPECT_EQ(Cell(4, 3), "BER(QPSK)");
  EXPECT_EQ(Cell(5, 0), "TP1");
  EXPECT_EQ(Cell(5, 1), "10:10:00,03/04/05");
  for (int r = 5; r < 23; ++r)
    for (int c = 2; c < 11; ++c) {
      const bool filled = r <= 7 && c <= 6;
      EXPECT_EQ(Cell(r, c).isEmpty(), !filled) << r << "," << c;
      if (filled) {
        EXPECT_EQ(Cell(r, c), QString("m%1t%2").arg(c - 1).arg(r - 4));
      }
    }
  for (const char* b : {"RightOneBtn", "RightPageBtn", "DownOneBtn", "DownPageBtn", "LeftOneBtn", "UpOneBtn"}) {
    Press(b);
    EXPECT_EQ(sheet->FirstMemory(), 1) << b;
    EXPECT_EQ(sheet->FirstTP(), 1) << b;
  }
}

TEST_F(LoggerSheet, PagingRules) {
  struct Row {
    const char* name;
    int memories, tps;
    int startMemory, startTP;  // reached with Right One / Down One first
    const char* button;
    int presses;
    int memory, tp;
  } rows[] = {
      {"Right One stops at 12", 20, 3, 1, 1, "RightOneBtn", 15, 12, 1},
      {"Right Page 1 to 10", 20, 3, 1, 1, "RightPageBtn", 1, 10, 1},
      {"Right Page 10 to 19, no further", 20, 3, 1, 1, "RightPageBtn", 3, 19, 1},
      {"Left Page from 5 to 1", 20, 3, 5, 1, "LeftPageBtn", 1, 1, 1},
      {"Left Page from 12 to 3", 20, 3, 12, 1, "LeftPageBtn", 1, 3, 1},
      {"Left One stops at 1", 20, 3, 3, 1, "LeftOneBtn", 5, 1, 1},
      {"Down One stops at T - 17", 40, 40, 1, 1, "DownOneBtn", 30, 1, 23},
      {"Down Page 1 to 19 to 37", 40, 40, 1, 1, "DownPageBtn", 3, 1, 37},
      {"Up Page from 5 to 1", 40, 40, 1, 5, "UpPageBtn", 1, 1, 1},
      {"Up One stops at 1", 40, 40, 1, 3, "UpOneBtn", 4, 1, 1},
  };
  for (const Row& r : rows) {
    Open(r.memories, r.tps);
    for (int i = 1; i < r.startMemory; ++i) Press("RightOneBtn");
    for (int i = 1; i < r.startTP; ++i) Press("DownOneBtn");
    ASSERT_EQ(sheet->FirstMemory(), r.startMemory) << r.name;
    ASSERT_EQ(sheet->FirstTP(), r.startTP) << r.name;
    for (int i = 0; i < r.presses; ++i) Press(r.button);
    EXPECT_EQ(sheet->FirstMemory(), r.memory) << r.name;
    EXPECT_EQ(sheet->FirstTP(), r.tp) << r.name;
    EXPECT_EQ(Cell(0, 2), QString::number(r.memory)) << r.name;
    EXPECT_EQ(Cell(5, 0), QString("TP%1").arg(r.tp)) << r.name;
    EXPECT_EQ(Cell(5, 2), QString("m%1t%2").arg(r.memory).arg(r.tp)) << r.name;
  }
}

TEST_F(LoggerSheet, EquipmentTextTakesVersionAndSerial) {
  Profile([](cvsim::Corvane3Profile& p) {
    p.version = "v2.45";
    p.On("*?I20A01000009", [](const std::string&) { return cvsim::Answer::Reply("*I2414243FF4445"); });
  });
  sim->ClearTraffic();
  Open(2, 2);
  EXPECT_EQ(sheet->findChild<QLabel*>("InfoEquipLabel")->text(), " V2.45. Serial: ABC");
  // The sheet's own lines, in order (the equipment's wake line may be logged late under load).
  std::vector<std::string> lines = sim->Lines();
  lines.erase(std::remove(lines.begin(), lines.end(), "*"), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"*?VE", "*7205&", "*?I20A01000009"}));
  // From the simulator's register store, and with an instrument that does not answer.
  Profile([](cvsim::Corvane3Profile& p) { p.Remove("*?I20A01000009"); });
  Open(2, 2);
  EXPECT_EQ(sheet->findChild<QLabel*>("InfoEquipLabel")->text(), " V2.45. Serial: CV3-0427");
  sim->SetFaults({.silent = true});
  Open(2, 2);
  EXPECT_EQ(sheet->findChild<QLabel*>("InfoEquipLabel")->text(), ". Serial: ");
}

TEST_F(LoggerSheet, LogoPathFromTheRegistry) {
  const QString png = start.filePath("logo.png");
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(png));
  {
    auto key = cv::RegKey::Open(kDataLoggerKey, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->WriteString("Other", "kept"));
    ASSERT_TRUE(key->WriteString("Logo", start.Path("gone.png")));
  }
  Open(2, 2);
  auto* logo = sheet->findChild<TLogoImage*>("LogoImage");
  EXPECT_TRUE(logo->Picture().isNull()) << "a stored path that no longer exists leaves the empty logo";
  EXPECT_TRUE(prompter.shown.empty());

  sheet->chooseLogoFile = [&]() { return png; };
  sheet->InsertLogoClick();
  EXPECT_FALSE(logo->Picture().isNull());
  EXPECT_EQ(TDataLoggerSheetDlg::ReadLogoPath(), png.toStdString());
  std::string other;
  cv::RegKey::Open(kDataLoggerKey, false)->ReadString("Other", other);
  EXPECT_EQ(other, "kept");
  Open(2, 2);
  EXPECT_EQ(sheet->findChild<TLogoImage*>("LogoImage")->Picture().size(), QSize(40, 20));

  // A store that cannot be written: the box, and the logo for this sheet only.
  cv::SetRegistryFile(start.Path("logo.png/registry.ini"));
  const QString other2 = start.filePath("logo2.png");
  picture.save(other2);
  sheet->chooseLogoFile = [&]() { return other2; };
  sheet->InsertLogoClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Unable to save data to the Registry");
  EXPECT_FALSE(sheet->findChild<TLogoImage*>("LogoImage")->Picture().isNull());
  cv::SetRegistryFile(start.Path("registry.ini"));
  EXPECT_EQ(TDataLoggerSheetDlg::ReadLogoPath(), png.toStdString());
}

TEST_F(LoggerSheet, PrintAllCaptionFollowsLayoutPrinterAndFont) {
  Open(20, 40, false);
  auto* print = sheet->findChild<QPushButton*>("PrintAllBtn");
  auto* layout = sheet->findChild<QComboBox*>("LayoutCombo");
  auto* font = sheet->findChild<QPushButton*>("FontBtn");
  EXPECT_EQ(layout->count(), 2);
  EXPECT_EQ(layout->itemText(0), "Print TP in rows");
  EXPECT_EQ(font->text(), "Arial 8");
  QPrinter& p = sheet->Printer();
  p.setResolution(300);
  p.setPageSize(QPageSize(QPageSize::A4));
  p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  sheet->showPrinterSetup = [](QPrinter&) { return true; };
  sheet->PrintSetupBtnClick();
  const int rows = sheet->Metrics().PageCount();
  EXPECT_EQ(print->text(), QString("Print All (%1 pages)").arg(rows));
  EXPECT_TRUE(print->isEnabled());
  layout->setCurrentIndex(1);
  sheet->LayoutComboChange();
  EXPECT_NE(sheet->Metrics().PageCount(), rows);
  EXPECT_EQ(print->text(), QString("Print All (%1 pages)").arg(sheet->Metrics().PageCount()));

  sheet->chooseFont = [](const QFont&) {
    QFont f("Times New Roman");
    f.setPointSize(16);
    return std::optional<QFont>(f);
  };
  const int before = sheet->Metrics().PageCount();
  sheet->FontBtnClick();
  EXPECT_EQ(font->text(), "Times New 16");
  EXPECT_GT(sheet->Metrics().PageCount(), before);

  p.setPageSize(QPageSize(QSizeF(60, 60), QPageSize::Millimeter));
  sheet->PrintSetupBtnClick();
  EXPECT_EQ(print->text(), "Print All (?? pages)");
  EXPECT_FALSE(print->isEnabled());
}

namespace {

QString PdfText(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(pdftotext.waitForFinished(20000));
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

}  // namespace

// 20 memories by 40 test points on a page that holds 9 across and 35 down: 6 pages, each
// test-point page first with its three memory pages.
TEST_F(LoggerSheet, PrintsBothLayoutsToPdf) {
  struct Row {
    int layout;
    const char* name;
  } rows[] = {{0, "rows"}, {1, "columns"}};
  for (const Row& r : rows) {
    Open(20, 40, true);
    sheet->findChild<QLineEdit*>("IdentificationEdit")->setText("Job 17");
    sheet->findChild<QLineEdit*>("ClientEdit")->setText("ACME");
    QPrinter& p = sheet->Printer();
    p.setResolution(300);
    p.setFullPage(false);
    p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // 744 x 593 points: at 300 dpi and Arial 8, 9 memories across and 35 test points down.
    p.setPageSize(QPageSize(QSizeF(744, 593), QPageSize::Point, "logger", QPageSize::ExactMatch));
    sheet->findChild<QComboBox*>("LayoutCombo")->setCurrentIndex(r.layout);
    const cv::logger::TLoggerPrintMetrics m = sheet->Metrics();
    if (r.layout == 0) {
      EXPECT_EQ(m.ColumnsPerPage(), 9);
      EXPECT_EQ(m.RowsPerPage(), 35);
      EXPECT_EQ(m.PageCount(), 6);
    }
    const QString pdf = start.filePath(QString("%1.pdf").arg(r.name));
    sheet->confirmPrint = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    sheet->PrintAllBtnClick();
    const QString text = PdfText(pdf);
    const int pages = m.PageCount();
    ASSERT_GT(pages, 1) << r.name;
    EXPECT_EQ(text.count('\f'), pages) << r.name;
    const QStringList pageTexts = text.split('\f');
    for (int i = 0; i < pages; ++i) {
      const QString& page = pageTexts[i];
      EXPECT_TRUE(page.contains(QString("Page %1 / %2").arg(i + 1).arg(pages))) << r.name << " page " << i + 1;
      EXPECT_TRUE(page.contains("DATALOGGER generated by CvTools")) << r.name;
      EXPECT_TRUE(page.contains("IDENTIFICATION:") && page.contains("Job 17")) << r.name;
      EXPECT_TRUE(page.contains("CLIENT:") && page.contains("ACME")) << r.name;
      EXPECT_TRUE(page.contains("Serial:")) << r.name;
      EXPECT_TRUE(page.contains("NUM:") && page.contains("LEVEL:")) << r.name;
    }
    // Which cells each page holds, in the order the pages come.
    int page = 0;
    auto check = [&](int tpPage, int memoryPage) {
      const int t0 = tpPage * m.RowsPerPage(), m0 = memoryPage * m.ColumnsPerPage();
      const QString& t = pageTexts[page++];
      const QString first = QString("m%1t%2").arg(m0 + 1).arg(t0 + 1);
      const QString last = QString("m%1t%2").arg(m0 + m.ColumnsOnPage(memoryPage)).arg(t0 + m.RowsOnPage(tpPage));
      EXPECT_TRUE(t.contains(first) && t.contains(last)) << r.name << " page " << page << ": " << first.toStdString();
      EXPECT_LT(t.indexOf(first), t.indexOf(last)) << r.name << " page " << page;
      EXPECT_FALSE(t.contains(QString("m%1t%2 ").arg(m0 + m.ColumnsOnPage(memoryPage) + 1).arg(t0 + 1)))
          << r.name << " page " << page;
      EXPECT_TRUE(t.contains(QString("TP%1").arg(t0 + 1))) << r.name << " page " << page;
      EXPECT_TRUE(t.contains(QString("N%1").arg(m0 + 1, 3, 10, QChar('0')))) << r.name << " page " << page;
    };
    if (r.layout == 0) {
      for (int i = 0; i < m.RowPageCount(); ++i)
        for (int j = 0; j < m.ColumnPageCount(); ++j) check(i, j);
    } else {
      for (int j = 0; j < m.ColumnPageCount(); ++j)
        for (int i = 0; i < m.RowPageCount(); ++i) check(i, j);
    }
    EXPECT_TRUE(sheet->findChild<QPushButton*>("SaveBtn")->isEnabled());
  }
}

TEST_F(LoggerSheet, APrintToAFileThatCannotBeWrittenSaysSo) {
  Open(5, 3);
  QString pdf;
  sheet->confirmPrint = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  cv::RecordingPrompter prompter;
  QTemporaryDir folder;
  cvtest::ExpectFailedPrintsToFileKeepTheOldFile(
      folder.path(),
      [&](const QString& file) {
        pdf = file;
        sheet->PrintAllBtnClick();
        EXPECT_TRUE(sheet->findChild<QPushButton*>("PrintAllBtn")->isEnabled());
      },
      [&] {
        QStringList shown;
        for (const auto& box : prompter.shown) shown << box.text;
        prompter.shown.clear();
        return shown;
      });
}

TEST_F(LoggerSheet, CancelledPrintPrintsNothingAndSaveAddsTheReport) {
  Open(3, 2);
  sheet->confirmPrint = [](QPrinter&) { return false; };
  sheet->PrintAllBtnClick();
  EXPECT_TRUE(sheet->findChild<QPushButton*>("PrintAllBtn")->isEnabled());
  EXPECT_TRUE(sheet->findChild<QPushButton*>("SaveBtn")->isEnabled());

  sheet->findChild<QLineEdit*>("IdentificationEdit")->setText("Job 17");
  sheet->findChild<QLineEdit*>("CommentsEdit")->setText("roof");
  const QString path = start.filePath("report.csv");
  sheet->chooseSaveFile = [&]() { return path; };
  sheet->SaveBtnClick();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(f.readAll()).split('\n');
  ASSERT_GE(lines.size(), 10);
  EXPECT_EQ(lines[1], "## ID: Job 17");
  EXPECT_EQ(lines[2], "## Client: ");
  EXPECT_EQ(lines[3], "## Equipment: " + sheet->findChild<QLabel*>("InfoEquipLabel")->text());
  EXPECT_EQ(lines[4], "## Obs: roof");
  EXPECT_TRUE(lines[5].startsWith(" ; ;Num:; 1; 2; 3;"));
}
