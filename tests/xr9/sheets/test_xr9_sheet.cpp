// The measurement sheet: its rules through the plain sheet and the form's handlers, the close
// question, CSV saving, and the grid's model on a very large file.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "AppServices.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg.h"
#include "FileDialogs.h"
#include "FileSizeLimit.h"
#include "SaveLimits.h"
#include "HostForm.h"
#include "Xr9CellTyping.h"
#include "Xr9DlFixture.h"
#include "Xr9Equip.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

class Sheet : public ::testing::Test {
 protected:
  void Load(const img::DataLog& d, const char* name = "FILE.DL") {
    const auto image = img::DataLogFile(d);
    ASSERT_GE(ctl.store.DecodeDataLogFile(image.data(), image.size(), name), 0);
  }
  // The form on slot 0, as View opens it.
  std::unique_ptr<TDataLoggerSheetDlg> Form() {
    auto f = std::make_unique<TDataLoggerSheetDlg>(nullptr, ctl, equip);
    EXPECT_TRUE(f->Init());
    f->ShowFile(0);
    return f;
  }
  template <class T>
  static T* Get(QWidget* d, const QString& name) {
    T* w = d->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  TDataLogTestPoint& Point(int t) { return (*ctl.store.File(0).testPoints)[size_t(t)]; }

  cv::RecordingPrompter prompter;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  QStringList memo;
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo << QString::fromStdString(l); }};
};

}  // namespace

TEST_F(Sheet, GeometryAndTheControlsOfVisibleRowsAndColumns) {
  struct Row {
    int channels, points, width, height;
  } rows[] = {{3, 4, 409, 257}, {6, 12, 427, 275}, {5, 11, 409, 257}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.channels << "x" << r.points);
    ctl.store.FreeAllDataLogFiles();
    Load(xr9test::DlGrid(r.channels, r.points, {0, 4}));
    auto f = Form();
    auto* grid = Get<QTableView>(f.get(), "MeasStringGrid");
    EXPECT_EQ(grid->width(), r.width);
    EXPECT_EQ(grid->height(), r.height);
    EXPECT_EQ(grid->model()->columnCount(), r.channels);
    EXPECT_EQ(grid->model()->rowCount(), r.points);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(Get<QComboBox>(f.get(), QString("Chan%1ComboBox").arg(i))->count(), i < r.channels ? 2 : 0) << i;
    for (int i = 0; i < 11; ++i) {
      EXPECT_EQ(Get<QComboBox>(f.get(), QString("PM%1AttComboBox").arg(i))->currentIndex(), 4) << i;
      EXPECT_EQ(Get<QComboBox>(f.get(), QString("PM%1BranchComboBox").arg(i))->currentIndex(), -1) << i;
    }
    // Header columns beyond the last channel are blank whatever they showed.
    auto* header = Get<QTableWidget>(f.get(), "ChannelHeaderStringGrid");
    header->item(0, 4)->setText("old");
    f->ShowChannelControls(0, 0);
    // (with a fifth channel the text typed there became its broadcast name)
    EXPECT_EQ(header->item(0, 4)->text(), r.channels > 4 ? "old" : "");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "      C0");
    EXPECT_EQ(grid->model()->data(grid->model()->index(1, 0)).toString(), " 50.1 dBuV");
  }
}

// Each role name fits its combo in this platform's font, and the branch column, the channel
// header and the grid stand clear of the role column and inside the form.
TEST_F(Sheet, RoleCombosShowTheirWholeNames) {
  Load(xr9test::DlGrid(5, 11, {0, 4}));
  auto f = Form();
  auto* role = Get<QComboBox>(f.get(), "PM0AttComboBox");
  QStyleOptionComboBox opt;
  opt.initFrom(role);
  const QRect field = role->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, role);
  for (int i = 0; i < role->count(); ++i)
    EXPECT_LE(role->fontMetrics().horizontalAdvance(role->itemText(i)), field.width()) << role->itemText(i).toStdString();
  const int roleRight = role->geometry().right();
  for (const char* name : {"PM0BranchComboBox", "Label5"})
    EXPECT_GT(Get<QWidget>(f.get(), name)->x(), roleRight) << name;
  for (const char* name : {"MeasStringGrid", "ChannelHeaderStringGrid", "Chan0ComboBox"}) {
    QWidget* w = Get<QWidget>(f.get(), name);
    EXPECT_GT(w->x(), Get<QWidget>(f.get(), "PM0BranchComboBox")->geometry().right()) << name;
    EXPECT_LE(w->geometry().right(), f->width()) << name;
  }
}

