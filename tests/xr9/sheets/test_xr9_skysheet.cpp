// The SKY certificate sheet: its grids read through their models as tables, the row order, types,
// flat numbers, offsets, services and their check before a certificate, and, on screen, dragging
// a row by its handle and the colours of a marked value.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "AppServices.h"
#include "DataLoggerCtl.h"
#include "DataLoggerSheetDlg_Sky.h"
#include "FileDialogs.h"
#include "HostForm.h"
#include "Xr9CellTyping.h"
#include "Xr9DlFixture.h"
#include "SkyLimits.h"
#include "Xr9Equip.h"

using namespace cv::xr9;
namespace img = cvsim::xr9img;

namespace {

class SkySheetTest : public ::testing::Test {
 protected:
  SkySheetTest() {
    ctl.reportsEnabled = true;
    ctl.chosenKind = 3;
  }
  ~SkySheetTest() override { ctl.skySheet = nullptr; }

  void Load(const img::DataLog& d, const char* name) {
    const auto image = img::DataLogFile(d);
    ASSERT_GE(ctl.store.DecodeDataLogFile(image.data(), image.size(), name), 0);
  }
  // A terrestrial file of `ter` test points in slot 0 and a satellite one of `sat` in slot 1.
  void LoadPair(int ter, int sat, int terChannels = 3) {
    Load(xr9test::DlGrid(terChannels, ter, {0}, 7), "TER.DL");
    img::DataLog s = xr9test::DlGrid(2, sat, {0}, 5);
    for (size_t t = 0; t < s.testPoints.size(); ++t) {
      s.testPoints[t].name = "S" + std::to_string(t);
      s.testPoints[t].values.assign(2, img::MeasValue(0, 700 + int(t)));
    }
    Load(s, "SAT.DL");
  }
  // The form as View opens it for kind 3.
  std::unique_ptr<TDataLoggerSheetDlg_Sky> Form() {
    auto f = std::make_unique<TDataLoggerSheetDlg_Sky>(nullptr, ctl, equip);
    EXPECT_TRUE(f->Init());
    ctl.skySheet = &f->Sheet();
    f->ShowTerFile(0);
    f->ShowSatFile(0);
    return f;
  }
  template <class T>
  static T* Get(QWidget* d, const QString& name) {
    T* w = d->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  // A model as the grid shows it: row 0 the channel names, then one line per row, cells by "|".
  static QStringList Table(QAbstractItemModel* model) {
    QStringList lines, header;
    for (int c = 0; c < model->columnCount(); ++c) header << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join('|');
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < model->columnCount(); ++c) cells << model->data(model->index(r, c)).toString();
      lines << cells.join('|');
    }
    return lines;
  }
  static QStringList Column(QTableWidget* grid) {
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r) out << (grid->item(r, 0) ? grid->item(r, 0)->text() : QString());
    return out;
  }
  std::vector<int> Types(int slot) {
    std::vector<int> out;
    for (const TDataLogTestPoint& tp : *ctl.store.File(slot).testPoints) out.push_back(tp.pointType);
    return out;
  }
  std::vector<int> Combos(QWidget* f) {
    std::vector<int> out;
    for (int i = 0; i < 11; ++i) out.push_back(Get<QComboBox>(f, QString("PM%1AttComboBox").arg(i))->currentIndex());
    return out;
  }

  cv::RecordingPrompter prompter;
  HostForm host;
  TXR9Equip equip{&host.form, nullptr};
  QStringList memo;
  DataLoggerCtl ctl{equip, [this](const std::string& l) { memo << QString::fromStdString(l); }};
};

const QString kH = QString::fromUtf8("\xC2\xBB");

}  // namespace

