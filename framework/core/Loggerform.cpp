#include "Loggerform.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextBlock>
#include <QTimer>

#include "Messages.h"
#include "MsgIds.h"
#include "Text1252.h"

TLogForm::TLogForm(QWidget* owner) : QDialog(owner) {
  setObjectName("LogForm");
  setWindowTitle("LogForm");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(536, 180);

  // Controls sit at fixed places; derived forms move them where their own layout wants them.
  Gauge = new QProgressBar(this);
  Gauge->setObjectName("Gauge");
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setGeometry(8, 8, 520, 18);
  QPalette gp = Gauge->palette();
  gp.setColor(QPalette::Highlight, Qt::blue);
  gp.setColor(QPalette::Base, QColor(0xC8, 0xC8, 0xC8));
  gp.setColor(QPalette::Window, QColor(0xC8, 0xC8, 0xC8));
  Gauge->setPalette(gp);

  GaugeBevel = new QFrame(this);
  GaugeBevel->setObjectName("GaugeBevel");
  GaugeBevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  GaugeBevel->setGeometry(Gauge->geometry());
  GaugeBevel->setAttribute(Qt::WA_TransparentForMouseEvents);
  // The frame stays on the gauge wherever a derived form's layout puts it.
  Gauge->installEventFilter(this);

  RemoteLabel = new QLabel(this);
  RemoteLabel->setObjectName("RemoteLabel");
  RemoteLabel->setGeometry(8, 32, 290, 57);
  RemoteLabel->setWordWrap(true);
  QFont bold = RemoteLabel->font();
  bold.setBold(true);
  RemoteLabel->setFont(bold);

  LogZone = new QPlainTextEdit(this);
  LogZone->setObjectName("LogZone");
  LogZone->setReadOnly(true);
  LogZone->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LogZone->setToolTip(cv::MsgQ(cv::msg::LogZoneHint));
  LogZone->setGeometry(8, 96, 520, 76);
  connect(LogZone, &QPlainTextEdit::textChanged, this, &TLogForm::CheckLongMemo);

  TimerLog = new QTimer(this);
  TimerLog->setObjectName("TimerLog");
  TimerLog->setInterval(1000);
  connect(TimerLog, &QTimer::timeout, this, &TLogForm::TimerLogTimer);

  // Relative on purpose: the file lands in whatever directory is current, beside the files the
  // tool works on, and each new log form starts it afresh. It is a log written line by line as the
  // tool runs, not a save, so it does not go through cv::WriteFileAtomically: what was logged
  // before a crash must already be in the file.
  logFile = std::fopen("LogZone.log", "w+");  // not a save: a log kept line by line up to a crash
  if (!logFile) AddLogLine(cv::Msg(cv::msg::CannotSaveLogZone));
}

TLogForm::~TLogForm() {
  // The zone's widgets go after this body; no change of theirs may reach a closed file.
  disconnect(LogZone, nullptr, this, nullptr);
  if (logFile) std::fclose(logFile);
}

bool TLogForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Gauge && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
    GaugeBevel->setGeometry(Gauge->geometry());
  return QDialog::eventFilter(watched, event);
}

void TLogForm::AddLogLine(const std::string& line) { LogZone->appendPlainText(cv::From1252(line)); }

int TLogForm::LogLineCount() const {
  const QTextDocument* doc = LogZone->document();
  return doc->isEmpty() ? 0 : doc->blockCount();
}

void TLogForm::CheckLongMemo() {
  int count = LogLineCount();
  // Clearing the zone is a change too; an empty zone has no last line to mirror.
  if (count == 0) return;
  if (logFile) {
    std::string last = cv::To1252(LogZone->document()->lastBlock().text());
    if (last.size() > static_cast<size_t>(kMaxFileLine)) last.resize(kMaxFileLine);
    std::fprintf(logFile, "%s\n", last.c_str());
  }
  if (count > kMaxLogLines) {
    LogZone->clear();
    AddLogLine(cv::Msg(cv::msg::LogZoneCleared));
  }
}

void TLogForm::TimerLogTimer() { ++ticks; }
