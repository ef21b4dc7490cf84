#include "DataLoggerSheetDlg.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "Format.h"
#include "ReportChecks.h"
#include "ReportDispatch.h"
#include "SheetCommands.h"
#include "TempoMessageDlg.h"

#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

#include "DataLoggerCtl.h"
#include "DialogExit.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Text1252.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

namespace {

namespace m = cv::msg::xr9dl;

// The grid shows five columns and eleven data rows at a time.
constexpr int kGridX = 350, kGridY = 150;
constexpr int kRoleX = 135, kRoleWidth = 140;  // at least; the role names may ask for more
constexpr int kHeaderHeight = 23, kRowHeight = 21, kColumnWidth = 81;

QString Q(const std::string& bytes) { return From1252(bytes); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The grid's model

int MeasGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.TestPointCount(); }
int MeasGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : sheet_.ChannelCount(); }

QVariant MeasGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  ++cellsMade;
  return Q(sheet_.CellText(index.row(), index.column()));
}

QVariant MeasGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // The fixed row 0: the channel names, in black.
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return Q(sheet_.ChannelName(section));
  if (role == Qt::ForegroundRole) return QColor(Qt::black);
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignTop);
  return {};
}

void SheetGridModel::Reset() {
  beginResetModel();
  endResetModel();
}

