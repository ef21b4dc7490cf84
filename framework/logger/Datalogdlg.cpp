#include "Datalogdlg.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "AppServices.h"
#include "Cv3Equip.h"
#include "Datalogsheetdlg.h"
#include "Datalogtpdlg.h"
#include "DialogExit.h"
#include "FileDialogs.h"
#include "FixedFont.h"
#include "Format.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Printers.h"
#include "Text1252.h"

namespace msg = cv::msg::logger;
using cv::logger::kItems;

namespace {

QString M(int id) { return cv::MsgQ(id); }

constexpr int kLineHeight = 16;
const QString kDataLoggerHelpTopic = QStringLiteral("DataLogger");

}  // namespace

TLoggerRadioGroup::TLoggerRadioGroup(QWidget* parent, const QString& caption, const QStringList& items)
    : QWidget(parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* box = new QGroupBox(caption, this);
  outer->addWidget(box);
  auto* inner = new QVBoxLayout(box);
  inner->setContentsMargins(4, 0, 0, 0);
  inner->setSpacing(0);
  for (const QString& item : items) {
    auto* b = new QRadioButton(item, box);
    b->setObjectName(QStringLiteral("Item%1").arg(buttons.size()));
    inner->addWidget(b);
    connect(b, &QRadioButton::clicked, this, &TLoggerRadioGroup::Clicked);
    buttons.push_back(b);
  }
}

int TLoggerRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

void TLoggerRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < static_cast<int>(buttons.size())) buttons[index]->setChecked(true);
}

TDataLoggerDlg::TDataLoggerDlg(QWidget* owner, TCv3Equip* equipment, const cv::logger::TLoggerFamily& family)
    : QDialog(owner), equipment(equipment), logger(*equipment, *this, family) {
  chooseSaveFile = [this]() { return cv::RunSaveDialog(this, {M(msg::DlCsvFilter)}, "csv"); };
  runViewer = [this]() {
    TDataLoggerSheetDlg sheet(this, this->equipment);
    sheet.exec();
  };
  BuildForm();
  SaveAllBtn->setEnabled(false);
  equipment->LoadCustomLogo(Image1);
  cv::ExitThrough(*this, *CloseDataLogBtn);
}

TDataLoggerDlg::~TDataLoggerDlg() { delete nameDialog; }

