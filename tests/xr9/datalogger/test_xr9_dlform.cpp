// The data-logger dialog offline: loading files from disk, the controls' states, the report
// list from the INI file and the registry values.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include "AppServices.h"
#include "DataLoggerDlg.h"
#include "FileDialogs.h"
#include "HostForm.h"
#include "IniFile.h"
#include "LogoImage.h"
#include "Registry.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"

using namespace cv::xr9;

namespace {

class DlForm : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    cv::SetRegistryFile(dir.filePath("registry.ini").toStdString());
    Ini("");
  }
  void TearDown() override {
    cv::SetRegistryFile("");
    cv::SetHostIniPath("");
  }
  void Ini(const std::string& text) {
    const QString path = dir.filePath("CvTools.INI");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), qint64(text.size()));
    cv::SetHostIniPath(path.toStdString());
  }
  QString File(const QString& name, const std::string& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
    return dir.filePath(name);
  }
  std::unique_ptr<TDataLoggerDlg> Open() {
    auto d = std::make_unique<TDataLoggerDlg>(&host.form, equip);
    EXPECT_TRUE(d->LoadSettings());
    return d;
  }
  template <class T>
  static T* Get(QWidget* d, const char* name) {
    T* w = d->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  QTemporaryDir dir;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  cv::RecordingPrompter prompter;
};

}  // namespace

TEST_F(DlForm, OfflineLoadsFilesFromDisk) {
  auto d = Open();
  EXPECT_EQ(d->windowTitle(), "TV MIRELTO DATALOGGER");
  EXPECT_FALSE(Get<QPushButton>(d.get(), "ListAllBtn")->isEnabled());
  EXPECT_FALSE(Get<QPushButton>(d.get(), "ReceiveFileBtn")->isEnabled());
  EXPECT_FALSE(Get<QPushButton>(d.get(), "ViewBtn")->isEnabled());
  EXPECT_TRUE(Get<QPushButton>(d.get(), "ReadFromFileBtn")->isEnabled());

  const QString big = File("BIG.DL", std::string(520001, 'b'));
  const QString good = File("GOOD.DL", xr9test::DlBytes(xr9test::DlFixture()));
  const QString other = File("OTHER.DL", xr9test::DlBytes(xr9test::DlGrid(2, 2)));
  cv::RecordingFileChooser chooser;
  chooser.openAnswers = {{big, good}, {dir.filePath("GONE.DL"), other}};
  d->ReadFromFileBtnClick();
  ASSERT_EQ(chooser.opens.size(), 1u);
  EXPECT_TRUE(chooser.opens[0].multiSelect);
  EXPECT_EQ(cv::QtNameFilters(chooser.opens[0].filter), QStringList({"DataLogger files (*.DL)"}));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "The file BIG.DL is larger than 520000 bytes and was not loaded.");
  auto* list = Get<QListWidget>(d.get(), "FilesCheckList");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "GOOD.DL");
  EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(d->Ctl().Entry(0).size, 1u);
  EXPECT_EQ(d->Ctl().Entry(0).state, TDataLogListEntry::LoadedFromDisk);
  EXPECT_TRUE(Get<QPushButton>(d.get(), "ViewBtn")->isEnabled());
  // A loaded item cannot be unticked.
  list->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);

  // A file that cannot be opened stops the rest of the choice.
  prompter.shown.clear();
  d->ReadFromFileBtnClick();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to open this file");
  EXPECT_EQ(list->count(), 1);
  EXPECT_TRUE(Get<QPushButton>(d.get(), "ReadFromFileBtn")->isEnabled());
}

