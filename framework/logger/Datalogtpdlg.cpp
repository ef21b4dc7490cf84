#include "Datalogtpdlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "AppServices.h"
#include "Datalogdlg.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

namespace msg = cv::msg::logger;

namespace {
QString M(int id) { return cv::MsgQ(id); }
}  // namespace

TDataLoggerTPDlg::TDataLoggerTPDlg(TDataLoggerDlg* owner) : QDialog(owner), logger(owner) {
  setObjectName("DataLoggerTPDlg");
  setWindowTitle(M(msg::DlTPCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(false);
  setFixedSize(310, 33);
  TPLabel = new QLabel(M(msg::DlTPDlgLabel), this);
  TPLabel->setObjectName("TPLabel");
  QFont bold = TPLabel->font();
  bold.setBold(true);
  bold.setUnderline(true);
  TPLabel->setFont(bold);
  TPLabel->setGeometry(6, 8, 94, 17);
  TPEdit = new QLineEdit("XXXXXXXX", this);
  TPEdit->setObjectName("TPEdit");
  TPEdit->setGeometry(102, 5, 65, 23);
  NextBtn = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), M(msg::DlNextTPBtn), this);
  NextBtn->setObjectName("NextBtn");
  NextBtn->setToolTip(M(msg::DlNextTPHint));
  NextBtn->setStatusTip(M(msg::DlNextTPHint));
  NextBtn->setAutoDefault(false);
  // Next gives Close the few pixels its longest translation needs.
  NextBtn->setGeometry(172, 4, 68, 25);
  CloseBtn = new QPushButton(M(msg::DlCloseBtn), this);
  CloseBtn->setObjectName("CloseBtn");
  CloseBtn->setAutoDefault(false);
  CloseBtn->setGeometry(244, 4, 62, 25);
  connect(NextBtn, &QPushButton::clicked, this, &TDataLoggerTPDlg::NextTPBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &TDataLoggerTPDlg::CloseBtnClick);
  connect(TPEdit, &QLineEdit::textEdited, this, &TDataLoggerTPDlg::TPEditChange);
  TPEdit->installEventFilter(this);

  const int line = logger->TPList()->currentRow();
  if (line >= 0) ShowTP(line);
  // Typing replaces the name shown.
  TPEdit->setFocus();
  TPEdit->setSelection(0, 8);
}

void TDataLoggerTPDlg::ShowTP(int line) {
  TPEdit->setText(cv::From1252(logger->Logger().testPoints[line].name));
  TPLabel->setText(M(msg::DlTestPoint) + QString::number(line + 1));
}

void TDataLoggerTPDlg::TPEditChange() { edited = true; }

bool TDataLoggerTPDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TPEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      NextTPBtnClick();
      TPEdit->setFocus();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TDataLoggerTPDlg::NextTPBtnClick() {
  QListWidget* list = logger->TPList();
  const int line = list->currentRow();
  if (line < 0 || !list->item(line) || !list->item(line)->isSelected()) {
    cv::ShowError(M(msg::DlPlainError), M(msg::DlNoTPSelected));
    return;
  }
  if (edited) {
    std::string name = cv::To1252(TPEdit->text());
    if (name.size() > static_cast<size_t>(cv::logger::kTPNameLength)) name.resize(cv::logger::kTPNameLength);
    logger->Logger().testPoints[line].name = name;
    edited = false;
  }
  logger->ShowLoggerItem(line);
  const int next = logger->NextSelectedTP(line);
  if (next < 0) {
    TPEdit->clear();
    TPLabel->setText(M(msg::DlTestPoint));
  } else {
    // The line stands fourth from the top.
    list->verticalScrollBar()->setValue(next < 3 ? next : next - 3);
    list->setCurrentRow(next);
    ShowTP(next);
  }
  TPEdit->setSelection(0, 8);
}

void TDataLoggerTPDlg::CloseBtnClick() { close(); }
