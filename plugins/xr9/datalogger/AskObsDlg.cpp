#include "AskObsDlg.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AtomicFile.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Prompt.h"
#include "Text1252.h"
#include "Xr9Equip.h"

namespace cv::xr9 {

namespace m = cv::msg::xr9rep;

std::string DataLoggerObservations::Path() const {
  if (startDir_.empty()) return kObservationsFile;
  const char last = startDir_.back();
  return startDir_ + (last == '/' || last == '\\' ? "" : "/") + kObservationsFile;
}

void DataLoggerObservations::NoObservations() {
  hasObservations_ = false;
  QFile::remove(QString::fromLocal8Bit(Path().c_str()));
}

bool DataLoggerObservations::Done(const std::vector<std::string>& lines) {
  if (lines.empty()) {
    NoObservations();
    return true;
  }
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  std::string why;
  if (WriteFileAtomically(Path(), text, &why) != SaveResult::Saved) {
    hasObservations_ = false;
    const std::string told = Format(Msg(m::ObsNotSaved), Path()) + (why.empty() ? "" : "\n" + why);
    if (!AskBoxYesNo(PrompterInForce(), told + "\n" + Msg(m::ObsGoOnWithout), Msg(m::ErrorCaption), MsgIcon::Error))
      return false;
    NoObservations();
    return true;
  }
  hasObservations_ = true;
  return true;
}

std::vector<std::string> DataLoggerObservations::MemoLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(start, nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = nl + 1;
  }
  return lines;
}

TDataLoggerAskObsDlg::TDataLoggerAskObsDlg(QWidget* owner, TXR9Equip& equipment)
    : QDialog(owner), rules_(equipment.GetStartDir()) {
  setObjectName("DataLoggerAskObsDlg");
  setWindowTitle(MsgQ(m::ObsCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  LabelObs = new QLabel(this);
  LabelObs->setObjectName("LabelObs");
  LabelObs->setWordWrap(true);
  ObsMemo = new QPlainTextEdit(this);
  ObsMemo->setObjectName("ObsMemo");
  ObsMemo->setToolTip(MsgQ(m::ObsMemoHint));
  ObsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  NoObsBtn = new QPushButton(MsgQ(m::NoObsCaption), this);
  NoObsBtn->setObjectName("NoObsBtn");
  NoObsBtn->setToolTip(MsgQ(m::NoObsHint));
  DoneBtn = new QPushButton(MsgQ(m::DoneCaption), this);
  DoneBtn->setObjectName("DoneBtn");
  DoneBtn->setToolTip(MsgQ(m::DoneHint));
  connect(NoObsBtn, &QPushButton::clicked, this, [this] { NoObsBtnClick(); });
  connect(DoneBtn, &QPushButton::clicked, this, [this] { DoneBtnClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(NoObsBtn);
  buttons->addWidget(DoneBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabelObs);
  layout->addWidget(ObsMemo);
  layout->addLayout(buttons);
  resize(420, 260);
}

void TDataLoggerAskObsDlg::SetPrompt(const QString& text) { LabelObs->setText(text); }

void TDataLoggerAskObsDlg::NoObsBtnClick() {
  rules_.NoObservations();
  accept();
}

void TDataLoggerAskObsDlg::DoneBtnClick() {
  if (rules_.Done(DataLoggerObservations::MemoLines(To1252(ObsMemo->toPlainText())))) accept();
}

}  // namespace cv::xr9