TEST_F(DlForm, RegistryValuesSurviveAReopen) {
  {
    auto d = Open();
    // Nothing stored yet: the start directory, no kind, reports off.
    EXPECT_EQ(Get<QLineEdit>(d.get(), "NameFolderEdit")->text().toStdString(), equip.GetStartDir());
    EXPECT_EQ(d->CurrentReportKind(), -1);
    EXPECT_FALSE(Get<QComboBox>(d.get(), "ReportsComboBox")->isEnabled());
    d->Ctl().folder = "/data/logs";
    d->Ctl().chosenKind = 4;
    d->Ctl().reportsEnabled = true;
  }
  const DataLoggerRegistry r = DataLoggerCtl::ReadRegistry();
  EXPECT_EQ(r.folder, "/data/logs");
  EXPECT_EQ(r.kind, 4);
  EXPECT_TRUE(r.enabled);
  {
    Ini("[DLAvailableReports]\nCount=2\nReport0=(05) Generic\nReport1=(04) Certificate\n");
    auto d = Open();
    EXPECT_EQ(Get<QLineEdit>(d.get(), "NameFolderEdit")->text(), "/data/logs");
    EXPECT_TRUE(Get<QCheckBox>(d.get(), "EnableReportsCheckBox")->isChecked());
    EXPECT_EQ(Get<QComboBox>(d.get(), "ReportsComboBox")->currentIndex(), 1);
    EXPECT_EQ(d->CurrentReportKind(), 4);
  }
  // A key without DefaultReport (and a kind of the wrong type) gives -1 and reports off.
  auto key = cv::RegKey::Open(kDataLoggerRegKey, true);
  ASSERT_TRUE(key);
  ASSERT_TRUE(key->WriteString("EnabledReport", "yes"));
  QFile reg(QString::fromStdString(cv::RegistryFile()));
  ASSERT_TRUE(reg.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(reg.readAll());
  reg.close();
  text.remove(QRegularExpression("(?im)^DefaultReport=.*\\n"));
  ASSERT_TRUE(reg.open(QIODevice::WriteOnly | QIODevice::Truncate));
  reg.write(text.toUtf8());
  reg.close();
  const DataLoggerRegistry missing = DataLoggerCtl::ReadRegistry();
  EXPECT_EQ(missing.kind, -1);
  EXPECT_FALSE(missing.enabled);
  EXPECT_EQ(missing.folder, "/data/logs");
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(DlForm, ARegistryThatCannotBeWrittenGivesItsBox) {
  File("blocker", "a file where a folder should be");
  cv::SetRegistryFile(dir.filePath("blocker/registry.ini").toStdString());
  { auto d = Open(); }
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "CvTools Error");
  EXPECT_EQ(prompter.shown[0].text, "Unable to save data to the Registry");
}

TEST_F(DlForm, ReportListFromTheIniFile) {
  struct Row {
    const char* name;
    std::string ini;
    QStringList items;
    int selected;  // after ticking the reports
    int kind;
  } rows[] = {
      {"no entries", "Count=0\n", {}, -1, 5},
      {"a SKY entry", "Count=2\nReport0=(03) SKY certificate\nReport1=(05) Generic\n", {" SKY certificate", " Generic"}, 1, 5},
      {"no generic entry", "Count=2\nReport0=(01) Upd\nReport1=(02) Cat\n", {" Upd", " Cat"}, 0, 5},
      {"short entries", "Count=3\nReport0=(7\nReport1=x12\nReport2=\n", {"", "", ""}, -1, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Ini("[DLAvailableReports]\n" + r.ini);
    auto d = Open();
    auto* combo = Get<QComboBox>(d.get(), "ReportsComboBox");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    EXPECT_EQ(items, r.items);
    auto* box = Get<QCheckBox>(d.get(), "EnableReportsCheckBox");
    box->click();
    EXPECT_TRUE(combo->isEnabled());
    // "short entries": the first kind text "7" is read, "12" too, the empty one fails the search.
    if (std::string(r.name) != "short entries") {
      EXPECT_EQ(combo->currentIndex(), r.selected);
      EXPECT_EQ(d->CurrentReportKind(), r.kind);
    }
    box->click();
    EXPECT_EQ(d->CurrentReportKind(), -1);
    EXPECT_EQ(combo->currentIndex(), -1);
    prompter.shown.clear();
  }
  // The SKY entry's kind, and the default entry whose kind text "ef" is no number.
  Ini("[DLAvailableReports]\nCount=3\nReport0=(03) SKY certificate\nReport1=(05) Generic\n");
  auto d = Open();
  EXPECT_EQ(d->Ctl().settings.kindTexts, std::vector<std::string>({"03", "05", "ef"}));
  EXPECT_EQ(d->Ctl().settings.reportNames.back(), "ult");
  Get<QCheckBox>(d.get(), "EnableReportsCheckBox")->click();
  d->ReportsComboBoxChange(0);
  EXPECT_EQ(d->CurrentReportKind(), 3);
  d->ReportsComboBoxChange(2);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].text, "The kind \"ef\" of the chosen report entry is not a number.");
  EXPECT_EQ(d->CurrentReportKind(), 3);
  // View with kind 3 and no file: the SKY sheet cannot start.
  host.Clear();
  d->ViewBtnClick();
  EXPECT_EQ(host.Lines(), QStringList({"Could not initialize DataLogger Viewer"}));
  // With a file it opens the SKY sheet, which the dialog knows while it is open.
  d->Ctl().LoadFiles({File("TER.DL", xr9test::DlBytes(xr9test::DlGrid(2, 2))).toStdString()});
  host.Clear();
  QString opened, reportType;
  bool known = false;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    opened = w->windowTitle();
    known = d->Ctl().skySheet != nullptr;
    reportType = w->findChild<QLineEdit*>("ReportTypeEdit")->text();
    w->close();
  });
  d->ViewBtnClick();
  EXPECT_EQ(opened, "DataLogger Viewer for SKY");
  EXPECT_EQ(reportType, " SKY certificate");  // the title as the report list gives it
  EXPECT_TRUE(known);
  EXPECT_EQ(d->Ctl().skySheet, nullptr);
  EXPECT_EQ(host.Lines(), QStringList({"Running DataLogger viewer", "Closed DataLogger viewer"}));
}

