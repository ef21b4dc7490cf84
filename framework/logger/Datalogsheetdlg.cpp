#include "Datalogsheetdlg.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <cctype>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Datalogdlg.h"
#include "FileDialogs.h"
#include "Format.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"
#include "NumFormat.h"
#include "PrintFailure.h"
#include "PrintOutput.h"
#include "Prompt.h"
#include "Registry.h"
#include "Serial.h"
#include "Text1252.h"

namespace msg = cv::msg::logger;
using cv::logger::TLoggerMemory;
using cv::logger::TLoggerPrintMetrics;

namespace {

QString M(int id) { return cv::MsgQ(id); }

constexpr int kColumns = 11, kRows = 23, kFixedColumns = 2, kFixedRows = 5;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

TDataLoggerSheetDlg::TDataLoggerSheetDlg(TDataLoggerDlg* owner, TCv3Equip* equipment)
    : QDialog(owner), owner(owner), equipment(equipment) {
  chooseSaveFile = [this]() { return cv::RunSaveDialog(this, {M(msg::DlCsvFilter)}, "csv"); };
  chooseLogoFile = [this]() {
    QFileDialog dlg(this);
    dlg.setObjectName("OpenPictureDlg");
    dlg.setDirectory(QDir::currentPath());
    dlg.setNameFilter(M(msg::DlPictureFilter));
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return dlg.selectedFiles().first();
  };
  chooseFont = [this](const QFont& current) -> std::optional<QFont> {
    QFontDialog dlg(current, this);
    dlg.setObjectName("FontDlg");
    dlg.setWindowTitle(M(msg::DlFontCaption));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    QFont chosen = dlg.selectedFont();
    chosen.setPointSize(std::clamp(chosen.pointSize(), 4, 16));
    return chosen;
  };
  confirmPrint = [this](QPrinter& p) { return cv::RunPrintDialog(p, this); };
  showPrinterSetup = [this](QPrinter& p) {
    QPageSetupDialog dlg(&p, this);
    dlg.setObjectName("PrinterSetupDlg");
    return dlg.exec() == QDialog::Accepted;
  };

  // 1. the equipment, the owner and the separators
  equipment->GetSeparators(decimalSeparator, listSeparator);
  download = owner->Logger().download;
  testPoints = &owner->Logger().testPoints;
  printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(M(msg::DlDocumentTitle));
  // 2. the grid
  BuildForm();
  // 3. the layouts and the printer font
  FillLayoutCombo();
  printerFont = StringGrid->font();
  // 4. the first page
  if (download) {
    tpCount = download->TPCount();
    memoryCount = download->MemoryCount();
  }
  ShowPage(firstTP, firstMemory);
  // 5. the instrument, unless the page asked already
  if (!Family().identifyOnEveryPage) Identify();
  // 6. the logo; one that cannot be loaded leaves the form's empty picture
  const std::string logo = ReadLogoPath();
  if (!logo.empty()) LogoImage->LoadPicture(QString::fromLocal8Bit(logo.c_str()));
  // 7. the print captions
  UpdatePrintAllCaption();
  ShowFontName();
}

TDataLoggerSheetDlg::~TDataLoggerSheetDlg() = default;

void TDataLoggerSheetDlg::BuildForm() {
  setObjectName("DataLoggerSheetDlg");
  setWindowTitle(M(msg::DlSheetCaption));
  setFixedSize(634, 532);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);