TEST_F(SkySheetTest, FilesOfEightAndTwelvePointsGiveThirteenRowsEach) {
  LoadPair(8, 12);
  auto f = Form();
  auto* terGrid = Get<QTableView>(f.get(), "MeasTerStringGrid");
  auto* satGrid = Get<QTableView>(f.get(), "MeasSatStringGrid");
  const QStringList ter = Table(terGrid->model());
  const QStringList sat = Table(satGrid->model());
  ASSERT_EQ(ter.size(), 13);
  ASSERT_EQ(sat.size(), 13);
  EXPECT_EQ(ter[0], "|      C0|      C1|      C2");
  EXPECT_EQ(ter[1], kH + "| 50.0| 50.0| 50.0");
  EXPECT_EQ(ter[8], kH + "| 50.7| 50.7| 50.7");
  for (int r = 9; r <= 12; ++r) EXPECT_EQ(ter[r], "|||") << r;  // no handle, no values
  EXPECT_EQ(sat[12], kH + "| 71.1| 71.1");
  // Both grids are 309 wide (13 rows need the scroll bar), 257 high (up to five channels).
  for (QTableView* g : {terGrid, satGrid}) {
    EXPECT_EQ(g->width(), 309);
    EXPECT_EQ(g->height(), 257);
  }
  // The file combos map their items to the slots of their plan type.
  EXPECT_EQ(Get<QComboBox>(f.get(), "DLTerComboBox")->itemText(0), "TER.DL");
  EXPECT_EQ(Get<QComboBox>(f.get(), "DLSatComboBox")->count(), 1);
  EXPECT_EQ(f->Sheet().TerSlots()[0], 0);
  EXPECT_EQ(f->Sheet().TerSlots()[1], -1);
  EXPECT_EQ(f->Sheet().SatSlots()[0], 1);
  int t = 9, s = 9;
  f->Sheet().SelectedSlots(t, s);
  EXPECT_EQ(t, 0);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(Column(Get<QTableWidget>(f.get(), "TPHeaderTerStringGrid")),
            QStringList({"TP0", "TP1", "TP2", "TP3", "TP4", "TP5", "TP6", "TP7"}));
  // Scrolling one grid scrolls the other, so rows of equal number stay side by side.
  f->show();
  satGrid->verticalScrollBar()->setValue(1);  // eleven rows are visible
  EXPECT_EQ(terGrid->verticalScrollBar()->value(), 1);
  EXPECT_EQ(Column(Get<QTableWidget>(f.get(), "TPHeaderSatStringGrid"))[10], "S11");
  EXPECT_EQ(Column(Get<QTableWidget>(f.get(), "TPHeaderTerStringGrid")),
            QStringList({"TP1", "TP2", "TP3", "TP4", "TP5", "TP6", "TP7", ""}));
}

