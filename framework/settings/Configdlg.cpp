#include "Configdlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "AtomicFile.h"
#include "BusyCursor.h"
#include "Cv3Equip.h"
#include "FileDialogs.h"
#include "Format.h"
#include "Messages.h"
#include "MsgIds.h"
#include "PluginHelp.h"
#include "Prompt.h"
#include "Text1252.h"

namespace m = cv::msg::settings;

namespace {

QString M(int id) { return cv::MsgQ(id); }

}  // namespace

TConfigurationDlg::TConfigurationDlg(QWidget* owner, TCv3Equip* equipment, const cv::settings::TOptionFamily& family)
    : QDialog(owner), equipment(equipment), family(family), logMemo(equipment->GetLogMemo()) {
  setObjectName("ConfigurationDlg");
  setWindowTitle(M(cv::msg::detect::ConfigurationStatus));
  setFixedSize(440, family.rotarySelector ? 400 : 320);
  BuildOptions();

  MakeLabel = new QLabel(this);
  MakeLabel->setObjectName("MakeLabel");
  QFont big = MakeLabel->font();
  big.setPointSize(big.pointSize() + 4);
  QFont underlined = big;
  underlined.setUnderline(true);
  MakeLabel->setFont(underlined);
  MakeLabel->setGeometry(16, 8, 408, 28);
  EquipLabel = new QLabel(this);
  EquipLabel->setObjectName("EquipLabel");
  QFont bold = big;
  bold.setBold(true);
  EquipLabel->setFont(bold);
  EquipLabel->setGeometry(16, 38, 408, 26);
  Label2 = new QLabel(M(m::SerialLabel), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(16, 70, 110, 20);
  SerialLabel = new QLabel(this);
  SerialLabel->setObjectName("SerialLabel");
  SerialLabel->setGeometry(130, 70, 290, 20);
  Label1 = new QLabel(M(m::OptionsLabel), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(16, 96, 200, 20);
  OptionsListBox = new QListWidget(this);
  OptionsListBox->setObjectName("OptionsListBox");
  OptionsListBox->setGeometry(16, 118, 408, 150);

  // Without the rotary selector the buttons sit right under the list.
  const int buttonsTop = family.rotarySelector ? 362 : 282;
  if (family.rotarySelector) BuildRotaryGroup();
  SaveBtn = new QPushButton(M(m::SaveBtn), this);
  SaveBtn->setObjectName("SaveBtn");
  SaveBtn->setGeometry(16, buttonsTop, 120, 28);
  HelpBtn = new QPushButton(M(m::HelpBtn), this);
  HelpBtn->setObjectName("HelpBtn");
  HelpBtn->setGeometry(224, buttonsTop, 96, 28);
  CancelBtn = new QPushButton(M(m::CloseBtn), this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setGeometry(328, buttonsTop, 96, 28);

  TimerToShowForm = new QTimer(this);
  TimerToShowForm->setObjectName("TimerToShowForm");
  TimerToShowForm->setInterval(500);
  TimerToShowForm->setSingleShot(true);
  TimerToShowForm->start();

  chooseSaveFile = [this]() {
    return cv::RunSaveDialog(this, M(m::SaveFilter).split(";;"), "log", M(m::SaveDefaultName));
  };

  connect(TimerToShowForm, &QTimer::timeout, this, &TConfigurationDlg::AskForOptions);
  connect(SaveBtn, &QPushButton::clicked, this, &TConfigurationDlg::SaveBtnClick);
  connect(HelpBtn, &QPushButton::clicked, this, &TConfigurationDlg::HelpBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  cv::ExitThrough(*this, *CancelBtn);
}

TConfigurationDlg::~TConfigurationDlg() = default;

// Apply's restart lets window events run; the reads and the rotary change hold the same lock, so a
// wait added to them or a handler their log lines reach starts nothing either. Save, Close (with
// Esc and the close box) and the rotary buttons wait for them, so that no other exchange and no
// save of a half-read report starts in the middle.
cv::ControlsOff TConfigurationDlg::ExchangeRunning() {
  return cv::ControlsOff{SaveBtn, CancelBtn, CWRadioButton, CCWRadioButton};
}

void TConfigurationDlg::BuildRotaryGroup() {
  GroupBox1 = new QGroupBox(M(m::RotaryGroup), this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(16, 276, 300, 76);
  CWRadioButton = new QRadioButton(M(m::CwButton), GroupBox1);
  CWRadioButton->setObjectName("CWRadioButton");
  CWRadioButton->setToolTip(M(m::CwHint));
  CWRadioButton->setGeometry(12, 22, 280, 22);
  CCWRadioButton = new QRadioButton(M(m::CcwButton), GroupBox1);
  CCWRadioButton->setObjectName("CCWRadioButton");
  CCWRadioButton->setToolTip(M(m::CcwHint));
  CCWRadioButton->setGeometry(12, 46, 280, 22);
  // The two are checked and unchecked by hand, as the instrument's read-back says.
  CWRadioButton->setAutoExclusive(false);
  CCWRadioButton->setAutoExclusive(false);

  ApplyBtn = new QPushButton(M(m::ApplyBtn), this);
  ApplyBtn->setObjectName("ApplyBtn");
  ApplyBtn->setToolTip(M(m::ApplyHint));
  ApplyBtn->setGeometry(328, 296, 96, 28);
  ApplyBtn->setEnabled(false);
  connect(CWRadioButton, &QRadioButton::clicked, this, &TConfigurationDlg::CWRadioButtonClick);
  connect(CCWRadioButton, &QRadioButton::clicked, this, &TConfigurationDlg::CCWRadioButtonClick);
  connect(ApplyBtn, &QPushButton::clicked, this, &TConfigurationDlg::ApplyBtnClick);
}

void TConfigurationDlg::BuildOptions() {
  reader = std::make_unique<cv::settings::TOptionReader>(cv::settings::EquipLink(equipment), family);
}

void TConfigurationDlg::AskForOptions() {
  TimerToShowForm->stop();
  const cv::BusyCursor cursor;
  const cv::ControlsOff running = ExchangeRunning();
  if (!equipment->SendCommand(cv::settings::kAccessCommand)) {
    equipment->Log(cv::Msg(m::ProtectedModeError));
    reject();
    return;
  }
  asking = true;
  reader->AskVersion();
  if (family.rotarySelector) AskRotary();
  reader->ReadOptions();
  ShowOptions();
  asking = false;
}

bool TConfigurationDlg::AskRotary() {
  ApplyBtn->setEnabled(false);
  int ccw = -1;
  const bool clockwise = reader->AskRotary(&ccw);
  if (ccw >= 0) {
    CWRadioButton->setChecked(ccw == 0);
    CCWRadioButton->setChecked(ccw == 1);
  }
  return clockwise;
}

void TConfigurationDlg::ShowOptions() {
  const auto& lines = reader->lines;
  // With a second model line, the model label joins the first two and the rest move down one.
  const size_t labels = family.LabelLines();
  const size_t shift = labels - 3;
  if (!lines.empty()) {
    std::string model = lines[0];
    if (shift && lines.size() > 1) model += lines[1];
    MakeLabel->setText(cv::From1252(model));
    if (lines.size() > 1 + shift) EquipLabel->setText(cv::From1252(lines[1 + shift]));
    if (lines.size() > 2 + shift) SerialLabel->setText(cv::From1252(lines[2 + shift]));
  }
  OptionsListBox->clear();
  for (size_t i = labels; i < lines.size(); ++i) OptionsListBox->addItem(cv::From1252(lines[i]));
  // Options the meter did not tell are named, and then nobody may read the list as "none fitted".
  if (!reader->unread.empty())
    OptionsListBox->addItem(cv::From1252(cv::Format(cv::Msg(m::OptionsNotRead), reader->UnreadNames())));
  else if (lines.size() <= labels)
    OptionsListBox->addItem(M(m::NoOptions));
}

void TConfigurationDlg::ChangeRotary(bool toCcw) {
  if (asking || !family.rotarySelector) return;
  (toCcw ? CWRadioButton : CCWRadioButton)->setChecked(false);
  (toCcw ? CCWRadioButton : CWRadioButton)->setChecked(true);
  ApplyBtn->setEnabled(false);
  int ccw = -1;
  const auto result = [&] {
    const cv::ControlsOff running = ExchangeRunning();
    return reader->ChangeRotary(toCcw, &ccw);
  }();
  if (ccw >= 0) {
    CWRadioButton->setChecked(ccw == 0);
    CCWRadioButton->setChecked(ccw == 1);
  }
  if (result == cv::settings::TOptionReader::RotaryChange::Confirmed) ApplyBtn->setEnabled(true);
}

void TConfigurationDlg::CWRadioButtonClick() { ChangeRotary(false); }

void TConfigurationDlg::CCWRadioButtonClick() { ChangeRotary(true); }

void TConfigurationDlg::ApplyBtnClick() {
  if (!ApplyBtn) return;
  ApplyBtn->setEnabled(false);
  using Restart = cv::settings::TOptionReader::Restart;
  const Restart result = [&] {
    const cv::ControlsOff running = ExchangeRunning();
    equipment->Log(cv::Msg(m::ApplyRestart));
    return reader->RestartInstrument();
  }();
  if (result == Restart::Confirmed) return;
  cv::ShowBox(cv::CurrentPrompter(), cv::Msg(result == Restart::Refused ? m::RestartRefused : m::RestartUnconfirmed),
              cv::Msg(cv::msg::detect::ConfigurationStatus), cv::MsgIcon::Warning);
}

void TConfigurationDlg::SaveBtnClick() {
  const std::string caption = cv::Msg(cv::msg::detect::ConfigurationStatus);
  if (!reader->unread.empty() &&
      !cv::AskBoxYesNo(cv::CurrentPrompter(), cv::Format(cv::Msg(m::SaveIncompleteAsk), reader->UnreadNames()), caption,
                       cv::MsgIcon::Warning))
    return;
  const QString path = chooseSaveFile ? chooseSaveFile() : QString();
  if (path.isEmpty()) return;
  char date[32], time[32];
  const std::string text = cv::settings::ConfigurationFileText(
      reader->lines, equipment->DateString(date), equipment->TimeString(time), family.identityLines,
      family.closeEmptyReport, family.reportFirstLine, reader->unread);
  const auto result = cv::WriteFileAtomically(path.toLocal8Bit().toStdString(), text);
  if (result == cv::SaveResult::Saved) return;
  cv::ShowBox(cv::CurrentPrompter(), cv::Msg(result == cv::SaveResult::NotCreated ? m::OpenFileError : m::WriteFileError),
              caption, cv::MsgIcon::Error);
}

void TConfigurationDlg::HelpBtnClick() { ShowPluginHelp(equipment, HelpTopic::Configuration); }
