#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

// Host: main window, splash, About box, log file, help (30000-30199).
constexpr int WelcomeToCvTools = 1274;   // "Welcome to CvTools "
constexpr int BadFormatOf = 1275;        // "Fatal error.\nBad format of %s"
constexpr int CannotSaveLogZone = 1280;  // "Impossible to save this Log zone."
constexpr int LogFileGenerated = 1290;   // "Log file %s generated"
constexpr int Ready = 1293;
constexpr int CsvViewerOpened = 1307;
constexpr int EditorClosedReady = 1308;
constexpr int CsvViewerClosedReady = 1309;
constexpr int TerminalClosedReady = 1311;
constexpr int EditorOpened = 1312;
constexpr int SessionClosed = 1316;      // "CvTools session properly closed."
constexpr int StopCaption = 1392;
constexpr int SelectCaption = 1087;
constexpr int VersionPrefix = 1734;      // "Version "
constexpr int ErrorCaption = 1752;       // "Error"
constexpr int HostHelpFile = 1983;       // "help\CvTools.hlp"
constexpr int CannotHandleIni = 2031;    // "Impossible to handle INI file"

constexpr int HostCaption = 30000;       // "CvTools": the host's error boxes, windows, product name
constexpr int AppTitle = 30001;          // "CORVANE Tools"
constexpr int EquipmentGroup = 30002;
constexpr int PortLabelCaption = 30003;  // "Port:"
constexpr int DetectCaption = 30004;
constexpr int MakerNotice = 30005;
constexpr int RemoteControl = 30006;
constexpr int SplashComments = 30007;
constexpr int OkCaption = 30008;
constexpr int HelpPageMissing = 30009;   // "%s": the page's path
constexpr int NoHelpFileYet = 30010;
constexpr int SplashVersion = 30011;     // "Version 1.33"
// Tool buttons (caption, then status tip), in the order EditCh, EditMem, DataLog, Spectrum,
// Monitor, Config, Update, Ident.
constexpr int ToolButtonFirst = 30020;   // captions 30020-30027
constexpr int ToolTipFirst = 30030;      // status tips 30030-30037
// Speed bar status tips: Exit, Editor, CSV, Terminal, Help; then Select and Detect.
constexpr int SpeedTipFirst = 30040;     // 30040-30046
// Menus: File 30050-30054, Tools 30060-30068, Language 30070-30075, Help 30080-30084.
constexpr int MenuFile = 30050;
constexpr int MenuTools = 30060;
constexpr int MenuLanguage = 30070;
constexpr int MenuHelp = 30080;
constexpr int MenuTipFirst = 30090;      // status tips of the File and Help items, 30090-30097

}  // namespace cv::msg

// Serial ports and the platform layer.
namespace cv::msg {

constexpr int SerialPortBusy = 31000;        // %s: device path
constexpr int SerialPortPermission = 31001;  // %s: device path
// Plug-in core: channel records, log window, channel list editors (32000-32499).
constexpr int LogZoneFileFailed = 1280;  // "Impossible to save this Log zone."
constexpr int LogZoneCleared = 32000;
constexpr int PlanChannelsFull = 32001;
constexpr int CvToolsErrorCaption = 32002;
constexpr int SameFrequencyTwice = 32003;
constexpr int ChannelEditorErrorCaption = 32004;
constexpr int ChannelsEditorCaption = 32005;

// ---- Text editor, CSV viewer, language (36000-36999) ----
// Numbered texts of the editor.
constexpr int EdCaption = 1735;            // "CvTools Editor"
constexpr int EdRegistryWriteFailed = 1736;
constexpr int EdSaveChanges = 1737;
constexpr int EdCaptionFile = 1738;        // "CvTools Editor  -  "
constexpr int EdFileTooLong = 1739;
constexpr int EdSaveAsTitle = 1740;
constexpr int EdPrintHeader = 1741;        // "CvTools Editor: %s"
constexpr int EdPrintPage = 1742;          // "Page %d"
constexpr int EdTextNotFound = 1743;
constexpr int EdRegistryReadFailed = 1744;

// Editor menus, hints and dialogs.
constexpr int EdMenuFile = 36000;
constexpr int EdMenuNew = 36001;
constexpr int EdMenuOpen = 36002;
constexpr int EdMenuSave = 36003;
constexpr int EdMenuSaveAs = 36004;
constexpr int EdMenuPrint = 36005;
constexpr int EdMenuPrinterSetup = 36006;
constexpr int EdMenuExit = 36007;
constexpr int EdMenuEdit = 36010;
constexpr int EdMenuUndo = 36011;
constexpr int EdMenuSelectAll = 36012;
constexpr int EdMenuCut = 36013;
constexpr int EdMenuCopy = 36014;
constexpr int EdMenuPaste = 36015;
constexpr int EdMenuSearch = 36016;
constexpr int EdHintNew = 36020;
constexpr int EdHintOpen = 36021;
constexpr int EdHintSave = 36022;
constexpr int EdHintPrint = 36023;
constexpr int EdHintSearch = 36024;
constexpr int EdHintExit = 36025;
constexpr int EdFilterCvTools = 36026;
constexpr int EdFilterOther = 36027;
constexpr int EdSaveFailed = 36028;        // "Unable to save the file %s"
constexpr int FindCaption = 36030;
constexpr int FindWhat = 36031;
constexpr int FindWholeWord = 36032;
constexpr int FindMatchCase = 36033;
constexpr int FindNext = 36034;
constexpr int FindCancel = 36035;

// CSV viewer.
constexpr int CsvCaption = 36100;
constexpr int CsvHintExit = 36101;
constexpr int CsvHintOpen = 36102;
constexpr int CsvFilter = 36103;
constexpr int CsvCannotOpen = 36104;       // "Couldn't open CSV file " + name
constexpr int CsvOpened = 36105;           // name + " opened"
constexpr int CsvTooLarge = 36106;
constexpr int CsvBoxTitle = 36107;         // "CvTools"

}  // namespace cv::msg
