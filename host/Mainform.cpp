#include "Mainform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "About.h"
#include "AppServices.h"
#include "FixedFont.h"
#include "Format.h"
#include "Help.h"
#include "Csvview.h"
#include "HostSettings.h"
#include "IniFile.h"
#include "Language.h"
#include "LanguageModule.h"
#include "LogoImage.h"
#include "Messages.h"
#include "MsgIds.h"
#include "Registry.h"
#include "Scratchpad.h"
#include "Term.h"
#include "Text1252.h"

#include "PortMap.h"

TMainForm* MainForm = nullptr;
int TMainForm::timerIntervalMs_ = 1000;

void TMainForm::SetTimerIntervalForTests(int ms) { timerIntervalMs_ = ms > 0 ? ms : 1000; }

namespace {

QToolButton* SpeedButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(parent->style()->standardIcon(icon));
  b->setIconSize(QSize(28, 28));
  b->setAutoRaise(true);
  b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  return b;
}

QPushButton* ToolButton(QWidget* parent, const char* name) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setEnabled(false);
  b->setMinimumHeight(30);
  return b;
}

QAction* MenuItem(QMenu* menu, const char* name) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(name);
  return a;
}

}  // namespace

// ============================================================================================
// Construction and shut-down
// ============================================================================================

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  BuildForm();
  if (!MainForm) MainForm = this;

  ticks = 0;
  startDir = QDir::currentPath().toStdString();

  DetectLanguage();
  if (languageIndex >= 0 && languageIndex < 5) LanguageItems[languageIndex]->setChecked(true);

  portPaths = cv::ReadPortPaths(cv::HostIni());
  cv::SetPortPaths(portPaths);

  if (!logFile.Open(kLogFileName)) AddLog(cv::Msg(cv::msg::CannotSaveLogZone));

  // Keeps the splash window up for about two ticks of TimerMain.
  while (ticks < 2 && !cv::AppTerminating())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  cv::SetHintHandler([w = QPointer<TMainForm>(this)](const QString& hint) {
    if (w) w->ShowHint(hint);
  });

  AddLog(cv::Msg(cv::msg::WelcomeToCvTools) + kVersion);
  AddLog(cv::Format(cv::Msg(cv::msg::LogFileGenerated), kLogFileName));
  AddLog(cv::Msg(cv::msg::Ready));

  LoadCustomLogo(Image1);
  RegisterPdfAddOn();
  ConnectEquipmentHandlers();
}