void SheetGridModel::Refresh() {
  if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void SetUpSheetGrid(QTableView* grid, int headerHeight, int rowHeight, int columnWidth) {
  grid->horizontalHeader()->setFixedHeight(headerHeight);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Bold green on dark green, without colour fringes; texts wider than a cell are cut, not elided.
  QFont gridFont = grid->font();
  gridFont.setBold(true);
  gridFont.setPointSizeF(gridFont.pointSizeF() * 0.85);
  gridFont.setStyleStrategy(QFont::NoSubpixelAntialias);
  grid->setFont(gridFont);
  QPalette colours = grid->palette();
  colours.setColor(QPalette::Base, QColor(0x00, 0x40, 0x00));
  colours.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
  grid->setPalette(colours);
  grid->setGridStyle(Qt::SolidLine);
  grid->setTextElideMode(Qt::ElideNone);
  grid->horizontalHeader()->setFont(QFont(grid->horizontalHeader()->font().family()));
}

// ---------------------------------------------------------------------------------------------
// The form

TDataLoggerSheetDlg::TDataLoggerSheetDlg(QWidget* parent, DataLoggerCtl& owner, TXR9Equip& equipment)
    : QDialog(parent), owner_(owner), equipment_(equipment), sheet_(owner) {
  model_ = std::make_unique<MeasGridModel>(sheet_);
  BuildForm();
  equipment_.LoadCustomLogo(Image1);
}

TDataLoggerSheetDlg::~TDataLoggerSheetDlg() {
  MeasStringGrid->setModel(nullptr);
}

void TDataLoggerSheetDlg::BuildForm() {
  setObjectName("TDataLoggerSheetDlg");
  setWindowTitle(MsgQ(m::SheetCaption));
  const QStringList roles = {MsgQ(m::RoleBest), MsgQ(m::RoleWorst), MsgQ(m::RoleInput), MsgQ(m::RoleOutput), QString()};
  // The role combos take the width their longest name needs in this platform's font; what that
  // adds moves the branch column and the grid to the right and widens the form.
  int roleWidth = kRoleWidth;
  {
    QComboBox probe(this);
    probe.addItems(roles);
    roleWidth = std::max(kRoleWidth, probe.sizeHint().width());
  }
  const int shift = roleWidth - kRoleWidth;
  const int gridX = kGridX + shift;
  setFixedSize(800 + shift, 520);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(10, 10, 120, 70);
  Image1->setScaledContents(true);

  DLComboBox = new QComboBox(this);
  DLComboBox->setObjectName("DLComboBox");
  DLComboBox->setGeometry(140, 15, 250, 24);
  connect(DLComboBox, qOverload<int>(&QComboBox::activated), this, [this](int i) { DLComboBoxSelect(i); });

  BandLabel = new QLabel(this);
  BandLabel->setObjectName("BandLabel");
  BandLabel->setGeometry(400, 15, 150, 24);

  auto* reportLabel = new QLabel(MsgQ(m::ReportTypeLabel), this);
  reportLabel->setGeometry(560, 15, 50, 24);
  ReportTypeEdit = new QLineEdit(this);
  ReportTypeEdit->setObjectName("ReportTypeEdit");
  ReportTypeEdit->setGeometry(610, 15, 180, 24);
  ReportTypeEdit->setReadOnly(true);
  ReportTypeEdit->installEventFilter(this);

  BlockSelMeasCheckBox = new QCheckBox(MsgQ(m::BlockCaption), this);
  BlockSelMeasCheckBox->setObjectName("BlockSelMeasCheckBox");
  BlockSelMeasCheckBox->setGeometry(140, 50, 120, 24);
  BlockSelMeasCheckBox->setChecked(true);

  IFSATTestCheckBox = new QCheckBox(MsgQ(m::IfSatCaption), this);
  IFSATTestCheckBox->setObjectName("IFSATTestCheckBox");
  IFSATTestCheckBox->setGeometry(400, 50, 150, 24);
  IFSATTestCheckBox->setVisible(false);
  connect(IFSATTestCheckBox, &QCheckBox::clicked, this, [this] { IFSATTestCheckBoxClick(); });

  for (int i = 0; i < MeasSheet::kVisibleColumns; ++i) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString("Chan%1ComboBox").arg(i));
    c->setProperty("Tag", i);
    c->setGeometry(gridX + 1 + i * kColumnWidth, 90, kColumnWidth, 24);
    connect(c, qOverload<int>(&QComboBox::activated), this, [this, i] { ChanComboBoxChange(i); });
    measCombos[size_t(i)] = c;
  }

  Label2 = new QLabel(MsgQ(m::BroadcastLabel), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(270 + shift, 120, 78, 24);
  ChannelHeaderStringGrid = new QTableWidget(1, MeasSheet::kVisibleColumns, this);
  ChannelHeaderStringGrid->setObjectName("ChannelHeaderStringGrid");
  ChannelHeaderStringGrid->setGeometry(gridX, 118, 409, 26);
  ChannelHeaderStringGrid->horizontalHeader()->hide();
  ChannelHeaderStringGrid->verticalHeader()->hide();
  ChannelHeaderStringGrid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  ChannelHeaderStringGrid->verticalHeader()->setDefaultSectionSize(22);
  ChannelHeaderStringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ChannelHeaderStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int i = 0; i < MeasSheet::kVisibleColumns; ++i) ChannelHeaderStringGrid->setItem(0, i, new QTableWidgetItem);
  connect(ChannelHeaderStringGrid, &QTableWidget::itemChanged, this, [this] {
    if (!updating_) ChannelHeaderStringGridExit();
  });

  Bevel5 = new QFrame(this);
  Bevel5->setObjectName("Bevel5");
  Bevel5->setFrameShape(QFrame::HLine);
  Bevel5->setGeometry(10, 146, 780 + shift, 3);
  Label6 = new QLabel(MsgQ(m::TypeLabel), this);
  Label6->setObjectName("Label6");
  Label6->setGeometry(kRoleX, kGridY, roleWidth, 22);
  Label5 = new QLabel(MsgQ(m::BranchLabel), this);
  Label5->setObjectName("Label5");
  Label5->setGeometry(280 + shift, kGridY, 60, 22);

  TPHeaderStringGrid = new QTableWidget(0, 1, this);
  TPHeaderStringGrid->setObjectName("TPHeaderStringGrid");
  TPHeaderStringGrid->setGeometry(10, kGridY + 1 + kHeaderHeight - 1, 120, MeasSheet::kVisibleRows * kRowHeight + 2);
  TPHeaderStringGrid->horizontalHeader()->hide();
  TPHeaderStringGrid->verticalHeader()->hide();
  TPHeaderStringGrid->horizontalHeader()->setStretchLastSection(true);
  TPHeaderStringGrid->verticalHeader()->setDefaultSectionSize(kRowHeight);
  TPHeaderStringGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  TPHeaderStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TPHeaderStringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(TPHeaderStringGrid, &QTableWidget::itemChanged, this, [this] {
    if (!updating_) TPHeaderStringGridExit();
  });

  QStringList branches;
  for (int b = 1; b <= MeasSheet::kBranches; ++b) branches << QString::number(b);
  for (int i = 0; i < MeasSheet::kVisibleRows; ++i) {
    const int y = kGridY + 1 + kHeaderHeight + i * kRowHeight;
    auto* role = new QComboBox(this);
    role->setObjectName(QString("PM%1AttComboBox").arg(i));
    role->setProperty("Tag", i);
    role->setGeometry(kRoleX, y, roleWidth, kRowHeight);
    role->addItems(roles);
    role->installEventFilter(this);
    connect(role, qOverload<int>(&QComboBox::activated), this, [this, i] { PMAttComboBoxChange(i); });
    roleCombos[size_t(i)] = role;
    auto* branch = new QComboBox(this);
    branch->setObjectName(QString("PM%1BranchComboBox").arg(i));
    branch->setProperty("Tag", i);
    branch->setGeometry(280 + shift, y, 60, kRowHeight);
    branch->addItems(branches);
    branch->installEventFilter(this);
    connect(branch, qOverload<int>(&QComboBox::activated), this, [this, i] { PMBranchComboBoxChange(i); });
    branchCombos[size_t(i)] = branch;
  }

  MeasStringGrid = new QTableView(this);
  MeasStringGrid->setObjectName("MeasStringGrid");
  MeasStringGrid->setModel(model_.get());
  MeasStringGrid->move(gridX, kGridY);
  MeasStringGrid->verticalHeader()->hide();
  SetUpSheetGrid(MeasStringGrid, kHeaderHeight, kRowHeight, kColumnWidth);
  connect(MeasStringGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (TPHeaderStringGrid->verticalScrollBar()->value() != v) TPHeaderStringGrid->verticalScrollBar()->setValue(v);
    MeasStringGridTopLeftChanged();
  });
  connect(MeasStringGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { MeasStringGridTopLeftChanged(); });
  connect(TPHeaderStringGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
    if (MeasStringGrid->verticalScrollBar()->value() != v) MeasStringGrid->verticalScrollBar()->setValue(v);
    TPHeaderStringGridTopLeftChanged();
  });
  // Enter ends the editing of a name and hands the focus to the grid.
  for (QTableWidget* g : {ChannelHeaderStringGrid, TPHeaderStringGrid}) {
    g->installEventFilter(this);
    connect(g->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { MeasStringGrid->setFocus(); });
  }

  auto makeGroup = [this](const char* name, int x, int captionId, auto handler) {
    auto* g = new QGroupBox(MsgQ(captionId), this);
    g->setObjectName(name);
    g->setGeometry(x, 445, 200, 66);
    auto* l = new QVBoxLayout(g);
    auto* all = new QRadioButton(MsgQ(m::AllMeasItem), g);
    auto* shown = new QRadioButton(MsgQ(m::OnlyShownItem), g);
    all->setObjectName(QString(name) + "All");
    shown->setObjectName(QString(name) + "Shown");
    all->setChecked(true);
    l->addWidget(all);
    l->addWidget(shown);
    connect(all, &QRadioButton::clicked, this, [this, handler] { (this->*handler)(0); });
    connect(shown, &QRadioButton::clicked, this, [this, handler] { (this->*handler)(1); });
    return g;
  };
  SelectedMeasCSVRadioGroup =
      makeGroup("SelectedMeasCSVRadioGroup", 10, m::CsvGroupCaption, &TDataLoggerSheetDlg::SelectedMeasCSVRadioGroupClick);
  SelectedMeasReportRadioGroup = makeGroup("SelectedMeasReportRadioGroup", 220, m::ReportGroupCaption,
                                           &TDataLoggerSheetDlg::SelectedMeasReportRadioGroupClick);
  SelectedMeasReportRadioGroup->setVisible(false);

  SaveCSVBtn = new QPushButton(MsgQ(m::SaveCsvCaption), this);
  SaveCSVBtn->setObjectName("SaveCSVBtn");
  SaveCSVBtn->setGeometry(440, 460, 110, 30);
  connect(SaveCSVBtn, &QPushButton::clicked, this, [this] { SaveCSVBtnClick(); });
  ReportsBtn = new QPushButton(MsgQ(m::ReportsCaption), this);
  ReportsBtn->setObjectName("ReportsBtn");
  ReportsBtn->setGeometry(560, 460, 110, 30);
  ReportsBtn->setEnabled(false);
  connect(ReportsBtn, &QPushButton::clicked, this, [this] { ReportsBtnClick(); });
  CloseBtn = new QPushButton(MsgQ(m::CloseCaption), this);
  CloseBtn->setObjectName("CloseBtn");
  CloseBtn->setGeometry(680, 460, 110, 30);
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  cv::ExitThrough(*this, *CloseBtn);
  for (QTableWidget* names : {ChannelHeaderStringGrid, TPHeaderStringGrid}) cv::CellEscThrough(*names, *CloseBtn);
  ShowFile(-1);
}

