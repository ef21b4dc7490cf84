// The SKY certificate from the analyser to the PDF through the program's own forms: a terrestrial
// and a satellite data-logger file listed and received over a pseudo-terminal, report kind 3
// chosen, View opening the SKY sheet, the rows, types, services, flat numbers and offsets given
// in its widgets, the certificate command with the information dialog and the save dialog
// answered, then the HTML and the PDF checked by outside tools and the received files found
// unchanged.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <map>

#include "AskMultiInfoDlg.h"
#include "DataLoggerDlg.h"
#include "DataLoggerSheetDlg_Sky.h"
#include "FileDialogs.h"
#include "IniFile.h"
#include "ModalHelper.h"
#include "OutsideTools.h"
#include "RecordingOpener.h"
#include "Registry.h"
#include "ReportInfoModel.h"
#include "Xr9DlFixture.h"
#include "Xr9HostFiles.h"
#include "Xr9Sim.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

constexpr uint8_t kAnalog = 3, kDvbT = 0, kDvbS = 2;

constexpr const char* kIni =
    "[DLAvailableReports]\nCount=2\nReport0=(05) Measurement report\nReport1=(03) SKY certificate\n"
    "[DLCVTOOLS]\npagebreaking=P.breakhere {page-break-before: always}\n"
    "[DLReportSKYTER]\n"
    "tdStyle=td { font-family: Arial, Helvetica, sans-serif; font-size: 7pt; text-align: center }\n"
    "tdFreq=td.freq { font-size: 6pt; color: #404040 }\n"
    "tableStyle=table { border-collapse: collapse }\n"
    "cellBG1=td.shadowBG1 { background-color: #c0c0c0; font-weight: bold }\n"
    "cellBG2=td.shadowBG2 { background-color: #e8e8e8 }\n"
    "cellEmphas=td.shadowEmphas { background-color: #ffff00; color: #ff0000; font-weight: bold }\n"
    "tableAtt=border=\"1\" cellspacing=\"0\" cellpadding=\"1\" width=\"100%\"\n"
    "Title=SKY DIGITAL INSTALLATION CERTIFICATE\n"
    "tableHead1=SIGNAL LEVELS\ntableHead2=TERRESTRIAL\ntableHead11=OFF AIR\ntableHead12=LAUNCH\n"
    "tableHead16=OUTLETS\ntableHead17=Flat\n"
    "tableService1=A1\ntableService7=DAB\ntableService8=Mux 1\ntableService14=LOW BAND\n"
    "tableService15=HIGH BAND\n";

// Terrestrial, its points out of order (Launch, Off Air, two flats): BBC1 analogue, MUX1 and DAB
// digital. MUX1's POWER at the second flat (40.1 dBuV) lies below its window.
img::DataLog TerFile() {
  img::DataLog d;
  d.plan.type = 7;
  d.plan.channels = {xr9test::DlChan("BBC1", 175250, {{2, kAnalog}}), xr9test::DlChan("MUX1", 474000, {{2, kDvbT}}),
                     xr9test::DlChan("DAB", 482000, {{2, kDvbT}})};
  d.channels = {{{MeasLevel, MeasCnAuto}}, {{MeasPower, MeasCnAuto, MeasVber}}, {{MeasPower, MeasCnAuto, MeasVber}}};
  const std::pair<const char*, int> points[] = {{"LN", 1}, {"OA", 0}, {"F1", 2}, {"F2", 3}};  // name, role row
  for (const auto& [name, row] : points) {
    img::DlTestPoint tp{name, 1, {}};
    tp.values = {img::MeasValue(0, 650 + row), img::MeasValue(0, 300),
                 img::MeasValue(0, row == 3 ? 401 : 530 + row), img::MeasValue(0, 300), img::BerValue(0, 20, -6),
                 img::MeasValue(0, 540 + row), img::MeasValue(0, 310), img::BerValue(0, 30, -7)};
    d.testPoints.push_back(tp);
  }
  return d;
}

// Satellite: S1 on the low band, S2 on the high band; S2's POWER at the first flat (48.1 dBuV)
// lies below its window.
img::DataLog SatFile() {
  img::DataLog d;
  d.plan.type = 5;
  d.plan.channels = {xr9test::DlChan("S1", 10744000, {{2, kDvbS}}), xr9test::DlChan("S2", 11778000, {{2, kDvbS}})};
  d.channels = {{{MeasPower, MeasCnAuto, MeasVber}, 1, 9750000u}, {{MeasPower, MeasCnAuto, MeasVber}, 3, 10600000u}};
  const char* names[] = {"SOA", "SLN", "SF1", "SF2"};
  for (int row = 0; row < 4; ++row) {
    img::DlTestPoint tp{names[row], 1, {}};
    tp.values = {img::MeasValue(0, 600 + row), img::MeasValue(0, 120), img::BerValue(0, 40, -8),
                 img::MeasValue(0, row == 2 ? 481 : 620 + row), img::MeasValue(0, 130), img::BerValue(0, 50, -8)};
    d.testPoints.push_back(tp);
  }
  return d;
}