TEST_F(Sheet, BlockSwitchesEveryChannelThatMeasuredTheCode) {
  img::DataLog d = xr9test::DlGrid(4, 2, {0});
  d.channels = {{{0, 4}}, {{0, 2}}, {{4, 0}}, {{}}};
  for (auto& tp : d.testPoints) tp.values.assign(6, img::MeasValue(0, 100));
  Load(d);
  auto f = Form();
  MeasSheet& s = f->Sheet();
  auto sel = [&] { return std::vector<int>{s.SelectedMeasIndex(0, 0), s.SelectedMeasIndex(0, 1), s.SelectedMeasIndex(0, 2),
                                           s.SelectedMeasIndex(0, 3)}; };
  s.ChooseMeas(2, 1, false);
  EXPECT_EQ(sel(), std::vector<int>({0, 0, 1, 0}));
  // "MER" over column 0, Block ticked (as the form starts).
  auto* chan0 = Get<QComboBox>(f.get(), "Chan0ComboBox");
  ASSERT_EQ(chan0->itemText(1), "MER");
  chan0->setCurrentIndex(1);
  f->ChanComboBoxChange(0);
  EXPECT_EQ(sel(), std::vector<int>({1, 0, 0, 0}));
  Get<QCheckBox>(f.get(), "BlockSelMeasCheckBox")->setChecked(false);
  chan0->setCurrentIndex(0);
  f->ChanComboBoxChange(0);
  EXPECT_EQ(sel(), std::vector<int>({0, 0, 0, 0}));
  // The channel without measurements shows nothing (index 0 names none).
  EXPECT_EQ(s.CellText(0, 3), "");
  EXPECT_EQ(Get<QComboBox>(f.get(), "Chan3ComboBox")->count(), 0);
}

TEST_F(Sheet, RolesBranchesAndTheSatIfRefusal) {
  Load(xr9test::DlGrid(2, 3, {0}, 5));
  auto f = Form();
  auto* role0 = Get<QComboBox>(f.get(), "PM0AttComboBox");
  auto* branch0 = Get<QComboBox>(f.get(), "PM0BranchComboBox");
  branch0->setCurrentIndex(3);
  f->PMBranchComboBoxChange(0);
  EXPECT_EQ(Point(0).branch, 3);
  role0->setCurrentIndex(2);  // "Input headend"
  f->PMAttComboBoxChange(0);
  EXPECT_EQ(Point(0).pointType, 2);
  EXPECT_EQ(Point(0).branch, -1);
  EXPECT_FALSE(branch0->isEnabled());
  EXPECT_EQ(branch0->currentIndex(), -1);
  role0->setCurrentIndex(0);
  f->PMAttComboBoxChange(0);
  EXPECT_TRUE(branch0->isEnabled());
  EXPECT_EQ(branch0->currentIndex(), -1);
  // The Delete key clears role and branch.
  branch0->setCurrentIndex(1);
  f->PMBranchComboBoxChange(0);
  QTest::keyClick(branch0, Qt::Key_Delete);
  EXPECT_EQ(Point(0).branch, -1);
  EXPECT_EQ(branch0->currentIndex(), -1);
  QTest::keyClick(role0, Qt::Key_Delete);
  EXPECT_EQ(Point(0).pointType, 4);
  EXPECT_EQ(role0->currentIndex(), 4);
  // A row without a test point refuses silently.
  auto* role5 = Get<QComboBox>(f.get(), "PM5AttComboBox");
  role5->setCurrentIndex(1);
  f->PMAttComboBoxChange(5);
  EXPECT_EQ(role5->currentIndex(), -1);
  EXPECT_TRUE(prompter.shown.empty());
  // In a SAT IF test neither head-end role is taken.
  f->Sheet().SetSatIfTest(true);
  for (int item : {2, 3}) {
    role0->setCurrentIndex(item);
    f->PMAttComboBoxChange(0);
    EXPECT_EQ(Point(0).pointType, 4);
    EXPECT_EQ(role0->currentIndex(), -1);
  }
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, "Input Headend is not allowed in a SAT IF test.");
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Error);
  // The check box is there only for kinds 0 and 2 on a satellite file: kind -1 hides it.
  EXPECT_FALSE(f->Sheet().IsSatIfTest());
  EXPECT_EQ(f->Sheet().BandText(), "SATELLITE");
}

