#include "DataLoggerSheetDlg_Sky.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "DataLoggerCtl.h"
#include "DialogExit.h"
#include "FileDialogs.h"
#include "FocusMoves.h"
#include "Messages.h"
#include "MsgIds.h"
#include "SheetCommands.h"
#include "Text1252.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9skysheet;
namespace dl = cv::msg::xr9dl;

constexpr int kGridY = 150;
constexpr int kHeaderHeight = 23, kRowHeight = 21, kHandleWidth = 10, kColumnWidth = 55;
constexpr int kFlatWidth = 70;

// The combos over the grid columns are as wide as a column: a slim arrow and a small inner margin
// leave room for a name such as "POWER" or "Mux 1", which the usual arrow and margins cut.
class ColumnComboStyle : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                       const QWidget* widget) const override {
    QRect r = QProxyStyle::subControlRect(cc, opt, sc, widget);
    if (cc != CC_ComboBox) return r;
    constexpr int kArrow = 11;
    const QRect all = opt->rect;
    if (sc == SC_ComboBoxArrow) return QRect(all.right() - kArrow, all.top(), kArrow, all.height());
    if (sc == SC_ComboBoxEditField) return QRect(all.left() + 2, r.top(), all.width() - kArrow - 3, r.height());
    return r;
  }
};

void Narrow(QComboBox* combo, QStyle* style) {
  combo->setStyle(style);
  QFont f = combo->font();
  if (f.pointSizeF() > 8) f.setPointSizeF(f.pointSizeF() - 1);
  combo->setFont(f);
}

constexpr const char* kHandle = "\xC2\xBB";  // "»"

QString Q(const std::string& bytes) { return From1252(bytes); }

// The service list of the terrestrial service combos; item index = service number.
QStringList ServiceItems() {
  return {"  ", "A1", "A2", "A3", "A4", "A5", "FM", "DAB", "Mux 1", "Mux 2", "Mux A", "Mux B", "Mux C", "Mux D"};
}

const char* SideName(SkySide side) { return side == SkySide::Ter ? "Ter" : "Sat"; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// A side's grid model

int SkyGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.DataRows(); }

int SkyGridModel::columnCount(const QModelIndex& parent) const {
  const int channels = sheet_.ChannelCount(side_);
  return parent.isValid() || channels == 0 ? 0 : channels + 1;
}

QVariant SkyGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row(), column = index.column();
  if (column == 0) {
    if (role == Qt::DisplayRole) return row < sheet_.TestPointCount(side_) ? QString::fromUtf8(kHandle) : QString();
    if (role == Qt::ForegroundRole) return QColor(Qt::black);
    if (role == Qt::BackgroundRole) return QColor(Qt::lightGray);
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignTop);
    return {};
  }
  if (role == Qt::DisplayRole) return Q(sheet_.CellText(side_, row, column - 1));
  if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole) && sheet_.Marked(side_, row, column - 1))
    return role == Qt::BackgroundRole ? QColor(Qt::yellow) : QColor(Qt::red);
  return {};
}

QVariant SkyGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    // The fixed handle column the view shows: the grid's column 0.
    if (role == Qt::DisplayRole || role == Qt::ForegroundRole) return data(index(section, 0), role);
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
  }
  // The fixed row 0: the channel names, in black.
  if (role == Qt::DisplayRole) return section == 0 ? QString() : Q(sheet_.ChannelName(side_, section - 1));
  if (role == Qt::ForegroundRole) return QColor(Qt::black);
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignTop);
  return {};
}

// ---------------------------------------------------------------------------------------------
// The form

TDataLoggerSheetDlg_Sky::TDataLoggerSheetDlg_Sky(QWidget* parent, DataLoggerCtl& owner, TXR9Equip& equipment)
    : QDialog(parent), owner_(owner), equipment_(equipment), sheet_(owner) {
  terModel_ = std::make_unique<SkyGridModel>(sheet_, SkySide::Ter);
  satModel_ = std::make_unique<SkyGridModel>(sheet_, SkySide::Sat);
  BuildForm();
  equipment_.LoadCustomLogo(Image1);
}

TDataLoggerSheetDlg_Sky::~TDataLoggerSheetDlg_Sky() {
  ter_.grid->setModel(nullptr);
  sat_.grid->setModel(nullptr);
}