// Every measurement of every loaded file: value and mark by slot, channel and index.
using Values = std::map<std::tuple<int, size_t, size_t>, std::pair<uint32_t, uint8_t>>;
Values Snapshot(DataLoggerCtl& ctl, bool withMarks) {
  Values out;
  for (int slot = 0; slot < DataLogSlots; ++slot) {
    TDataLogFile& f = ctl.store.File(slot);
    if (!f.testPoints) continue;
    for (size_t c = 0; c < f.channels.size(); ++c)
      for (size_t i = 0; i < f.channels[c].values.size(); ++i)
        out[{slot, c, i}] = {f.channels[c].values[i].value, withMarks ? f.channels[c].values[i].mark : uint8_t(0)};
  }
  return out;
}

const QString kInfo[12] = {"Crystal Palace", "Mendip & <Wenvoe>", "Sandy Heath", "Wrotham",  "Croydon", "28.2E",
                           "Astra Two",      "J. Smith",          "Harbour View 4", "10/12/2026", "A. Jones", "Sky UK"};

class SkyEndToEnd : public Xr9Sim {
 protected:
  void SetUp() override {
    Xr9Sim::SetUp();
    ASSERT_NO_FATAL_FAILURE(xr9test::UseHostFiles(dir, kIni));
    ASSERT_TRUE(QDir(dir.path()).mkdir("received"));
    Analyser([](cvsim::Xr9Profile& p) {
      p.PutFile(10, "TERR", xr9test::DlBytes(TerFile()));
      p.PutFile(10, "SAT", xr9test::DlBytes(SatFile()));
    });
    OpenLink();
  }
  void TearDown() override { xr9test::ForgetHostFiles(); }
  template <class T>
  static T* Get(QWidget* w, const QString& name) {
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    return c;
  }
  static void Pick(QWidget* w, const QString& name, int item) {
    auto* combo = Get<QComboBox>(w, name);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(item);
    emit combo->activated(item);
  }
  static void Type(QWidget* w, const QString& name, const QString& text) {
    auto* edit = Get<QLineEdit>(w, name);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->setText(text);
    // The user leaves the field with Tab.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
  }
  // Drags grid row `from` by its handle onto grid row `to` (both 1-based, as the sheet counts).
  static void Drag(QTableView* grid, int from, int to) {
    QHeaderView* handles = grid->verticalHeader();
    auto centre = [&](int r) { return QPoint(5, handles->sectionViewportPosition(r) + handles->sectionSize(r) / 2); };
    QTest::mousePress(handles->viewport(), Qt::LeftButton, {}, centre(from - 1));
    QTest::mouseMove(handles->viewport(), centre(to - 1));
    QTest::mouseRelease(handles->viewport(), Qt::LeftButton, {}, centre(to - 1));
  }
  QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  QTemporaryDir dir;
  cv::RecordingFileChooser chooser;
  RecordingOpener opener;
};

}  // namespace