  auto* bevel = new QLabel(this);
  bevel->setObjectName("Bevel1");
  bevel->setFrameStyle(QFrame::Box | QFrame::Plain);
  bevel->setGeometry(8, 8, 180, 90);
  LogoImage = new TLogoImage(this);
  LogoImage->setObjectName("LogoImage");
  LogoImage->SetCenter(true);
  LogoImage->SetStretch(true);
  LogoImage->setGeometry(10, 10, 176, 86);
  LogoImage->setToolTip(M(msg::DlLogoHint));
  LogoImage->setStatusTip(M(msg::DlLogoHint));
  ImagePopupMenu = new QMenu(this);
  ImagePopupMenu->setObjectName("ImagePopupMenu");
  QAction* insert = ImagePopupMenu->addAction(M(msg::DlInsertLogo));
  insert->setObjectName("InsertLogo");
  connect(insert, &QAction::triggered, this, &TDataLoggerSheetDlg::InsertLogoClick);
  LogoImage->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LogoImage, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ImagePopupMenu->popup(LogoImage->mapToGlobal(at)); });

  auto label = [this](const char* name, const QString& text, int x, int y, int w) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setGeometry(x, y, w, 18);
    return l;
  };
  auto edit = [this](const char* name, int x, int y, int w) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 22);
    return e;
  };
  Label1 = label("Label1", M(msg::DlIdentification), 200, 10, 90);
  IdentificationEdit = edit("IdentificationEdit", 292, 8, 334);
  Label2 = label("Label2", M(msg::DlClient), 200, 36, 90);
  ClientEdit = edit("ClientEdit", 292, 34, 334);
  Label3 = label("Label3", M(msg::DlObs), 200, 62, 90);
  CommentsEdit = edit("CommentsEdit", 292, 60, 334);
  InfoEquipLabel = label("InfoEquipLabel", QString(), 200, 86, 426);

  StringGrid = new QTableWidget(kRows, kColumns, this);
  StringGrid->setObjectName("StringGrid");
  StringGrid->setGeometry(8, 110, 618, 370);
  QFont arial("Arial");
  arial.setPointSize(8);
  StringGrid->setFont(arial);
  StringGrid->horizontalHeader()->hide();
  StringGrid->verticalHeader()->hide();
  StringGrid->verticalHeader()->setMinimumSectionSize(1);
  StringGrid->verticalHeader()->setDefaultSectionSize(15);
  StringGrid->horizontalHeader()->setDefaultSectionSize(50);
  StringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid->setColumnWidth(1, 100);
  StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) {
      auto* item = new QTableWidgetItem();
      if (r < kFixedRows || c < kFixedColumns) {
        item->setBackground(palette().color(QPalette::Button));
        item->setFlags(Qt::ItemIsEnabled);
      }
      StringGrid->setItem(r, c, item);
    }

  auto arrow = [this](const char* name, Qt::ArrowType type, int x, int y, bool page) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setArrowType(type);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(x, y, page ? 30 : 22, 22);
    if (page) b->setText(type == Qt::LeftArrow || type == Qt::UpArrow ? "<<" : ">>");
    if (page) b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  LeftPageBtn = arrow("LeftPageBtn", Qt::LeftArrow, 8, 486, true);
  LeftOneBtn = arrow("LeftOneBtn", Qt::LeftArrow, 40, 486, false);
  RightOneBtn = arrow("RightOneBtn", Qt::RightArrow, 64, 486, false);
  RightPageBtn = arrow("RightPageBtn", Qt::RightArrow, 88, 486, true);
  UpPageBtn = arrow("UpPageBtn", Qt::UpArrow, 126, 486, true);
  UpOneBtn = arrow("UpOneBtn", Qt::UpArrow, 158, 486, false);
  DownOneBtn = arrow("DownOneBtn", Qt::DownArrow, 182, 486, false);
  DownPageBtn = arrow("DownPageBtn", Qt::DownArrow, 206, 486, true);

  auto button = [this](const char* name, const QString& text, int x, int y, int w) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 25);
    b->setAutoDefault(false);
    return b;
  };
  FontBtn = button("FontBtn", M(msg::DlFontBtn), 244, 486, 90);
  LayoutCombo = new QComboBox(this);
  LayoutCombo->setObjectName("LayoutCombo");
  LayoutCombo->setGeometry(340, 486, 140, 25);
  PrintSetupBtn = button("PrintSetupBtn", M(msg::DlPrintSetupBtn), 486, 486, 140);
  PrintAllBtn = button("PrintAllBtn", M(msg::DlPrintAllBtn), 244, 508, 170);
  SaveBtn = button("SaveBtn", M(msg::DlSaveAllBtn), 420, 508, 100);
  SaveBtn->setToolTip(M(msg::DlSaveAllHint));
  SaveBtn->setStatusTip(M(msg::DlSaveAllHint));
  CloseBtn = button("CloseBtn", M(msg::DlCloseBtn), 526, 508, 100);

  connect(CloseBtn, &QPushButton::clicked, this, &TDataLoggerSheetDlg::CloseBtnClick);
  connect(RightOneBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::RightOneBtnClick);
  connect(LeftOneBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::LeftOneBtnClick);
  connect(UpOneBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::UpOneBtnClick);
  connect(DownOneBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::DownOneBtnClick);
  connect(RightPageBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::RightPageBtnClick);
  connect(LeftPageBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::LeftPageBtnClick);
  connect(UpPageBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::UpPageBtnClick);
  connect(DownPageBtn, &QToolButton::clicked, this, &TDataLoggerSheetDlg::DownPageBtnClick);
  connect(SaveBtn, &QPushButton::clicked, this, &TDataLoggerSheetDlg::SaveBtnClick);
  connect(FontBtn, &QPushButton::clicked, this, &TDataLoggerSheetDlg::FontBtnClick);
  connect(PrintAllBtn, &QPushButton::clicked, this, &TDataLoggerSheetDlg::PrintAllBtnClick);
  connect(PrintSetupBtn, &QPushButton::clicked, this, &TDataLoggerSheetDlg::PrintSetupBtnClick);
  connect(LayoutCombo, &QComboBox::activated, this, &TDataLoggerSheetDlg::LayoutComboChange);
}

