#include "Updatedlg.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <fstream>
#include <sstream>

#include "BusyCursor.h"
#include "ControlsOff.h"
#include "Cv3Equip.h"
#include "DialogExit.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Prompt.h"
#include "Serial.h"
#include "Text1252.h"
#include "UpdateScript.h"

namespace m = cv::msg::settings;

namespace {

QString M(int id) { return cv::MsgQ(id); }

}  // namespace

TUpdateFirmDlg::TUpdateFirmDlg(QWidget* owner, TCv3Equip* equipment)
    : TLogForm(owner), equipment(equipment), logMemo(equipment->GetLogMemo()) {
  setObjectName("UpdateFirmDlg");
  setWindowTitle(M(m::UpdCaption));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  Bevel2 = new QFrame(this);
  Bevel2->setObjectName("Bevel2");
  Bevel2->setFrameShape(QFrame::Box);
  Bevel2->setFrameShadow(QFrame::Sunken);
  Bevel2->lower();
  StartBtn = new QPushButton(M(m::UpdStartBtn), this);
  StartBtn->setObjectName("StartBtn");
  HelpBtn = new QPushButton(M(m::HelpBtn), this);
  HelpBtn->setObjectName("HelpBtn");
  CloseBtn = new QPushButton(M(m::CloseBtn), this);
  CloseBtn->setObjectName("CloseBtn");
  // The tools' open dialog: the script's folder becomes the working directory, where SENDHEX
  // looks for the update file the script names.
  chooseScript = [this]() {
    cv::FileDialogRequest request;
    request.filter = M(m::UpdFilter);
    return cv::OpenFileDialog(this, request);
  };
  runScript = [this](const std::string& path) { return this->equipment->RunScript(path, this); };
  connect(StartBtn, &QPushButton::clicked, this, &TUpdateFirmDlg::StartBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TUpdateFirmDlg::HelpBtnClick);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
  // Close is off while an update runs: Esc and the close box then leave the dialog open.
  cv::ExitThrough(*this, *CloseBtn);
  ArrangeControls();
}

TUpdateFirmDlg::~TUpdateFirmDlg() = default;

void TUpdateFirmDlg::ArrangeControls() {
  const float k = static_cast<float>(logicalDpiX()) * (1.0f / 96.0f);
  auto s = [k](int v) { return static_cast<int>(k * static_cast<float>(v)); };
  // The status line of a run takes the form's whole width in its frame: its three lines end in
  // "Expected total time: about ... minutes or less", wider than half the form in every language,
  // and a wrapped fourth line would fall under the frame. The buttons go in a row under the log.
  Bevel2->setGeometry(s(8), s(8), s(547), s(64));
  RemoteLabel->setGeometry(s(16), s(12), s(531), s(56));
  Gauge->setGeometry(s(8), s(80), s(547), s(30));
  GaugeBevel->setGeometry(Gauge->geometry());
  LogZone->setGeometry(s(8), s(120), s(547), s(70));
  StartBtn->setGeometry(s(259), s(198), s(120), s(28));
  HelpBtn->setGeometry(s(387), s(198), s(80), s(28));
  CloseBtn->setGeometry(s(475), s(198), s(80), s(28));
  // The form fits its controls (the log form's own size fits only its bare layout).
  setFixedSize(s(567), s(234));
  TimerLog->start();
}

void TUpdateFirmDlg::LogBoth(const std::string& line) {
  equipment->Log(line);
  AddLogLine(line);
}

cv::ControlsOff TUpdateFirmDlg::UpdateRunning() {
  // MP opens the port again: pressed during a run, its wake line and queries would land in the
  // middle of the firmware being written. A family without it has none to turn off.
  return cv::ControlsOff{StartBtn, CloseBtn, Mpeg2Btn};
}

void TUpdateFirmDlg::StartBtnClick() {
  // From the choice of the script to the end of its run; every way out gives the buttons back.
  const cv::ControlsOff running = UpdateRunning();
  if (portLost) {
    portLost = !equipment->ReopenPort();
    if (portLost) {
      cv::ShowBox(cv::CurrentPrompter(), PortLostText(), cv::Msg(m::UpdErrorCaption), cv::MsgIcon::Error);
      return;
    }
  }
  const QString chosen = chooseScript ? chooseScript() : QString();
  if (!chosen.isEmpty()) {
    const std::string path = chosen.toLocal8Bit().toStdString().substr(0, 260);
    std::string updateFile;
    if (FindUpdateFile(path, updateFile))
      RunUpdate(path);
    else
      cv::ShowBox(cv::CurrentPrompter(), cv::Msg(m::UpdNotUpdateFile), cv::Msg(m::UpdErrorCaption),
                  cv::MsgIcon::Warning);
  }
}

