// The report information question: the rows and their file (lines, signature, round trip, a
// failed save), the form, Load/Save/Done of both dialogs, the close box, and the question the
// generic report asks through the data-logger dialog.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "AppServices.h"
#include "AskMultiInfoDlg.h"
#include "DataLoggerDlg.h"
#include "DataLoggerSheetDlg.h"
#include "FileDialogs.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "HostForm.h"
#include "ModalHelper.h"
#include "RecordingOpener.h"
#include "ReportDispatch.h"
#include "SkySheetQuery.h"
#include "StartDir.h"
#include "Text1252.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

const std::string kCvHead = ";CVTOOLS_REPORT=\r\n;Do not modify this file manually=\r\n";
const std::string kSkyHead = ";SKYCERTIFICATE=\r\n;Do not modify this file manually=\r\n";

std::string ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<none>";
  const QByteArray b = f.readAll();
  return std::string(b.constData(), size_t(b.size()));
}

QString WriteBytes(const QString& path, const std::string& bytes) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes.data(), qint64(bytes.size()));
  return path;
}

std::vector<InfoRow> Shown(TDataLogAskMultiInfoDlg& d) {
  // What the table shows, read through the view's model as a person would see it.
  std::vector<InfoRow> rows;
  auto* view = d.findChild<QTableView*>("ValueListEditor");
  for (int r = 0; r < view->model()->rowCount(); ++r)
    rows.push_back({cv::To1252(view->model()->index(r, 0).data().toString()),
                    cv::To1252(view->model()->index(r, 1).data().toString())});
  return rows;
}

void Type(TDataLogAskMultiInfoDlg& d, int row, const QString& text) {
  auto& m = d.Model();
  ASSERT_TRUE(m.setData(m.index(row, ReportInfoModel::TextColumn), text, Qt::EditRole));
}

class FakeSkySheet : public SkySheetQuery {
 public:
  int SelectedMeasIndex(int, int) const override { return 0; }
  void SelectedSlots(int& t, int& s) const override { t = s = -1; }
  int FindService(int, int, uint8_t& count) const override { count = 0; return -1; }
  bool HasService(int, int, int) const override { return false; }
  int RowOfTestPoint(int, int) const override { return -1; }
  int TestPointAtRow(int, int) const override { return -1; }
  int FlatNumbersSource() const override { return 7; }
  void GetOffsets(int& a, int& b, int& c, int& d) const override { a = b = c = d = 0; }
  void SetInfoText(int n, const std::string& text) override {
    sets.push_back(n);
    texts[size_t(n - 1)] = text;
  }
  std::string GetInfoText(int n, size_t length) const override { return texts[size_t(n - 1)].substr(0, length); }
  std::array<std::string, kSkyInfoTexts> texts;
  std::vector<int> sets;
};

class InfoDlg : public ::testing::Test {
 protected:
  StartDir dir;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  cv::RecordingPrompter prompter;
  cv::RecordingFileChooser chooser;
  std::array<std::string, 3> info{"old id", "old address", "old obs"};
  FakeSkySheet sky;
};

}  // namespace

// ---- The rows and the information file ----

