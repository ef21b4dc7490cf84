#include "FindDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Messages.h"
#include "MsgIds.h"

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDlg"));
  setModal(false);
  FindLabel = new QLabel(this);
  FindEdit = new QLineEdit(this);
  FindEdit->setObjectName(QStringLiteral("FindEdit"));
  FindLabel->setBuddy(FindEdit);
  WholeWordCheck = new QCheckBox(this);
  WholeWordCheck->setObjectName(QStringLiteral("WholeWordCheck"));
  MatchCaseCheck = new QCheckBox(this);
  MatchCaseCheck->setObjectName(QStringLiteral("MatchCaseCheck"));
  FindBtn = new QPushButton(this);
  FindBtn->setObjectName(QStringLiteral("FindBtn"));
  FindBtn->setDefault(true);
  CancelBtn = new QPushButton(this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

  auto* g = new QGridLayout(this);
  g->addWidget(FindLabel, 0, 0);
  g->addWidget(FindEdit, 0, 1);
  g->addWidget(FindBtn, 0, 2);
  g->addWidget(WholeWordCheck, 1, 0, 1, 2);
  g->addWidget(CancelBtn, 1, 2);
  g->addWidget(MatchCaseCheck, 2, 0, 1, 2);

  connect(FindBtn, &QPushButton::clicked, this, &TFindDialog::Find);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  RetranslateUi();
}

QString TFindDialog::FindText() const { return FindEdit->text(); }
bool TFindDialog::MatchCase() const { return MatchCaseCheck->isChecked(); }
bool TFindDialog::WholeWord() const { return WholeWordCheck->isChecked(); }

void TFindDialog::RetranslateUi() {
  setWindowTitle(cv::MsgQ(cv::msg::FindCaption));
  FindLabel->setText(cv::MsgQ(cv::msg::FindWhat));
  WholeWordCheck->setText(cv::MsgQ(cv::msg::FindWholeWord));
  MatchCaseCheck->setText(cv::MsgQ(cv::msg::FindMatchCase));
  FindBtn->setText(cv::MsgQ(cv::msg::FindNext));
  CancelBtn->setText(cv::MsgQ(cv::msg::FindCancel));
}

void TFindDialog::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) RetranslateUi();
  QDialog::changeEvent(e);
}