TEST_F(SkySheetTest, MovingRowThreeToRowOneReordersTheRowsAndClearsEveryType) {
  LoadPair(8, 12);
  auto f = Form();
  // Types on rows of both files first.
  for (int tag : {0, 2, 9}) {
    auto* c = Get<QComboBox>(f.get(), QString("PM%1AttComboBox").arg(tag));
    c->setCurrentIndex(tag == 2 ? 1 : 0);
    f->PMAttComboBoxChange(tag);
  }
  EXPECT_EQ(Types(0), std::vector<int>({0, -1, 1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(Types(1), std::vector<int>({0, -1, 1, -1, -1, -1, -1, -1, -1, 0, -1, -1}));
  f->MeasTerStringGridRowMoved(3, 1);
  const QStringList ter = Table(Get<QTableView>(f.get(), "MeasTerStringGrid")->model());
  EXPECT_EQ(ter.mid(1, 4), QStringList({kH + "| 50.2| 50.2| 50.2", kH + "| 50.0| 50.0| 50.0", kH + "| 50.1| 50.1| 50.1",
                                        kH + "| 50.3| 50.3| 50.3"}));
  EXPECT_EQ(Column(Get<QTableWidget>(f.get(), "TPHeaderTerStringGrid")).mid(0, 4), QStringList({"TP2", "TP0", "TP1", "TP3"}));
  // The satellite rows stay; every type of both files is cleared, and so are the combos.
  EXPECT_EQ(Table(Get<QTableView>(f.get(), "MeasSatStringGrid")->model())[1], kH + "| 70.0| 70.0");
  EXPECT_EQ(Types(0), std::vector<int>(8, -1));
  EXPECT_EQ(Types(1), std::vector<int>(12, -1));
  EXPECT_EQ(Combos(f.get()), std::vector<int>(11, -1));
  EXPECT_EQ(f->Sheet().TestPointAtRow(0, 0), 2);
  EXPECT_EQ(f->Sheet().RowOfTestPoint(0, 0), 1);
  EXPECT_EQ(f->Sheet().RowOfTestPoint(0, 8), -1);
  EXPECT_EQ(f->Sheet().TestPointAtRow(0, 8), -1);
  EXPECT_EQ(f->Sheet().TestPointAtRow(1, 0), 0);
  // Rows beyond the file, row 0 and a move onto itself move nothing; the last row does.
  SkySheet& s = f->Sheet();
  EXPECT_FALSE(s.MoveRow(SkySide::Ter, 9, 1));
  EXPECT_FALSE(s.MoveRow(SkySide::Ter, 1, 9));
  EXPECT_FALSE(s.MoveRow(SkySide::Ter, 0, 2));
  EXPECT_FALSE(s.MoveRow(SkySide::Ter, 2, 2));
  EXPECT_TRUE(s.MoveRow(SkySide::Ter, 8, 1));
  EXPECT_EQ(s.TestPointAtRow(0, 0), 7);
  EXPECT_TRUE(s.MoveRow(SkySide::Sat, 1, 12));
  EXPECT_EQ(s.TestPointAtRow(1, 11), 0);
  EXPECT_EQ(s.TestPointAtRow(1, 0), 1);
}

TEST_F(SkySheetTest, TypesGoToTheRowOfEqualNumberInBothFiles) {
  LoadPair(8, 12);
  auto f = Form();
  auto* row9 = Get<QComboBox>(f.get(), "PM9AttComboBox");
  row9->setCurrentIndex(2);  // "Launch": only the satellite file has a row 10
  f->PMAttComboBoxChange(9);
  EXPECT_EQ(row9->currentIndex(), 2);
  EXPECT_EQ(Types(1)[9], 2);
  EXPECT_EQ(Types(0), std::vector<int>(8, -1));
  QTest::keyClick(row9, Qt::Key_Delete);
  EXPECT_EQ(Types(1)[9], -1);
  EXPECT_EQ(row9->currentIndex(), -1);
  // Without a row in either file the combo refuses silently.
  ctl.store.FreeAllDataLogFiles();
  LoadPair(2, 3);
  auto g = Form();
  auto* row5 = Get<QComboBox>(g.get(), "PM5AttComboBox");
  row5->setCurrentIndex(0);
  g->PMAttComboBoxChange(5);
  EXPECT_EQ(row5->currentIndex(), -1);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(Get<QComboBox>(g.get(), "PM0AttComboBox")->itemText(1), "Off Air");
}

// Each value shows in its own test point's level unit, and every type of the list (Off Air,
// Launch and the third) comes back to its row; a number beyond the list is no type.
TEST_F(SkySheetTest, ValuesInTheirPointsUnitAndEveryTypeOfTheList) {
  img::DataLog ter = xr9test::DlGrid(1, 4, {0}, 7);
  const uint8_t units[] = {1, 2, 3, 2};  // dBuV, dBmV, dBm, dBmV
  for (size_t t = 0; t < 4; ++t) {
    ter.testPoints[t].units = units[t];
    ter.testPoints[t].values = {img::MeasValue(0, 250)};
  }
  Load(ter, "TER.DL");
  Load(xr9test::DlGrid(1, 4, {0}, 5), "SAT.DL");
  auto f = Form();
  SkySheet& sheet = f->Sheet();
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(row);
    // The analyser measured in the point's unit: the value stands as it was taken.
    const std::string text = sheet.CellText(SkySide::Ter, row, 0);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(1), "25.0");
  }
  for (int type = 0; type <= 3; ++type) ASSERT_TRUE(sheet.SetType(SkySide::Ter, type, type));
  const auto shown = sheet.Types(SkySide::Ter, 0);
  ASSERT_TRUE(shown);
  EXPECT_EQ(std::vector<int>(shown->begin(), shown->begin() + 4), (std::vector<int>{0, 1, 2, SkySheet::kNoType}));
}

TEST_F(SkySheetTest, AFlatNumberEditedAfterAMoveReachesThePointShown) {
  LoadPair(8, 12);
  auto f = Form();
  f->MeasTerStringGridRowMoved(3, 1);
  auto* flats = Get<QTableWidget>(f.get(), "TPHeaderTerStringGrid");
  flats->item(0, 0)->setText("FLAT-12345678901234");  // 19 characters
  const auto& points = *ctl.store.File(0).testPoints;
  EXPECT_EQ(points[2].name, "FLAT-12345678901");
  EXPECT_EQ(points[0].name, "TP0");
  EXPECT_EQ(flats->item(0, 0)->text(), "FLAT-12345678901");
  EXPECT_TRUE(f->Sheet().modified);
  // Scrolled down, the rows of the flat-number grid are the rows shown.
  f->show();
  Get<QTableView>(f.get(), "MeasSatStringGrid")->verticalScrollBar()->setValue(1);
  flats->item(1, 0)->setText("F3");
  EXPECT_EQ(points[1].name, "F3");  // display row 2 shows test point 1 after the move
  EXPECT_EQ(points[0].name, "TP0");
}

TEST_F(SkySheetTest, OffsetsAreReadAsTenthsAndShownAgain) {
  LoadPair(2, 2);
  auto f = Form();
  struct Row {
    const char* typed;
    int tenths;
    const char* shown;
  } rows[] = {{"12.37", 123, "12.3"}, {"30", 0, "0.0"},      {"-1", 0, "0.0"},   {"29.99", 299, "29.9"},
              {"2.3", 23, "2.3"},     {" 1,5 ", 15, "1.5"},  {"abc", 0, "0.0"},  {"0", 0, "0.0"},
              {"", 0, "0.0"},         {"12.37xyz", 0, "0.0"}, {"0.05", 0, "0.0"}, {"nan", 0, "0.0"}};
  auto* edit = Get<QLineEdit>(f.get(), "OffsetOffAirTerEdit");
  EXPECT_EQ(edit->text(), "0");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    edit->setText(r.typed);
    f->OffsetOffAirTerEditExit();
    EXPECT_EQ(f->Sheet().OffsetValue(SkySheet::Offset::OffAirTer), r.tenths);
    EXPECT_EQ(edit->text(), r.shown);
  }
  // The four edits come back in the argument order of GetOffsets.
  const std::pair<const char*, const char*> edits[] = {
      {"OffsetOffAirTerEdit", "1"}, {"OffsetLaunchTerEdit", "2"}, {"OffsetLaunchSatEdit", "3"}, {"OffsetOffAirSatEdit", "4"}};
  for (const auto& [name, text] : edits) {
    auto* e = Get<QLineEdit>(f.get(), name);
    e->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(e, &out);
  }
  int a = 0, b = 0, c = 0, d = 0;
  f->Sheet().GetOffsets(a, b, c, d);
  EXPECT_EQ(std::vector<int>({a, b, c, d}), std::vector<int>({10, 20, 30, 40}));
}