TMainForm::~TMainForm() {
  ReleaseEquipment(false);
  // The application's handlers must not outlive the window they call.
  cv::SetIdleHandler({});
  cv::SetHintHandler({});
  logFile.Close();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::BuildForm() {
  setObjectName("MainForm");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  auto* central = new QWidget(this);
  central->setObjectName("MainPanel");
  setCentralWidget(central);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(6, 4, 6, 4);

  // Speed bar
  auto* speedBar = new QFrame(central);
  speedBar->setObjectName("SpeedBar");
  speedBar->setFrameShape(QFrame::StyledPanel);
  auto* sb = new QHBoxLayout(speedBar);
  sb->setContentsMargins(4, 2, 4, 2);
  ExitButton = SpeedButton(speedBar, "ExitButton", QStyle::SP_DialogCloseButton);
  EditButton = SpeedButton(speedBar, "EditButton", QStyle::SP_FileDialogDetailedView);
  CSVButton = SpeedButton(speedBar, "CSVButton", QStyle::SP_FileDialogListView);
  TermButton = SpeedButton(speedBar, "TermButton", QStyle::SP_ComputerIcon);
  HelpButton = SpeedButton(speedBar, "HelpButton", QStyle::SP_DialogHelpButton);
  // The terminal joins later.
  for (QToolButton* b : {ExitButton, EditButton, CSVButton, TermButton, HelpButton}) sb->addWidget(b);
  sb->addStretch();
  Image1 = new TLogoImage(speedBar);
  Image1->setObjectName("Image1");
  Image1->setFixedSize(160, 44);
  Image1->SetCenter(true);
  Image1->SetPicture(BuiltInLogo(160, 44));
  sb->addWidget(Image1);
  v->addWidget(speedBar);

  auto* middle = new QHBoxLayout;
  v->addLayout(middle, 1);
  auto* left = new QVBoxLayout;
  middle->addLayout(left);

  EquipmentBox = new QGroupBox(central);
  EquipmentBox->setObjectName("EquipmentBox");
  auto* g = new QGridLayout(EquipmentBox);
  SelectBtn = new QPushButton(EquipmentBox);
  SelectBtn->setObjectName("SelectBtn");
  DetectBtn = new QPushButton(EquipmentBox);
  DetectBtn->setObjectName("DetectBtn");
  DetectBtn->setDefault(true);
  LabelEquip = new QLabel(EquipmentBox);
  LabelEquip->setObjectName("LabelEquip");
  LabelEquip->setFrameShape(QFrame::StyledPanel);
  LabelEquip->setMinimumWidth(150);
  PortCaption = new QLabel(EquipmentBox);
  PortCaption->setObjectName("PortCaption");
  LabelPort = new QLabel(EquipmentBox);
  LabelPort->setObjectName("LabelPort");
  g->addWidget(SelectBtn, 0, 0);
  g->addWidget(DetectBtn, 0, 1);
  g->addWidget(LabelEquip, 1, 0, 1, 2);
  g->addWidget(PortCaption, 2, 0);
  g->addWidget(LabelPort, 2, 1);
  left->addWidget(EquipmentBox);

  EditChBtn = ToolButton(central, "EditChBtn");
  EditMemBtn = ToolButton(central, "EditMemBtn");
  DataLogBtn = ToolButton(central, "DataLogBtn");
  SpectrumBtn = ToolButton(central, "SpectrumBtn");
  MonitorBtn = ToolButton(central, "MonitorBtn");
  ConfigBtn = ToolButton(central, "ConfigBtn");
  UpdateBtn = ToolButton(central, "UpdateBtn");
  IdentBtn = ToolButton(central, "IdentBtn");
  IdentBtn->setVisible(false);
  for (QPushButton* b : {EditChBtn, EditMemBtn, DataLogBtn, SpectrumBtn, MonitorBtn, ConfigBtn, UpdateBtn, IdentBtn})
    left->addWidget(b);
  left->addStretch();

  LogMemo = new QPlainTextEdit(central);
  LogMemo->setObjectName("LogMemo");
  LogMemo->setReadOnly(true);
  LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  LogMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LogMemo->setFont(cv::FixedPitchFont(QString()));
  middle->addWidget(LogMemo, 1);
  connect(LogMemo, &QPlainTextEdit::textChanged, this, &TMainForm::LogMemoChange);

  StatusLine = new QStatusBar(this);
  StatusLine->setObjectName("StatusLine");
  StatusLine->setSizeGripEnabled(false);
  setStatusBar(StatusLine);

  TimerMain = new QTimer(this);
  TimerMain->setObjectName("TimerMain");
  TimerMain->setInterval(timerIntervalMs_);
  connect(TimerMain, &QTimer::timeout, this, &TMainForm::TimerMainTimer);
  TimerMain->start();

  // Menus
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  File1 = bar->addMenu(QString());
  File1->setObjectName("File1");
  FileEditor = MenuItem(File1, "FileEditor");
  FileCSV = MenuItem(File1, "FileCSV");
  FileTerminal = MenuItem(File1, "FileTerminal");
  File1->addSeparator();
  FileExitItem = MenuItem(File1, "FileExitItem");

  Tools1 = bar->addMenu(QString());
  Tools1->setObjectName("Tools1");
  EditChMenu = MenuItem(Tools1, "EditChMenu");
  EditMemMenu = MenuItem(Tools1, "EditMemMenu");
  DataLogMenu = MenuItem(Tools1, "DataLogMenu");
  SpectrumMenu = MenuItem(Tools1, "SpectrumMenu");
  MonitorMenu = MenuItem(Tools1, "MonitorMenu");
  ConfigMenu = MenuItem(Tools1, "ConfigMenu");
  UpdateMenu = MenuItem(Tools1, "UpdateMenu");
  IdentMenu = MenuItem(Tools1, "IdentMenu");
  IdentMenu->setVisible(false);
  for (QAction* a : {EditChMenu, EditMemMenu, DataLogMenu, SpectrumMenu, MonitorMenu, ConfigMenu, UpdateMenu, IdentMenu})
    a->setEnabled(false);

  Language1 = bar->addMenu(QString());
  Language1->setObjectName("Language1");
  LanguageGroup = new QActionGroup(this);
  LanguageGroup->setExclusive(true);
  static const char* const langNames[5] = {"English1", "Espanol1", "Catala1", "Deutsch1", "Francais1"};
  for (int i = 0; i < 5; ++i) {
    LanguageItems[i] = MenuItem(Language1, langNames[i]);
    LanguageItems[i]->setCheckable(true);
    LanguageItems[i]->setData(i);
    LanguageGroup->addAction(LanguageItems[i]);
    connect(LanguageItems[i], &QAction::triggered, this, &TMainForm::ChangeLangClick);
  }

  Help1 = bar->addMenu(QString());
  Help1->setObjectName("Help1");
  HelpContentsItem = MenuItem(Help1, "HelpContentsItem");
  HelpSearchItem = MenuItem(Help1, "HelpSearchItem");
  HelpHowToUseItem = MenuItem(Help1, "HelpHowToUseItem");
  Help1->addSeparator();
  HelpAboutItem = MenuItem(Help1, "HelpAboutItem");

  connect(ExitButton, &QToolButton::clicked, this, &TMainForm::FileExit);
  connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExit);
  connect(EditButton, &QToolButton::clicked, this, &TMainForm::EditButtonClick);
  connect(FileEditor, &QAction::triggered, this, &TMainForm::EditButtonClick);
  connect(CSVButton, &QToolButton::clicked, this, &TMainForm::CSVButtonClick);
  connect(FileCSV, &QAction::triggered, this, &TMainForm::CSVButtonClick);
  connect(TermButton, &QToolButton::clicked, this, &TMainForm::TermButtonClick);
  connect(FileTerminal, &QAction::triggered, this, &TMainForm::TermButtonClick);
  connect(HelpButton, &QToolButton::clicked, this, &TMainForm::HelpContents);
  connect(HelpContentsItem, &QAction::triggered, this, &TMainForm::HelpContents);
  connect(HelpSearchItem, &QAction::triggered, this, &TMainForm::HelpSearch);
  connect(HelpHowToUseItem, &QAction::triggered, this, &TMainForm::HelpHowToUse);
  connect(HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAbout);

  // Detect is the default button: Enter presses it unless another button has the focus.
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* s = new QShortcut(QKeySequence(key), this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, &TMainForm::PressDefaultButton);
  }

  ApplyTexts();
  setFixedSize(640, 480);
}

