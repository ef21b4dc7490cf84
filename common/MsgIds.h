#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

// Spectrum analyser (33000-33999).
constexpr int SpecCaption = 33000;
constexpr int SpecFullSpan = 33001;
constexpr int SpecTer = 33002;
constexpr int SpecSat = 33003;
constexpr int SpecFrequencyGroup = 33004;
constexpr int SpecInitial = 33005;
constexpr int SpecStep = 33006;
constexpr int SpecFinal = 33007;
constexpr int SpecRefLevel = 33008;
constexpr int SpecSnapshots = 33009;
constexpr int SpecSnapshotsHint = 33010;
constexpr int SpecTimeStep = 33011;
constexpr int SpecTimeStepHint = 33012;
constexpr int SpecStartBtn = 33013;
constexpr int SpecStartHint = 33014;
constexpr int SpecSaveBtn = 33015;
constexpr int SpecSaveHint = 33016;
constexpr int SpecPrintBtn = 33017;
constexpr int SpecPrintHint = 33018;
constexpr int SpecPrintSetupBtn = 33019;
constexpr int SpecHelpBtn = 33020;
constexpr int SpecCloseBtn = 33021;
constexpr int SpecFreq = 33022;
constexpr int SpecLevelLabel = 33023;
constexpr int SpecDbuv = 33024;
constexpr int SpecSnap = 33025;
constexpr int SpecNextSnap = 33026;
constexpr int SpecMeasurement = 33027;
constexpr int SpecMeasBtn = 33028;
constexpr int SpecMeasHint = 33029;
constexpr int SpecStart = 33030;
constexpr int SpecStop = 33031;
constexpr int SpecLevel = 33032;
constexpr int SpecPower = 33033;
constexpr int SpecDb = 33034;
constexpr int SpecSnapStopped = 33040;
constexpr int SpecSpModeError = 33041;
constexpr int SpecFirstSnapError = 33042;
constexpr int SpecSwitchToAnalog = 33043;
constexpr int SpecTakingSnap = 33044;
constexpr int SpecFreqError = 33045;
constexpr int SpecLevelError = 33046;
constexpr int SpecSnapsFinished = 33047;
constexpr int SpecAskLvError = 33048;
constexpr int SpecBadLevelAnswer = 33049;
constexpr int SpecMeasImpossible = 33050;
constexpr int SpecProtectedError = 33051;
constexpr int SpecFilterOffError = 33052;
constexpr int SpecFilterOnError = 33053;
constexpr int SpecBadFreqValues = 33054;
constexpr int SpecNotEnoughPoints = 33055;
constexpr int SpecTooManyPoints = 33056;
constexpr int SpecAllocLevels = 33057;
constexpr int SpecAllocBox = 33058;
constexpr int SpecAllocTimes = 33059;
constexpr int SpecBoxCaption = 33060;
constexpr int SpecErrorCaption = 33061;
constexpr int SpecAskLevel = 33062;
constexpr int SpecAskVA = 33063;
constexpr int SpecAskPower = 33064;
constexpr int SpecAskCnAuto = 33065;
constexpr int SpecAskBerQpsk = 33066;
constexpr int SpecAskBerQam = 33067;
constexpr int SpecAskBerCofdm = 33068;
constexpr int SpecAskCnRef = 33069;
constexpr int SpecGotLevel = 33070;
constexpr int SpecGotVA = 33071;
constexpr int SpecGotPower = 33072;
constexpr int SpecGotCnAuto = 33073;
constexpr int SpecGotBerQpsk = 33074;
constexpr int SpecGotBerQam = 33075;
constexpr int SpecGotBerCofdm = 33076;
constexpr int SpecGotCnRef = 33077;
constexpr int SpecWaitStable = 33078;
constexpr int SpecRefusedByEquipment = 33079;
constexpr int SpecRefusedByCorvane = 33080;
constexpr int SpecAskError = 33081;
constexpr int SpecNoSpectrums = 33082;
constexpr int SpecCannotCreate = 33083;
constexpr int SpecSaved = 33084;
constexpr int SpecSentToPrint = 33085;
constexpr int SpecPrintScales = 33086;
constexpr int SpecPrintLastMeas = 33087;
constexpr int SpecPrintGenerated = 33088;
constexpr int SpecMhzPerDiv = 33089;
constexpr int SpecDbuvPerDiv = 33090;
constexpr int SpecOrigin = 33091;
constexpr int SpecCurrent = 33092;
constexpr int SpecDelta = 33093;
constexpr int SpecMhz = 33094;
constexpr int SpecCannotWrite = 33095;
constexpr int SpecCsvFilter = 33096;
constexpr int SpecAllFilter = 33097;
constexpr int SpecModeQueryError = 33098;
constexpr int SpecBusyStart = 33099;
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

}  // namespace cv::msg