int TDataLoggerSheetDlg::LeftCol() const { return MeasStringGrid->horizontalScrollBar()->value(); }
int TDataLoggerSheetDlg::TopRow() const { return MeasStringGrid->verticalScrollBar()->value() + 1; }

void TDataLoggerSheetDlg::EnableCommands(bool enable) {
  SaveCSVBtn->setEnabled(enable);
  CloseBtn->setEnabled(enable);
  DLComboBox->setEnabled(enable);
  ReportsBtn->setEnabled(enable && ReportsAllowed());
}

void TDataLoggerSheetDlg::ShowReportControls(bool show) {
  ReportTypeEdit->setEnabled(show);
  for (QWidget* w : std::initializer_list<QWidget*>{ChannelHeaderStringGrid, Label2, Bevel5, Label5, Label6}) w->setVisible(show);
  for (QComboBox* c : roleCombos) c->setVisible(show);
  for (QComboBox* c : branchCombos) c->setVisible(show);
  if (sheet_.ReportKind() == 5) ReportTypeEdit->setEnabled(true);
  ReportsBtn->setEnabled((show || sheet_.ReportKind() == 5) && ReportsAllowed());
}

bool TDataLoggerSheetDlg::ReportsAllowed() const {
  const int k = sheet_.ReportKind();
  return k >= 0 && KindWritable(k);
}