TEST_F(SkyEndToEnd, TwoReceivedFilesBecomeAOnePageLandscapeCertificate) {
  TDataLoggerDlg d(&host.form, *equip);
  ASSERT_TRUE(d.LoadSettings());
  d.findChild<QLineEdit*>("NameFolderEdit")->setText(dir.filePath("received"));
  d.findChild<QPushButton*>("ListAllBtn")->click();
  auto* list = d.findChild<QListWidget*>("FilesCheckList");
  ASSERT_EQ(list->count(), 2);
  for (int i = 0; i < 2; ++i) list->item(i)->setCheckState(Qt::Checked);
  d.findChild<QPushButton*>("ReceiveFileBtn")->click();
  ASSERT_TRUE(QFile::exists(dir.filePath("received/TERR.DL")));
  ASSERT_TRUE(QFile::exists(dir.filePath("received/SAT.DL")));
  auto* reports = d.findChild<QCheckBox*>("EnableReportsCheckBox");
  if (!reports->isChecked()) reports->click();
  auto* kinds = d.findChild<QComboBox*>("ReportsComboBox");
  ASSERT_NE(kinds, nullptr);
  ASSERT_EQ(kinds->count(), 2);
  kinds->setCurrentIndex(1);
  emit kinds->activated(1);
  ASSERT_EQ(d.CurrentReportKind(), 3);
  DataLoggerCtl& ctl = d.Ctl();
  const Values received = Snapshot(ctl, false);
  ASSERT_FALSE(received.empty());

  const QString pdf = dir.filePath("sky.pdf"), htm = dir.filePath("sky.htm");
  chooser.saveAnswers = {pdf};
  prompter.shown.clear();
  prompter.answers = {cv::MsgAnswer::Yes};  // services left unassigned: go on
  bool ran = false;
  Values shown;
  QTimer::singleShot(0, &d, [&] {
    auto* sheet = dynamic_cast<TDataLoggerSheetDlg_Sky*>(d.findChild<QDialog*>("TDataLoggerSheetDlg_Sky"));
    if (!sheet) return;
    ran = true;
    EXPECT_EQ(sheet->windowTitle(), "DataLogger Viewer for SKY");
    auto* terGrid = Get<QTableView>(sheet, "MeasTerStringGrid");
    // Rows ordered: the Off Air point dragged by its handle to the top.
    Drag(terGrid, 2, 1);
    EXPECT_EQ(sheet->Sheet().TestPointAtRow(0, 0), 1);
    EXPECT_EQ(sheet->Sheet().TestPointAtRow(0, 1), 0);
    // Types for the rows of both files: Off Air, Launch, two flats.
    const int types[] = {1, 2, 0, 0};
    for (int r = 0; r < 4; ++r) Pick(sheet, QString("PM%1AttComboBox").arg(r), types[r]);
    // Services: BBC1 A1, MUX1 Mux 1, DAB DAB.
    Pick(sheet, "ServiceTer0ComboBox", 1);
    Pick(sheet, "ServiceTer1ComboBox", 8);
    Pick(sheet, "ServiceTer2ComboBox", 7);
    // Flat numbers typed in the terrestrial column (its "These." box ticked).
    auto* flats = Get<QTableWidget>(sheet, "TPHeaderTerStringGrid");
    flats->item(2, 0)->setText("12A");
    flats->item(3, 0)->setText("14B");
    // Offsets: 3.0 dB on the terrestrial Off Air values, 1.0 dB on the satellite Launch ones.
    Type(sheet, "OffsetOffAirTerEdit", "3");
    Type(sheet, "OffsetLaunchSatEdit", "1.0");
    QApplication::processEvents();
    shown = Snapshot(ctl, true);
    int marked = 0;
    for (const auto& [at, value] : shown) marked += value.second;
    EXPECT_EQ(marked, 2);  // MUX1 at 40.1 and S2 at 48.1
    const QString shot = qEnvironmentVariable("CV_SKY_SHOT");
    if (!shot.isEmpty()) sheet->grab().save(shot);

    cvtest::WhenModal<TDataLogAskMultiInfoSkyDlg>([](TDataLogAskMultiInfoSkyDlg* info) {
      ReportInfoModel& m = info->Model();
      ASSERT_EQ(m.rowCount(), 12);
      for (int r = 0; r < 12; ++r) m.setData(m.index(r, ReportInfoModel::TextColumn), kInfo[r], Qt::EditRole);
      info->findChild<QPushButton*>("DoneBtn")->click();
    });
    auto* btn = Get<QPushButton>(sheet, "ReportsBtn");
    EXPECT_TRUE(btn->isEnabled());
    btn->click();
    // The sheet shows the received values again, marks as before.
    EXPECT_EQ(Snapshot(ctl, true), shown);
    sheet->done(0);
  });
  d.ViewBtnClick();
  ASSERT_TRUE(ran) << "the SKY sheet was not shown";

  QStringList boxes;
  for (const auto& s : prompter.shown) boxes << s.caption + ": " + s.text;
  ASSERT_EQ(boxes.size(), 2) << boxes.join('|').toStdString();
  EXPECT_TRUE(boxes[0].startsWith("WARNING:: Warning! Some services have not been assigned")) << boxes[0].toStdString();
  EXPECT_EQ(boxes[1], "CvTools: The report was generated successfully :\n" + pdf);
  ASSERT_EQ(chooser.saves.size(), 1u);
  ASSERT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(opener.urls[0].toLocalFile(), pdf);

  // The HTML: 25 columns in every row, marked values emphasised, texts escaped.
  const QString html = Read(htm);
  EXPECT_TRUE(outside::EveryRowSpans(htm, 25));
  EXPECT_TRUE(html.contains(QRegularExpression("shadowEmphas[^>]*>[^<]*40\\.1"))) << html.toStdString();
  EXPECT_TRUE(html.contains(QRegularExpression("shadowEmphas[^>]*>[^<]*48\\.1"))) << html.toStdString();
  EXPECT_TRUE(html.contains("Mendip &amp; &lt;Wenvoe&gt;"));
  EXPECT_TRUE(html.endsWith("</body>\n</html>"));

  // The PDF: one landscape page with the texts, the flat numbers, the offsets and the marks.
  EXPECT_EQ(outside::PdfPages(pdf), 1);
  const QStringList size = outside::PdfPageSize(pdf).split(" x ");
  ASSERT_EQ(size.size(), 2);
  EXPECT_GT(size[0].toDouble(), size[1].toDouble());
  const QString text = outside::PdfText(pdf);
  for (const QString& info : kInfo) EXPECT_TRUE(text.contains(info)) << info.toStdString();
  for (const char* value : {"40.1", "48.1", "Flat 12A", "Flat 14B",
                            "56.0",  // MUX1 at Off Air, 53.0 + 3.0
                            "68.0",  // BBC1 at Off Air, 65.0 + 3.0
                            "61.1",  // S1 at Launch, 60.1 + 1.0
                            "63.1"}) // S2 at Launch, 62.1 + 1.0
    EXPECT_TRUE(text.contains(value)) << value << "\n" << text.toStdString();
  for (const char* bare : {"53.0", "62.1"}) EXPECT_FALSE(text.contains(bare)) << bare << ": an offset is missing";

  // The received files are as they came, whatever the certificate added while it was written.
  EXPECT_EQ(Snapshot(ctl, false), received);
}