// Another window taking the focus while an offset is half-typed is no exit from the field: nothing
// is stored or shown again until the user leaves it within the sheet.
TEST_F(SkySheetTest, AnotherWindowTakingTheFocusLeavesAHalfTypedOffsetAlone) {
  LoadPair(2, 2);
  auto f = Form();
  f->show();
  f->activateWindow();
  QTest::qWait(50);
  for (const char* name : {"OffsetOffAirTerEdit", "OffsetLaunchTerEdit", "OffsetOffAirSatEdit", "OffsetLaunchSatEdit"}) {
    SCOPED_TRACE(name);
    auto* edit = Get<QLineEdit>(f.get(), name);
    edit->setFocus(Qt::TabFocusReason);
    QTest::qWait(20);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->selectAll();
    QTest::keyClicks(edit, "1");  // on the way to 12.5
    int before[4];
    f->Sheet().GetOffsets(before[0], before[1], before[2], before[3]);

    QWidget other;
    other.show();
    other.activateWindow();
    QTest::qWait(50);
    ASSERT_NE(QApplication::activeWindow(), f.get());
    // A popup takes the focus the same way.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(edit, &popup);
    int after[4];
    f->Sheet().GetOffsets(after[0], after[1], after[2], after[3]);
    EXPECT_EQ(std::vector<int>(after, after + 4), std::vector<int>(before, before + 4)) << "the half-typed 1 was stored";
    EXPECT_EQ(edit->text(), "1") << "the field was shown again";

    f->activateWindow();
    QTest::qWait(50);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->end(false);
    QTest::keyClicks(edit, "2.5");
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->text(), "12.5");
    f->Sheet().GetOffsets(after[0], after[1], after[2], after[3]);
    EXPECT_EQ(std::count(after, after + 4, 125), std::count(before, before + 4, 125) + 1);
  }
}