// ---------------------------------------------------------------------------------------------
// The grid

void TDataLoggerSheetDlg::SetCell(int row, int column, const QString& text) { StringGrid->item(row, column)->setText(text); }

void TDataLoggerSheetDlg::ClearCells() {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) SetCell(r, c, QString());
}

std::string TDataLoggerSheetDlg::FrequencyText(const TLoggerMemory& m) const {
  return cv::Format(m.band == 'T' ? "%6.2f" : "%6.1f", m.frequency);
}

void TDataLoggerSheetDlg::FillHeader(int tp0) {
  const int labels[] = {msg::DlNum, msg::DlName, msg::DlBand, msg::DlFreq, msg::DlLevel};
  for (int r = 0; r < kFixedRows; ++r) SetCell(r, 1, M(labels[r]));
  for (int j = tp0; j < tp0 + std::min(tpCount, kPageTPs) && j <= tpCount; ++j) {
    const int row = j - tp0 + kFixedRows;
    SetCell(row, 0, cv::From1252((*testPoints)[download->wantedTPs[j - 1]].name));
    SetCell(row, 1, cv::From1252(download->timeStamps[j - 1]));
  }
}

void TDataLoggerSheetDlg::ShowMemoryHeading(int k, int column) {
  const TLoggerMemory& m = download->memories[k - 1];
  SetCell(0, column, QString::number(m.number));
  SetCell(1, column, cv::From1252(m.name));
  SetCell(2, column, QString::fromLatin1(cv::logger::BandName(m.band)));
  SetCell(3, column, QString::fromLatin1(cv::Format("%6.2f", m.frequency).c_str()));
  SetCell(4, column, QString::fromLatin1(cv::logger::MeasureName(m.measure, *download->family)) +
                         QString::fromLatin1(cv::logger::UnitName(m.units, m.measure, *download->family)));
}

const cv::logger::TLoggerFamily& TDataLoggerSheetDlg::Family() const { return owner->Logger().Family(); }