void TDataLoggerDlg::BuildForm() {
  setObjectName("DataLoggerDlg");
  setWindowTitle(M(msg::DlCaption));
  // The lists' lines in this platform's fixed font need a little more width than the original
  // 358 pixels gave them.
  setFixedSize(390, 313);
  auto button = [this](const char* name, int textId, int x, int y, int w, int hintId = 0) {
    auto* b = new QPushButton(M(textId), this);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 25);
    if (hintId) {
      b->setToolTip(M(hintId));
      b->setStatusTip(M(hintId));
    }
    return b;
  };
  auto* logo = new TLogoImage(this);
  logo->SetStretch(true);
  logo->SetProportional(true);
  logo->SetPicture(BuiltInLogo(100, 40));
  Image1 = logo;
  Image1->setObjectName("Image1");
  Image1->setGeometry(6, 6, 116, 42);

  TPButtonRadio = new TLoggerRadioGroup(this, M(msg::DlTPRadio), {M(msg::DlOnlySelected), M(msg::DlAll)});
  TPButtonRadio->setObjectName("TPButtonRadio");
  TPButtonRadio->setGeometry(6, 52, 116, 62);
  TPButtonRadio->setToolTip(M(msg::DlTPRadioHint));
  TPButtonRadio->SetItemIndex(0);
  MemButtonRadio = new TLoggerRadioGroup(this, M(msg::DlMemRadio), {M(msg::DlMemOnlySelected), M(msg::DlMemAll)});
  MemButtonRadio->setObjectName("MemButtonRadio");
  MemButtonRadio->setGeometry(6, 118, 116, 62);
  MemButtonRadio->setToolTip(M(msg::DlMemRadioHint));
  MemButtonRadio->SetItemIndex(0);

  ReceiveNamesBtn = button("ReceiveNamesBtn", msg::DlReceiveNamesBtn, 6, 190, 116, msg::DlReceiveNamesHint);
  ReceiveDataBtn = button("ReceiveDataBtn", msg::DlReceiveDataBtn, 6, 220, 116, msg::DlReceiveDataHint);
  SaveAllBtn = button("SaveAllBtn", msg::DlSaveAllBtn, 6, 250, 116, msg::DlSaveAllHint);

  const QFont courier = cv::FixedPitchFont("Courier New", 8);
  auto list = [&](const char* name, int x, int w) {
    auto* l = new QListWidget(this);
    l->setObjectName(name);
    l->setGeometry(x, 6, w, 12 * kLineHeight + 4);
    l->setFont(courier);
    l->setUniformItemSizes(true);
    l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
  };
  TPCheckListBox = list("TPCheckListBox", 128, 104);
  TPCheckListBox->setToolTip(M(msg::DlTPListHint));
  TPCheckListBox->setStatusTip(M(msg::DlTPListHint));
  MemCheckListBox = list("MemCheckListBox", 236, 148);
  UnselectTPBtn = button("UnselectTPBtn", msg::DlUnselectBtn, 128, 206, 104, msg::DlUnselectTPHint);
  UnselectMemBtn = button("UnselectMemBtn", msg::DlUnselectBtn, 236, 206, 148, msg::DlUnselectMemHint);

  TPLabel = new QLabel(M(msg::DlTPLabel) + "0", this);
  TPLabel->setObjectName("TPLabel");
  TPLabel->setGeometry(128, 236, 100, 16);
  MemLabel = new QLabel(M(msg::DlMemLabel) + "0", this);
  MemLabel->setObjectName("MemLabel");
  MemLabel->setGeometry(236, 236, 148, 16);
  auto* bevel = new QLabel(this);
  bevel->setObjectName("BevelGalga");
  bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel->setGeometry(126, 254, 260, 22);
  Gauge = new QProgressBar(this);
  Gauge->setObjectName("Gauge");
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setTextVisible(false);
  QPalette gaugeColours = Gauge->palette();
  gaugeColours.setColor(QPalette::Highlight, Qt::blue);
  Gauge->setPalette(gaugeColours);
  Gauge->setGeometry(128, 256, 256, 18);

  HelpDataLogBtn = button("HelpDataLogBtn", msg::DlHelpBtn, 6, 282, 116);
  CancelDataLogBtn = button("CancelDataLogBtn", msg::DlCancelBtn, 230, 282, 74);
  CancelDataLogBtn->setEnabled(false);
  CloseDataLogBtn = button("CloseDataLogBtn", msg::DlCloseBtn, 310, 282, 74);

  connect(ReceiveNamesBtn, &QPushButton::clicked, this, &TDataLoggerDlg::ReceiveNamesBtnClick);
  connect(ReceiveDataBtn, &QPushButton::clicked, this, &TDataLoggerDlg::ReceiveDataBtnClick);
  connect(SaveAllBtn, &QPushButton::clicked, this, &TDataLoggerDlg::SaveAllBtnClick);
  connect(CancelDataLogBtn, &QPushButton::clicked, this, &TDataLoggerDlg::CancelDataLogBtnClick);
  connect(CloseDataLogBtn, &QPushButton::clicked, this, &TDataLoggerDlg::CloseDataLogBtnClick);
  connect(HelpDataLogBtn, &QPushButton::clicked, this, &TDataLoggerDlg::HelpDataLogBtnClick);
  connect(TPCheckListBox, &QListWidget::itemChanged, this, &TDataLoggerDlg::TPCheckListBoxClickCheck);
  connect(MemCheckListBox, &QListWidget::itemChanged, this, &TDataLoggerDlg::MemCheckListBoxClickCheck);
  connect(TPCheckListBox, &QListWidget::currentRowChanged, this, &TDataLoggerDlg::TPCheckListBoxClick);
  connect(TPCheckListBox, &QListWidget::itemDoubleClicked, this, &TDataLoggerDlg::TPCheckListBoxDblClick);
  connect(UnselectTPBtn, &QPushButton::clicked, this, &TDataLoggerDlg::UnselectTPBtnClick);
  connect(UnselectMemBtn, &QPushButton::clicked, this, &TDataLoggerDlg::UnselectMemBtnClick);
  connect(TPButtonRadio, &TLoggerRadioGroup::Clicked, this,
          [this]() { logger.allTPs = TPButtonRadio->ItemIndex() == 1; });
  connect(MemButtonRadio, &TLoggerRadioGroup::Clicked, this,
          [this]() { logger.allMemories = MemButtonRadio->ItemIndex() == 1; });
}

// ---------------------------------------------------------------------------------------------
// Progress

void TDataLoggerDlg::ShowMemoryNumber(int number) { MemLabel->setText(M(msg::DlMemLabel) + QString::number(number)); }
void TDataLoggerDlg::ShowTPNumber(int number) { TPLabel->setText(M(msg::DlTPLabel) + QString::number(number)); }
void TDataLoggerDlg::SetGauge(int percent) { Gauge->setValue(percent); }
void TDataLoggerDlg::Repaint() {
  if (isVisible()) repaint();
}
void TDataLoggerDlg::PumpMessages() { cv::ProcessEvents(); }

