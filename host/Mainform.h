#pragma once
// The main window of CvTools: the equipment box (Detect, Select), the eight tool buttons of the
// loaded plug-in, the host's own tools, the log memo and its copy in CvTools.log.
#include <QMainWindow>
#include <map>
#include <set>
#include <string>

#include "LogFile.h"
#include "ModelConfig.h"
#include "PluginLibrary.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class TEquip;
class TLogoImage;
class TSerial;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kVersion = "1.33";
  static constexpr const char* kLogFileName = "CvTools.log";

  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // ---- Form controls (object names are the control names) -------------------------------
  QToolButton* ExitButton;
  QToolButton* EditButton;
  QToolButton* CSVButton;
  QToolButton* TermButton;
  QToolButton* HelpButton;
  TLogoImage* Image1;
  QGroupBox* EquipmentBox;
  QPushButton* SelectBtn;
  QPushButton* DetectBtn;
  QLabel* LabelEquip;
  QLabel* PortCaption;
  QLabel* LabelPort;
  QPlainTextEdit* LogMemo;
  QPushButton* EditChBtn;
  QPushButton* EditMemBtn;
  QPushButton* DataLogBtn;
  QPushButton* SpectrumBtn;
  QPushButton* MonitorBtn;
  QPushButton* ConfigBtn;
  QPushButton* UpdateBtn;
  QPushButton* IdentBtn;
  QStatusBar* StatusLine;
  QTimer* TimerMain;

  QMenu* File1;
  QAction* FileEditor;
  QAction* FileCSV;
  QAction* FileTerminal;
  QAction* FileExitItem;
  QMenu* Tools1;
  QAction* EditChMenu;
  QAction* EditMemMenu;
  QAction* DataLogMenu;
  QAction* SpectrumMenu;
  QAction* MonitorMenu;
  QAction* ConfigMenu;
  QAction* UpdateMenu;
  QAction* IdentMenu;
  QMenu* Language1;
  QActionGroup* LanguageGroup;
  QAction* LanguageItems[5];  // tags 0 to 4: English, Español, Català, Deutsch, Français
  QMenu* Help1;
  QAction* HelpContentsItem;
  QAction* HelpSearchItem;
  QAction* HelpHowToUseItem;
  QAction* HelpAboutItem;

  // ---- Main window state ------------------------------------------------------------------
  int ticks = 0;               // TimerMain ticks since start
  std::string startDir;        // current directory when the window was built
  cv::LogFileWriter logFile;   // CvTools.log, open for the whole run (or not at all)
  int languageIndex = 0;
  std::map<int, std::string> portPaths;  // [Ports] of the INI file: port number -> device
  bool pdfRegistrationDue = false;       // the PDF add-on was found unregistered at this start

  // ---- Detection and plug-in binding (MainformEquip.cpp) ----------------------------------
  TModelConfig config;          // CvTools.cfg as last read: models, libraries, codes, options, bauds
  char modelName[32] = {};      // identified model, upper-case
  int32_t modelCode = -1;
  float version = 0.0f;
  std::string pluginName;       // library of the identified or selected model
  bool found = false;
  int32_t foundPort = -1;
  bool detecting = false;
  bool stopRequested = false;
  TSerial* port = nullptr;      // owned; lent to the plug-in
  TPluginLibrary library;
  TEquip* equipment = nullptr;  // owned by the plug-in

  // Reads the configuration file (a bare name: the current directory); a file that cannot be
  // read is logged and shown, and false.
  bool ReadConfigFile(const std::string& fileName);
  bool LoadEquipmentDll();
  void FreeEquipmentDll();
  void SetDllName(const std::string& name) { pluginName = name; }
  void DisableTools();
  // True while a detection's search loop runs (also after Stop, until the loop has ended).
  bool SearchRunning() const { return searchRunning_; }

  // ---- Log ----------------------------------------------------------------------------------
  // Adds a line (Windows-1252 bytes; a line break in it makes several memo lines) to LogMemo.
  // Plug-ins append to LogMemo directly: the log file copy follows the memo, not this call.
  void AddLog(const std::string& line);

  // ---- Language and logo ---------------------------------------------------------------------
  void DetectLanguage();
  void SelectLanguage(int index);
  void LoadCustomLogo(TLogoImage* image);
  // Sets every caption, menu text and status tip from the message table in force.
  void ApplyTexts();
  // Sends LanguageChange to every open form, each of which re-reads its texts.
  static void RetranslateOpenForms();
  // After a language change: loads a loaded plug-in again so that it follows the new language.
  void ReloadPluginForLanguage();
  std::set<int> missingLanguages;  // languages whose module was found missing in this run

  // ---- Tools --------------------------------------------------------------------------------
  void UpdateTools();  // the idle handler: keeps the tool buttons and menu items current
  void RegisterPdfAddOn();

  // Interval of TimerMain; tests shorten it so the start-up wait (two ticks) takes no time.
  static void SetTimerIntervalForTests(int ms);

 public slots:
  void LogMemoChange();
  void TimerMainTimer();
  void ShowHint(const QString& hint);
  void FileExit();
  void EditButtonClick();
  void CSVButtonClick();
  void TermButtonClick();
  void ChangeLangClick();
  void HelpContents();
  void HelpSearch();
  void HelpHowToUse();
  void HelpAbout();
  void DetectBtnClick();
  void SelectBtnClick();
  void EditChBtnClick();
  void EditMemBtnClick();
  void DataLogBtnClick();
  void MonitorBtnClick();
  void SpectrumBtnClick();
  void ConfigBtnClick();
  void UpdateBtnClick();
  void IdentBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildForm();
  void FormShow();
  void FormClose();
  void InstallAppHandlers();
  void PressDefaultButton();
  void ShowHelp(int command);

  void ConnectEquipmentHandlers();
  // The plug-in's equipment object, then the port object, then the library: the plug-in never
  // outlives the port it borrowed, and its code stays loaded while it runs.
  void ReleaseEquipment(bool logFreeing);
  void RunTool(int statusId, bool (TEquip::*launch)(), bool restoreStartDir);

  bool searchRunning_ = false;
  bool closeAfterSearch_ = false;
  int loggedLines_ = 0;  // memo lines already copied to the log file
  static int timerIntervalMs_;
};

// The main window of the running program (set while one exists).
extern TMainForm* MainForm;