namespace {
// The sheet's equipment as a family's identification asks it.
class EquipMeter : public cv::logger::LoggerMeter {
 public:
  explicit EquipMeter(TCv3Equip& e) : equipment(e) {}
  bool SendCommand(const std::string& command) override { return equipment.SendCommand(command.c_str()); }
  bool Query(const std::string& query, std::string& reply) override {
    char text[kReplyBufferSize] = {};
    const bool ok = equipment.Query(query.c_str(), text);
    reply = text;
    return ok;
  }

 private:
  TCv3Equip& equipment;
};
}  // namespace

void TDataLoggerSheetDlg::Identify() {
  const cv::logger::TLoggerFamily& family = Family();
  if (!family.identify) return InfoEquipLabel->setText(cv::From1252(ReadEquipmentInfo()));
  EquipMeter meter(*equipment);
  InfoEquipLabel->setText(cv::From1252(family.identify(meter)));
}

void TDataLoggerSheetDlg::ShowPage(int tp0, int memory0) {
  ClearCells();
  // The meter may have been changed between two pages: its identification is asked again.
  if (Family().identifyOnEveryPage) Identify();
  if (!download) return;
  FillHeader(tp0);
  for (int k = memory0; k < memory0 + std::min(memoryCount, kPageMemories) && k <= memoryCount; ++k) {
    const int column = k - memory0 + kFixedColumns;
    ShowMemoryHeading(k, column);
    for (int j = tp0; j < tp0 + std::min(tpCount, kPageTPs) && j <= tpCount; ++j)
      SetCell(j - tp0 + kFixedRows, column, cv::From1252(download->cells[k - 1][j - 1]));
  }
}

void TDataLoggerSheetDlg::RightOneBtnClick() {
  if (firstMemory <= memoryCount - kPageMemories) ShowPage(firstTP, ++firstMemory);
}
void TDataLoggerSheetDlg::LeftOneBtnClick() {
  if (firstMemory > 1) ShowPage(firstTP, --firstMemory);
}
void TDataLoggerSheetDlg::DownOneBtnClick() {
  if (firstTP <= tpCount - kPageTPs) ShowPage(++firstTP, firstMemory);
}
void TDataLoggerSheetDlg::UpOneBtnClick() {
  if (firstTP > 1) ShowPage(--firstTP, firstMemory);
}
void TDataLoggerSheetDlg::RightPageBtnClick() {
  if (memoryCount - firstMemory - kPageMemories >= 0) ShowPage(firstTP, firstMemory += kPageMemories);
}
void TDataLoggerSheetDlg::LeftPageBtnClick() {
  firstMemory = firstMemory > kPageMemories ? firstMemory - kPageMemories : 1;
  ShowPage(firstTP, firstMemory);
}
void TDataLoggerSheetDlg::DownPageBtnClick() {
  if (tpCount - firstTP - kPageTPs >= 0) ShowPage(firstTP += kPageTPs, firstMemory);
}
void TDataLoggerSheetDlg::UpPageBtnClick() {
  firstTP = firstTP > kPageTPs ? firstTP - kPageTPs : 1;
  ShowPage(firstTP, firstMemory);
}

void TDataLoggerSheetDlg::CloseBtnClick() { accept(); }

// ---------------------------------------------------------------------------------------------
// Equipment text, logo, report

std::string TDataLoggerSheetDlg::ReadEquipmentInfo() {
  std::string text;
  char reply[kReplyBufferSize];
  if (equipment->Query("*?VE", reply)) {
    const std::string answer = Upper(reply);
    if (answer.compare(0, 3, "*VE") == 0) text = answer.substr(3);
  }
  equipment->SendCommand("*7205&");
  std::string serial;
  if (equipment->Query("*?I20A01000009", reply)) {
    std::string answer = Upper(std::string(reply).substr(0, 21));
    if (answer.compare(0, 3, "*I2") == 0) serial = cv::DecodeHexText(std::string_view(answer).substr(3));
  }
  return text + cv::Msg(msg::DlSerial) + serial;
}

