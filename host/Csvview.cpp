#include "Csvview.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppServices.h"
#include "CsvTable.h"
#include "HostLog.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Separators.h"
#include "Text1252.h"

namespace {
constexpr int kStartSize = 25;
}

TCSVViewer::TCSVViewer(QWidget* owner) : QDialog(owner), mainForm(owner) {
  setObjectName(QStringLiteral("CSVViewer"));
  resize(720, 480);

  CloseBtn = new QToolButton(this);
  CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
  CloseBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  OpenBtn = new QToolButton(this);
  OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
  OpenBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  ShowEdit = new QLineEdit(this);
  ShowEdit->setObjectName(QStringLiteral("ShowEdit"));
  ShowEdit->setReadOnly(true);

  StringGrid = new QTableWidget(kStartSize, kStartSize, this);
  StringGrid->setObjectName(QStringLiteral("StringGrid"));
  StringGrid->horizontalHeader()->setDefaultSectionSize(56);
  StringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid->verticalHeader()->setDefaultSectionSize(18);
  StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid->verticalHeader()->hide();
  StringGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid->setWordWrap(false);

  OpenDlg = new QFileDialog(this);
  OpenDlg->setObjectName(QStringLiteral("OpenDlg"));
  OpenDlg->setOption(QFileDialog::DontUseNativeDialog);
  OpenDlg->setFileMode(QFileDialog::ExistingFile);
  OpenDlg->setAcceptMode(QFileDialog::AcceptOpen);

  TimerToShowForm = new QTimer(this);
  TimerToShowForm->setObjectName(QStringLiteral("TimerToShowForm"));
  TimerToShowForm->setInterval(200);
  TimerToShowForm->start();

  auto* bar = new QHBoxLayout;
  bar->addWidget(CloseBtn);
  bar->addWidget(OpenBtn);
  bar->addWidget(ShowEdit, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(StringGrid, 1);

  connect(CloseBtn, &QToolButton::clicked, this, &TCSVViewer::CloseBtnClick);
  connect(OpenBtn, &QToolButton::clicked, this, &TCSVViewer::OpenBtnClick);
  connect(StringGrid, &QTableWidget::currentCellChanged, this,
          [this](int row, int column, int, int) { StringGridSelectCell(column, row); });
  connect(TimerToShowForm, &QTimer::timeout, this, &TCSVViewer::ShowForm);

  ReadSeparators();
  RetranslateUi();
}

void TCSVViewer::RetranslateUi() {
  setWindowTitle(cv::MsgQ(cv::msg::CsvCaption));
  CloseBtn->setToolTip(cv::MsgQ(cv::msg::CsvHintExit));
  CloseBtn->setStatusTip(CloseBtn->toolTip());
  OpenBtn->setToolTip(cv::MsgQ(cv::msg::CsvHintOpen));
  OpenBtn->setStatusTip(OpenBtn->toolTip());
  OpenDlg->setNameFilter(cv::MsgQ(cv::msg::CsvFilter));
}

void TCSVViewer::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(e);
}

void TCSVViewer::ReadSeparators() {
  listSeparator = cv::ListSeparator();
  decimalSeparator = cv::DecimalSeparator();
}

void TCSVViewer::Log(const QString& line) { cv::AddHostLog(mainForm, line); }

void TCSVViewer::CloseBtnClick() { done(QDialog::Accepted); }

void TCSVViewer::OpenBtnClick() {
  OpenBtn->setEnabled(false);
  OpenDlg->setDirectory(QDir::currentPath());
  if (OpenDlg->exec() == QDialog::Accepted && !OpenDlg->selectedFiles().isEmpty())
    LoadFile(OpenDlg->selectedFiles().first());
  OpenBtn->setEnabled(true);
}

void TCSVViewer::StringGridSelectCell(int column, int row) {
  QTableWidgetItem* item = StringGrid->item(row, column);
  ShowEdit->setText(item ? item->text() : QString());
}

void TCSVViewer::ShowForm() {
  StringGrid->horizontalScrollBar()->setValue(0);
  TimerToShowForm->stop();
}

void TCSVViewer::ClearGrid() {
  StringGrid->clearContents();
  StringGrid->setRowCount(3);
  StringGrid->setColumnCount(3);
}

void TCSVViewer::LoadFile(const QString& fileName) {
  cv::CsvTable table;
  if (QFileInfo(fileName).isDir() || !cv::ReadCsvFile(fileName.toStdString(), listSeparator, table)) {
    Log(cv::MsgQ(cv::msg::CsvCannotOpen) + fileName);
    return;
  }
  Log(fileName + cv::MsgQ(cv::msg::CsvOpened));
  ClearGrid();
  ShowTable(table);
  if (table.tooLarge) {
    Log(cv::MsgQ(cv::msg::CsvTooLarge));
    cv::ShowInformation(cv::MsgQ(cv::msg::CsvBoxTitle), cv::MsgQ(cv::msg::CsvTooLarge));
  }
}

void TCSVViewer::ShowTable(const cv::CsvTable& table) {
  StringGrid->setUpdatesEnabled(false);
  StringGrid->setRowCount(std::max<int>(3, static_cast<int>(table.rows.size())));
  StringGrid->setColumnCount(std::max(3, table.columns));
  for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
    const auto& fields = table.rows[r];
    for (int c = 0; c < static_cast<int>(fields.size()); ++c)
      StringGrid->setItem(r, c, new QTableWidgetItem(cv::From1252(fields[c])));
  }
  StringGrid->setUpdatesEnabled(true);
}