void TDataLoggerSheetDlg::ReportsBtnClick() {
  EnableCommands(false);
  BuildReport();
  EnableCommands(true);
}

void TDataLoggerSheetDlg::BuildReport() {
  const int slot = sheet_.Slot();
  if (DLComboBox->currentIndex() < 0 || slot < 0) return;
  RunSheetReport(this, owner_, slot, sheet_.ReportKind(), true, QString());
}

bool TDataLoggerSheetDlg::Init() {
  EnableCommands(false);
  if (!sheet_.Init()) return false;
  updating_ = true;
  for (QComboBox* c : roleCombos) c->setCurrentIndex(MeasSheet::kNoRole);
  for (QComboBox* c : branchCombos) {
    c->setCurrentIndex(-1);
    c->setEnabled(true);
  }
  for (QComboBox* c : measCombos) c->clear();
  DLComboBox->clear();
  for (const std::string& n : sheet_.FileNames()) DLComboBox->addItem(Q(n));
  updating_ = false;
  EnableCommands(true);
  ShowReportControls(sheet_.ReportControlsShown());
  return true;
}

void TDataLoggerSheetDlg::SetReportTypeText(const QString& text) { ReportTypeEdit->setText(text); }

void TDataLoggerSheetDlg::ShowFile(int slot) {
  if (!sheet_.ShowFile(slot)) return;
  updating_ = true;
  DLComboBox->setCurrentIndex(slot);
  model_->Reset();
  MeasStringGrid->setFixedSize(sheet_.GridWidth(), sheet_.GridHeight());
  const int n = sheet_.TestPointCount();
  TPHeaderStringGrid->setRowCount(n);
  for (int r = 0; r < n; ++r) TPHeaderStringGrid->setItem(r, 0, new QTableWidgetItem(Q(sheet_.TestPointName(r))));
  updating_ = false;
  ShowChannelControls(slot, LeftCol());
  ShowTestPointControls(slot, TopRow() - 1);
  BandLabel->setText(Q(sheet_.BandText()));
  IFSATTestCheckBox->setVisible(sheet_.IfSatVisible());
  SelectedMeasReportRadioGroup->setVisible(sheet_.ReportRadioVisible());
}