std::string TDataLoggerSheetDlg::InfoText() const { return cv::To1252(InfoEquipLabel->text()); }

std::string TDataLoggerSheetDlg::ReadLogoPath() {
  std::string path;
  if (auto key = cv::RegKey::Open(kDataLoggerKey, false)) key->ReadString("Logo", path);
  return path;
}

bool TDataLoggerSheetDlg::WriteLogoPath(const std::string& path) {
  auto key = cv::RegKey::Open(kDataLoggerKey, true);
  if (key && key->WriteString("Logo", path)) return true;
  cv::ShowError(cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption), M(msg::DlRegistryError));
  return false;
}

void TDataLoggerSheetDlg::InsertLogoClick() {
  const QString path = chooseLogoFile();
  if (path.isEmpty()) return;
  if (!LogoImage->LoadPicture(path)) {
    cv::ShowError(cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption),
                  QString::fromStdString(cv::Format(cv::Msg(msg::DlBadPicture), path.toStdString())));
    return;
  }
  WriteLogoPath(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toLocal8Bit().toStdString());
}

void TDataLoggerSheetDlg::SaveBtnClick() {
  const QString path = chooseSaveFile();
  if (path.isEmpty()) return;
  cv::logger::TLoggerReport report;
  report.identification = cv::To1252(IdentificationEdit->text());
  report.client = cv::To1252(ClientEdit->text());
  report.equipment = InfoText();
  report.observations = cv::To1252(CommentsEdit->text());
  owner->WriteCsvFile(path, &report);
}

void TDataLoggerSheetDlg::EnableButtons(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{SaveBtn, PrintSetupBtn, PrintAllBtn, FontBtn, LayoutCombo})
    w->setEnabled(on);
}

void TDataLoggerSheetDlg::FontBtnClick() {
  const std::optional<QFont> chosen = chooseFont(printerFont);
  if (!chosen) return;
  printerFont = *chosen;
  StringGrid->setFont(printerFont);
  ShowPage(firstTP, firstMemory);
  UpdatePrintAllCaption();
  ShowFontName();
}

// ---------------------------------------------------------------------------------------------
// Print captions

void TDataLoggerSheetDlg::FillLayoutCombo() {
  LayoutCombo->clear();
  LayoutCombo->addItem(M(msg::DlPrintRows));
  LayoutCombo->addItem(M(msg::DlPrintColumns));
  LayoutCombo->setCurrentIndex(0);
}

cv::logger::TPrinterInfo TDataLoggerSheetDlg::PrinterInfo() const {
  cv::logger::TPrinterInfo info;
  info.dpiX = printer->logicalDpiX();
  info.dpiY = printer->logicalDpiY();
  info.pageWidth = printer->width();
  info.pageHeight = printer->height();
  const QRect paper = printer->paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer->pageRect(QPrinter::DevicePixel).toRect();
  info.physicalHeight = paper.height();
  info.topOffset = page.top() - paper.top();
  info.fontPoints = printerFont.pointSize() > 0 ? printerFont.pointSize() : 8;
  return info;
}

TLoggerPrintMetrics TDataLoggerSheetDlg::Metrics() const {
  const auto layout = LayoutCombo->currentIndex() > 0 ? cv::logger::PrintLayout::TPInColumns
                                                      : cv::logger::PrintLayout::TPInRows;
  return TLoggerPrintMetrics(PrinterInfo(), layout, download && download->timeColumns, tpCount, memoryCount);
}

void TDataLoggerSheetDlg::UpdatePrintAllCaption() {
  const int pages = Metrics().PageCount();
  if (pages < 1) {
    PrintAllBtn->setText(M(msg::DlPrintAllUnknown));
    PrintAllBtn->setEnabled(false);
  } else {
    PrintAllBtn->setText(M(msg::DlPrintAllOpen) + QString::number(pages) + M(msg::DlPrintAllClose));
    PrintAllBtn->setEnabled(true);
  }
}