void TDataLoggerSheetDlg_Sky::BuildForm() {
  setObjectName("TDataLoggerSheetDlg_Sky");
  setWindowTitle(MsgQ(m::SheetCaption));
  setFixedSize(1060, 560);
  columnComboStyle_ = new ColumnComboStyle;

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(10, 10, 120, 70);
  Image1->setScaledContents(true);

  auto* reportLabel = new QLabel(MsgQ(dl::ReportTypeLabel), this);
  reportLabel->setGeometry(880, 10, 170, 20);
  ReportTypeEdit = new QLineEdit(this);
  ReportTypeEdit->setObjectName("ReportTypeEdit");
  ReportTypeEdit->setGeometry(880, 30, 170, 24);
  ReportTypeEdit->setReadOnly(true);
  ReportTypeEdit->installEventFilter(this);

  Label6 = new QLabel(MsgQ(m::TypeLabel), this);
  Label6->setObjectName("Label6");
  Label6->setGeometry(10, kGridY, 90, 22);
  const QStringList types = {MsgQ(m::TypeFlat), MsgQ(m::TypeOffAir), MsgQ(m::TypeLaunch)};
  for (int i = 0; i < SkySheet::kVisibleRows; ++i) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString("PM%1AttComboBox").arg(i));
    c->setProperty("Tag", i);
    c->setGeometry(10, kGridY + 1 + kHeaderHeight + i * kRowHeight, 90, kRowHeight);
    c->addItems(types);
    c->setCurrentIndex(-1);
    c->installEventFilter(this);
    connect(c, qOverload<int>(&QComboBox::activated), this, [this, i] { PMAttComboBoxChange(i); });
    roleCombos[size_t(i)] = c;
  }

  BuildSide(SkySide::Ter, 105);
  BuildSide(SkySide::Sat, 490);
  Label2 = findChild<QLabel*>("Label2");
  Label9 = findChild<QLabel*>("Label9");
  Bevel5 = findChild<QFrame*>("Bevel5");
  Bevel7 = findChild<QFrame*>("Bevel7");

  // The tips, in the order of the work.
  Bevel8 = new QFrame(this);
  Bevel8->setObjectName("Bevel8");
  Bevel8->setFrameShape(QFrame::Box);
  Bevel8->setGeometry(875, kGridY, 175, 130);
  const int tipIds[] = {m::TipsLabel, m::TipOrderRows, m::TipAssignTypes, m::TipAssignServices, m::TipGenerate};
  for (int i = 0; i < 5; ++i) {
    auto* l = new QLabel(MsgQ(tipIds[i]), this);
    l->setObjectName(QString("Label%1").arg(11 + i));
    l->setGeometry(885, kGridY + 8 + i * 23, 160, 22);
    if (i == 0) {
      QFont bold = l->font();
      bold.setBold(true);
      l->setFont(bold);
    }
    tips[size_t(i)] = l;
  }

  SaveCSVRadioGroup = new QGroupBox(MsgQ(m::WhichFileCaption), this);
  SaveCSVRadioGroup->setObjectName("SaveCSVRadioGroup");
  SaveCSVRadioGroup->setGeometry(10, 480, 110, 70);
  {
    auto* l = new QVBoxLayout(SaveCSVRadioGroup);
    saveTer_ = new QRadioButton(MsgQ(m::WhichFileTer), SaveCSVRadioGroup);
    saveSat_ = new QRadioButton(MsgQ(m::WhichFileSat), SaveCSVRadioGroup);
    saveTer_->setObjectName("SaveCSVRadioGroupTer");
    saveSat_->setObjectName("SaveCSVRadioGroupSat");
    saveTer_->setChecked(true);
    l->addWidget(saveTer_);
    l->addWidget(saveSat_);
  }
  SelectedMeasCSVRadioGroup = new QGroupBox(MsgQ(dl::CsvGroupCaption), this);
  SelectedMeasCSVRadioGroup->setObjectName("SelectedMeasCSVRadioGroup");
  SelectedMeasCSVRadioGroup->setGeometry(130, 480, 170, 70);
  {
    auto* l = new QVBoxLayout(SelectedMeasCSVRadioGroup);
    auto* all = new QRadioButton(MsgQ(dl::AllMeasItem), SelectedMeasCSVRadioGroup);
    auto* shown = new QRadioButton(MsgQ(dl::OnlyShownItem), SelectedMeasCSVRadioGroup);
    all->setObjectName("SelectedMeasCSVRadioGroupAll");
    shown->setObjectName("SelectedMeasCSVRadioGroupShown");
    all->setChecked(true);
    l->addWidget(all);
    l->addWidget(shown);
    connect(all, &QRadioButton::clicked, this, [this] { SelectedMeasCSVRadioGroupClick(0); });
    connect(shown, &QRadioButton::clicked, this, [this] { SelectedMeasCSVRadioGroupClick(1); });
  }

  auto button = [this](QPushButton*& b, const char* name, const QString& caption, int x, void (TDataLoggerSheetDlg_Sky::*handler)()) {
    b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(x, 500, 115, 32);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  };
  button(SaveCSVBtn, "SaveCSVBtn", MsgQ(dl::SaveCsvCaption), 690, &TDataLoggerSheetDlg_Sky::SaveCSVBtnClick);
  button(ReportsBtn, "ReportsBtn", MsgQ(dl::ReportsCaption), 815, &TDataLoggerSheetDlg_Sky::ReportsBtnClick);
  button(CloseBtn, "CloseBtn", MsgQ(dl::CloseCaption), 940, &TDataLoggerSheetDlg_Sky::CloseBtnClick);
  cv::ExitThrough(*this, *CloseBtn);
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) cv::CellEscThrough(*W(side).flatNumbers, *CloseBtn);
  ReportsBtn->setEnabled(false);
  // Owned by the form, and its last child, so it goes after the combos that draw with it.
  columnComboStyle_->setParent(this);
}