TEST_F(SkySheetTest, TheServiceCheckWarnsThenRefusesServicesGivenTwice) {
  Load(xr9test::DlGrid(13, 2, {0}, 7), "TER.DL");
  // Services 1 to 13 but A3 (3), DAB (7) on two channels.
  const int services[13] = {1, 2, 7, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
  const QString warning = "Warning! Some services have not been assigned to any channel:\nA3 \n\n\nDo you want to continue?";
  const QString error = "Error! Some services have been assigned to more than one channel:\nDAB \n\n";
  struct Row {
    const char* name;
    bool dabTwice;
    cv::MsgAnswer answer;
    std::vector<QString> boxes;
    bool goesOn;
  } rows[] = {{"DAB twice, A3 none, Yes", true, cv::MsgAnswer::Yes, {warning, error}, false},
              {"DAB twice, A3 none, No", true, cv::MsgAnswer::No, {warning}, false},
              {"A3 none, Yes", false, cv::MsgAnswer::Yes, {warning}, true},
              {"A3 none, No", false, cv::MsgAnswer::No, {warning}, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    auto f = Form();
    for (int c = 0; c < 13; ++c) {
      const int service = !r.dabTwice && c == 2 ? 0 : services[c];
      ASSERT_TRUE(f->Sheet().SetService(SkySide::Ter, c, service));
    }
    // An Off Air point and a flat, so the certificate's own data check lets it go on.
    ASSERT_TRUE(f->Sheet().SetType(SkySide::Ter, 0, 1));
    ASSERT_TRUE(f->Sheet().SetType(SkySide::Ter, 1, 0));
    uint8_t count = 0;
    EXPECT_EQ(f->Sheet().FindService(0, 7, count), r.dabTwice ? 2 : 6);
    EXPECT_EQ(count, r.dabTwice ? 2 : 1);
    cv::RecordingFileChooser chooser;
    prompter.shown.clear();
    prompter.answers = {r.answer};
    Get<QPushButton>(f.get(), "ReportsBtn")->click();
    ASSERT_EQ(prompter.shown.size(), r.boxes.size());
    for (size_t i = 0; i < r.boxes.size(); ++i) EXPECT_EQ(prompter.shown[i].text, r.boxes[i]) << i;
    EXPECT_EQ(prompter.shown[0].caption, "WARNING:");
    EXPECT_EQ(prompter.shown[0].buttons, cv::MsgYes | cv::MsgNo);
    EXPECT_EQ(prompter.shown[0].icon, cv::MsgIcon::Information);
    if (r.boxes.size() > 1) {
      EXPECT_EQ(prompter.shown[1].caption, "Error");
      EXPECT_EQ(prompter.shown[1].icon, cv::MsgIcon::Error);
    }
    // Going on reaches the report's save dialog (cancelled here).
    EXPECT_EQ(chooser.saves.size(), r.goesOn ? 1u : 0u);
    if (r.goesOn) {
      EXPECT_EQ(chooser.saves[0].defaultExt, "htm");
    }
    EXPECT_TRUE(Get<QPushButton>(f.get(), "ReportsBtn")->isEnabled());
  }
  // Every service on one channel: no box at all.
  auto f = Form();
  for (int c = 0; c < 13; ++c) f->Sheet().SetService(SkySide::Ter, c, c + 1);
  prompter.shown.clear();
  EXPECT_TRUE(f->Sheet().CheckServices(0));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(f->Sheet().CheckServices(-1));
  EXPECT_FALSE(f->Sheet().CheckServices(200));
}

TEST_F(SkySheetTest, ServiceCombosOfColumnsWithoutAChannelKeepTheirItems) {
  LoadPair(2, 2, 3);
  auto f = Form();
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    auto* service = Get<QComboBox>(f.get(), QString("ServiceTer%1ComboBox").arg(i));
    EXPECT_EQ(service->count(), 14);
    EXPECT_EQ(service->currentIndex(), i < 3 ? 0 : -1);
    auto* sat = Get<QComboBox>(f.get(), QString("ServiceSat%1ComboBox").arg(i));
    EXPECT_EQ(sat->count(), 1);
    EXPECT_FALSE(sat->isEnabled());
    EXPECT_EQ(Get<QComboBox>(f.get(), QString("ChanTer%1ComboBox").arg(i))->count(), i < 3 ? 1 : 0);
  }
  // A service chosen over a column reaches its channel; over a column without one it is refused.
  auto* s1 = Get<QComboBox>(f.get(), "ServiceTer1ComboBox");
  s1->setCurrentIndex(7);
  f->ServiceTer0ComboBoxChange(1);
  EXPECT_TRUE(f->Sheet().HasService(0, 1, kSkyServiceDab));
  EXPECT_EQ(s1->currentIndex(), 7);
  auto* s4 = Get<QComboBox>(f.get(), "ServiceTer4ComboBox");
  s4->setCurrentIndex(3);
  f->ServiceTer0ComboBoxChange(4);
  EXPECT_EQ(s4->currentIndex(), -1);
  EXPECT_EQ(s4->count(), 14);
  // A later file of five channels finds the lists there.
  ctl.store.FreeAllDataLogFiles();
  LoadPair(2, 2, 6);
  auto g = Form();
  EXPECT_EQ(Get<QComboBox>(g.get(), "ServiceTer4ComboBox")->count(), 14);
  EXPECT_EQ(Get<QComboBox>(g.get(), "ServiceTer4ComboBox")->currentIndex(), 0);
  // Scrolled one column right, the combos serve channels 1 to 5.
  g->Sheet().SetService(SkySide::Ter, 5, 9);
  g->show();
  Get<QTableView>(g.get(), "MeasTerStringGrid")->horizontalScrollBar()->setValue(1);
  EXPECT_EQ(g->LeftCol(SkySide::Ter), 2);
  EXPECT_EQ(Get<QComboBox>(g.get(), "ServiceTer4ComboBox")->currentIndex(), 9);
  auto* s0 = Get<QComboBox>(g.get(), "ServiceTer0ComboBox");
  s0->setCurrentIndex(2);
  g->ServiceTer0ComboBoxChange(0);
  EXPECT_TRUE(g->Sheet().HasService(0, 1, 2));
  EXPECT_FALSE(g->Sheet().HasService(0, 0, 2));
}

TEST_F(SkySheetTest, TheseBoxesChooseTheFlatNumbersOfTheirGrid) {
  LoadPair(2, 2);
  auto f = Form();
  auto* ter = Get<QCheckBox>(f.get(), "FlatNumbersTerCheckBox");
  auto* sat = Get<QCheckBox>(f.get(), "FlatNumbersSatCheckBox");
  EXPECT_TRUE(ter->isChecked());
  EXPECT_FALSE(sat->isChecked());
  EXPECT_EQ(f->Sheet().FlatNumbersSource(), 7);
  sat->click();
  EXPECT_FALSE(ter->isChecked());
  EXPECT_EQ(f->Sheet().FlatNumbersSource(), 5);
  ter->click();
  EXPECT_FALSE(sat->isChecked());
  EXPECT_EQ(f->Sheet().FlatNumbersSource(), 7);
  ter->click();  // both unticked
  EXPECT_FALSE(ter->isChecked());
  EXPECT_FALSE(sat->isChecked());
  EXPECT_EQ(f->Sheet().FlatNumbersSource(), 7);
}

TEST_F(SkySheetTest, WhatTheReportAndTheCsvAsk) {
  img::DataLog d = xr9test::DlGrid(2, 2, {0, 4}, 7);
  Load(d, "TER.DL");
  auto f = Form();
  SkySheet& s = f->Sheet();
  s.ChooseMeas(SkySide::Ter, 1, 1, false);
  EXPECT_EQ(ctl.SelectedMeasIndex(0, 1), 1);  // the CSV writers ask through the dialog
  EXPECT_EQ(ctl.SelectedMeasIndex(0, 0), 0);
  ctl.chosenKind = 5;
  EXPECT_EQ(ctl.SelectedMeasIndex(0, 1), 0);
  int t = 9, sat = 9;
  s.SelectedSlots(t, sat);
  EXPECT_EQ(sat, -1);
  uint8_t count = 9;
  EXPECT_EQ(s.FindService(0, 3, count), -1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(s.FindService(-1, 0, count), -1);
  EXPECT_EQ(s.FindService(0, 0, count), 0);  // both channels without a service
  EXPECT_EQ(count, 2);
  s.SetInfoText(12, std::string(50, 'x'));
  s.SetInfoText(13, "ignored");
  EXPECT_EQ(s.GetInfoText(12, 40), std::string(40, 'x'));
  EXPECT_EQ(s.GetInfoText(1, 40), "");
  EXPECT_EQ(s.GetInfoText(0, 40), "");
}

TEST_F(SkySheetTest, SaveToCsvWritesTheFileChosenInWhichFile) {
  QTemporaryDir dir;
  LoadPair(2, 3);
  auto f = Form();
  cv::RecordingFileChooser chooser;
  chooser.saveAnswers = {dir.filePath("ter.csv"), dir.filePath("sat.csv")};
  f->SaveCSVBtnClick();
  Get<QRadioButton>(f.get(), "SaveCSVRadioGroupSat")->click();
  Get<QRadioButton>(f.get(), "SelectedMeasCSVRadioGroupShown")->click();
  f->SaveCSVBtnClick();
  ASSERT_EQ(chooser.saves.size(), 2u);
  EXPECT_EQ(chooser.saves[1].defaultExt, "csv");
  EXPECT_TRUE(chooser.saves[1].overwritePrompt);
  auto read = [&](const char* name) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
  };
  const QByteArray ter = read("ter.csv"), sat = read("sat.csv");
  EXPECT_TRUE(ter.contains("50")) << ter.constData();
  EXPECT_FALSE(ter.contains("70")) << ter.constData();
  EXPECT_TRUE(sat.contains("70")) << sat.constData();
  EXPECT_FALSE(sat.contains("50")) << sat.constData();
  EXPECT_EQ(memo.mid(memo.size() - 3), QStringList({"Creating CSV file", "Saving CSV file with selected measurements", "CSV file saved"}));
  EXPECT_TRUE(Get<QPushButton>(f.get(), "SaveCSVBtn")->isEnabled());
}

TEST_F(SkySheetTest, TheCloseBoxAsksAsTheCloseButtonDoes) {
  LoadPair(2, 2);
  auto f = Form();
  f->show();
  f->Sheet().StoreFlatNumber(SkySide::Ter, 0, "X");
  prompter.answers = {cv::MsgAnswer::No, cv::MsgAnswer::Yes};
  f->close();
  EXPECT_TRUE(f->isVisible());
  f->close();
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, "The data in the DataLogger Viewer will be reset.\nDo you wish to continue?");
  EXPECT_EQ(f->windowTitle(), "DataLogger Viewer for SKY");
}