void TDataLoggerSheetDlg::ShowFontName() {
  if (printerFont.family().isEmpty()) {
    FontBtn->setText(M(msg::DlFontUnknown));
    return;
  }
  FontBtn->setText((printerFont.family() + " ").left(10) + QString::number(printerFont.pointSize()));
}

void TDataLoggerSheetDlg::LayoutComboChange() { UpdatePrintAllCaption(); }

void TDataLoggerSheetDlg::PrintSetupBtnClick() {
  if (showPrinterSetup(*printer)) UpdatePrintAllCaption();
}

// ---------------------------------------------------------------------------------------------
// Printing

struct TDataLoggerSheetDlg::PrintJob {
  QPainter p;
  TLoggerPrintMetrics m;
  int pageWidth = 0, pageHeight = 0, topOffset = 0, pageCount = 0;
  explicit PrintJob(const TLoggerPrintMetrics& metrics) : m(metrics) {}
  // Text placed by its top-left corner, as the printer canvas places it.
  void Text(int x, int y, const QString& text) { p.drawText(x, y + p.fontMetrics().ascent(), text); }
  void Text(int x, int y, const std::string& text) { Text(x, y, cv::From1252(text)); }
};

void TDataLoggerSheetDlg::PrintAllBtnClick() {
  EnableButtons(false);
  if (confirmPrint(*printer)) {
    if (LayoutCombo->currentIndex() > 0)
      PrintTPInColumns();
    else
      PrintTPInRows();
  }
  EnableButtons(true);
  UpdatePrintAllCaption();
}

void TDataLoggerSheetDlg::PrintTPInRows() { PrintPages(true); }
void TDataLoggerSheetDlg::PrintTPInColumns() { PrintPages(false); }

namespace {
void SetArial(QPainter& p, int points, bool bold, bool italic) {
  QFont f("Arial");
  f.setPointSize(points);
  f.setBold(bold);
  f.setItalic(italic);
  p.setFont(f);
  p.setPen(Qt::black);
}
}  // namespace

void TDataLoggerSheetDlg::SetTitleFont(QPainter& p) const { SetArial(p, 12, true, false); }
void TDataLoggerSheetDlg::SetTextFont(QPainter& p) const { SetArial(p, 10, false, true); }

void TDataLoggerSheetDlg::PrintPages(bool tpInRows) {
  if (!download) return;
  printer->setDocName(M(msg::DlDocumentTitle));
  PrintJob job(Metrics());
  const cv::logger::TPrinterInfo info = PrinterInfo();
  job.pageWidth = info.pageWidth;
  job.pageHeight = info.pageHeight;
  job.topOffset = info.topOffset;
  job.pageCount = job.m.PageCount();
  if (job.pageCount < 1) return;
  cv::PrintOutput output(*printer);
  if (output.Begin(job.p)) DrawPages(job, output, tpInRows);
  const std::string failed = cv::PrintFailureText(output, output.End(job.p));
  if (!failed.empty()) cv::ShowBox(cv::CurrentPrompter(), failed, cv::Msg(msg::DlErrorCaption), cv::MsgIcon::Error);
}