void TDataLoggerSheetDlg::ShowChannelControls(int slot, int first) {
  if (slot != sheet_.Slot()) return;
  updating_ = true;
  const auto controls = sheet_.ChannelControls(first);
  for (int i = 0; i < MeasSheet::kVisibleColumns; ++i) {
    const auto& cc = controls[size_t(i)];
    QComboBox* c = measCombos[size_t(i)];
    c->clear();
    for (const std::string& item : cc.items) c->addItem(Q(item));
    c->setCurrentIndex(cc.selected);
    // Columns past the last channel are blanked.
    ChannelHeaderStringGrid->item(0, i)->setText(cc.used ? Q(cc.serviceName) : QString());
  }
  updating_ = false;
}

void TDataLoggerSheetDlg::ShowTestPointControls(int slot, int first) {
  if (slot != sheet_.Slot() || first >= sheet_.TestPointCount()) return;
  updating_ = true;
  const auto rows = sheet_.RowControls(first);
  for (int i = 0; i < MeasSheet::kVisibleRows; ++i) {
    roleCombos[size_t(i)]->setCurrentIndex(rows[size_t(i)].role);
    branchCombos[size_t(i)]->setCurrentIndex(rows[size_t(i)].branch);
    branchCombos[size_t(i)]->setEnabled(rows[size_t(i)].branchEnabled);
  }
  if (TPHeaderStringGrid->verticalScrollBar()->value() != first) TPHeaderStringGrid->verticalScrollBar()->setValue(first);
  updating_ = false;
}

void TDataLoggerSheetDlg::Refresh() {
  model_->Refresh();
  ShowChannelControls(sheet_.Slot(), LeftCol());
}

void TDataLoggerSheetDlg::DLComboBoxSelect(int index) {
  if (index < 0) return;
  ShowFile(index);
}

void TDataLoggerSheetDlg::MeasStringGridTopLeftChanged() {
  if (sheet_.Slot() < 0) return;
  ShowTestPointControls(sheet_.Slot(), TopRow() - 1);
  ShowChannelControls(sheet_.Slot(), LeftCol());
}

void TDataLoggerSheetDlg::TPHeaderStringGridTopLeftChanged() { MeasStringGridTopLeftChanged(); }

void TDataLoggerSheetDlg::ChanComboBoxChange(int tag) {
  sheet_.ChooseMeas(LeftCol() + tag, measCombos[size_t(tag)]->currentIndex(), BlockSelMeasCheckBox->isChecked());
  Refresh();
}

void TDataLoggerSheetDlg::PMAttComboBoxChange(int tag) {
  QComboBox* role = roleCombos[size_t(tag)];
  QComboBox* branch = branchCombos[size_t(tag)];
  const int item = role->currentIndex();
  const MeasSheet::Edit e = sheet_.SetRole(TopRow() - 1 + tag, item);
  if (e != MeasSheet::Edit::Done) {
    role->setCurrentIndex(-1);
    return;
  }
  if (item == 2 || item == 3) {
    branch->setCurrentIndex(-1);
    branch->setEnabled(false);
  } else {
    branch->setEnabled(true);
  }
}

void TDataLoggerSheetDlg::PM0AttComboBoxKeyDown(int tag) {
  const int t = TopRow() - 1 + tag;
  if (t >= sheet_.TestPointCount()) return;
  sheet_.ClearPointType(t);
  roleCombos[size_t(tag)]->setCurrentIndex(MeasSheet::kNoRole);
  branchCombos[size_t(tag)]->setEnabled(true);
}