cv::ControlsOff TDataLoggerDlg::TransferLock() {
  return cv::ControlsOff{CloseDataLogBtn, ReceiveNamesBtn, ReceiveDataBtn, SaveAllBtn,     UnselectTPBtn,
                         UnselectMemBtn,  TPButtonRadio,   MemButtonRadio, TPCheckListBox, MemCheckListBox,
                         HelpDataLogBtn};
}

// ---------------------------------------------------------------------------------------------
// Lists

void TDataLoggerDlg::AddLine(QListWidget* list, const QString& text, bool ticked) {
  auto* item = new QListWidgetItem(text, list);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  item->setSizeHint(QSize(0, kLineHeight));
}

void TDataLoggerDlg::FillMemoryList() {
  filling = true;
  MemCheckListBox->clear();
  const cv::NumberStyle style{logger.decimalSeparator == ' ' ? '.' : logger.decimalSeparator};
  for (const cv::logger::TLoggerMemory& m : logger.memories) {
    const std::string line = cv::Format("%d ", m.number) + cv::Format("%4.4s", std::string(m.name)) +
                             cv::FormatStyled(style, " %6.2f", m.frequency);
    AddLine(MemCheckListBox, cv::From1252(line), m.selected);
  }
  filling = false;
}

QString TDataLoggerDlg::TPLine(int index) const {
  const cv::logger::TLoggerTP& tp = logger.testPoints[index];
  return cv::From1252(cv::Format("%d ", tp.number) + tp.name);
}

void TDataLoggerDlg::FillTPList() {
  filling = true;
  TPCheckListBox->clear();
  for (int i = 0; i < kItems; ++i) AddLine(TPCheckListBox, TPLine(i), logger.testPoints[i].selected);
  filling = false;
}

void TDataLoggerDlg::ShowLoggerItem(int line) {
  QListWidgetItem* item = TPCheckListBox->item(line);
  if (!item) return;
  filling = true;
  item->setText(TPLine(line).left(11));
  item->setCheckState(logger.testPoints[line].selected ? Qt::Checked : Qt::Unchecked);
  filling = false;
}

void TDataLoggerDlg::ScrollRule(QListWidget* list, QListWidgetItem* item) {
  const QModelIndex topIndex = list->indexAt(QPoint(1, 1));
  const int top = topIndex.isValid() ? topIndex.row() : 0;
  const int shown = list->viewport()->height() / kLineHeight;
  if (list->row(item) != top && top + 1 + shown <= kItems) list->verticalScrollBar()->setValue(top + 1);
}

void TDataLoggerDlg::TPCheckListBoxClickCheck(QListWidgetItem* item) {
  if (filling || !item) return;
  ScrollRule(TPCheckListBox, item);
  logger.testPoints[TPCheckListBox->row(item)].selected = item->checkState() == Qt::Checked;
  logger.CountSelectedTPs();
}

void TDataLoggerDlg::MemCheckListBoxClickCheck(QListWidgetItem* item) {
  if (filling || !item) return;
  ScrollRule(MemCheckListBox, item);
  logger.memories[MemCheckListBox->row(item)].selected = item->checkState() == Qt::Checked;
}

void TDataLoggerDlg::TPCheckListBoxClick() {
  const int line = TPCheckListBox->currentRow();
  if (nameDialog && line >= 0) nameDialog->ShowTP(line);
}

void TDataLoggerDlg::TPCheckListBoxDblClick(QListWidgetItem* item) {
  if (!item) return;
  const int line = TPCheckListBox->row(item);
  if (logger.CountSelectedTPs() == 0 || item->checkState() != Qt::Checked) return;
  TPCheckListBox->setCurrentRow(line);
  delete nameDialog;
  nameDialog = new TDataLoggerTPDlg(this);
  nameDialog->show();
  nameDialog->activateWindow();
}

// Unticks every line; false when the list holds none.
bool TDataLoggerDlg::UntickAll(QListWidget* list) {
  if (list->count() == 0) return false;
  filling = true;
  for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Unchecked);
  filling = false;
  return true;
}

void TDataLoggerDlg::UnselectTPBtnClick() {
  if (UntickAll(TPCheckListBox)) logger.UnselectTPs();
}

void TDataLoggerDlg::UnselectMemBtnClick() {
  if (UntickAll(MemCheckListBox)) logger.UnselectMemories();
}

// ---------------------------------------------------------------------------------------------
// Names and data

bool TDataLoggerDlg::ReceiveNames() {
  // The lists are filled only from replies known good: a failure keeps what the person had on
  // screen, ticks and typed names among it.
  const bool ok = logger.ReadNames();
  if (ok) {
    FillMemoryList();
    FillTPList();
    SaveAllBtn->setEnabled(false);
  } else {
    const std::string text = cv::Msg(msg::DlCommError);
    equipment->Log(text);
    std::string box = text;
    if (logger.failedMemory) box += "\n" + cv::Format(cv::Msg(msg::DlMemoryNotCome), logger.failedMemory);
    if (logger.failedTP) box += "\n" + cv::Format(cv::Msg(msg::DlTPNotCome), logger.failedTP);
    cv::ShowError(cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption), cv::From1252(box));
  }
  Gauge->setValue(0);
  return ok;
}