TEST_F(Sheet, NamesAreCutAndStoredAsWindows1252) {
  Load(xr9test::DlGrid(3, 2));
  auto f = Form();
  auto* header = Get<QTableWidget>(f.get(), "ChannelHeaderStringGrid");
  header->item(0, 1)->setText(QString::fromUtf8("Canal Ñ 12345678901234567"));  // 25 characters
  EXPECT_EQ(ctl.store.File(0).channels[1].serviceName, "Canal \xD1 123456789012");
  auto* points = Get<QTableWidget>(f.get(), "TPHeaderStringGrid");
  points->item(1, 0)->setText("TWENTY_CHARACTERS_XX");
  EXPECT_EQ(Point(1).name, "TWENTY_CHARACTER");
  EXPECT_EQ(points->item(1, 0)->text(), "TWENTY_CHARACTER");
  EXPECT_TRUE(f->Sheet().modified);
}

TEST_F(Sheet, OnlyShownInEitherGroupWritesTheSelectedCsv) {
  QTemporaryDir dir;
  Load(xr9test::DlFixture(), "MADRID01.DL");
  for (const char* group : {"SelectedMeasCSVRadioGroup", "SelectedMeasReportRadioGroup"}) {
    SCOPED_TRACE(group);
    auto f = Form();
    Get<QRadioButton>(f.get(), QString(group) + "Shown")->click();
    EXPECT_FALSE(f->Sheet().AllMeasurements());
    cv::RecordingFileChooser chooser;
    chooser.saveAnswers = {dir.filePath("out.csv")};
    memo.clear();
    prompter.shown.clear();
    f->SaveCSVBtnClick();
    ASSERT_EQ(chooser.saves.size(), 1u);
    EXPECT_TRUE(chooser.saves[0].overwritePrompt);
    EXPECT_EQ(chooser.saves[0].defaultExt, "csv");
    QFile out(dir.filePath("out.csv"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray text = out.readAll();
    EXPECT_TRUE(text.contains("CONFIGURATION;CHANNEL;FREQ;MEAS;")) << text.constData();
    EXPECT_EQ(memo, QStringList({"Creating CSV file", "Saving CSV file with selected measurements", "CSV file saved"}));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The CSV file was saved successfully :\n" + dir.filePath("out.csv"));
    EXPECT_TRUE(Get<QWidget>(f.get(), "SaveCSVBtn")->isEnabled());
  }
}

TEST_F(Sheet, CsvSaveWritesTheWholeFileOrKeepsTheOldOne) {
  QTemporaryDir dir;
  Load(xr9test::DlFixture());
  auto f = Form();
  const std::string path = dir.filePath("all.csv").toStdString();
  cvtest::ExpectWholeOrOldFile(path, [&] { return f->Sheet().SaveCsv(path); });
}

TEST_F(Sheet, AFailedCsvWriteIsToldAndKeepsTheOldFile) {
  QTemporaryDir dir;
  Load(xr9test::DlFixture());
  const QString path = dir.filePath("keep.csv");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents\n");
  }
  auto f = Form();
  bool saved = true;
  {
    cvtest::FileSizeLimit limit(64);
    saved = f->Sheet().SaveCsv(path.toStdString());
  }
  EXPECT_FALSE(saved);
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "old contents\n");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].caption, "Error");
  EXPECT_TRUE(prompter.shown[0].text.startsWith("The CSV file keep.csv could not be saved")) << prompter.shown[0].text.toStdString();
  EXPECT_FALSE(memo.contains("CSV file saved"));
  // With no earlier file, nothing is left at all.
  prompter.shown.clear();
  {
    cvtest::FileSizeLimit limit(64);
    saved = f->Sheet().SaveCsv(dir.filePath("new.csv").toStdString());
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.csv"});
  // A file that cannot be created.
  prompter.shown.clear();
  EXPECT_FALSE(f->Sheet().SaveCsv(dir.filePath("none/x.csv").toStdString()));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, "Couldn't create file x.csv");
  EXPECT_TRUE(memo.contains("Couldn't create file x.csv"));
}