void TMainForm::ApplyTexts() {
  using namespace cv::msg;
  setWindowTitle(cv::MsgQ(HostCaption));
  ExitButton->setToolTip(cv::MsgQ(SpeedTipFirst + 0));
  EditButton->setToolTip(cv::MsgQ(SpeedTipFirst + 1));
  CSVButton->setToolTip(cv::MsgQ(SpeedTipFirst + 2));
  TermButton->setToolTip(cv::MsgQ(SpeedTipFirst + 3));
  HelpButton->setToolTip(cv::MsgQ(SpeedTipFirst + 4));
  for (QToolButton* b : {ExitButton, EditButton, CSVButton, TermButton, HelpButton}) b->setStatusTip(b->toolTip());
  EquipmentBox->setTitle(cv::MsgQ(EquipmentGroup));
  SelectBtn->setText(cv::MsgQ(SelectCaption));
  SelectBtn->setStatusTip(cv::MsgQ(SpeedTipFirst + 5));
  DetectBtn->setText(cv::MsgQ(DetectCaption));
  DetectBtn->setStatusTip(cv::MsgQ(SpeedTipFirst + 6));
  PortCaption->setText(cv::MsgQ(PortLabelCaption));
  QPushButton* tools[8] = {EditChBtn, EditMemBtn, DataLogBtn, SpectrumBtn, MonitorBtn, ConfigBtn, UpdateBtn, IdentBtn};
  QAction* items[8] = {EditChMenu, EditMemMenu, DataLogMenu, SpectrumMenu, MonitorMenu, ConfigMenu, UpdateMenu, IdentMenu};
  for (int i = 0; i < 8; ++i) {
    tools[i]->setText(cv::MsgQ(ToolButtonFirst + i));
    tools[i]->setStatusTip(cv::MsgQ(ToolTipFirst + i));
    items[i]->setText(cv::MsgQ(MenuTools + 1 + i));
    items[i]->setStatusTip(cv::MsgQ(ToolTipFirst + i));
  }
  File1->setTitle(cv::MsgQ(MenuFile));
  QAction* fileItems[4] = {FileEditor, FileCSV, FileTerminal, FileExitItem};
  for (int i = 0; i < 4; ++i) {
    fileItems[i]->setText(cv::MsgQ(MenuFile + 1 + i));
    fileItems[i]->setStatusTip(cv::MsgQ(MenuTipFirst + i));
  }
  Tools1->setTitle(cv::MsgQ(MenuTools));
  Language1->setTitle(cv::MsgQ(MenuLanguage));
  for (int i = 0; i < 5; ++i) LanguageItems[i]->setText(cv::MsgQ(MenuLanguage + 1 + i));
  Help1->setTitle(cv::MsgQ(MenuHelp));
  QAction* helpItems[4] = {HelpContentsItem, HelpSearchItem, HelpHowToUseItem, HelpAboutItem};
  for (int i = 0; i < 4; ++i) {
    helpItems[i]->setText(cv::MsgQ(MenuHelp + 1 + i));
    helpItems[i]->setStatusTip(cv::MsgQ(MenuTipFirst + 4 + i));
  }
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FormShow();
}