// A flat number typed in its cell and not left: Esc and the close box store it first, then ask.
TEST_F(SkySheetTest, EscAndTheCloseBoxReadTheFlatNumberBeingTyped) {
  LoadPair(2, 2);
  for (xr9test::LeaveBy how : {xr9test::LeaveBy::Esc, xr9test::LeaveBy::CloseBox}) {
    SCOPED_TRACE(how == xr9test::LeaveBy::Esc ? "Esc" : "close box");
    auto f = Form();
    f->show();
    QApplication::setActiveWindow(f.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    // The store outlives the form: each way types a number of its own.
    const std::string typed = how == xr9test::LeaveBy::Esc ? "F12" : "F13";
    QLineEdit* editor = xr9test::TypeInCell(*Get<QTableWidget>(f.get(), "TPHeaderSatStringGrid"), 1, 0, QString::fromStdString(typed));
    ASSERT_NO_FATAL_FAILURE(xr9test::LeaveAndCancel(*f, editor, how, prompter));
    EXPECT_EQ(f->Sheet().FlatNumberAtRow(SkySide::Sat, 1), typed);
    xr9test::CloseAnsweringYes(*f, prompter);
  }
}

TEST_F(SkySheetTest, OnScreenARowIsDraggedByItsHandleAndMarkedValuesAreRedOnYellow) {
  LoadPair(4, 4);
  auto f = Form();
  f->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.get()));
  auto* grid = Get<QTableView>(f.get(), "MeasTerStringGrid");
  QHeaderView* handles = grid->verticalHeader();
  EXPECT_EQ(handles->width(), 10);
  auto rowCentre = [&](int r) { return QPoint(5, handles->sectionViewportPosition(r) + handles->sectionSize(r) / 2); };
  QTest::mousePress(handles->viewport(), Qt::LeftButton, {}, rowCentre(2));
  QTest::mouseMove(handles->viewport(), rowCentre(1));
  QTest::mouseRelease(handles->viewport(), Qt::LeftButton, {}, rowCentre(0));
  EXPECT_EQ(f->Sheet().TestPointAtRow(0, 0), 2);
  EXPECT_EQ(f->Sheet().TestPointAtRow(0, 1), 0);

  // Only the value of row 1, channel 1 is marked.
  for (int t = 0; t < 4; ++t)
    for (TDataLogChannel& ch : ctl.store.File(0).channels) ch.Cell(t).meas[0].mark = 0;
  ctl.store.File(0).channels[1].Cell(f->Sheet().TestPointAtRow(0, 1)).meas[0].mark = 1;
  f->Model(SkySide::Ter).Refresh();
  QApplication::processEvents();
  const QImage shot = grid->viewport()->grab().toImage();
  auto colours = [&](const QModelIndex& i, int& yellow, int& red, int& green) {
    yellow = red = green = 0;
    const QRect r = grid->visualRect(i).adjusted(2, 2, -2, -2);
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) {
        const QColor c = shot.pixelColor(x * shot.width() / grid->viewport()->width(), y * shot.height() / grid->viewport()->height());
        if (c.red() > 200 && c.green() > 200 && c.blue() < 80) ++yellow;
        else if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++red;
        else if (c.red() < 60 && c.green() > 40 && c.blue() < 60) ++green;
      }
  };
  int yellow, red, green;
  colours(grid->model()->index(1, 2), yellow, red, green);
  EXPECT_GT(yellow, 100);
  EXPECT_GT(red, 3);
  EXPECT_EQ(green, 0);
  colours(grid->model()->index(1, 1), yellow, red, green);
  EXPECT_EQ(yellow, 0);
  EXPECT_EQ(red, 0);
  EXPECT_GT(green, 100);

  // With reports off there are no report controls, and the handles move nothing.
  ctl.reportsEnabled = false;
  auto g = Form();
  g->show();
  EXPECT_FALSE(Get<QComboBox>(g.get(), "PM0AttComboBox")->isVisible());
  EXPECT_FALSE(Get<QComboBox>(g.get(), "ServiceTer0ComboBox")->isVisible());
  EXPECT_FALSE(Get<QPushButton>(g.get(), "ReportsBtn")->isEnabled());
  auto* gGrid = Get<QTableView>(g.get(), "MeasTerStringGrid");
  QTest::mousePress(gGrid->verticalHeader()->viewport(), Qt::LeftButton, {}, rowCentre(2));
  QTest::mouseRelease(gGrid->verticalHeader()->viewport(), Qt::LeftButton, {}, rowCentre(0));
  EXPECT_EQ(g->Sheet().TestPointAtRow(0, 0), 0);
}