TEST(Xr9InfoRows, LinesOfAFile) {
  struct Row { std::string bytes; std::vector<InfoRow> rows; };
  const Row rows[] = {
      {"", {}},
      {"a=1\r\nb=2\r\n", {{"a", "1"}, {"b", "2"}}},
      {"a=1\nb=2", {{"a", "1"}, {"b", "2"}}},              // LF, last line without an end
      {"a=1\rb=2\r", {{"a", "1"}, {"b", "2"}}},            // CR alone
      {"OBS: =x=y\r\n", {{"OBS: ", "x=y"}}},                // split at the first "="
      {"no sign\r\n=\r\n\r\n", {{"no sign", ""}, {"", ""}, {"", ""}}},
      {"k=\xf1\x80\n\nz", {{"k", "\xf1\x80"}, {"", ""}, {"z", ""}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(ReportInfoRows::ParseLines(row.bytes), row.rows);
  }
  // A file's rows start at its third line; a file of one line has none.
  EXPECT_EQ(ReportInfoRows::RowsOfFile(";CVTOOLS_REPORT"), std::vector<InfoRow>{});
  EXPECT_EQ(ReportInfoRows::RowsOfFile(";CVTOOLS_REPORT=\r\nOBS: =lost\r\nA=1\r\n"), (std::vector<InfoRow>{{"A", "1"}}));
}

TEST(Xr9InfoRows, SignatureIsTheFirstFifteenBytes) {
  struct Row { const char* bytes; bool cv; bool sky; };
  const Row rows[] = {{"", false, false},
                      {";CVTOOLS_REPOR", false, false},  // 14 bytes
                      {";CVTOOLS_REPORT", true, false},
                      {";CVTOOLS_REPORTxyz\r\n", true, false},
                      {";cvtools_report=\r\n", false, false},
                      {" ;CVTOOLS_REPORT=\r\n", false, false},
                      {";SKYCERTIFICATE=\r\n", false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(ReportInfoRows::HasSignature(row.bytes, kCvToolsInfoSignature), row.cv);
    EXPECT_EQ(ReportInfoRows::HasSignature(row.bytes, kSkyInfoSignature), row.sky);
  }
}

TEST(Xr9InfoRows, SaveThenLoadGivesTheSameRows) {
  QTemporaryDir dir;
  ReportInfoRows rows;
  rows.Append("IDENTIFICATION: ", "Block 7");
  rows.Append("ADDRESS: ", "Calle Mayor 1 = bis");
  rows.Append("OBS: ", "Se\xf1" "al \x80");
  rows.Append("Extra", "");
  rows.Append("", "");
  const std::string path = dir.filePath("i.txt").toStdString();
  ASSERT_EQ(rows.Save(path, kCvToolsInfoSignature, ";Do not modify this file manually"), cv::SaveResult::Saved);
  EXPECT_EQ(ReadBytes(dir.filePath("i.txt")),
            kCvHead + "IDENTIFICATION: =Block 7\r\nADDRESS: =Calle Mayor 1 = bis\r\nOBS: =Se\xf1" "al \x80\r\nExtra=\r\n=\r\n");
  ReportInfoRows back;
  ASSERT_EQ(back.Load(path, kCvToolsInfoSignature), ReportInfoRows::Loaded::Ok);
  EXPECT_EQ(back.Rows(), rows.Rows());

  // Refused files leave the rows as they were.
  EXPECT_EQ(back.Load(path, kSkyInfoSignature), ReportInfoRows::Loaded::NoSignature);
  EXPECT_EQ(back.Load(dir.filePath("none.txt").toStdString(), kCvToolsInfoSignature), ReportInfoRows::Loaded::NotOpened);
  EXPECT_EQ(back.Load(dir.path().toStdString(), kCvToolsInfoSignature), ReportInfoRows::Loaded::NotOpened);
  EXPECT_EQ(back.Rows(), rows.Rows());

  // A line break in a text (CR LF, LF or CR) is written as one blank, so the file reads back whole.
  ReportInfoRows breaks;
  breaks.Append("OBS: ", "one\r\ntwo\nthree\rfour");
  breaks.Append("ADDRESS: ", "x");
  EXPECT_EQ(breaks.FileBytes(kSkyInfoSignature, ";n"), ";SKYCERTIFICATE=\r\n;n=\r\nOBS: =one two three four\r\nADDRESS: =x\r\n");
  EXPECT_EQ(ReportInfoRows::RowsOfFile(breaks.FileBytes(kSkyInfoSignature, ";n")),
            (std::vector<InfoRow>{{"OBS: ", "one two three four"}, {"ADDRESS: ", "x"}}));
}

TEST(Xr9InfoRows, AFailedSaveKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = WriteBytes(dir.filePath("keep.txt"), kCvHead + "OBS: =good\r\n");
  ReportInfoRows rows;
  rows.Append("OBS: ", std::string(4096, 'x'));
  std::string why;
  {
    cvtest::FileSizeLimit limit(1024);
    EXPECT_EQ(rows.Save(path.toStdString(), kCvToolsInfoSignature, ";n", &why), cv::SaveResult::NotWritten);
  }
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(ReadBytes(path), kCvHead + "OBS: =good\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
  rows.Append("ADDRESS: ", std::string(9000, 'y'));
  cvtest::ExpectWholeOrOldFile(path.toStdString(), [&] {
    return rows.Save(path.toStdString(), kCvToolsInfoSignature, ";n", &why) == cv::SaveResult::Saved;
  });
}

// ---- The form ----

TEST_F(InfoDlg, TheForm) {
  TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
  d.FillFields();
  EXPECT_EQ(d.windowTitle(), "CERTIFICATE INFORMATION");
  EXPECT_EQ(d.size(), QSize(323, 275));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  auto* label = d.findChild<QLabel*>("Label1");
  auto* view = d.findChild<QTableView*>("ValueListEditor");
  ASSERT_TRUE(label && view);
  EXPECT_EQ(label->text(), "PLEASE, EDIT THE CERTIFICATE INFORMATION:");
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(view->size(), QSize(306, 209));
  EXPECT_EQ(view->toolTip(), "Edit TEXT values as desired");
  EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "FIELD");
  EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "TEXT");
  EXPECT_EQ(view->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
  EXPECT_TRUE(view->tabKeyNavigation());
  // Only the texts are edited.
  EXPECT_FALSE(view->model()->flags(view->model()->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_TRUE(view->model()->flags(view->model()->index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_FALSE(view->model()->setData(view->model()->index(0, 0), "key", Qt::EditRole));

  struct Btn { const char* name; const char* caption; const char* hint; };
  const Btn buttons[] = {{"LoadBtn", "LOAD FROM FILE", "Load all information from file"},
                         {"SaveBtn", "SAVE TO FILE", "Save all information to a file"},
                         {"DoneBtn", "DONE", "Close and generate the report"}};
  for (const Btn& b : buttons) {
    auto* w = d.findChild<QPushButton*>(b.name);
    ASSERT_NE(w, nullptr) << b.name;
    EXPECT_EQ(w->text(), b.caption);
    EXPECT_EQ(w->toolTip(), b.hint);
    EXPECT_TRUE(w->font().bold());
  }
  // Tab order.
  QStringList order;
  QWidget* w = view;
  do {
    if (w->focusPolicy() & Qt::TabFocus && w->parentWidget() == &d) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != view);
  EXPECT_EQ(order, QStringList({"ValueListEditor", "LoadBtn", "SaveBtn", "DoneBtn"}));

  // The fields in order, with empty texts, whatever the target held.
  EXPECT_EQ(Shown(d), (std::vector<InfoRow>{{"IDENTIFICATION: ", ""}, {"ADDRESS: ", ""}, {"OBS: ", ""}}));
  TDataLogAskMultiInfoSkyDlg s(nullptr, equip, &sky);
  s.FillFields();
  const std::vector<std::string> skyFields = {
      "Analogue Transmitter", "Analogue Channel 5 Transmitter", "Digital Transmitter", "FM Transmitter",
      "DAB Transmitter", "Satellite Position One", "Satellite Position Two", "Project Enginneer",
      "Site Address", "Date", "Engineers Name", "On Behalf Of"};
  std::vector<InfoRow> skyRows;
  for (const auto& f : skyFields) skyRows.push_back({f, ""});
  EXPECT_EQ(Shown(s), skyRows);
  EXPECT_EQ(s.windowTitle(), "CERTIFICATE INFORMATION");
}

// ---- Save, Load and Done ----

TEST_F(InfoDlg, SaveThenLoadThroughTheDialogs) {
  TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
  d.FillFields();
  Type(d, 0, "Tom & Jerry");
  Type(d, 2, QString::fromUtf8("Señal €"));
  WriteBytes(dir.filePath("info.txt"), "an older file");
  chooser.saveAnswers = {dir.filePath("info")};  // typed without its extension
  d.findChild<QPushButton*>("SaveBtn")->click();
  ASSERT_EQ(chooser.saves.size(), 1);
  EXPECT_EQ(chooser.saves[0].filter, "Text files (*.txt)|*.txt");
  EXPECT_EQ(chooser.saves[0].defaultExt, "txt");
  EXPECT_EQ(chooser.saves[0].initialDir, QDir::currentPath());
  EXPECT_TRUE(chooser.saves[0].fileName.isEmpty());
  EXPECT_FALSE(chooser.saves[0].overwritePrompt);
  EXPECT_TRUE(prompter.shown.empty());  // replaced without a question
  const std::string saved = ReadBytes(dir.filePath("info.txt"));
  EXPECT_EQ(saved, kCvHead + "IDENTIFICATION: =Tom & Jerry\r\nADDRESS: =\r\nOBS: =Se\xf1" "al \x80\r\n");
  // The form still shows only the fields.
  const std::vector<InfoRow> rows = Shown(d);
  EXPECT_EQ(rows.size(), 3u);

  TDataLogAskMultiInfoCvToolsDlg again(nullptr, equip, &info);
  again.FillFields();
  chooser.openAnswers = {{dir.filePath("info.txt")}};
  again.findChild<QPushButton*>("LoadBtn")->click();
  ASSERT_EQ(chooser.opens.size(), 1);
  EXPECT_EQ(chooser.opens[0].filter, "Text files (*.txt)|*.txt");
  EXPECT_TRUE(chooser.opens[0].fileName.isEmpty());
  EXPECT_EQ(Shown(again), rows);
  again.findChild<QPushButton*>("DoneBtn")->click();
  EXPECT_EQ(again.result(), QDialog::Accepted);
  EXPECT_EQ(info, (std::array<std::string, 3>{"Tom & Jerry", "", "Se\xf1" "al \x80"}));

  // The SKY dialog writes its own signature and notice.
  TDataLogAskMultiInfoSkyDlg s(nullptr, equip, &sky);
  s.FillFields();
  Type(s, 11, "Acme");
  chooser.saveAnswers = {dir.filePath("sky.txt")};
  s.findChild<QPushButton*>("SaveBtn")->click();
  const std::string skySaved = ReadBytes(dir.filePath("sky.txt"));
  EXPECT_EQ(skySaved.substr(0, kSkyHead.size()), kSkyHead);
  EXPECT_NE(skySaved.find("\r\nProject Enginneer=\r\nSite Address=\r\n"), std::string::npos);
  EXPECT_EQ(skySaved.substr(skySaved.size() - 19), "On Behalf Of=Acme\r\n");

  // Cancelled dialogs change nothing.
  chooser.saveAnswers.clear();
  chooser.openAnswers.clear();
  again.findChild<QPushButton*>("LoadBtn")->click();
  again.findChild<QPushButton*>("SaveBtn")->click();
  EXPECT_EQ(Shown(again), rows);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(InfoDlg, RefusedFilesLeaveTheRows) {
  WriteBytes(dir.filePath("cv.txt"), kCvHead + "OBS: =x\r\n");
  WriteBytes(dir.filePath("sky.txt"), kSkyHead + "Date=x\r\n");
  WriteBytes(dir.filePath("short.txt"), ";CVTOOLS_REPO");
  struct Row { bool skyDialog; const char* file; const char* message; };
  const Row rows[] = {
      {false, "sky.txt", "This file does not contain information of the Report!"},
      {true, "cv.txt", "This file does not contain information of the Certificate!"},
      {false, "short.txt", "This file does not contain information of the Report!"},
      {false, "none.txt", "Impossible to open this file"},
      {true, "none.txt", "Impossible to open this file"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    std::unique_ptr<TDataLogAskMultiInfoDlg> d;
    if (row.skyDialog)
      d = std::make_unique<TDataLogAskMultiInfoSkyDlg>(nullptr, equip, &sky);
    else
      d = std::make_unique<TDataLogAskMultiInfoCvToolsDlg>(nullptr, equip, &info);
    d->FillFields();
    Type(*d, 1, "typed");
    const std::vector<InfoRow> before = Shown(*d);
    prompter.shown.clear();
    chooser.openAnswers = {{dir.filePath(row.file)}};
    d->findChild<QPushButton*>("LoadBtn")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, row.message);
    EXPECT_EQ(prompter.shown[0].caption, "Error");
    EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
    EXPECT_EQ(Shown(*d), before);
  }
}

TEST_F(InfoDlg, DonePicksItsFieldsByKey) {
  // The second line holds a field (lost), a key that is no field, a line without "=", and
  // ADDRESS missing; the keys differ from the fields only in letter case or blank are no match.
  WriteBytes(dir.filePath("f.txt"), ";CVTOOLS_REPORT=\r\nIDENTIFICATION: =lost\r\nOBS: =first\r\nExtra=e\r\n"
                                    "NoEquals\r\nobs: =case\r\nOBS:=blank\r\nOBS: =second\r\n");
  TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
  d.FillFields();
  chooser.openAnswers = {{dir.filePath("f.txt")}};
  d.findChild<QPushButton*>("LoadBtn")->click();
  EXPECT_EQ(Shown(d), (std::vector<InfoRow>{{"IDENTIFICATION: ", ""}, {"ADDRESS: ", ""}, {"OBS: ", "first"},
                                            {"Extra", "e"}, {"NoEquals", ""}, {"obs: ", "case"}, {"OBS:", "blank"}}));
  // Saved again with the keys only the file had.
  chooser.saveAnswers = {dir.filePath("g.txt")};
  d.findChild<QPushButton*>("SaveBtn")->click();
  EXPECT_EQ(ReadBytes(dir.filePath("g.txt")), kCvHead + "IDENTIFICATION: =\r\nADDRESS: =\r\nOBS: =first\r\nExtra=e\r\n"
                                                        "NoEquals=\r\nobs: =case\r\nOBS:=blank\r\n");
  d.findChild<QPushButton*>("DoneBtn")->click();
  EXPECT_EQ(info, (std::array<std::string, 3>{"", "", "first"}));

  // The SKY dialog hands text n to SetInfoText(n) in order, whatever the file's order.
  std::string file = kSkyHead;
  const auto& names = TDataLogAskMultiInfoSkyDlg::FieldNames();
  for (int n = 12; n >= 1; --n) file += names[size_t(n - 1)] + "=t" + std::to_string(n) + "\r\n";
  WriteBytes(dir.filePath("s.txt"), file);
  TDataLogAskMultiInfoSkyDlg s(nullptr, equip, &sky);
  s.FillFields();
  chooser.openAnswers = {{dir.filePath("s.txt")}};
  s.findChild<QPushButton*>("LoadBtn")->click();
  s.findChild<QPushButton*>("DoneBtn")->click();
  EXPECT_EQ(sky.sets, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(sky.texts[size_t(n - 1)], "t" + std::to_string(n));
}

// A file of the right kind cut short (or written by hand) fills the fields it has; the texts of
// the others stay as typed, the one still being typed among them.
TEST_F(InfoDlg, ACutFileKeepsTheTextsOfTheFieldsItLacks) {
  const std::string full = kCvHead + "IDENTIFICATION: =file id\r\nADDRESS: =file address\r\nOBS: =file obs\r\n";
  struct Row {
    size_t cut;  // bytes of the full file kept
    std::array<std::string, 3> after;
  } rows[] = {
      {full.size(), {"file id", "file address", "file obs"}},
      {full.find("OBS: "), {"file id", "file address", "typed obs"}},
      {full.find("ADDRESS: ") + 4, {"file id", "typed address", "typed obs"}},  // "ADDR" is no key
      {kCvHead.size(), {"typed id", "typed address", "typed obs"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.cut);
    WriteBytes(dir.filePath("cut.txt"), full.substr(0, r.cut));
    TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
    d.FillFields();
    d.show();
    Type(d, 0, "typed id");
    Type(d, 1, "typed address");
    // The last text is still in its editor when Load is pressed.
    auto* view = d.findChild<QTableView*>("ValueListEditor");
    view->setCurrentIndex(view->model()->index(2, ReportInfoModel::TextColumn));
    QWidget* editor = view->indexWidget(view->currentIndex());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "typed obs");
    chooser.openAnswers = {{dir.filePath("cut.txt")}};
    d.findChild<QPushButton*>("LoadBtn")->click();
    EXPECT_TRUE(prompter.shown.empty());
    d.findChild<QPushButton*>("DoneBtn")->click();
    EXPECT_EQ(info, r.after);
    EXPECT_EQ(Shown(d).size(), r.cut == full.find("ADDRESS: ") + 4 ? 4u : 3u);  // the cut line is a row of its own
  }
}

TEST_F(InfoDlg, LineBreakSavedAsABlankAndAFailedSaveTold) {
  TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
  d.FillFields();
  Type(d, 2, "roof\nmast\r\nok");
  const QString path = WriteBytes(dir.filePath("o.txt"), kCvHead + "OBS: =good\r\n");
  chooser.saveAnswers = {path, path};
  {
    cvtest::FileSizeLimit limit(40);
    d.findChild<QPushButton*>("SaveBtn")->click();
  }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_TRUE(prompter.shown[0].text.startsWith("The information could not be saved in " + path))
      << prompter.shown[0].text.toStdString();
  EXPECT_EQ(ReadBytes(path), kCvHead + "OBS: =good\r\n");
  d.findChild<QPushButton*>("SaveBtn")->click();
  EXPECT_EQ(ReadBytes(path), kCvHead + "IDENTIFICATION: =\r\nADDRESS: =\r\nOBS: =roof mast ok\r\n");
}

TEST_F(InfoDlg, TheCloseBoxKeepsTheOldTexts) {
  TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
  d.FillFields();
  cvtest::WhenModal<TDataLogAskMultiInfoCvToolsDlg>([](TDataLogAskMultiInfoCvToolsDlg* shown) {
    Type(*shown, 0, "new");
    shown->close();
  });
  EXPECT_EQ(d.exec(), QDialog::Rejected);
  EXPECT_EQ(info, (std::array<std::string, 3>{"old id", "old address", "old obs"}));

  sky.texts[0] = "kept";
  TDataLogAskMultiInfoSkyDlg s(nullptr, equip, &sky);
  s.FillFields();
  cvtest::WhenModal<TDataLogAskMultiInfoSkyDlg>([](TDataLogAskMultiInfoSkyDlg* shown) {
    Type(*shown, 0, "new");
    QTest::keyClick(shown, Qt::Key_Escape);
  });
  EXPECT_EQ(s.exec(), QDialog::Rejected);
  EXPECT_TRUE(sky.sets.empty());
  EXPECT_EQ(sky.texts[0], "kept");
}

// ---- The question the reports ask ----

TEST_F(InfoDlg, GenericReportAsksOnceAndPrintsTheTexts) {
  TDataLoggerDlg dl(&host.form, equip);
  DataLoggerCtl& ctl = dl.Ctl();
  const auto image = img::DataLogFile(xr9test::DlGrid(10, 9, {0, 4}));
  ASSERT_GE(ctl.store.DecodeDataLogFile(image.data(), image.size(), "GRID.DL"), 0);
  ctl.reportsEnabled = true;
  ctl.chosenKind = 5;
  TDataLoggerSheetDlg sheet(nullptr, ctl, equip);
  ASSERT_TRUE(sheet.Init());
  sheet.ShowFile(0);
  int asked = 0;
  const auto question = ctl.cvtoolsInformationQuestion;
  ASSERT_TRUE(question);
  ctl.cvtoolsInformationQuestion = [&] {
    if (++asked == 1) question();
  };

  // Without a sheet nothing is written and nothing asked.
  TReportFiles none;
  WriteMeasurementReport(ctl, 0, none, "1/1/2026", "9:00");
  EXPECT_EQ(asked, 0);
  ctl.sheet = &sheet.Sheet();

  // The sheet's report command. Texts typed in the open editor of the current cell count without
  // leaving it; the question has the normal cursor, not the report's hourglass.
  cvtest::WhenModal<TDataLogAskMultiInfoCvToolsDlg>([](TDataLogAskMultiInfoCvToolsDlg* d) {
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    auto* view = d->findChild<QTableView*>("ValueListEditor");
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 1));
    QWidget* editor = view->indexWidget(view->currentIndex());
    EXPECT_NE(editor, nullptr);
    if (editor) QTest::keyClicks(editor, "Block <7> & co");
    Type(*d, 1, "Calle Mayor");
    d->findChild<QPushButton*>("DoneBtn")->click();
  });
  QTemporaryDir out;
  RecordingOpener opener;
  chooser.saveAnswers = {out.filePath("r.pdf")};
  sheet.ReportsBtnClick();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(prompter.Showed("The report was generated successfully"));
  EXPECT_EQ(opener.urls.size(), 1u);
  EXPECT_EQ(ctl.reportInfo, (std::array<std::string, 3>{"Block <7> & co", "Calle Mayor", ""}));
  const std::string html = ReadBytes(out.filePath("r.htm"));
  EXPECT_NE(html.find("<td colspan=\"9\">IDENTIFICATION: Block &lt;7&gt; &amp; co</td>"), std::string::npos);
  EXPECT_NE(html.find("<td colspan=\"9\">ADDRESS: Calle Mayor</td>"), std::string::npos);
  EXPECT_NE(html.find("<td colspan=\"9\">OBS: </td>"), std::string::npos);

  // Closed with the close box: the report is written with the texts held before.
  asked = 0;
  cvtest::WhenModal<TDataLogAskMultiInfoCvToolsDlg>([](TDataLogAskMultiInfoCvToolsDlg* d) {
    Type(*d, 0, "not taken");
    d->close();
  });
  TReportFiles second = ReportFileNames(out.filePath("s.pdf").toStdString());
  EXPECT_TRUE(GenerateReport(ctl, 0, second, 5).Ok());
  EXPECT_EQ(asked, 1);
  EXPECT_NE(second.htmlFile.find("IDENTIFICATION: Block &lt;7&gt; &amp; co</td>"), std::string::npos);
  ctl.sheet = nullptr;
}

TEST_F(InfoDlg, SkyQuestionOnlyWithASkySheet) {
  TDataLoggerDlg dl(&host.form, equip);
  DataLoggerCtl& ctl = dl.Ctl();
  ASSERT_TRUE(ctl.skyInformationQuestion);
  ctl.skySheet = nullptr;
  ctl.skyInformationQuestion();  // no form without a sheet
  ctl.skySheet = &sky;
  cvtest::WhenModal<TDataLogAskMultiInfoSkyDlg>([](TDataLogAskMultiInfoSkyDlg* d) {
    Type(*d, 9, "24/3/2026");
    d->findChild<QPushButton*>("DoneBtn")->click();
  });
  ctl.skyInformationQuestion();
  ASSERT_EQ(sky.sets.size(), 12u);
  EXPECT_EQ(sky.texts[9], "24/3/2026");
  EXPECT_EQ(sky.texts[0], "");
  ctl.skySheet = nullptr;
}

// Tab and Backtab step from text to text in the open editor: nothing typed is lost, and Tab on
// the last text leaves it stored.
TEST_F(InfoDlg, TabGoesFromTextToTextLosingNothing) {
  auto typeAndTab = [](TDataLogAskMultiInfoDlg& d, const QStringList& texts, Qt::Key key = Qt::Key_Tab) {
    auto* view = d.findChild<QTableView*>("ValueListEditor");
    for (const QString& t : texts) {
      QWidget* editor = view->indexWidget(view->currentIndex());
      ASSERT_NE(editor, nullptr) << t.toStdString();
      QTest::keyClicks(editor, t);
      QTest::keyClick(editor, key);
    }
  };
  {
    TDataLogAskMultiInfoCvToolsDlg d(nullptr, equip, &info);
    d.FillFields();
    d.show();
    typeAndTab(d, {"AAA", "BBB", "CCC"});
    auto* view = d.findChild<QTableView*>("ValueListEditor");
    // Backtab from the last text goes back to the one before it, still a text cell.
    view->setCurrentIndex(view->model()->index(0, ReportInfoModel::TextColumn));
    view->setCurrentIndex(view->model()->index(2, ReportInfoModel::TextColumn));
    typeAndTab(d, {""}, Qt::Key_Backtab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, ReportInfoModel::TextColumn));
    d.findChild<QPushButton*>("DoneBtn")->click();
    EXPECT_EQ(info, (std::array<std::string, 3>{"AAA", "BBB", "CCC"}));
  }
  {
    TDataLogAskMultiInfoSkyDlg d(nullptr, equip, &sky);
    d.FillFields();
    d.show();
    QStringList texts;
    for (int n = 1; n <= kSkyInfoTexts; ++n) texts << QString("T%1").arg(n);
    typeAndTab(d, texts);
    d.findChild<QPushButton*>("DoneBtn")->click();
    for (int n = 1; n <= kSkyInfoTexts; ++n) EXPECT_EQ(sky.texts[size_t(n - 1)], "T" + std::to_string(n));
  }
}

// The SKY certificate prints 40 characters of each text: its editor takes no more; the generic
// report prints them whole and its editor has no limit. A file saved before keeps its longer
// texts whole, and Load names them.
TEST_F(InfoDlg, SkyTextsLimitedToWhatTheCertificatePrints) {
  const QString fifty = QString(50, QChar('x'));
  auto typeFirst = [&](TDataLogAskMultiInfoDlg& d) {
    d.show();
    auto* view = d.findChild<QTableView*>("ValueListEditor");
    QWidget* editor = view->indexWidget(view->currentIndex());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, fifty);
    d.findChild<QPushButton*>("DoneBtn")->click();
  };
  TDataLogAskMultiInfoSkyDlg s(nullptr, equip, &sky);
  s.FillFields();
  typeFirst(s);
  EXPECT_EQ(sky.texts[0], std::string(40, 'x'));
  TDataLogAskMultiInfoCvToolsDlg g(nullptr, equip, &info);
  g.FillFields();
  typeFirst(g);
  EXPECT_EQ(info[0], std::string(50, 'x'));

  const std::string address(64, 'a');
  WriteBytes(dir.filePath("old.txt"), kSkyHead + "Site Address=" + address + "\r\nDate=1/2/2020\r\n");
  TDataLogAskMultiInfoSkyDlg old(nullptr, equip, &sky);
  old.FillFields();
  old.show();
  chooser.openAnswers = {{dir.filePath("old.txt")}};
  old.findChild<QPushButton*>("LoadBtn")->click();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Warning");
  const QString told = prompter.shown[0].text;
  EXPECT_TRUE(told.contains("first 40 characters")) << told.toStdString();
  EXPECT_TRUE(told.endsWith(":\nSite Address")) << told.toStdString();
  // Opening the long text's editor cuts nothing.
  auto* view = old.findChild<QTableView*>("ValueListEditor");
  view->setCurrentIndex(view->model()->index(0, ReportInfoModel::TextColumn));
  ASSERT_NE(view->indexWidget(view->currentIndex()), nullptr);
  old.findChild<QPushButton*>("DoneBtn")->click();
  EXPECT_EQ(sky.texts[8], address);
  EXPECT_EQ(sky.texts[9], "1/2/2020");
}