void TMainForm::FormShow() { InstallAppHandlers(); }

void TMainForm::InstallAppHandlers() {
  QPointer<TMainForm> self(this);
  cv::SetHintHandler([self](const QString& hint) {
    if (self) self->ShowHint(hint);
  });
  cv::SetIdleHandler([self] {
    if (self) self->UpdateTools();
  });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (searchRunning_) {
    // The detection loop still runs on this window's stack: stop it and close when it has ended.
    stopRequested = true;
    closeAfterSearch_ = true;
    event->ignore();
    return;
  }
  // The editor's text is not lost silently: its own save question may stop the exit.
  if (ScratchPad && !ScratchPad->SavePrompt()) {
    event->ignore();
    return;
  }
  FormClose();
  QMainWindow::closeEvent(event);
}

void TMainForm::FormClose() { AddLog(cv::Msg(cv::msg::SessionClosed)); }

void TMainForm::FileExit() { close(); }

void TMainForm::PressDefaultButton() {
  if (auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
      focused && focused->window() == this && focused->isEnabled() && focused->isVisible()) {
    focused->click();
    return;
  }
  if (DetectBtn->isEnabled()) DetectBtn->click();
}

void TMainForm::TimerMainTimer() { ++ticks; }

void TMainForm::ShowHint(const QString& hint) { StatusLine->showMessage(hint); }

// ============================================================================================
// Log memo and log file
// ============================================================================================

void TMainForm::AddLog(const std::string& line) { LogMemo->appendPlainText(cv::From1252(line)); }

void TMainForm::LogMemoChange() {
  // Every line added since the last change goes to the file, so an addition holding several
  // lines loses none of them; a change that adds no line (the last line edited) copies the
  // last line again, and lines taken away write nothing.
  QTextDocument* doc = LogMemo->document();
  int lines = doc->isEmpty() ? 0 : doc->blockCount();
  int from = lines > loggedLines_ ? loggedLines_ : (lines == loggedLines_ && lines > 0 ? lines - 1 : lines);
  for (int i = from; i < lines; ++i) logFile.WriteLine(cv::To1252(doc->findBlockByNumber(i).text()));
  loggedLines_ = lines;
}

// ============================================================================================
// Language and logo
// ============================================================================================

void TMainForm::DetectLanguage() {
  languageIndex = cv::LanguageIndexOfMarker(cv::Msg(cv::msg::LanguageMarker));
  cv::IniFile ini = cv::HostIni();
  if (ini.LoadFailed()) {
    cv::ShowError(cv::MsgQ(cv::msg::ErrorCaption), cv::MsgQ(cv::msg::CannotHandleIni));
    return;
  }
  std::string wanted = ini.ReadString("OverwriteLanguage", "Language", "auto");
  if (cv::SameText(wanted, "auto")) return;
  int index = cv::LanguageIndexOfIniValue(wanted);
  // A language whose module was found missing is not asked for again: SelectLanguage would fail
  // and detect once more, without end.
  if (index < 0 || missingLanguages.count(index)) return;
  languageIndex = index;
  SelectLanguage(languageIndex);
}

void TMainForm::SelectLanguage(int index) {
  if (index >= 0 && index < cv::kLanguageCount) {
    if (cv::LoadProgramLanguage(index)) {
      missingLanguages.erase(index);
      // Only a language that could be loaded is remembered for the next start.
      std::string code = cv::LanguageOf(index).code;
      if (code.size() == 3) cv::WriteLocaleOverride(cv::ProgramPath(), code);
      RetranslateOpenForms();
      ReloadPluginForLanguage();
    } else {
      missingLanguages.insert(index);
      DetectLanguage();
    }
  }
  LoadCustomLogo(Image1);
  if (languageIndex >= 0 && languageIndex < 5) LanguageItems[languageIndex]->setChecked(true);
  else if (QAction* checked = LanguageGroup->checkedAction()) checked->setChecked(false);
}