void TDataLoggerSheetDlg::DrawPages(PrintJob& job, cv::PrintOutput& output, bool tpInRows) {
  job.p.setFont(printerFont);
  job.Text(job.m.left, job.topOffset, QStringLiteral(" "));
  const int rowPages = job.m.RowPageCount(), columnPages = job.m.ColumnPageCount();
  const int lh = job.m.lineHeight, colW = job.m.columnWidth, tsW = job.m.timeStampWidth, L = job.m.left;
  int pageNo = 0;
  auto page = [&](int i, int j) {
    ++pageNo;
    job.p.setFont(printerFont);
    int y = PrintPageHeader(job, job.topOffset + lh);
    const int firstTP = i * job.m.RowsPerPage();
    const int firstMemory = j * job.m.ColumnsPerPage();
    if (tpInRows) {
      y = PrintMemoryHeadings(job, L + colW + tsW, y, j);
      for (int t = firstTP; t < firstTP + job.m.RowsOnPage(i); ++t) {
        int x = PrintTPName(job, L, y, t);
        for (int m = firstMemory; m < firstMemory + job.m.ColumnsOnPage(j); ++m, x += colW)
          job.Text(x, y, download->cells[m][t]);
        y += lh;
      }
    } else {
      y = PrintRowHeadings(job, L + colW + tsW, y, i);
      for (int m = firstMemory; m < firstMemory + job.m.ColumnsOnPage(j); ++m) {
        int x = PrintMemoryRow(job, L, y, colW + tsW, m);
        for (int t = firstTP; t < firstTP + job.m.RowsOnPage(i); ++t, x += colW)
          job.Text(x, y, download->cells[m][t]);
        y += lh;
      }
    }
    PrintPageFooter(job, pageNo);
    if (pageNo != job.pageCount) output.NewPage();
  };
  if (tpInRows) {
    for (int i = 0; i < rowPages; ++i)
      for (int j = 0; j < columnPages; ++j) page(i, j);
  } else {
    for (int j = 0; j < columnPages; ++j)
      for (int i = 0; i < rowPages; ++i) page(i, j);
  }
}

int TDataLoggerSheetDlg::PrintPageHeader(PrintJob& job, int y) {
  const std::string title = cv::Msg(msg::DlReportTitle).substr(0, 59);
  const std::string labels[] = {cv::Msg(msg::DlReportId).substr(0, 29), cv::Msg(msg::DlReportClient).substr(0, 29),
                                cv::Msg(msg::DlReportObs).substr(0, 29)};
  const QFont kept = job.p.font();
  const int L = job.m.left, R = job.m.right, H = job.m.header;
  const int titlePX = std::abs(TLoggerPrintMetrics::MulDiv(12, printer->logicalDpiX(), 72));
  const int titlePY = std::abs(TLoggerPrintMetrics::MulDiv(12, printer->logicalDpiY(), 72));
  const int cw = static_cast<int>(0.6 * titlePX);
  const int hl = static_cast<int>(1.4 * titlePY);
  const int third = (job.pageWidth - L - R) / 3;
  const QRect logo(QPoint(L, job.topOffset + 5), QPoint(third, H - job.topOffset - 5 - 3 * hl));
  if (logo.isValid()) job.p.drawPixmap(logo, LogoImage->Picture());

  const cv::logger::TLoggerFamily& family = Family();
  if (family.titleInTitleFont)
    SetTitleFont(job.p);
  else
    SetTextFont(job.p);
  char date[32], time[32];
  job.Text(third + 150, H - 4 * hl,
           title + ": " + equipment->DateString(date) + " (" + equipment->TimeString(time) + ")");
  const QBrush brush = job.p.brush();
  job.p.setBrush(Qt::NoBrush);
  job.p.setPen(Qt::black);
  job.p.drawRect(QRect(QPoint(L - 5, H - 3 * hl), QPoint(job.pageWidth - R, H)));
  job.p.setBrush(brush);

  const std::string obs = cv::logger::ObsRowText(InfoText(), cv::To1252(CommentsEdit->text()), family);
  const std::string values[] = {cv::To1252(IdentificationEdit->text()), cv::To1252(ClientEdit->text()), obs};
  int line = H - 3 * hl + 10;
  for (int k = 0; k < 3; ++k, line += job.m.lineHeight) {
    SetTitleFont(job.p);
    job.Text(L, line, labels[k]);
    SetTextFont(job.p);
    job.Text(L + static_cast<int>(labels[k].size()) * cw, line + hl / 8, values[k]);
  }
  job.p.setFont(kept);
  (void)y;
  return H;
}