void TDataLoggerSheetDlg_Sky::BuildSide(SkySide side, int x) {
  SideWidgets& w = W(side);
  const bool ter = side == SkySide::Ter;
  const QString n = SideName(side);
  const int gridX = x + kFlatWidth + 5;

  auto* band = new QLabel(MsgQ(ter ? dl::Terrestrial : dl::Satellite), this);
  band->setObjectName(ter ? "TerLabel" : "SatLabel");
  band->setGeometry(x, 10, 110, 24);
  QFont bold = band->font();
  bold.setBold(true);
  band->setFont(bold);
  w.fileCombo = new QComboBox(this);
  w.fileCombo->setObjectName(QString("DL%1ComboBox").arg(n));
  w.fileCombo->setGeometry(x, 34, 250, 24);
  connect(w.fileCombo, qOverload<int>(&QComboBox::activated), this,
          [this, ter](int i) { ter ? DLTerComboBoxChange(i) : DLSatComboBoxChange(i); });

  w.block = new QCheckBox(MsgQ(dl::BlockCaption), this);
  w.block->setObjectName(QString("BlockSelMeas%1CheckBox").arg(n));
  w.block->setGeometry(x, 62, 90, 22);
  w.block->setChecked(true);

  auto* serviceLabel = new QLabel(MsgQ(m::ServiceLabel), this);
  serviceLabel->setObjectName(ter ? "Label2" : "Label9");
  serviceLabel->setGeometry(x, 116, kFlatWidth, 24);
  for (int i = 0; i < SkySheet::kVisibleColumns; ++i) {
    const int cx = gridX + 1 + kHandleWidth + i * kColumnWidth;
    auto* meas = new QComboBox(this);
    meas->setObjectName(QString("Chan%1%2ComboBox").arg(n).arg(i));
    meas->setProperty("Tag", i);
    meas->setGeometry(cx, 90, kColumnWidth, 24);
    connect(meas, qOverload<int>(&QComboBox::activated), this,
            [this, ter, i] { ter ? ChanTer0ComboBoxChange(i) : ChanSat0ComboBoxChange(i); });
    meas->view()->setMinimumWidth(2 * kColumnWidth);  // the names are wider than the column
    Narrow(meas, columnComboStyle_);
    w.measCombos[size_t(i)] = meas;
    auto* service = new QComboBox(this);
    service->setObjectName(QString("Service%1%2ComboBox").arg(n).arg(i));
    service->setProperty("Tag", i);
    service->setGeometry(cx, 116, kColumnWidth, 24);
    service->view()->setMinimumWidth(2 * kColumnWidth);
    Narrow(service, columnComboStyle_);
    connect(service, qOverload<int>(&QComboBox::activated), this,
            [this, ter, i] { ter ? ServiceTer0ComboBoxChange(i) : ServiceSat0ComboBoxChange(i); });
    w.serviceCombos[size_t(i)] = service;
  }

  auto* flatLabel = new QLabel(MsgQ(m::FlatNumbersLabel), this);
  flatLabel->setGeometry(x, kGridY, kFlatWidth, 22);
  w.flatNumbers = new QTableWidget(0, 1, this);
  w.flatNumbers->setObjectName(QString("TPHeader%1StringGrid").arg(n));
  w.flatNumbers->setToolTip(MsgQ(m::FlatNumberHint));
  w.flatNumbers->setGeometry(x, kGridY + kHeaderHeight, kFlatWidth, SkySheet::kVisibleRows * kRowHeight + 2);
  w.flatNumbers->horizontalHeader()->hide();
  w.flatNumbers->verticalHeader()->hide();
  w.flatNumbers->horizontalHeader()->setStretchLastSection(true);
  w.flatNumbers->verticalHeader()->setDefaultSectionSize(kRowHeight);
  w.flatNumbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  w.flatNumbers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  w.flatNumbers->installEventFilter(this);
  connect(w.flatNumbers, &QTableWidget::itemChanged, this, [this, ter] {
    if (!updating_) ter ? TPHeaderTerStringGridExit() : TPHeaderSatStringGridExit();
  });

  QTableView* g = new QTableView(this);
  w.grid = g;
  g->setObjectName(QString("Meas%1StringGrid").arg(n));
  g->setModel(ter ? terModel_.get() : satModel_.get());
  g->move(gridX, kGridY);
  // Column 0, the row handle, stays in place as the grid scrolls: the view shows it as its row
  // header.
  g->setColumnHidden(0, true);
  SetUpSheetGrid(g, kHeaderHeight, kRowHeight, kColumnWidth);
  g->verticalHeader()->setFixedWidth(kHandleWidth);
  g->verticalHeader()->setStyleSheet("QHeaderView::section { padding: 0px; background: lightgray; }");
  g->verticalHeader()->setToolTip(MsgQ(m::RowHandleHint));
  g->verticalHeader()->viewport()->installEventFilter(this);
  g->setSelectionMode(QAbstractItemView::NoSelection);
  g->setFixedSize(291, 257);
  connect(g->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this, ter] { ter ? MeasTerStringGridTopLeftChanged() : MeasSatStringGridTopLeftChanged(); });
  connect(g->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this, side] {
    const int slot = sheet_.Slot(side);
    if (slot >= 0) ShowColumnControls(side, LeftCol(side) - 1);
  });
  connect(w.flatNumbers->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [g] { g->setFocus(); });

  const int below = kGridY + 285;
  w.these = new QCheckBox(MsgQ(m::TheseCaption), this);
  w.these->setObjectName(QString("FlatNumbers%1CheckBox").arg(n));
  w.these->setToolTip(MsgQ(m::TheseHint));
  w.these->setGeometry(x, below, kFlatWidth, 22);
  w.these->setChecked(ter);
  connect(w.these, &QCheckBox::clicked, this,
          [this, ter] { ter ? FlatNumbersTerCheckBoxClick() : FlatNumbersSatCheckBoxClick(); });

  auto offset = [&](QLineEdit*& edit, const char* kind, int captionId, int y, SkySheet::Offset which) {
    auto* label = new QLabel(MsgQ(captionId), this);
    label->setGeometry(gridX, y, 150, 24);
    edit = new QLineEdit("0", this);
    edit->setObjectName(QString("Offset%1%2Edit").arg(kind).arg(n));
    edit->setGeometry(gridX + 155, y, 60, 24);
    // Stored when the focus leaves the field within the window (eventFilter), not on
    // editingFinished: that also comes when another window takes the focus mid-typing.
    edit->installEventFilter(this);
  };
  offset(w.offAirEdit, "OffAir", m::OffAirOffsetLabel, below, ter ? SkySheet::Offset::OffAirTer : SkySheet::Offset::OffAirSat);
  offset(w.launchEdit, "Launch", m::LaunchOffsetLabel, below + 28, ter ? SkySheet::Offset::LaunchTer : SkySheet::Offset::LaunchSat);

  auto* bevel = new QFrame(this);
  bevel->setObjectName(ter ? "Bevel5" : "Bevel7");
  bevel->setFrameShape(QFrame::HLine);
  bevel->setGeometry(x, 144, 380, 3);
}