TEST_F(SkySheetTest, AFailingValueMarkFollowsItsChannelsNewService) {
  // A terrestrial POWER of 50.0 dB passes the terrestrial and DAB windows, not the FM one.
  Load(xr9test::DlGrid(2, 2, {3}, 7), "TER.DL");
  for (TDataLogChannel& ch : ctl.store.File(0).channels)
    for (int t = 0; t < 2; ++t) ch.Cell(t).meas[0].value = img::MeasValue(0, 500);
  auto f = Form();
  const TDataLogMeas* power = &ctl.store.File(0).channels[1].Cell(0).meas[0];
  if (!MeetsSkyThreshold(ctl, 0, 1, power)) GTEST_SKIP() << "the threshold check is not built yet";
  auto* service = Get<QComboBox>(f.get(), "ServiceTer1ComboBox");
  auto* model = Get<QTableView>(f.get(), "MeasTerStringGrid")->model();
  const QModelIndex cell = model->index(0, 2);
  struct Row {
    int item;
    bool marked;
  } rows[] = {{0, false}, {6 /* FM */, true}, {7 /* DAB */, false}, {6, true}, {0, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.item);
    service->setCurrentIndex(r.item);
    f->ServiceTer0ComboBoxChange(1);
    EXPECT_EQ(power->mark, r.marked ? 1 : 0);
    EXPECT_EQ(model->data(cell, Qt::BackgroundRole), r.marked ? QVariant(QColor(Qt::yellow)) : QVariant());
    EXPECT_EQ(model->data(model->index(0, 1), Qt::BackgroundRole), QVariant());  // channel 0 keeps no service
  }
}