void TMainForm::RetranslateOpenForms() {
  // Every form re-reads its texts from the message table on LanguageChange; children (the
  // dialogs a form owns) receive it from their parent.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->parentWidget()) continue;
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(w, &change);
  }
}

void TMainForm::ReloadPluginForLanguage() {
  // The plug-in reads the language in force when it is loaded: loading it again by the same
  // name with the same port object gives its dialogs the new language.
  if (library.IsLoaded()) LoadEquipmentDll();
}

void TMainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) ApplyTexts();
  QMainWindow::changeEvent(event);
}

void TMainForm::ChangeLangClick() {
  auto* item = qobject_cast<QAction*>(sender());
  int tag = item ? item->data().toInt() : 0;
  languageIndex = tag < 1 ? 0 : tag;
  SelectLanguage(languageIndex);
}

void TMainForm::LoadCustomLogo(TLogoImage* image) {
  if (!image) return;
  cv::IniFile ini = cv::HostIni();
  if (ini.LoadFailed()) {
    cv::ShowError(cv::MsgQ(cv::msg::ErrorCaption), cv::MsgQ(cv::msg::CannotHandleIni));
    return;
  }
  // A relative name is taken from the start directory, as the program was started there.
  cv::ApplyCustomLogo(image, cv::ReadCustomLogo(ini), QString::fromStdString(startDir));
}

// ============================================================================================
// Tools
// ============================================================================================

void TMainForm::RegisterPdfAddOn() {
  bool registered = false;
  auto key = cv::RegKey::Open("Software\\Tessary\\CvTools\\AddOnKit", true);
  if (key) {
    if (key->ReadBool("PDFCreator", registered) != cv::RegRead::Ok) registered = false;
    if (!registered) key->WriteBool("PDFCreator", true);
  }
  // The PDF COM servers have no counterpart here: nothing is registered, only the first start
  // for this user is noted.
  pdfRegistrationDue = !key || !registered;
}

void TMainForm::EditButtonClick() {
  AddLog(cv::Msg(cv::msg::EditorOpened));
  // The editor is made once at start-up; a main window started without it makes its own.
  if (!ScratchPad) new TScratchPad(this);
  ScratchPad->exec();
  AddLog(cv::Msg(cv::msg::EditorClosedReady));
  QDir::setCurrent(QString::fromStdString(startDir));
  InstallAppHandlers();
}

void TMainForm::CSVButtonClick() {
  AddLog(cv::Msg(cv::msg::CsvViewerOpened));
  {
    TCSVViewer viewer(this);
    viewer.exec();
    AddLog(cv::Msg(cv::msg::CsvViewerClosedReady));
  }
  QDir::setCurrent(QString::fromStdString(startDir));
}

namespace {
// The main window as the terminal sees it.
class MainTermOwner : public TermOwner {
 public:
  explicit MainTermOwner(TMainForm& form) : form_(form) {}
  void AddLog(const std::string& line) override { form_.AddLog(line); }
  std::string DetectedPort() const override {
    return form_.found ? cv::To1252(form_.LabelPort->text()) : std::string();
  }
  void Repaint() override { form_.update(); }

 private:
  TMainForm& form_;
};
}  // namespace

void TMainForm::TermButtonClick() {
  MainTermOwner owner(*this);
  auto terminal = std::make_unique<TTerm>(owner);
  hide();
  terminal->Run();
  AddLog(cv::Msg(cv::msg::TerminalClosedReady));
  QDir::setCurrent(QString::fromStdString(startDir));
  terminal.reset();
  show();
}

// ============================================================================================
// Help and About
// ============================================================================================

void TMainForm::ShowHelp(int command) {
  cv::ShowHelp(cv::AppHelpFile(), static_cast<cv::HelpCommand>(command), cv::MsgQ(cv::msg::HostCaption),
               cv::MsgQ(cv::msg::HelpPageMissing), cv::MsgQ(cv::msg::NoHelpFileYet));
}

void TMainForm::HelpContents() {
  cv::SetAppHelpFile(cv::Msg(cv::msg::HostHelpFile));
  ShowHelp(static_cast<int>(cv::HelpCommand::Contents));
}

void TMainForm::HelpSearch() { ShowHelp(static_cast<int>(cv::HelpCommand::Search)); }

void TMainForm::HelpHowToUse() { ShowHelp(static_cast<int>(cv::HelpCommand::HowToUse)); }

void TMainForm::HelpAbout() {
  TAboutBox* box = AboutBox ? AboutBox : new TAboutBox(this);
  box->Version->setText(cv::MsgQ(cv::msg::VersionPrefix) + QString::fromLatin1(kVersion));
  box->exec();
}