void TDataLoggerDlg::ReceiveNamesBtnClick() { ReceiveNames(); }

void TDataLoggerDlg::ReceiveDataBtnClick() {
  if (!logger.namesReceived && !ReceiveNames()) return;
  logger.allTPs = TPButtonRadio->ItemIndex() == 1;
  logger.allMemories = MemButtonRadio->ItemIndex() == 1;
  const int tps = logger.CountSelectedTPs();
  const int memories = logger.CountSelectedMemories();
  if (tps == 0 || memories == 0) {
    std::string text = tps == 0 ? cv::Msg(msg::DlSelectTPs) : cv::Msg(msg::DlSelectMemories);
    if (tps == 0 && memories == 0) text += cv::Msg(msg::DlAndMemories);
    cv::ShowError(M(msg::DlErrorCaption), cv::From1252(text));
    return;
  }
  if (!logger.AllocDataTable()) {
    equipment->Log(cv::Msg(msg::DlNotEnoughMemory));
    cv::ShowError(cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption), M(msg::DlCannotAllocate));
    return;
  }
  cv::logger::TDataLogger::DataResult result;
  {
    const cv::ControlsOff lock = TransferLock();
    CancelDataLogBtn->setEnabled(true);
    result = logger.ReadData();
    CancelDataLogBtn->setEnabled(false);
  }
  // Save All saves the last whole download, which only a whole new one replaces: after a stop or
  // a failure it stays as it was.
  if (result == cv::logger::TDataLogger::DataResult::Done) {
    if (cv::InstalledPrinterCount() > 0) RunViewer();
    SaveAllBtn->setEnabled(true);
  } else if (result == cv::logger::TDataLogger::DataResult::Failed) {
    cv::ShowError(M(msg::DlErrorCaption),
                  cv::From1252(cv::Format(cv::Msg(msg::DlDataNotCome), logger.failedMemory, logger.failedTP)));
  }
}

void TDataLoggerDlg::RunViewer() {
  equipment->Log(cv::Msg(msg::DlRunningViewer));
  runViewer();
  equipment->Log(cv::Msg(msg::DlClosedViewer));
}

void TDataLoggerDlg::CancelDataLogBtnClick() { logger.Cancel(); }
void TDataLoggerDlg::CloseDataLogBtnClick() { accept(); }
void TDataLoggerDlg::HelpDataLogBtnClick() { ShowPluginHelp(equipment, HelpTopic::DataLogger); }

// ---------------------------------------------------------------------------------------------
// CSV file

void TDataLoggerDlg::SaveAllBtnClick() { SaveCSVFile(); }

void TDataLoggerDlg::SaveCSVFile() {
  if (!logger.download) return;
  const QString path = chooseSaveFile();
  if (path.isEmpty()) return;
  WriteCsvFile(path, nullptr);
}

std::string TDataLoggerDlg::CsvText(const cv::logger::TLoggerReport* report) const {
  if (!logger.download) return {};
  cv::logger::TLoggerCsvStyle style;
  style.listSeparator = logger.listSeparator;
  style.decimalSeparator = logger.decimalSeparator;
  char date[32], time[32];
  style.date = equipment->DateString(date);
  style.time = equipment->TimeString(time);
  return cv::logger::CsvFileText(*logger.download, logger.testPoints, style, report);
}

bool TDataLoggerDlg::WriteCsvFile(const QString& path, const cv::logger::TLoggerReport* report) {
  const std::string fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).toLocal8Bit().toStdString();
  std::string error;
  const cv::logger::CsvSave result = cv::logger::SaveCsvText(path.toLocal8Bit().toStdString(), CsvText(report), error);
  if (result == cv::logger::CsvSave::Saved) {
    equipment->Log(cv::Msg(msg::DlFileSaved) + cv::LoggedFileName(fullPath));
    return true;
  }
  std::string text = cv::Format(cv::Msg(result == cv::logger::CsvSave::NotOpened ? msg::DlCannotOpen : msg::DlCannotWrite),
                                cv::FileSystemTo1252(fullPath));
  equipment->Log(text);
  if (!error.empty()) equipment->Log(error);
  if (result == cv::logger::CsvSave::NotOpened) text += cv::Msg(msg::DlFileInUse);
  cv::ShowWarning(cv::MsgQ(cv::msg::cv3::CvToolsErrorCaption), cv::From1252(text));
  return false;
}