TEST_F(DlForm, SettingsFromTheIniFile) {
  Ini("[DLReportSKY_THRESHOLD_LEVELS]\nPOWER_DAB_min=400\nCN_digital_satellite_min=x\n[DLReportESP]\nChannels_per_page_SAT=33\n");
  auto d = Open();
  const DataLogSettings& s = d->Ctl().settings;
  EXPECT_EQ(s.thresholds.powerDabMin, 400);
  EXPECT_EQ(s.thresholds.cnDigitalSatelliteMin, 90);
  EXPECT_EQ(s.thresholds.powerFmRadioMax, 740);
  EXPECT_EQ(s.pages.channelsPerPageSat, 33);
  EXPECT_EQ(s.pages.channelsPerPageTer, 18);
  EXPECT_EQ(s.pages.channelsPerPageSelectedMeas, 50);
  EXPECT_EQ(s.pages.channelsPerPageAllMeas, 7);
  // An INI file that exists but cannot be read: the dialog is not shown.
  ASSERT_TRUE(QDir(dir.path()).mkpath("Dir.INI"));
  cv::SetHostIniPath(dir.filePath("Dir.INI").toStdString());
  TDataLoggerDlg failing(&host.form, equip);
  EXPECT_FALSE(failing.LoadSettings());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Impossible to handle INI file");
  EXPECT_EQ(prompter.shown[0].caption, "Error");
}

TEST_F(DlForm, FolderFieldAndItsChooser) {
  auto d = Open();
  auto* edit = Get<QLineEdit>(d.get(), "NameFolderEdit");
  const QString before = edit->text();
  QTest::keyClicks(edit, "abc");
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), before);
  cv::RecordingFileChooser chooser;
  chooser.folderAnswers = {dir.path()};
  d->SelectFolderBtnClick();
  EXPECT_EQ(edit->text(), dir.path());
  EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
  auto* save = Get<QCheckBox>(d.get(), "SaveReceivedCheckBox");
  save->click();
  EXPECT_FALSE(Get<QPushButton>(d.get(), "SelectFolderBtn")->isEnabled());
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0xA6, 0xCA, 0xF0));
  save->click();
  EXPECT_TRUE(Get<QPushButton>(d.get(), "SelectFolderBtn")->isEnabled());
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::black));
}

namespace {

// A damaged Count reads at most the list a kind of two digits can fill, and reads the entries it
// has up to that bound.
TEST(DlSettings, ReportCountIsBoundedOnBothSides) {
  for (const auto& [count, expected] : std::vector<std::pair<std::string, size_t>>{
           {"99", 99}, {"100", 100}, {"101", 100}, {"2147483647", 100}, {"-5", 0}}) {
    cv::IniFile ini;
    ini.Parse("[DLAvailableReports]\nCount=" + count + "\nReport0=(05) Generic\n");
    cv::xr9::DataLogSettings s;
    s.Read(ini);
    EXPECT_EQ(s.reportNames.size(), expected) << count;
    if (!s.reportNames.empty()) {
      EXPECT_EQ(s.reportNames[0], " Generic") << count;
    }
  }
}

}  // namespace

// The logo band shows the built-in logo with the shipped INI (no picture named), and the user's
// picture when the INI names one.
TEST_F(DlForm, LogoBandShowsALogo) {
  QFile shipped(QStringLiteral(CV_TEST_DATA_DIR "/../../resources/bin/CvTools.INI"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  Ini(shipped.readAll().toStdString());
  {
    auto d = Open();
    auto* logo = dynamic_cast<TLogoImage*>(Get<QLabel>(d.get(), "Image3"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->Shown().isNull());
  }
  QImage red(40, 20, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(dir.filePath("mine.png")));
  Ini("[CustomLogo]\nlogo_file=" + dir.filePath("mine.png").toStdString() + "\nstretch=yes\nproportional=yes\ncenter=yes\n");
  auto d = Open();
  auto* logo = dynamic_cast<TLogoImage*>(Get<QLabel>(d.get(), "Image3"));
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->Picture().toImage().pixelColor(5, 5), QColor(Qt::red));
}