int TDataLoggerSheetDlg::PrintMemoryHeadings(PrintJob& job, int x, int y, int memoryPage) {
  const int L = job.m.left, colW = job.m.columnWidth, lh = job.m.lineHeight;
  const int first = memoryPage * job.m.ColumnsPerPage(), count = job.m.ColumnsOnPage(memoryPage);
  auto row = [&](int yy, const QString& label, auto cell) {
    job.Text(L, yy, label);
    for (int k = 0; k < count; ++k) job.Text(x + k * colW, yy, cell(download->memories[first + k]));
  };
  row(y, M(msg::DlNum), [](const TLoggerMemory& m) { return std::to_string(m.number); });
  y += lh;
  row(y, M(msg::DlName), [](const TLoggerMemory& m) { return std::string(m.name); });
  y += lh;
  row(y, M(msg::DlBand), [](const TLoggerMemory& m) { return std::string(cv::logger::BandName(m.band)); });
  row(y + lh, M(msg::DlFreq), [this](const TLoggerMemory& m) { return FrequencyText(m); });
  y += 2 * lh;
  row(y, M(msg::DlLevel), [this](const TLoggerMemory& m) {
    return std::string(cv::logger::MeasureName(m.measure, *download->family)) +
           cv::logger::UnitName(m.units, m.measure, *download->family);
  });
  return y + lh;
}

int TDataLoggerSheetDlg::PrintRowHeadings(PrintJob& job, int x, int y, int tpPage) {
  const int L = job.m.left, colW = job.m.columnWidth, lh = job.m.lineHeight;
  const int step = (x - L) / 6;
  const int first = tpPage * job.m.RowsPerPage(), count = job.m.RowsOnPage(tpPage);
  for (int k = 0; k < count; ++k) job.Text(x + k * colW, y, (*testPoints)[download->wantedTPs[first + k]].name);
  y += lh;
  const int labels[] = {msg::DlNum, msg::DlName, msg::DlBand, msg::DlFreq, msg::DlLevel};
  for (int k = 0; k < 5; ++k) job.Text(L + k * step, y, M(labels[k]));
  for (int k = 0; k < count; ++k) {
    std::string time, day;
    cv::logger::SplitTimeStamp(download->timeStamps[first + k], time, day);
    job.Text(x + k * colW, y, time);
    job.Text(x + k * colW, y + lh, day);
  }
  return y + 2 * lh;
}

int TDataLoggerSheetDlg::PrintTPName(PrintJob& job, int x, int y, int tp) {
  job.Text(x, y, (*testPoints)[download->wantedTPs[tp]].name);
  job.Text(x + job.m.columnWidth, y, download->timeStamps[tp]);
  return x + job.m.columnWidth + job.m.timeStampWidth;
}

int TDataLoggerSheetDlg::PrintMemoryRow(PrintJob& job, int x, int y, int width, int memory) {
  const TLoggerMemory& m = download->memories[memory];
  const int step = width / 6;
  const std::string texts[] = {std::to_string(m.number), m.name, cv::logger::BandName(m.band), FrequencyText(m),
                               std::string(cv::logger::MeasureName(m.measure, *download->family)) +
                                   cv::logger::UnitName(m.units, m.measure, *download->family)};
  for (int k = 0; k < 5; ++k) job.Text(x + k * step, y, texts[k]);
  return x + width;
}

void TDataLoggerSheetDlg::PrintPageFooter(PrintJob& job, int page) {
  const int lh = job.m.lineHeight;
  const int y0 = job.pageHeight + job.topOffset - 3 * lh;
  job.p.setPen(Qt::black);
  job.p.drawText(QRect(0, y0, job.pageWidth, lh), Qt::AlignHCenter | Qt::AlignVCenter,
                 QString::fromStdString(cv::Format(cv::Msg(msg::DlPageFooter), page, job.pageCount)));
  job.p.drawLine(0, y0 - 2, job.pageWidth, y0 - 2);
}