int TDataLoggerSheetDlg_Sky::LeftCol(SkySide side) const {
  // The hidden column 0 is not counted by the scroll bar.
  return W(side).grid->horizontalScrollBar()->value() + 1;
}

int TDataLoggerSheetDlg_Sky::TopRow(SkySide side) const { return W(side).grid->verticalScrollBar()->value() + 1; }

void TDataLoggerSheetDlg_Sky::EnableCommands(bool enable) {
  for (QWidget* w : std::initializer_list<QWidget*>{SaveCSVRadioGroup, SaveCSVBtn, CloseBtn, ter_.fileCombo, sat_.fileCombo})
    w->setEnabled(enable);
  ReportsBtn->setEnabled(enable && sheet_.ReportControlsShown());
}

void TDataLoggerSheetDlg_Sky::ShowReportControls(bool show) {
  ReportsBtn->setEnabled(show);
  ReportTypeEdit->setEnabled(show);
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, Label9, Bevel5, Bevel7, Label6, Bevel8, ter_.these, sat_.these})
    w->setVisible(show);
  for (QLabel* l : tips) l->setVisible(show);
  for (QComboBox* c : roleCombos) c->setVisible(show);
  for (SideWidgets* w : {&ter_, &sat_})
    for (QComboBox* c : w->serviceCombos) c->setVisible(show);
  rowMoving_ = show;
}