void TDataLoggerSheetDlg::PMBranchComboBoxChange(int tag) {
  QComboBox* branch = branchCombos[size_t(tag)];
  if (sheet_.SetBranch(TopRow() - 1 + tag, branch->currentIndex()) != MeasSheet::Edit::Done) branch->setCurrentIndex(-1);
}

void TDataLoggerSheetDlg::PM0BranchComboBoxKeyDown(int tag) {
  const int t = TopRow() - 1 + tag;
  if (t >= sheet_.TestPointCount()) return;
  sheet_.ClearBranch(t);
  branchCombos[size_t(tag)]->setCurrentIndex(-1);
}

void TDataLoggerSheetDlg::StoreServiceNames() {
  const auto controls = sheet_.ChannelControls(LeftCol());
  for (int i = 0; i < MeasSheet::kVisibleColumns; ++i) {
    if (!controls[size_t(i)].used) continue;
    sheet_.StoreServiceName(LeftCol() + i, To1252(ChannelHeaderStringGrid->item(0, i)->text()));
  }
  ShowChannelControls(sheet_.Slot(), LeftCol());
}

void TDataLoggerSheetDlg::StoreTestPointNames() {
  const int n = std::min(sheet_.TestPointCount(), TPHeaderStringGrid->rowCount());
  updating_ = true;
  for (int r = 0; r < n; ++r) {
    QTableWidgetItem* item = TPHeaderStringGrid->item(r, 0);
    sheet_.StoreTestPointName(r, item ? To1252(item->text()) : std::string());
    if (item) item->setText(Q(sheet_.TestPointName(r)));
  }
  updating_ = false;
}

void TDataLoggerSheetDlg::ChannelHeaderStringGridExit() { StoreServiceNames(); }
void TDataLoggerSheetDlg::TPHeaderStringGridExit() { StoreTestPointNames(); }

void TDataLoggerSheetDlg::IFSATTestCheckBoxClick() { sheet_.SetSatIfTest(IFSATTestCheckBox->isChecked()); }
void TDataLoggerSheetDlg::SelectedMeasCSVRadioGroupClick(int item) { sheet_.RadioGroupClick(item); }
void TDataLoggerSheetDlg::SelectedMeasReportRadioGroupClick(int item) { sheet_.RadioGroupClick(item); }

void TDataLoggerSheetDlg::SaveCSVBtnClick() {
  if (DLComboBox->currentIndex() < 0 || sheet_.Slot() < 0) return;
  EnableCommands(false);
  FileDialogRequest request;
  request.filter = MsgQ(m::CsvFilter);
  request.defaultExt = "csv";
  request.overwritePrompt = true;
  const QString path = SaveFileDialog(this, request);
  if (!path.isEmpty()) sheet_.SaveCsv(path.toLocal8Bit().toStdString());
  EnableCommands(true);
}

bool TDataLoggerSheetDlg::MayClose() { return MaySheetClose(sheet_.modified); }

void TDataLoggerSheetDlg::CloseBtnClick() {
  // Esc and the close box press Close with a name still in its cell's editor.
  for (QTableWidget* names : {ChannelHeaderStringGrid, TPHeaderStringGrid}) cv::CommitCellBeingTyped(*names);
  if (MayClose()) accept();
}

bool TDataLoggerSheetDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == ReportTypeEdit) return true;  // only displays its text
  if (event->type() == QEvent::KeyPress) {
    for (int i = 0; i < MeasSheet::kVisibleRows; ++i) {
      if (key->key() != Qt::Key_Delete) break;
      if (watched == roleCombos[size_t(i)]) {
        PM0AttComboBoxKeyDown(i);
        return true;
      }
      if (watched == branchCombos[size_t(i)]) {
        PM0BranchComboBoxKeyDown(i);
        return true;
      }
    }
    if ((watched == ChannelHeaderStringGrid || watched == TPHeaderStringGrid) &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      MeasStringGrid->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace cv::xr9
