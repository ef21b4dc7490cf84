#include "Identifierplen.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "DialogExit.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PlenEquip.h"
#include "PluginHelp.h"
#include "Text1252.h"

namespace cv::plenar {

namespace m = cv::msg::plenar::ident;

namespace {

QString M(int id) { return cv::MsgQ(id); }

// How often the form looks whether the loop's next pass is due.
constexpr int kTimerCheckMs = 200;

}  // namespace

TIdentifierForm::TIdentifierForm(QWidget* owner, TCvPlenEquip* equipment) : QDialog(owner), equipment(equipment) {
  setObjectName("IdentifierForm");
  setWindowTitle(M(m::Caption));
  setFixedSize(520, 470);

  auto label = [this](const char* name, int caption, int y, bool bold) {
    auto* l = new QLabel(M(caption), this);
    l->setObjectName(name);
    l->setGeometry(16, y, 488, 22);
    if (bold) {
      QFont f = l->font();
      f.setBold(true);
      f.setPointSize(f.pointSize() + 2);
      l->setFont(f);
    }
    return l;
  };
  ChannelLabel = label("ChannelLabel", m::ChannelCaption, 10, false);
  FreqLabel = label("FreqLabel", m::FrequencyCaption, 34, false);
  StdLabel = label("StdLabel", m::SignalTypeCaption, 58, true);
  NameLabel = label("NameLabel", m::NameCaption, 84, true);
  ProviderLabel = label("ProviderLabel", m::ProviderCaption, 110, false);

  IdentMemo = new QPlainTextEdit(this);
  IdentMemo->setObjectName("IdentMemo");
  IdentMemo->setReadOnly(true);
  IdentMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  IdentMemo->setGeometry(16, 140, 488, 210);
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  ProgressBar->setGeometry(16, 356, 488, 16);
  DoNotChangeLabel = new QLabel(M(m::DoNotChange), this);
  DoNotChangeLabel->setObjectName("DoNotChangeLabel");
  DoNotChangeLabel->setGeometry(16, 376, 488, 20);
  DoNotChangeLabel->setStyleSheet("color: #b00000;");
  DoNotChangeLabel->hide();

  auto button = [this](const char* name, int caption, int x, int y, int w) {
    auto* b = new QPushButton(M(caption), this);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 28);
    // Only Identify answers Enter.
    b->setAutoDefault(false);
    return b;
  };
  IdentifyBtn = button("IdentifyBtn", m::IdentifyBtn, 16, 400, 110);
  IdentifyBtn->setDefault(true);
  AbortBtn = button("AbortBtn", m::AbortBtn, 134, 400, 180);
  LoopCheckBox = new QCheckBox(M(m::LoopCheckBox), this);
  LoopCheckBox->setObjectName("LoopCheckBox");
  LoopCheckBox->setGeometry(324, 403, 180, 22);
  SaveBtn = button("SaveBtn", m::SaveBtn, 16, 434, 110);
  HelpBtn = button("HelpBtn", m::HelpBtn, 290, 434, 100);
  CloseBtn = button("CloseBtn", m::CloseBtn, 404, 434, 100);

  TimerToStart = new QTimer(this);
  TimerToStart->setObjectName("TimerToStart");
  TimerToStart->setInterval(kTimerCheckMs);

  ident = std::make_unique<ChannelIdentifier>(EquipIdentLink(equipment), *equipment->clock, static_cast<IdentView*>(this));

  connect(IdentifyBtn, &QPushButton::clicked, this, &TIdentifierForm::IdentifyBtnClick);
  connect(AbortBtn, &QPushButton::clicked, this, &TIdentifierForm::AbortBtnClick);
  connect(LoopCheckBox, &QCheckBox::clicked, this, &TIdentifierForm::LoopCheckBoxClick);
  connect(SaveBtn, &QPushButton::clicked, this, &TIdentifierForm::SaveBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &TIdentifierForm::CloseBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TIdentifierForm::HelpBtnClick);
  connect(TimerToStart, &QTimer::timeout, this, &TIdentifierForm::StartIdentificationByTimer);
  // A pass under way winds down before the form ends.
  cv::ExitThrough(*this, *CloseBtn);
  TimerToStart->start();
}

TIdentifierForm::~TIdentifierForm() = default;

void TIdentifierForm::IdentifyBtnClick() {
  ident->Identify();
  CloseIfDue();
}

void TIdentifierForm::StartIdentificationByTimer() {
  ident->TimerTick();
  CloseIfDue();
}

void TIdentifierForm::AbortBtnClick() { ident->Abort(); }

void TIdentifierForm::LoopCheckBoxClick() { ident->SetLoop(LoopCheckBox->isChecked()); }

void TIdentifierForm::SaveBtnClick() {
  cv::FileDialogRequest request;
  request.filter = M(m::SaveFilter);
  request.overwritePrompt = true;
  const QString path = cv::SaveFileDialog(this, request);
  if (path.isEmpty()) return;
  char date[64], time[64];
  ident->Save(path.toLocal8Bit().toStdString(), equipment->DateString(date), equipment->TimeString(time));
}

void TIdentifierForm::CloseBtnClick() {
  CloseBtn->setText(M(m::CloseWait));
  ident->RequestClose();
  CloseIfDue();
}

void TIdentifierForm::HelpBtnClick() {
  ShowPluginHelp(equipment->GetStartDir(), QStringLiteral("Identifier"), cv::Msg(cv::msg::plenar::HelpFile).c_str());
}

void TIdentifierForm::CloseIfDue() {
  if (ident->closing && ident->depth == 0) {
    TimerToStart->stop();
    done(QDialog::Rejected);
  }
}

void TIdentifierForm::AddLine(const std::string& line) {
  IdentMemo->appendPlainText(cv::From1252(line));
  IdentMemo->verticalScrollBar()->setValue(IdentMemo->verticalScrollBar()->maximum());
}

void TIdentifierForm::SetProgress(int percent) { ProgressBar->setValue(percent); }

void TIdentifierForm::ShowBusy(bool busy) {
  DoNotChangeLabel->setVisible(busy);
  // A click held by the window system while the pass sends falls on a button that is off.
  IdentifyBtn->setEnabled(!busy);
}

void TIdentifierForm::ShowResult() {
  ChannelLabel->setText(cv::From1252(ident->result.channelName));
  FreqLabel->setText(cv::From1252(ident->FrequencyText()));
  StdLabel->setText(cv::From1252(ChannelIdentifier::ClassText(ident->result.cls)));
  NameLabel->setText(cv::From1252(ident->NameText()));
  ProviderLabel->setText(cv::From1252(ident->ProviderText()));
}

void TIdentifierForm::LoopCleared() { LoopCheckBox->setChecked(false); }

}  // namespace cv::plenar