bool TDataLoggerSheetDlg_Sky::Init() {
  EnableCommands(false);
  if (!sheet_.Init()) return false;
  updating_ = true;
  for (QComboBox* c : roleCombos) c->setCurrentIndex(-1);
  const QStringList services = ServiceItems();
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) {
    SideWidgets& w = W(side);
    for (QComboBox* c : w.measCombos) c->clear();
    w.fileCombo->clear();
    for (const std::string& name : sheet_.FileNames(side)) w.fileCombo->addItem(Q(name));
    w.fileCombo->setCurrentIndex(-1);
    for (QComboBox* c : w.serviceCombos) {
      c->clear();
      if (side == SkySide::Ter) {
        c->addItems(services);
        c->setCurrentIndex(-1);
      } else {
        c->addItem("  ");
        c->setCurrentIndex(0);
        c->setEnabled(false);
      }
    }
  }
  updating_ = false;
  EnableCommands(true);
  ShowReportControls(sheet_.ReportControlsShown());
  return true;
}

void TDataLoggerSheetDlg_Sky::SetReportTypeText(const QString& text) { ReportTypeEdit->setText(text); }

void TDataLoggerSheetDlg_Sky::ShowTerFile(int item) { ShowFile(SkySide::Ter, item); }
void TDataLoggerSheetDlg_Sky::ShowSatFile(int item) { ShowFile(SkySide::Sat, item); }

void TDataLoggerSheetDlg_Sky::ShowFile(SkySide side, int item) {
  if (!sheet_.ShowFile(side, item)) return;
  updating_ = true;
  W(side).fileCombo->setCurrentIndex(item);
  updating_ = false;
  FillBothGrids();
  FillGrid(side);
  ShowColumnControls(side, LeftCol(side) - 1);
  ShowTypes(side, TopRow(side) - 1);
  ShowFlatNumbers(side, TopRow(side) - 1);
}

void TDataLoggerSheetDlg_Sky::FillBothGrids() {
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) {
    QTableView* g = W(side).grid;
    Model(side).Reset();
    g->setColumnHidden(0, true);
    g->setFixedSize(sheet_.GridWidth(), sheet_.GridHeight(side));
  }
  // The grids follow each other after the reset.
  following_ = true;
  sat_.grid->verticalScrollBar()->setValue(ter_.grid->verticalScrollBar()->value());
  following_ = false;
}

void TDataLoggerSheetDlg_Sky::FillGrid(SkySide side) {
  sheet_.MarkThresholds(side);
  Model(side).Refresh();
  W(side).grid->setFixedSize(sheet_.GridWidth(), sheet_.GridHeight(side));
  QTableWidget* flat = W(side).flatNumbers;
  updating_ = true;
  flat->setRowCount(std::min(sheet_.TestPointCount(side), int(SkySheet::kVisibleRows)));
  for (int r = 0; r < flat->rowCount(); ++r) flat->setItem(r, 0, new QTableWidgetItem(Q(sheet_.FlatNumberAtRow(side, r))));
  updating_ = false;
}