// A CSV cut short by an empty entry of the plan's channel list (both boxes tell it) is written
// where no file stood, and leaves an earlier whole file as it was.
TEST_F(Sheet, ACsvCutShortKeepsAnEarlierFile) {
  Load(xr9test::DlFixture());
  ctl.store.File(0).plan->ChannelCount += 1;  // one entry more than the list holds
  for (bool earlier : {false, true}) {
    SCOPED_TRACE(earlier ? "an earlier file" : "no earlier file");
    QTemporaryDir dir;
    const QString path = dir.filePath("cut.csv");
    const QByteArray old = "## DataLogger generated by CvTools. 1/2/2026\n...\n## End of file\n";
    if (earlier) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(old);
    }
    auto f = Form();
    cv::RecordingFileChooser chooser;
    chooser.saveAnswers = {path};
    memo.clear();
    prompter.shown.clear();
    f->SaveCSVBtnClick();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Empty channel list found");
    EXPECT_EQ(prompter.shown[1].text.trimmed(), "Couldn't generate CSV file");
    EXPECT_FALSE(memo.contains("CSV file saved"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray text = out.readAll();
    if (earlier) {
      EXPECT_EQ(text, old);
    } else {
      EXPECT_TRUE(text.contains("CONFIGURATION;CHANNEL;MEAS;")) << text.constData();
      EXPECT_FALSE(text.contains("End of file"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cut.csv"});
  }
}

TEST_F(Sheet, ClosingAfterAnEditAsks) {
  Load(xr9test::DlGrid(2, 2));
  struct Row {
    const char* name;
    std::function<void(TDataLoggerSheetDlg&)> close;
  } rows[] = {{"button", [](TDataLoggerSheetDlg& f) { f.CloseBtnClick(); }},
              {"close box", [](TDataLoggerSheetDlg& f) { f.close(); }},
              {"escape", [](TDataLoggerSheetDlg& f) { QTest::keyClick(&f, Qt::Key_Escape); }}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto f = Form();
    f->show();
    // Unmodified: closes without a question.
    r.close(*f);
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(prompter.shown.empty());
    f->show();
    f->Sheet().StoreTestPointName(0, "X");
    prompter.answers = {cv::MsgAnswer::No, cv::MsgAnswer::Cancel, cv::MsgAnswer::Yes};
    r.close(*f);
    EXPECT_TRUE(f->isVisible());
    r.close(*f);
    EXPECT_TRUE(f->isVisible());
    r.close(*f);
    EXPECT_FALSE(f->isVisible());
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].text, "The data in the DataLogger Viewer will be reset.\nDo you wish to continue?");
    EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo | cv::MsgCancel);
    prompter.shown.clear();
  }
}

// A name typed in its cell and not left: Esc and the close box store it first, then ask.
TEST_F(Sheet, EscAndTheCloseBoxReadTheNameBeingTyped) {
  Load(xr9test::DlGrid(2, 2));
  struct Cell {
    const char* grid;
    int row, column;
    std::function<std::string()> stored;
  } cells[] = {
      {"TPHeaderStringGrid", 1, 0, [this] { return Point(1).name; }},
      {"ChannelHeaderStringGrid", 0, 1, [this] { return ctl.store.File(0).channels[1].serviceName; }},
  };
  for (const Cell& c : cells) {
    for (xr9test::LeaveBy how : {xr9test::LeaveBy::Esc, xr9test::LeaveBy::CloseBox}) {
      SCOPED_TRACE(std::string(c.grid) + (how == xr9test::LeaveBy::Esc ? " Esc" : " close box"));
      auto f = Form();
      f->show();
      QApplication::setActiveWindow(f.get());
      ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
      // The store outlives the form: each way types a name of its own.
      const std::string typed = how == xr9test::LeaveBy::Esc ? "BY ESC" : "BY BOX";
      QLineEdit* editor = xr9test::TypeInCell(*Get<QTableWidget>(f.get(), c.grid), c.row, c.column, QString::fromStdString(typed));
      ASSERT_NO_FATAL_FAILURE(xr9test::LeaveAndCancel(*f, editor, how, prompter));
      EXPECT_EQ(c.stored(), typed);
      xr9test::CloseAnsweringYes(*f, prompter);
    }
  }
}

TEST_F(Sheet, TheModelMakesOnlyTheCellsItShows) {
  Load(xr9test::DlGrid(1000, 5000));
  auto f = Form();
  f->show();
  QApplication::processEvents();
  auto* grid = Get<QTableView>(f.get(), "MeasStringGrid");
  EXPECT_EQ(grid->model()->columnCount(), 1000);
  EXPECT_EQ(grid->model()->rowCount(), 5000);
  EXPECT_GT(f->Model().cellsMade, 0);
  EXPECT_LT(f->Model().cellsMade, 5000);
  EXPECT_EQ(Get<QTableWidget>(f.get(), "TPHeaderStringGrid")->rowCount(), 5000);
  // Scrolling moves the row controls and the names with the grid.
  Point(4000).pointType = 1;
  grid->scrollTo(grid->model()->index(4000, 700), QAbstractItemView::PositionAtTop);
  QApplication::processEvents();
  EXPECT_EQ(f->TopRow() - 1, 4000);
  EXPECT_EQ(Get<QComboBox>(f.get(), "PM0AttComboBox")->currentIndex(), 1);
  EXPECT_EQ(Get<QComboBox>(f.get(), "Chan0ComboBox")->count(), 1);
  EXPECT_LT(f->Model().cellsMade, 10000);
}