bool TUpdateFirmDlg::FindUpdateFile(const std::string& path, std::string& updateFile) {
  const std::string name = cv::LoggedFileName(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  if (!cv::settings::FindUpdateLine(text.str(), updateFile, ScriptLinePiece())) return false;
  equipment->Log(cv::Msg(m::UpdProFound) + name + ",");
  equipment->Log(cv::Msg(m::UpdWithFile) + updateFile);
  return true;
}

void TUpdateFirmDlg::RunUpdate(const std::string& path) {
  const cv::BusyCursor cursor;
  try {
    if (!runScript(path)) {
      LogBoth(cv::Msg(m::UpdFailed));
      return;
    }
  } catch (const std::exception& e) {
    // An exception leaving the click would end the program: the dialog stays usable instead.
    LogBoth(cv::Msg(m::UpdFailed));
    cv::ShowBox(cv::CurrentPrompter(), cv::Format(cv::Msg(m::UpdStopped), e.what()), cv::Msg(m::UpdErrorCaption),
                cv::MsgIcon::Error);
    return;
  } catch (...) {
    LogBoth(cv::Msg(m::UpdFailed));
    cv::ShowBox(cv::CurrentPrompter(), cv::Format(cv::Msg(m::UpdStopped), "?"), cv::Msg(m::UpdErrorCaption),
                cv::MsgIcon::Error);
    return;
  }
  LogBoth(cv::Msg(m::UpdSuccessful));
  char reply[kReplyBufferSize];
  if (equipment->Query("*?VE", reply) && std::string(reply).compare(0, 3, "*VE") == 0)
    LogBoth(cv::Msg(m::UpdNewVersion) + (reply + 3));
  else
    LogBoth(cv::Msg(m::UpdNoVersion));
}

void TUpdateFirmDlg::HelpBtnClick() { ShowPluginHelp(equipment, HelpTopic::Update); }

void TUpdateFirmDlg::AddMpeg2Button(const QString& caption, const QString& hint, MakeAnalyzer make) {
  makeAnalyzer = std::move(make);
  Mpeg2Btn = new QPushButton(caption, this);
  Mpeg2Btn->setObjectName("Mpeg2Btn");
  Mpeg2Btn->setToolTip(hint);
  // In the row, before Start and as far from it as Help is; never the default button.
  const QRect start = StartBtn->geometry();
  const int gap = HelpBtn->x() - start.right() - 1;
  const int width = HelpBtn->width() * 4 / 5;
  Mpeg2Btn->setGeometry(start.x() - gap - width, start.y(), width, start.height());
  Mpeg2Btn->setAutoDefault(false);
  connect(Mpeg2Btn, &QPushButton::clicked, this, &TUpdateFirmDlg::Mpeg2BtnClick);
}

void TUpdateFirmDlg::Mpeg2BtnClick() {
  namespace mp = cv::msg::mpeg;
  TSerial* port = equipment->port;
  if (!port) {
    equipment->Log(cv::Msg(mp::NoEquipment));
    return;
  }
  if (!makeAnalyzer) return;
  if (!port->OpenConfigured(19200, 8, 0, 0)) {
    equipment->Log(cv::Msg(mp::PortError));
    return;
  }
  std::unique_ptr<QDialog> analyzer = makeAnalyzer(this, *equipment);
  equipment->Log(cv::Msg(mp::Executing));
  analyzer->exec();
  analyzer.reset();
  port->Close();
  equipment->Log(cv::Msg(mp::Closed));
  // The update goes on the port as this dialog got it; Start tries again if it cannot be had now.
  portLost = !equipment->ReopenPort();
  if (portLost) equipment->Log(PortLostText());
}

std::string TUpdateFirmDlg::PortLostText() const {
  std::string text = cv::Format(cv::Msg(m::UpdPortLost), equipment->port ? equipment->port->name : "");
  const char* problem = equipment->port ? equipment->port->OpenProblem() : "";
  return *problem ? text + "\n" + problem : text;
}