void TDataLoggerSheetDlg_Sky::ShowColumnControls(SkySide side, int first) {
  const auto controls = sheet_.ColumnControls(side, first);
  if (!controls) return;
  updating_ = true;
  SideWidgets& w = W(side);
  for (int i = 0; i < SkySheet::kVisibleColumns; ++i) {
    const SkySheet::ColumnControl& cc = (*controls)[size_t(i)];
    QComboBox* meas = w.measCombos[size_t(i)];
    meas->clear();
    for (const std::string& item : cc.items) meas->addItem(Q(item));
    meas->setCurrentIndex(cc.selected);
    // A column without a channel keeps the service list and selects none.
    w.serviceCombos[size_t(i)]->setCurrentIndex(cc.used ? cc.service : -1);
  }
  updating_ = false;
}

void TDataLoggerSheetDlg_Sky::ShowTypes(SkySide side, int first) {
  const auto types = sheet_.Types(side, first);
  if (!types) return;
  for (int i = 0; i < SkySheet::kVisibleRows; ++i) {
    const int t = (*types)[size_t(i)];
    if (t != SkySheet::kKeep) roleCombos[size_t(i)]->setCurrentIndex(t);
  }
}

void TDataLoggerSheetDlg_Sky::ShowFlatNumbers(SkySide side, int first) {
  const auto numbers = sheet_.FlatNumbers(side, first);
  if (!numbers) return;
  QTableWidget* flat = W(side).flatNumbers;
  updating_ = true;
  for (int i = 0; i < flat->rowCount() && i < SkySheet::kVisibleRows; ++i) {
    if (!flat->item(i, 0)) flat->setItem(i, 0, new QTableWidgetItem);
    flat->item(i, 0)->setText(Q((*numbers)[size_t(i)]));
  }
  updating_ = false;
}

void TDataLoggerSheetDlg_Sky::StoreFlatNumbers(SkySide side) {
  QTableWidget* flat = W(side).flatNumbers;
  const int first = TopRow(side) - 1;
  for (int i = 0; i < flat->rowCount() && i < SkySheet::kVisibleRows; ++i) {
    const QTableWidgetItem* item = flat->item(i, 0);
    sheet_.StoreFlatNumber(side, first + i, item ? To1252(item->text()) : std::string());
  }
  ShowFlatNumbers(side, first);
}

void TDataLoggerSheetDlg_Sky::DLTerComboBoxChange(int item) { ShowTerFile(item); }
void TDataLoggerSheetDlg_Sky::DLSatComboBoxChange(int item) { ShowSatFile(item); }

void TDataLoggerSheetDlg_Sky::GridTopLeftChanged(SkySide side) {
  if (sheet_.Slot(side) >= 0) {
    ShowFlatNumbers(side, TopRow(side) - 1);
    if (!following_) ShowTypes(side, TopRow(side) - 1);
    ShowColumnControls(side, LeftCol(side) - 1);
  }
  if (following_) return;
  // The other grid follows, so that rows of equal number stay side by side.
  following_ = true;
  const SkySide other = side == SkySide::Ter ? SkySide::Sat : SkySide::Ter;
  W(other).grid->verticalScrollBar()->setValue(W(side).grid->verticalScrollBar()->value());
  following_ = false;
}

void TDataLoggerSheetDlg_Sky::MeasTerStringGridTopLeftChanged() { GridTopLeftChanged(SkySide::Ter); }
void TDataLoggerSheetDlg_Sky::MeasSatStringGridTopLeftChanged() { GridTopLeftChanged(SkySide::Sat); }

void TDataLoggerSheetDlg_Sky::ChanComboChange(SkySide side, int tag) {
  const SideWidgets& w = W(side);
  sheet_.ChooseMeas(side, LeftCol(side) - 1 + tag, w.measCombos[size_t(tag)]->currentIndex(), w.block->isChecked());
  ShowFile(side, sheet_.Item(side));
}

void TDataLoggerSheetDlg_Sky::ChanTer0ComboBoxChange(int tag) { ChanComboChange(SkySide::Ter, tag); }
void TDataLoggerSheetDlg_Sky::ChanSat0ComboBoxChange(int tag) { ChanComboChange(SkySide::Sat, tag); }

void TDataLoggerSheetDlg_Sky::ServiceComboChange(SkySide side, int tag) {
  QComboBox* c = W(side).serviceCombos[size_t(tag)];
  if (!sheet_.SetService(side, LeftCol(side) - 1 + tag, c->currentIndex())) c->setCurrentIndex(-1);
  // Shown again, so that the marks follow the new service.
  ShowFile(side, sheet_.Item(side));
}

void TDataLoggerSheetDlg_Sky::ServiceTer0ComboBoxChange(int tag) { ServiceComboChange(SkySide::Ter, tag); }
void TDataLoggerSheetDlg_Sky::ServiceSat0ComboBoxChange(int tag) { ServiceComboChange(SkySide::Sat, tag); }

void TDataLoggerSheetDlg_Sky::PMAttComboBoxChange(int tag) {
  QComboBox* c = roleCombos[size_t(tag)];
  const int type = c->currentIndex();
  // The row of equal number takes the type in both files; the combo shows it when either did.
  bool taken = false;
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) taken |= sheet_.SetType(side, TopRow(side) - 1 + tag, type);
  c->setCurrentIndex(taken ? type : -1);
}

void TDataLoggerSheetDlg_Sky::PM0AttComboBoxKeyDown(int tag) {
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) sheet_.SetType(side, TopRow(side) - 1 + tag, SkySheet::kNoType);
  roleCombos[size_t(tag)]->setCurrentIndex(-1);
}

void TDataLoggerSheetDlg_Sky::RowMoved(SkySide side, int from, int to) {
  if (!sheet_.MoveRow(side, from, to)) return;
  for (SkySide s : {SkySide::Ter, SkySide::Sat}) ShowTypes(s, TopRow(s) - 1);
  FillGrid(side);
  ShowFlatNumbers(side, TopRow(side) - 1);
}

void TDataLoggerSheetDlg_Sky::MeasTerStringGridRowMoved(int from, int to) { RowMoved(SkySide::Ter, from, to); }
void TDataLoggerSheetDlg_Sky::MeasSatStringGridRowMoved(int from, int to) { RowMoved(SkySide::Sat, from, to); }

void TDataLoggerSheetDlg_Sky::TPHeaderTerStringGridExit() { StoreFlatNumbers(SkySide::Ter); }
void TDataLoggerSheetDlg_Sky::TPHeaderSatStringGridExit() { StoreFlatNumbers(SkySide::Sat); }

void TDataLoggerSheetDlg_Sky::OffsetExit(QLineEdit* edit, SkySheet::Offset which) {
  edit->setText(Q(sheet_.SetOffset(which, To1252(edit->text()))));
}

void TDataLoggerSheetDlg_Sky::OffsetOffAirTerEditExit() { OffsetExit(ter_.offAirEdit, SkySheet::Offset::OffAirTer); }
void TDataLoggerSheetDlg_Sky::OffsetLaunchTerEditExit() { OffsetExit(ter_.launchEdit, SkySheet::Offset::LaunchTer); }
void TDataLoggerSheetDlg_Sky::OffsetOffAirSatEditExit() { OffsetExit(sat_.offAirEdit, SkySheet::Offset::OffAirSat); }
void TDataLoggerSheetDlg_Sky::OffsetLaunchSatEditExit() { OffsetExit(sat_.launchEdit, SkySheet::Offset::LaunchSat); }

void TDataLoggerSheetDlg_Sky::FlatNumbersTerCheckBoxClick() {
  sheet_.TickFlatNumbers(SkySide::Ter, ter_.these->isChecked());
  sat_.these->setChecked(sheet_.FlatNumbersTicked(SkySide::Sat));
}

void TDataLoggerSheetDlg_Sky::FlatNumbersSatCheckBoxClick() {
  sheet_.TickFlatNumbers(SkySide::Sat, sat_.these->isChecked());
  ter_.these->setChecked(sheet_.FlatNumbersTicked(SkySide::Ter));
}

void TDataLoggerSheetDlg_Sky::SelectedMeasCSVRadioGroupClick(int item) { sheet_.SelectedMeasCSVRadioGroupClick(item); }

void TDataLoggerSheetDlg_Sky::SaveCSVBtnClick() {
  const SkySide side = saveSat_->isChecked() ? SkySide::Sat : SkySide::Ter;
  if (sheet_.Slot(side) < 0) return;
  EnableCommands(false);
  FileDialogRequest request;
  request.filter = MsgQ(dl::CsvFilter);
  request.defaultExt = "csv";
  request.overwritePrompt = true;
  const QString path = SaveFileDialog(this, request);
  if (!path.isEmpty()) sheet_.SaveCsv(side, path.toLocal8Bit().toStdString());
  EnableCommands(true);
}

void TDataLoggerSheetDlg_Sky::ReportsBtnClick() {
  EnableCommands(false);
  BuildReport();
  EnableCommands(true);
}

void TDataLoggerSheetDlg_Sky::BuildReport() {
  int ter = -1, sat = -1;
  sheet_.SelectedSlots(ter, sat);
  if (ter < 0 && sat < 0) return;
  if (!sheet_.CheckServices(ter)) return;
  RunSheetReport(this, owner_, ter, sheet_.ReportKind(), false, "htm");
}

void TDataLoggerSheetDlg_Sky::CloseBtnClick() {
  // Esc and the close box press Close with the focus still in what is being typed.
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) cv::CommitCellBeingTyped(*W(side).flatNumbers);
  ReadOffsetBeingTyped(focusWidget());
  if (MaySheetClose(sheet_.modified)) accept();
}

void TDataLoggerSheetDlg_Sky::ReadOffsetBeingTyped(const QObject* field) {
  if (!field) return;
  if (field == ter_.offAirEdit) OffsetOffAirTerEditExit();
  else if (field == ter_.launchEdit) OffsetLaunchTerEditExit();
  else if (field == sat_.offAirEdit) OffsetOffAirSatEditExit();
  else if (field == sat_.launchEdit) OffsetLaunchSatEditExit();
}

bool TDataLoggerSheetDlg_Sky::HandleDrag(SkySide side, QEvent* event) {
  SideWidgets& w = W(side);
  auto* mouse = static_cast<QMouseEvent*>(event);
  QHeaderView* handles = w.grid->verticalHeader();
  // The grid row under the pointer, held to the rows there are.
  auto rowAt = [&](int y) {
    const int rows = w.grid->model()->rowCount();
    if (rows == 0) return -1;
    int r = handles->logicalIndexAt(y);
    if (r < 0) r = y < 0 ? handles->logicalIndexAt(0) : rows - 1;
    return r;
  };
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) return true;
      w.dragFrom = rowAt(int(mouse->position().y()));
      if (w.dragFrom >= sheet_.TestPointCount(side)) w.dragFrom = -1;
      if (w.dragFrom >= 0) handles->viewport()->setCursor(Qt::SizeVerCursor);
      return true;
    case QEvent::MouseButtonRelease: {
      if (mouse->button() != Qt::LeftButton || w.dragFrom < 0) return true;
      const int from = w.dragFrom;
      w.dragFrom = -1;
      handles->viewport()->unsetCursor();
      const int to = rowAt(int(mouse->position().y()));
      if (to >= 0) side == SkySide::Ter ? MeasTerStringGridRowMoved(from + 1, to + 1) : MeasSatStringGridRowMoved(from + 1, to + 1);
      return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

bool TDataLoggerSheetDlg_Sky::eventFilter(QObject* watched, QEvent* event) {
  for (SkySide side : {SkySide::Ter, SkySide::Sat})
    if (watched == W(side).grid->verticalHeader()->viewport()) {
      // The handles move rows only while reports are enabled.
      if (!rowMoving_) return false;
      return HandleDrag(side, event);
    }
  if (cv::IsControlExit(event)) {
    ReadOffsetBeingTyped(watched);
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return QDialog::eventFilter(watched, event);
  if (watched == ReportTypeEdit) return true;  // only displays its text
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (key->key() == Qt::Key_Delete)
    for (int i = 0; i < SkySheet::kVisibleRows; ++i)
      if (watched == roleCombos[size_t(i)]) {
        PM0AttComboBoxKeyDown(i);
        return true;
      }
  for (SkySide side : {SkySide::Ter, SkySide::Sat}) {
    SideWidgets& w = W(side);
    if (enter && watched == w.flatNumbers) {
      w.grid->setFocus();
      return true;
    }
    if (enter && (watched == w.offAirEdit || watched == w.launchEdit)) return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace cv::xr9
