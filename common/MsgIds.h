#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
//   37000-37999 memories (37000-37499 the memory editor, 37500-37999 the memory settings)
//   38000-38999 data logger
//   39000-39999 configuration, monitor and firmware update
//   40000-40999 TV MIRELTO family: 40000-40199 entry, equipment and link; 40200-40343 plan editor
//               (40350-40399 its attribute and field editing); 40400-40499 plans out;
//               40500-40699 binary plans, attributes, data-logger files and measurement texts;
//               40700-40899 data-logger dialog, CSV export and measurement sheet;
//               40900-40999 plans in (canalization scripts, CSV import, CORVANE import)
//   41000-41299 TV MIRELTO reports: 41000-41019 dispatch, PDF output, generic report, the sheet's
//               report command; 41020-41049 report information dialogs; 41050-41099 certificate
//               frame and data checks; 41100-41129 certificate sections; 41130-41159 SKY
//               certificate report; 41160-41199 report checks by outside tools;
//               41200-41299 SKY certificate sheet; 41300-41329 report and CSV headings
//   42000-42999 CORVANE-4 family: 42000-42099 entry, equipment object and command table;
//               42100-42199 script dialect; 42200-42399 plans; 42400-42599 memories;
//               42700-42749 spectrum; 42900-42949 firmware update and monitor
//               42100-42199 script dialect; 42200-42399 plans; 42400-42599 memories
//   43000-43999 CORVANE-PLENAR family: 43000-43199 entry, equipment object, dialect and
//               canalization files
//   47000-47999 CORVANE-2 family: 47000-47099 entry and equipment object
//               43200-43399 plan-set editor and channel dialogs
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
constexpr int YesCaption = 30012;        // buttons of the message boxes (with OkCaption)
constexpr int NoCaption = 30013;
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

// Printing (31100-31199).
constexpr int PrintFileNotSaved = 31100;   // %s: the file the printer writes
constexpr int PrintPrinterRefused = 31101;

// Plug-in core: channel records, log window, channel list editors (32000-32499).
constexpr int LogZoneCleared = 32000;
constexpr int PlanChannelsFull = 32001;
constexpr int SameFrequencyTwice = 32003;
constexpr int ChannelEditorErrorCaption = 32004;
constexpr int ChannelsEditorCaption = 32005;
constexpr int LogZoneHint = 32090;  // "Log Zone"
// Channel list editor (32200-32219) and channel block generator (32220-32239): labels, hints,
// button captions; a label's '&' letter is its field's shortcut.
constexpr int ChanNameLabel = 32200;
constexpr int ChanNameHint = 32201;
constexpr int ChanFreqLabel = 32202;
constexpr int ChanFreqHint = 32203;
constexpr int ChanBwLabel = 32204;
constexpr int ChanCommandLabelFirst = 32205;  // "Command &1:" to "Command &3:", 32205-32207
constexpr int ChanAddBtn = 32208;
constexpr int ChanAddHint = 32209;
constexpr int ChanDeleteBtn = 32210;
constexpr int ChanDeleteHint = 32211;
constexpr int ChanBlockBtn = 32212;
constexpr int ChanBlockHint = 32213;
constexpr int ChanOkBtn = 32214;
constexpr int ChanCancelBtn = 32215;
constexpr int ChanHelpBtn = 32216;
constexpr int BlockCaption = 32220;
constexpr int BlockInitCharLabel = 32221;
constexpr int BlockInitCharHint = 32222;
constexpr int BlockInitIndexLabel = 32223;
constexpr int BlockInitIndexHint = 32224;
constexpr int BlockInitFreqLabel = 32225;
constexpr int BlockInitFreqHint = 32226;
constexpr int BlockStepLabel = 32227;
constexpr int BlockStepHint = 32228;
constexpr int BlockQuantityLabel = 32229;
constexpr int BlockQuantityHint = 32230;
constexpr int BlockFirstChannelLabel = 32231;
constexpr int BlockLastChannelLabel = 32232;
constexpr int BlockRefreshBtn = 32233;
constexpr int BlockOkBtn = 32234;
constexpr int BlockOkHint = 32235;
constexpr int BlockCancelBtn = 32236;
constexpr int BlockCancelHint = 32237;
constexpr int BlockHelpBtn = 32238;
// Channel-plan editor, plan files, plan import and generated scripts: 35000-35999.
constexpr int PlanAskSave = 35000;
constexpr int PlanCaptionWarning = 35001;
constexpr int PlanCaptionError = 35002;
constexpr int PlanCaptionPlansError = 35003;
constexpr int PlanCaptionPlainError = 35004;
constexpr int PlanMaxPlans = 35005;
constexpr int PlanReceivePlanNoEquip = 35006;
constexpr int PlanReadingPlan = 35007;
constexpr int PlanReceiveNoEquip = 35008;
constexpr int PlanNonePresent = 35009;
constexpr int PlanProLoadFailed = 35010;
constexpr int PlanCsvLoadFailed = 35011;
constexpr int PlanEmpty = 35012;
constexpr int PlanCsvSaved = 35013;
constexpr int PlanCsvNotSaved = 35014;
constexpr int PlanTempNotCreated = 35015;
constexpr int PlanSavedTo = 35016;
constexpr int PlanCannotCreate = 35017;
constexpr int PlanSendNoEquip = 35018;
constexpr int PlanSendOk = 35019;
constexpr int PlanProFilter = 35020;
constexpr int PlanCsvFilter = 35021;
constexpr int PlanReceiveStopped = 35022;
constexpr int PlanSetIncomplete = 35023;
constexpr int PlanCannotWrite = 35024;
constexpr int PlanChannelsIncomplete = 35025;
constexpr int PlanNotSaved = 35026;
constexpr int PlanLoaderMissing = 35027;
constexpr int PlanSendFailed = 35028;
constexpr int PlanCannotOpen = 35029;
constexpr int PlanBadData = 35030;
constexpr int PlanCannotLoadD = 35031;
constexpr int PlanLogPlan = 35032;
constexpr int PlanLogChannel = 35033;
constexpr int PlanTruncated = 35034;
constexpr int PlanErrorLoading = 35035;
constexpr int PlanLoadedFrom = 35036;
constexpr int PlanParsing = 35037;
constexpr int PlanParserErrorBox = 35038;
constexpr int PlanParserErrorLog = 35039;
constexpr int PlanProLoaded = 35040;
constexpr int PlanDataFileError = 35041;
constexpr int PlanBadDirectory = 35042;
constexpr int PlanTooManyPlans = 35043;
constexpr int PlanNotForModel = 35044;
constexpr int PlanTryImport = 35045;
constexpr int PlanCaptionImport = 35046;
constexpr int PlanNotText = 35047;
constexpr int PlanBadValue = 35048;
constexpr int PlanBadFrequency = 35049;
constexpr int PlanReceiveGarbled = 35400;
constexpr int PlanSendStoppedChannel = 35401;
constexpr int PlanSendStoppedPlan = 35402;
constexpr int PlanSendStoppedLine = 35403;
constexpr int PlanBadBandwidth = 35050;
constexpr int PlanBadLnb = 35051;
constexpr int PlanBadCode = 35052;
constexpr int PlanBadPlanCount = 35053;
constexpr int PlanBadPlanNumber = 35054;
constexpr int PlanBadChannelCount = 35055;
constexpr int PlanBadOffset = 35056;
constexpr int PlanBadAddress = 35057;
constexpr int PlanBadNumber = 35058;
constexpr int PlanBadCommandWord = 35059;
constexpr int PlanBadBand = 35060;
constexpr int PlanOutOfPlace = 35099;
constexpr int PlanNoPlanLine = 35061;
constexpr int PlanCreatingPro = 35062;
constexpr int PlanProGenerated = 35063;
constexpr int PlanReceivePlansNoEquip = 35064;
constexpr int PlanWithoutChannels = 35065;
constexpr int PlanTooMuchChannels = 35066;
constexpr int PlanTooManyBytes = 35067;
constexpr int PlanScriptNotCreated = 35068;
constexpr int PlanChannelUnread = 35069;  // "Plan %s: channel %s of %s (index %s) could not be read..."
constexpr int PlanFormCaption = 35300;
constexpr int PlanListLabel = 35301;
constexpr int PlanListHint = 35302;
constexpr int PlanUp = 35303;
constexpr int PlanUpHint = 35304;
constexpr int PlanDown = 35305;
constexpr int PlanDownHint = 35306;
constexpr int PlanEdit = 35307;
constexpr int PlanEditHint = 35308;
constexpr int PlanNew = 35309;
constexpr int PlanNewHint = 35310;
constexpr int PlanInsert = 35311;
constexpr int PlanInsertHint = 35312;
constexpr int PlanDelete = 35313;
constexpr int PlanDeleteHint = 35314;
constexpr int PlanExtract = 35315;
constexpr int PlanExtractHint = 35316;
constexpr int PlanAdd = 35317;
constexpr int PlanAddHint = 35318;
constexpr int PlanSave = 35319;
constexpr int PlanSaveHint = 35320;
constexpr int PlanRead = 35321;
constexpr int PlanReadHint = 35322;
constexpr int PlanSend = 35323;
constexpr int PlanSendHint = 35324;
constexpr int PlanReceive = 35325;
constexpr int PlanReceiveHint = 35326;
constexpr int PlanClose = 35327;
constexpr int PlanCloseHint = 35328;
constexpr int PlanHelp = 35329;
constexpr int PlanNameHint = 35330;
constexpr int PlanCodeHint = 35331;
constexpr int PlanLnbHint = 35332;
constexpr int PlanChannelsHint = 35333;
constexpr int PlanNameLabel = 35334;
constexpr int PlanCodeLabel = 35335;
constexpr int PlanLnbLabel = 35336;
constexpr int PlanChannelsLabel = 35337;
constexpr int PlanBandLabel = 35338;
constexpr int PlanBandHint = 35339;
constexpr int PlanComm1Label = 35340;
constexpr int PlanComm2Label = 35341;
constexpr int PlanComm3Label = 35342;
constexpr int PlanComm1Hint = 35343;
constexpr int PlanComm2Hint = 35344;
constexpr int PlanComm3Hint = 35345;
constexpr int PlanBandTer = 35346;
constexpr int PlanBandSat = 35347;
constexpr int PlanSelectFile = 35348;
// The names a plan slot is given by the program: a cleared slot's (at most eight characters) and a
// new plan's, and the label shown for the empty command in the command combos (the command
// table's own label stays in the generated scripts).
constexpr int PlanEmptyName = 35390;    // " -empty-"
constexpr int PlanNewName = 35391;      // "NEW"
constexpr int PlanNoCommand = 35392;    // " -none-"
// Script engine (plug-in dialect).
constexpr int ScriptLogFile = 34000;          // "LOG file generated: %s"
constexpr int ScriptProFile = 34001;          // "PRO file to execute: %s"
constexpr int ScriptWaiting = 34002;          // "Waiting %d seconds..."
constexpr int ScriptPressOk = 34003;          // "Press OK to continue..."
constexpr int ScriptKeyCaption = 34004;       // "CvTools"
constexpr int ScriptFileMissing = 34005;      // "Error: couldn't find file "
constexpr int ScriptSendHexStart = 34006;     // "Executing SENDHEX with file "
constexpr int ScriptLineError = 34007;        // "Error in line number "
constexpr int ScriptSendHexDone = 34008;      // "SENDHEX finished"
constexpr int ScriptSendingTime = 34009;      // "Sending updating file.\n..."
constexpr int ScriptLogIsScript = 34010;      // transcript path equals the script path
constexpr int ScriptHexLineTooLong = 34011;   // an update line longer than a command
constexpr int ScriptWordRange = 34012;        // a PLL word outside 0..FFFF
constexpr int ScriptPlanRange = 34013;        // a plan outside the dialect's plans of a canalization
constexpr int ScriptCannotOpen = 34014;       // script or transcript not opened
constexpr int ScriptLnbRange = 34015;         // an LNB oscillator a plan header cannot hold
constexpr int ScriptLogTooLong = 34016;       // the transcript path is longer than the limit
constexpr int ScriptTranscriptCut = 34030;    // a transcript write refused: "%s" cut, "%s" why

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

// Plug-in entry, equipment services and the CORVANE-3 equipment object (32500-32999).
namespace cv::msg::cv3 {

constexpr int CvToolsErrorCaption = 1419;   // "CvTools Error"
constexpr int ErrorCaption = 1752;          // "Error"
constexpr int ImpossibleIniFile = 2031;     // "Impossible to handle INI file"
constexpr int LibraryLoaded = 32500;        // "Library %s loaded"
constexpr int ImpossibleToInitialize = 32501;
constexpr int ProtectedModeError = 32502;
constexpr int TunerTxError = 32503;
constexpr int CheckingTuners = 32504;
constexpr int TunerBadAnswer = 32505;
constexpr int TunerUnknown = 32506;
constexpr int FrequencySendError = 32507;
constexpr int EquipmentNotDetected = 32508;

// Launcher lines: start, closing, port error, without port (offline start or refusal).
constexpr int ChannelEditorStart = 32520;
constexpr int ChannelEditorClosed = 32521;
constexpr int ChannelEditorPortError = 32522;
constexpr int ChannelEditorOffline = 32523;
constexpr int MemoryEditorStart = 32524;
constexpr int MemoryEditorClosed = 32525;
constexpr int MemoryEditorPortError = 32526;
constexpr int MemoryEditorOffline = 32527;
constexpr int DataLoggerStart = 32528;
constexpr int DataLoggerPortError = 32530;
constexpr int DataLoggerRefused = 32531;
constexpr int MonitorStart = 32532;
constexpr int MonitorClosed = 32533;
constexpr int MonitorPortError = 32534;
constexpr int MonitorRefused = 32535;
constexpr int SpectrumStart = 32536;
constexpr int SpectrumClosed = 32537;
constexpr int SpectrumPortError = 32538;
constexpr int SpectrumRefused = 32539;
constexpr int ConfigurationStart = 32540;
constexpr int ConfigurationClosed = 32541;
constexpr int ConfigurationPortError = 32542;
constexpr int ConfigurationRefused = 32543;
constexpr int UpdateFirmwareStart = 32544;
constexpr int UpdateFirmwareClosed = 32545;
constexpr int UpdateFirmwarePortError = 32546;
constexpr int UpdateFirmwareRefused = 32547;

}  // namespace cv::msg::cv3

// Host: configuration file, detection, plug-in binding and selection (30500-30999).
namespace cv::msg::detect {

constexpr int NoDllsFound = 1052;               // "No DLLs found"
constexpr int NoLibraryFiles = 1051;            // "Impossible to find any available equipment\n..."
constexpr int SelectCaption = 1087;             // "Select"
constexpr int DataLoggerStatus = 1011;
constexpr int ChannelEditorStatus = 1036;
constexpr int UnknownEquipment = 1273;
constexpr int BadFormat = 1275;                 // "Fatal error.\nBad format of %s"
constexpr int UnableToExecute = 1276;           // "Unable to execute %s.dll"
constexpr int LoadingLibrary = 1277;
constexpr int NoConnection = 1278;
constexpr int PortNotAvailable = 1279;          // "%s not available."
constexpr int ReadyIn = 1281;                   // "%s v%4.2f ready in %s (%d)"
constexpr int UnableToCreatePort = 1282;
constexpr int NoEquipmentFound = 1283;
constexpr int UnableToFind = 1291;              // "Unable to find %s.dll"
constexpr int FreeingLibrary = 1292;
constexpr int NotDetectedAt = 1295;             // "%s(%d) -> Equipment not detected"
constexpr int Searching = 1310;
constexpr int StopCaption = 1392;
constexpr int CvToolsErrorCaption = 1419;
constexpr int MemoryEditorStatus = 1542;
constexpr int ConfigurationStatus = 1728;
constexpr int SpectrumStatus = 1729;
constexpr int MonitorStatus = 1730;
constexpr int UpdateFirmwareStatus = 1731;
constexpr int DetectedAt = 30500;               // "%s(%d) -> %s v%4.2f"
constexpr int IdentifierStatus = 30501;         // "Channel Identification"
constexpr int ConfigUnreadable = 30502;         // "Unable to read %s"
constexpr int ConfigRecordCut = 30503;          // "%s, line %d: the record %s lacks its library name or model code"
constexpr int ConfigCaption = 30504;            // "CvTools"
constexpr int SelectDialogCaption = 30505;      // "Select equipment"
constexpr int OptionsLabel = 30506;
constexpr int CoveredModelsLabel = 30507;
constexpr int CancelCaption = 30508;
constexpr int OptionsHint = 30509;
constexpr int SelectHint = 30510;
constexpr int ModelsHint = 30511;

}  // namespace cv::msg::detect

// Memory editor, memory records and the memory file (37000-37499).
namespace cv::msg::mem {

constexpr int BadSrAnswer = 37000;
constexpr int ErrorsInMemory = 37001;
constexpr int LineBand = 37002;
constexpr int LineMeasure = 37003;
constexpr int LineSpecInvQpsk = 37004;
constexpr int LineSpecInvQam = 37005;
constexpr int LineCarriers = 37006;
constexpr int LineStandard = 37007;
constexpr int LineFreqSat = 37008;
constexpr int LineFreqTer = 37009;
constexpr int LineTuningMode = 37010;
constexpr int LinePlanNumber = 37011;
constexpr int LineUnits = 37012;
constexpr int LineLnbSupply = 37013;
constexpr int LineColour = 37014;
constexpr int LineCodeRate = 37015;
constexpr int LineModulation = 37016;
constexpr int LineGuardInterval = 37017;
constexpr int LineSound = 37018;
constexpr int LineSymbolRate = 37019;
constexpr int LineSoundFreq = 37020;
constexpr int LineBandwidth = 37021;
constexpr int LineLnbFreq = 37022;
constexpr int LineCnRef = 37023;
constexpr int LineMustBeTer = 37024;
constexpr int LineMustBeSat = 37025;
constexpr int LineQpskReplaced = 37026;
constexpr int LineQamReplaced = 37027;
constexpr int LineCofdmReplaced = 37028;
constexpr int LinePlanMissing = 37029;
constexpr int FormCaption = 37040;
constexpr int ListLabel = 37041;
constexpr int ListHint = 37042;
constexpr int SaveBtn = 37043;
constexpr int SaveHint = 37044;
constexpr int ReadBtn = 37045;
constexpr int ReadHint = 37046;
constexpr int EditBtn = 37047;
constexpr int EditHint = 37048;
constexpr int SendOneBtn = 37049;
constexpr int SendOneHint = 37050;
constexpr int SendBtn = 37051;
constexpr int SendHint = 37052;
constexpr int ReceiveBtn = 37053;
constexpr int ReceiveHint = 37054;
constexpr int HelpBtn = 37055;
constexpr int CloseBtn = 37056;
constexpr int GaugeHint = 37057;
constexpr int CsvFilter = 37058;
constexpr int SelectFile = 37059;
constexpr int AskSave = 37060;
constexpr int CaptionWarning = 37061;
constexpr int DataLoggerMode = 37063;
constexpr int ReceiveError = 37064;
constexpr int ReceiveNoEquip = 37065;
constexpr int Receiving = 37066;
constexpr int AskError = 37067;
constexpr int BadData = 37068;
constexpr int ReceiveComplete = 37069;
constexpr int SendNoEquip = 37070;
constexpr int Sending = 37071;
constexpr int BadLength = 37072;
constexpr int NotAcceptedNumber = 37073;
constexpr int SendComplete = 37074;
constexpr int NotAccepted = 37075;
constexpr int MemorySent = 37076;
constexpr int CannotCreate = 37080;
constexpr int NotInUse = 37081;
constexpr int Writing = 37082;
constexpr int WriteComplete = 37083;
constexpr int CannotRead = 37084;
constexpr int Reading = 37085;
constexpr int ReadComplete = 37086;
constexpr int ReadFailed = 37087;
constexpr int ReplyOtherMemory = 37090;
constexpr int RowOtherMemory = 37091;
constexpr int CannotWrite = 37092;
constexpr int PlanCodeTooLarge = 37093;
constexpr int ReceiveMissing = 37094;
constexpr int ReadFailedBox = 37095;
constexpr int FileEndsBefore = 37096;
constexpr int ReceiveRefused = 37100;
constexpr int SendStoppedAt = 37101;
constexpr int SendOneFailed = 37102;
constexpr int CauseRefused = 37103;
constexpr int CauseSilent = 37104;
constexpr int CauseBadLength = 37105;
constexpr int ReadWarnings = 37106;
constexpr int ReadWarningsMore = 37107;
constexpr int Level = 1849;
constexpr int Power = 1420;
constexpr int TNarrow = 1110;
constexpr int TBroad = 1112;
constexpr int Digital = 1109;
constexpr int HelpFile = 1783;

}  // namespace cv::msg::mem

// Memory settings dialog and channel picker (37500-37999).
namespace cv::msg::memdata {

constexpr int DataCaption = 37500;
constexpr int InvalidData = 37501;
constexpr int CaptionError = 37502;
constexpr int ErrorsInMemory = 37503;
constexpr int LineNumber = 37504;
constexpr int LineFreqSat = 37505;
constexpr int LineFreqTer = 37506;
constexpr int LinePlanNumber = 37507;
constexpr int LineSymbolRate = 37508;
constexpr int LineSoundFreq = 37509;
constexpr int LineBandwidth = 37510;
constexpr int LineLnbFreq = 37511;
constexpr int LineCnRef = 37512;
constexpr int ChannelsNoEquip = 37513;
constexpr int EquipNotDetected = 37514;
constexpr int InvalidParams = 37515;
constexpr int CaptionErrorBox = 37516;
constexpr int BadName = 37517;
constexpr int BadFreq = 37518;
constexpr int BadTuning = 37519;
constexpr int BadSoundSub = 37520;
constexpr int BadBandwidth = 37521;
constexpr int BadLnbOsc = 37522;
constexpr int BadSymRate = 37523;
constexpr int BadNoise = 37524;
constexpr int BadBand = 37525;
constexpr int BadLevel = 37526;
constexpr int BadUnits = 37527;
constexpr int BadStandard = 37528;
constexpr int BadSound = 37529;
constexpr int BadLnbSup = 37530;
constexpr int BadCodeRate = 37531;
constexpr int BadSpecInv = 37532;
constexpr int BadModulation = 37533;
constexpr int BadCarriers = 37534;
constexpr int BadInterval = 37535;
constexpr int FreqRadio = 37540;
constexpr int ChannelRadio = 37541;
constexpr int ModifyChannel = 37542;
constexpr int ModifyChannelHint = 37543;
constexpr int Loading = 37544;
constexpr int FreqHint = 37545;
constexpr int CodeRateHint = 37546;
constexpr int ModulationHint = 37547;
constexpr int SpecInvHint = 37548;
constexpr int IntervalHint = 37549;
constexpr int CarriersHint = 37550;
constexpr int SoundSubHint = 37551;
constexpr int SymRateHint = 37552;
constexpr int NameLabel = 37553;
constexpr int BandLabel = 37554;
constexpr int LevelLabel = 37555;
constexpr int UnitsLabel = 37556;
constexpr int StandardLabel = 37557;
constexpr int SoundLabel = 37558;
constexpr int SoundSubLabel = 37559;
constexpr int BWLabel = 37560;
constexpr int LNBOscLabel = 37561;
constexpr int LNBSupLabel = 37562;
constexpr int SymRateLabel = 37563;
constexpr int CodeRateLabel = 37564;
constexpr int ModulationLabel = 37565;
constexpr int SpecInvLabel = 37566;
constexpr int CarriersLabel = 37567;
constexpr int IntervalLabel = 37568;
constexpr int NoiseLabel = 37569;
constexpr int OKBtn = 37570;
constexpr int CancelBtn = 37571;
constexpr int HelpBtn = 37572;
constexpr int PickerCaption = 37580;
constexpr int PlanListLabel = 37581;
constexpr int PlanHint = 37582;
constexpr int ChannelListLabel = 37583;
constexpr int ChannelHint = 37584;
constexpr int NoPlans = 37585;
constexpr int PlanError = 37586;
constexpr int PlanErrorDetail = 37587;
constexpr int ChannelErrorDetail = 37588;
constexpr int DetailChannel = 37589;
constexpr int DetailName = 37590;
constexpr int DetailPll = 37591;
constexpr int DetailFreq = 37592;

}  // namespace cv::msg::memdata
// The TV MIRELTO family (40000-40999): equipment object, link and file transfer (40000-40199).
// The launcher texts it shares with the CORVANE-3 object keep their ids there (cv::msg::cv3).
namespace cv::msg::xr9 {

constexpr int DataLoggerUpgrade = 40000;        // "You need to upgrade firmware of VELDIX-5\nin ..."
constexpr int DataLoggerNotSupported = 40001;
constexpr int DataLoggerClosed = 40002;
constexpr int DataLoggerInitFailed = 40003;
constexpr int DataLoggerOffline = 40004;
constexpr int TempoCaption = 40005;             // "CvTools"
constexpr int TempoCreatingFiles = 40006;       // "Creating PDF, HTML && XML files ....."
// Plan directory labels by file type, and of any other type.
constexpr int LabelProtTer = 40010;
constexpr int LabelModTer = 40011;
constexpr int LabelProtSat = 40012;
constexpr int LabelModSat = 40013;
constexpr int LabelUnknown = 40014;
constexpr int PlanTooBig = 40015;
constexpr int MaxPlansReached = 40016;
constexpr int DlNotDetected = 40017;            // "Error. Equipment not detected"
constexpr int DlReceivingList = 40018;
constexpr int DlFileTooBig = 40019;
constexpr int DlMaxFilesReached = 40020;
constexpr int DlListReceived = 40021;
constexpr int DlNoFiles = 40022;
constexpr int BadCrc = 40023;
constexpr int NotEnoughMemory = 40024;
constexpr int SystemErrorCaption = 40025;
constexpr int CouldntOpenFile = 40026;          // "Couldn't open file %s"
constexpr int CouldntReopenFile = 40027;        // "Couldn't reopen file %s"
constexpr int SentOk = 40028;                   // " sent OK."
constexpr int SendFailed = 40029;               // " failed."
constexpr int ErasedInEquipment = 40030;        // " erased in the equipment."
constexpr int CouldntErase = 40031;             // "Couldn't erase "
constexpr int CouldntEraseEnd = 40032;          // "in the equipment"
constexpr int PlansErased = 40033;

// Channel-plan editor and its receive dialog (40200-40399).
constexpr int FormCaption = 40200;
constexpr int LoadCanalization = 40201;
constexpr int LoadCanalizationHint = 40202;
constexpr int LoadOnePlan = 40203;
constexpr int LoadOnePlanHint = 40204;
constexpr int ReceivePlans = 40205;
constexpr int ReceivePlansHint = 40206;
constexpr int SaveCanalization = 40207;
constexpr int SaveCanalizationHint = 40208;
constexpr int SaveOnePlan = 40209;
constexpr int SaveOnePlanHint = 40210;
constexpr int SendAllPlans = 40211;
constexpr int SendAllPlansHint = 40212;
constexpr int SendOnePlan = 40213;
constexpr int SendOnePlanHint = 40214;
constexpr int PlanListHint = 40215;
constexpr int PlansLabel = 40216;
constexpr int PlanAttrListHint = 40217;
constexpr int ChannelsLabel = 40218;
constexpr int ChannelsInPlan = 40219;
constexpr int ChanListHint = 40220;
constexpr int ChanAttrListHint = 40221;
constexpr int LogZoneHint = 40222;
constexpr int ExitBtn = 40223;
constexpr int HelpBtn = 40224;
constexpr int NoAttributeText = 40225;
constexpr int BandTer = 40226;
constexpr int BandSat = 40227;
constexpr int NoReceiveBuffer = 40228;
constexpr int NoMoreRoom = 40229;
constexpr int DataChanged = 40230;
constexpr int PlansNotSaved = 40231;
constexpr int WarningCaption = 40232;
constexpr int CreatePlanFirst = 40233;
constexpr int IllegalOverwrite = 40234;
constexpr int NewChannelBtn = 40235;
constexpr int NewChannelHint = 40236;
constexpr int DeleteChannelBtn = 40237;
constexpr int DeleteChannelHint = 40238;
constexpr int NewPlanBtn = 40239;
constexpr int NewPlanHint = 40240;
constexpr int DeletePlanBtn = 40241;
constexpr int DeletePlanHint = 40242;
constexpr int MoveUpBtn = 40243;
constexpr int MoveUpHint = 40244;
constexpr int MoveDownBtn = 40245;
constexpr int MoveDownHint = 40246;
constexpr int PlansNotReceived = 40247;  // "These plans were not received and are not in the list: %s"
constexpr int UpgradeForPlans = 40248;
constexpr int PlansNotSupported = 40249;
constexpr int NotDetectedPlain = 40250;
constexpr int ReceptionFinished = 40251;
constexpr int NoPlanSelected = 40252;
constexpr int EraseQuestion = 40253;
constexpr int SelectCaption = 40254;
constexpr int FoundLabel1 = 40255;
constexpr int FoundLabel2 = 40256;
constexpr int FoundLabel3 = 40257;
constexpr int FoundListHint = 40258;
constexpr int SelectAllBtn = 40259;
constexpr int SelectAllHint = 40260;
constexpr int UnselectAllBtn = 40261;
constexpr int UnselectAllHint = 40262;
constexpr int EraseBtn = 40263;
constexpr int EraseHint = 40264;
constexpr int ReceiveBtn = 40265;
constexpr int ReceiveHint = 40266;
constexpr int CancelBtn = 40267;
constexpr int PlanNameLabel = 40300;
constexpr int PlanNameHint = 40301;
constexpr int BandHint = 40302;
constexpr int PlanAttGroup = 40303;
constexpr int Protected = 40304;
constexpr int Modifiable = 40305;
constexpr int PlanAttHint = 40306;
constexpr int ChannelNameLabel = 40307;
constexpr int ChannelNameHint = 40308;
constexpr int FreqHint = 40309;
constexpr int FreqVideo = 40310;
constexpr int FreqCenter = 40311;
constexpr int FreqRadioHint = 40312;
constexpr int SpacingLabel = 40313;
constexpr int MHzLabel = 40314;
constexpr int SpacingHint = 40315;
constexpr int AddSys = 40316;
constexpr int AddType = 40317;
constexpr int AddLnb = 40318;
constexpr int AddBw = 40319;
constexpr int AddSr = 40320;
constexpr int AddSpInv = 40321;
constexpr int AddConst = 40322;
constexpr int AddCarriers = 40323;
constexpr int AddGuard = 40324;
constexpr int AddOffset = 40325;
constexpr int AddCodeRate = 40326;
constexpr int DeleteConfig = 40327;
constexpr int AddChanHint = 40328;
constexpr int AddPlanHint = 40329;
constexpr int DeleteConfigHint = 40330;
constexpr int SysHint = 40331;
constexpr int TypeHint = 40332;
constexpr int LnbHint = 40333;
constexpr int BwHint = 40334;
constexpr int SrHint = 40335;
constexpr int SpInvHint = 40336;
constexpr int ConstHint = 40337;
constexpr int CarriersHint = 40338;
constexpr int GuardHint = 40339;
constexpr int OffsetHint = 40340;
constexpr int CodeRateHint = 40341;
constexpr int KSymbLabel = 40342;
constexpr int HzLabel = 40343;
// Attribute and field editing (40350-40399).
constexpr int NoChannelSelected = 40350;  // "No channel selected!"

}  // namespace cv::msg::xr9
// Host: console terminal and its script interpreter (30200-30399).
namespace cv::msg::term {
constexpr int Executing = 30200;        // "Executing from Terminal"
constexpr int Caption = 30201;          // "CvTools Terminal"
constexpr int SaveFailed = 30202;       // "Unable to save data to the Registry"
constexpr int ReadWarning = 30203;      // "Warning. Unable to read data from the Registry"
constexpr int ReadFailed = 30204;       // "Unable to read data from the Registry"
constexpr int NoPorts = 30205;          // "Unable to find valid ports."
constexpr int ErrorNumber = 30206;      // "%s -> Error number: %d"
constexpr int ClosedTimeout = 30207;    // "Terminal closed for timeout"
constexpr int ProFinished = 30208;      // "PRO file finished OK."
constexpr int ScriptMissing = 30209;    // "Error. Couldn't find file %s"
constexpr int ProToExecute = 30210;     // "PRO file to execute: %s"
constexpr int SelectFile = 30211;       // "Select file to execute"
constexpr int ProFilter = 30212;        // "PRO Files (*.pro)"
constexpr int TransferMissing = 30213;  // "Error: Couldn't find file %s"
constexpr int RunPaused = 30214;        // "RUN PAUSED. Press any key to continue..."
constexpr int LogIsScript = 30215;      // the script would be overwritten by its transcript
constexpr int LogTooLong = 30216;       // the transcript path is longer than the limit
constexpr int LineTooLong = 30217;      // "Line %d: %d characters, more than one command carries (%d)"
constexpr int LevelsFull = 30218;       // result text of a condition nested past the flag table
constexpr int Utility = 30219;          // " Terminal utility "
constexpr int Waiting = 30220;          // " -> Wait..."
// The host dialect's registers, flash records, register plans and dumps (30400-30499).
constexpr int PlanOutside = 30400;      // "(PLAN %d OUTSIDE THE TABLE OF %d) ERROR"
constexpr int WordOutside = 30401;      // "(%s MHZ: FREQUENCY WORD OUTSIDE 0 TO FFFF) ERROR"
constexpr int ChannelIndex = 30402;     // "(CHANNEL INDEX %s) ERROR"
}  // namespace cv::msg::term
// Data logger: dialog, result sheet, printing, test-point names (38000-38999).
namespace cv::msg::logger {

constexpr int DlCaption = 38000;
constexpr int DlTPLabel = 38001;
constexpr int DlMemLabel = 38002;
constexpr int DlTPRadio = 38003;
constexpr int DlOnlySelected = 38004;
constexpr int DlAll = 38005;
constexpr int DlTPRadioHint = 38006;
constexpr int DlMemRadio = 38007;
constexpr int DlMemRadioHint = 38008;
constexpr int DlTPListHint = 38009;
constexpr int DlReceiveNamesBtn = 38010;
constexpr int DlReceiveNamesHint = 38011;
constexpr int DlReceiveDataBtn = 38012;
constexpr int DlReceiveDataHint = 38013;
constexpr int DlSaveAllBtn = 38014;
constexpr int DlSaveAllHint = 38015;
constexpr int DlHelpBtn = 38016;
constexpr int DlCancelBtn = 38017;
constexpr int DlCloseBtn = 38018;
constexpr int DlUnselectBtn = 38019;
constexpr int DlUnselectTPHint = 38020;
constexpr int DlUnselectMemHint = 38021;
constexpr int DlCsvFilter = 38022;
constexpr int DlCommError = 38023;
constexpr int DlReadingMemories = 38024;
constexpr int DlShortSrAnswer = 38025;
constexpr int DlBadMemoryNumber = 38026;
constexpr int DlReadingTPs = 38027;
constexpr int DlRunningViewer = 38028;
constexpr int DlClosedViewer = 38029;
constexpr int DlSelectTPs = 38030;
constexpr int DlAndMemories = 38031;
constexpr int DlSelectMemories = 38032;
constexpr int DlErrorCaption = 38033;
constexpr int DlNotEnoughMemory = 38034;
constexpr int DlCannotAllocate = 38035;
constexpr int DlReadingData = 38036;
constexpr int DlFailed = 38037;
constexpr int DlStopped = 38038;
constexpr int DlDone = 38039;
constexpr int DlCannotOpen = 38040;
constexpr int DlFileInUse = 38041;
constexpr int DlFileSaved = 38042;
constexpr int DlCannotWrite = 38043;
constexpr int DlTPCaption = 38044;
constexpr int DlTPDlgLabel = 38045;
constexpr int DlTestPoint = 38046;
constexpr int DlNextTPBtn = 38047;
constexpr int DlNextTPHint = 38048;
constexpr int DlNoTPSelected = 38049;
constexpr int DlPlainError = 38050;
constexpr int DlSheetCaption = 38051;
constexpr int DlLogoHint = 38052;
constexpr int DlInsertLogo = 38053;
constexpr int DlIdentification = 38054;
constexpr int DlClient = 38055;
constexpr int DlObs = 38056;
constexpr int DlFontBtn = 38057;
constexpr int DlPrintSetupBtn = 38058;
constexpr int DlPrintAllBtn = 38059;
constexpr int DlNum = 38060;
constexpr int DlName = 38061;
constexpr int DlBand = 38062;
constexpr int DlFreq = 38063;
constexpr int DlLevel = 38064;
constexpr int DlSerial = 38065;
constexpr int DlRegistryError = 38066;
constexpr int DlPrintRows = 38067;
constexpr int DlPrintColumns = 38068;
constexpr int DlPrintAllUnknown = 38069;
constexpr int DlPrintAllOpen = 38070;
constexpr int DlPrintAllClose = 38071;
constexpr int DlFontUnknown = 38072;
constexpr int DlDocumentTitle = 38073;
constexpr int DlReportTitle = 38074;
constexpr int DlReportId = 38075;
constexpr int DlReportClient = 38076;
constexpr int DlReportObs = 38077;
constexpr int DlPageFooter = 38078;
constexpr int DlPictureFilter = 38079;
constexpr int DlBadPicture = 38080;
constexpr int DlFontCaption = 38081;
// What a failed Receive Names or Receive Data did not get.
constexpr int DlMemoryNotCome = 38082;
constexpr int DlTPNotCome = 38083;
constexpr int DlDataNotCome = 38084;
// The memory group's two items: the same English words as the test points' ones, which some
// languages give the gender of "memories".
constexpr int DlMemOnlySelected = 38095;
constexpr int DlMemAll = 38096;

}  // namespace cv::msg::logger
// TV MIRELTO binary plans, attribute table, data-logger files and measurement texts (40500-40699).
namespace cv::msg::xr9fmt {

constexpr int CvToolsErrorCaption = 1419;  // "CvTools Error"
constexpr int ErrorCaption = 1752;         // "Error"
constexpr int UserErrorCaption = 40500;    // "User Error"

// Binary plans and ".CAN" files.
constexpr int MismatchedFileType = 40501;
constexpr int ClosedChannelSet = 40502;
constexpr int NotEnoughMemory = 40503;
constexpr int CannotCreateBin = 40504;
constexpr int CreatingCan = 40505;
constexpr int BadChannelSet = 40506;
constexpr int PlanWithoutChannels = 40507;  // "Plan %s without channels. Error"
constexpr int ErrorWritingData = 40508;
constexpr int CanGenerated = 40509;
constexpr int NotFoundSuffix = 40510;       // path + " not found."
constexpr int LoadedFile = 40511;           // "Loaded file " + path
constexpr int EndOfCommandsNotFound = 40512;
constexpr int CannotAddMoreCommands = 40513;
constexpr int PlanShortHeader = 40514;
constexpr int PlanEndsInAttributes = 40515;
constexpr int PlanTooManyAttributes = 40516;
constexpr int PlanEndsBeforeChannel = 40517;   // channel number from 1
constexpr int ChannelTooManyAttributes = 40518;
constexpr int ErrorReadingFile = 40519;     // "Error reading file " + path

// Data-logger files.
constexpr int DlCodeNotFound = 40540;
constexpr int DlNoPlan = 40541;
constexpr int DlMaxFiles = 40542;
constexpr int DlTooManyMeas = 40543;
constexpr int DlMemChannels = 40544;
constexpr int DlMemTestPoints = 40545;
constexpr int DlMemMeasurements = 40546;
constexpr int DlLoaded = 40547;             // "DataLogger loaded: " + name
constexpr int DlIndexOutOfBounds = 40548;
constexpr int DlEndsInPlanName = 40549;
constexpr int DlEndsInPlanLength = 40550;
constexpr int DlEndsInPlan = 40551;
constexpr int DlEndsInText = 40552;
constexpr int DlEndsInChannel = 40553;      // channel number from 1
constexpr int DlEndsInTestPointCount = 40554;
constexpr int DlEndsInTestPoint = 40555;    // test point number from 1

// Measurement names by code (0 to 13), the name of an unknown code, and the MPEG-2 texts.
constexpr int MeasNameFirst = 40560;
constexpr int MeasNameUnknown = 40574;
constexpr int MeasLocked = 40575;
constexpr int MeasNotLocked = 40576;

}  // namespace cv::msg::xr9fmt

// Configuration, monitor and firmware update (39000-39999).
namespace cv::msg::settings {

constexpr int FileGenerated = 1799;
constexpr int ConfigEnd = 1838;
constexpr int NoOptions = 1837;
constexpr int OpenFileError = 1840;
constexpr int WriteFileError = 1839;
constexpr int ProtectedModeError = 39000;
constexpr int VersionTxError = 39001;
constexpr int VersionBad = 39002;
constexpr int OptionBad = 39003;
constexpr int RotaryTxError = 39004;
constexpr int RotaryBad = 39005;
constexpr int RotaryChangeError = 39006;
constexpr int RotarySent = 39007;
constexpr int ApplyRestart = 39008;
constexpr int RotaryChanged = 39009;
constexpr int SerialLabel = 39010;
constexpr int OptionsLabel = 39011;
constexpr int RotaryGroup = 39012;
constexpr int CwButton = 39013;
constexpr int CwHint = 39014;
constexpr int CcwButton = 39015;
constexpr int CcwHint = 39016;
constexpr int ApplyBtn = 39017;
constexpr int ApplyHint = 39018;
constexpr int CloseBtn = 39019;
constexpr int HelpBtn = 39020;
constexpr int SaveBtn = 39021;
constexpr int SaveFilter = 39022;
constexpr int SaveDefaultName = 39023;
constexpr int SaveFailedCaption = 39024;
constexpr int OptionTxError = 39025;
constexpr int OptionsNotRead = 39026;
constexpr int SaveIncompleteAsk = 39027;
constexpr int ReportIncomplete = 39028;
constexpr int RestartRefused = 39029;
constexpr int RestartUnconfirmed = 39030;
constexpr int MonCaption = 39100;
constexpr int MonFreqLabel = 39101;
constexpr int MonChannelLabel = 39102;
constexpr int MonMeasGroup = 39103;
constexpr int MonMeasItems = 39104;
constexpr int MonStdGroup = 39105;
constexpr int MonStdItems = 39106;
constexpr int MonWait = 39107;
constexpr int MonBadSystem = 39108;
constexpr int MonBadMeasType = 39109;
constexpr int MonBadValue = 39110;
constexpr int MonBadFrequency = 39111;
constexpr int MonBadTuningMode = 39112;
constexpr int MonWarning = 39113;
constexpr int MonTxActivePlan = 39114;
constexpr int MonNoActivePlan = 39115;
constexpr int MonTxPlan = 39116;
constexpr int MonNoPlan = 39117;
constexpr int MonTxActiveChannel = 39118;
constexpr int MonNoActiveChannel = 39119;
constexpr int MonTxChannel = 39120;
constexpr int MonNoChannel = 39121;
constexpr int MonStepActivePlanError = 39122;
constexpr int MonStepNoActivePlan = 39123;
constexpr int MonStepPlanError = 39124;
constexpr int MonStepChannelError = 39125;
constexpr int MonStepNoChannel = 39126;
constexpr int MonChannelSendError = 39127;
constexpr int MonNoChannels = 39128;
constexpr int MonMeasRefused = 39129;
constexpr int MonStdRefused = 39130;
constexpr int MonMeasNames = 39131;
constexpr int MonUnknown = 39132;
constexpr int MonNoValue = 39133;
constexpr int MonTer = 39134;
constexpr int MonSat = 39135;
constexpr int UpdCaption = 39200;
constexpr int UpdStartBtn = 39201;
constexpr int UpdFilter = 39202;
constexpr int UpdNotUpdateFile = 39203;
constexpr int UpdErrorCaption = 39204;
constexpr int UpdProFound = 39205;
constexpr int UpdWithFile = 39206;
constexpr int UpdFailed = 39207;
constexpr int UpdSuccessful = 39208;
constexpr int UpdNewVersion = 39209;
constexpr int UpdNoVersion = 39210;
constexpr int UpdStopped = 39211;
constexpr int UpdPortLost = 39212;
constexpr int OptInSlot = 39290;  // " in slot " before the slot an option sits in

}  // namespace cv::msg::settings
namespace cv::msg::xr9dl {

constexpr int ErrorCaption = 40700;
constexpr int CvToolsErrorCaption = 40701;
constexpr int UserErrorCaption = 40702;
constexpr int WarningCaption = 40703;
constexpr int PossibleErrorCaption = 40704;
constexpr int EmptyChannelList = 40705;
constexpr int CouldntGenerateCsv = 40706;
constexpr int IndexOutOfBounds = 40707;
constexpr int NoReceiveBuffer = 40708;
constexpr int IniFailed = 40709;
constexpr int NoFileSelected = 40710;
constexpr int ReceptionFinished = 40711;
constexpr int FolderMissing = 40712;
constexpr int OverwriteQuestion = 40713;
constexpr int CantCreateBinary = 40714;
constexpr int ShortWrite = 40715;
constexpr int CantOpenFile = 40716;
constexpr int ViewerInitFailed = 40717;
constexpr int RegistryFailed = 40718;
constexpr int RunningViewer = 40719;
constexpr int ClosedViewer = 40720;
constexpr int BakFailed = 40721;
constexpr int FileTooLarge = 40722;
constexpr int KindNotNumber = 40723;
constexpr int DialogCaption = 40724;
constexpr int FilesLabel = 40725;
constexpr int FilesHint = 40726;
constexpr int ListAllCaption = 40727;
constexpr int ListAllHint = 40728;
constexpr int ReceiveCaption = 40729;
constexpr int ReceiveHint = 40730;
constexpr int LoadCaption = 40731;
constexpr int LoadHint = 40732;
constexpr int ViewCaption = 40733;
constexpr int ViewHint = 40734;
constexpr int SaveReceivedCaption = 40735;
constexpr int FolderCaption = 40736;
constexpr int FolderHint = 40737;
constexpr int EnableReportsCaption = 40738;
constexpr int EnableReportsHint = 40739;
constexpr int ReportsHint = 40740;
constexpr int MemoHint = 40741;
constexpr int ExitCaption = 40742;
constexpr int HelpCaption = 40743;
constexpr int OpenFilter = 40744;
constexpr int CsvFilter = 40745;
constexpr int FileNotStored = 40746;
constexpr int SheetCaption = 40760;
constexpr int SatIfRefused = 40761;
constexpr int CouldntCreateFile = 40762;
constexpr int CreatingCsv = 40763;
constexpr int SavingSelected = 40764;
constexpr int SavingAll = 40765;
constexpr int CsvSaved = 40766;
constexpr int CsvSavedBox = 40767;
constexpr int ResetQuestion = 40768;
constexpr int RoleBest = 40769;
constexpr int RoleWorst = 40770;
constexpr int RoleInput = 40771;
constexpr int RoleOutput = 40772;
constexpr int Satellite = 40773;
constexpr int Terrestrial = 40774;
constexpr int BroadcastLabel = 40775;
constexpr int BranchLabel = 40776;
constexpr int TypeLabel = 40777;
constexpr int BlockCaption = 40778;
constexpr int SaveCsvCaption = 40779;
constexpr int ReportsCaption = 40780;
constexpr int CloseCaption = 40781;
constexpr int IfSatCaption = 40782;
constexpr int CsvGroupCaption = 40783;
constexpr int ReportGroupCaption = 40784;
constexpr int AllMeasItem = 40785;
constexpr int OnlyShownItem = 40786;
constexpr int CsvNotSaved = 40787;
constexpr int ReportTypeLabel = 40788;
constexpr int DropUnstoredQuestion = 40789;  // "These received files have not been saved and will be dropped ..."

}  // namespace cv::msg::xr9dl
// The plan check before Send that the TV MIRELTO editor and the CORVANE families share: what the
// meter's options cannot take, line by line, and the box. The texts keep the ids of the families
// that had them first.
namespace cv::msg::plancheck {
constexpr int PlanNotSupported = 40400;             // "Plan %s: %s not supported."
constexpr int ChannelNotSupported = 40401;          // "Plan %s, channel %s: %s not supported."
constexpr int NotCompatible = 40402;
constexpr int ChannelFrequencyNotSupported = 46001; // "Plan %s, channel %s: %2.2f MHz not supported."
constexpr int NoSatelliteBand = 46002;
constexpr int NoTerrestrialBand = 46003;
constexpr int OptionsUnread = 47100;
}  // namespace cv::msg::plancheck
// Plans out of the channel-plan editor: compatibility check, sending, saving and the canalization
// script (40400-40499).
namespace cv::msg::xr9out {

// 40400-40402: the plan and channel command lines and the box are the shared plan check's
// (cv::msg::plancheck).
constexpr int PlansErrorCaption = 40403;
constexpr int Sending = 40404;
constexpr int PlanNoChannels = 40405;
constexpr int PlanNoChannelsSend = 40406;
constexpr int SendFailedBox = 40407;
constexpr int SentOkBox = 40408;
constexpr int CommErrors = 40409;
constexpr int SelectedPlanEmpty = 40410;
constexpr int CanFilter = 40411;
constexpr int ProFilter = 40412;
constexpr int CannotReopenBin = 40413;
constexpr int CouldntCreateFile = 40414;
constexpr int ErrorCreatingOutput = 40415;
constexpr int PlanSaved = 40416;
constexpr int FileExists = 40417;
constexpr int FilesGenerated = 40418;
constexpr int PlanNoChannelsSave = 40419;
constexpr int CouldntCreateTemp = 40420;
constexpr int PlansSaved = 40421;
constexpr int CouldntWriteFile = 40422;
constexpr int CreatingPro = 40423;
constexpr int ScriptTitle = 40424;
constexpr int ScriptGenerated = 40425;
constexpr int ScriptEnd = 40426;
constexpr int FolderCaption = 40427;
constexpr int CvToolsCaption = 40428;
constexpr int WarningCaption = 40429;
constexpr int UserErrorCaption = 40430;

}  // namespace cv::msg::xr9out

// TV MIRELTO reports (41000-41199).
namespace cv::msg::xr9rep {

constexpr int CreatingFiles = 41000;        // "Creating HTML & PDF files"
constexpr int FilesSaved = 41001;           // "HTML & PDF files saved"
constexpr int GeneratedOk = 41002;          // "The report was generated successfully"
constexpr int NotGenerated = 41003;         // "The report was not generated."
constexpr int CouldntCreate = 41004;        // "Couldn't create file %s"
constexpr int ReportFilter = 41005;         // "PDF, HTML (*.pdf,*.htm)|*.pdf;*.htm"
constexpr int CouldntWrite = 41006;         // "Couldn't write file %s"
constexpr int PdfFailed = 41007;            // "The PDF document %s could not be made: %s"
constexpr int ReportFailed = 41008;         // "The report was not generated:"
constexpr int ErrorCaption = 1752;          // "Error"
constexpr int ObsCaption = 41010;           // "Observations?"
constexpr int ObsMemoHint = 41011;          // "Enter text that will appear after the table"
constexpr int NoObsCaption = 41012;         // "NO OBSERVATIONS"
constexpr int NoObsHint = 41013;            // "You do not have any observation"
constexpr int DoneCaption = 41014;          // "DONE"
constexpr int DoneHint = 41015;             // "Click here to continue"
constexpr int ObsNotSaved = 41016;          // "The observations could not be saved in %s"
constexpr int ObsGoOnWithout = 41017;       // "Generate the report without these observations?\n..."

// The headings the reports and the CSV export write around the analyser's data (41300-41329).
// The report information file's keys (41031-41033) read the same words but stay English; these
// are translated.
constexpr int GeneratedBy = 41300;          // "DataLogger generated by CvTools."
constexpr int Continued = 41301;            // "(continued)"
constexpr int HeadIdentification = 41302;   // "IDENTIFICATION: "
constexpr int HeadAddress = 41303;          // "ADDRESS: "
constexpr int HeadObs = 41304;              // "OBS: "
constexpr int HeadFile = 41305;             // "DataLogger file: "
constexpr int HeadPlan = 41306;             // "Plan:"
constexpr int HeadChannel = 41307;          // "Channel:"
constexpr int HeadFreq = 41308;             // "FREQ:"
constexpr int HeadType = 41309;             // "Type"
constexpr int HeadMeas = 41310;             // "Meas:"
constexpr int HeadUnits = 41311;            // " Units: "
constexpr int CsvUsedFile = 41312;          // "Used file: "
constexpr int CsvConfiguration = 41313;     // "CONFIGURATION"
constexpr int CsvChannel = 41314;           // "CHANNEL"
constexpr int CsvFreq = 41315;              // "FREQ"
constexpr int CsvMeas = 41316;              // "MEAS"
constexpr int CsvEnd = 41317;               // "End of file"

}  // namespace cv::msg::xr9rep
// Plans into the channel-plan editor: canalization scripts, CSV import and loading (40900-40999).
namespace cv::msg::xr9in {

constexpr int CsvAccepted = 40900;        // "CSV format accepted"
constexpr int ChannelSetFound = 40901;    // "Channel set found: "
constexpr int ParsingFile = 40902;        // "Parsing file "
constexpr int ParserErrorBox = 40903;     // "Parser error at line:\n%s"
constexpr int ParserErrorLine = 40904;    // "Parser error in line %d: %s"
constexpr int PlanLoadedFrom = 40905;     // "Channel Plan loaded from %s"
constexpr int WarningPrefix = 40906;      // "WARNING:"
constexpr int CancelLoading = 40907;      // "Do you want to cancel the loading?"
constexpr int LoadedFile = 40908;         // "Loaded file "
constexpr int CouldNotFinish = 40909;     // "Couldn't finish load of PRO file "
constexpr int CorvaneImported = 40910;    // "CORVANE canalization will be imported."
constexpr int NotEnoughMemory = 40911;    // "Not enough memory"
constexpr int ProFilter = 40912;          // "PRO files (*.PRO)|*.PRO"
constexpr int CanFilter = 40913;          // "CAN files (*.CAN)|*.CAN"
constexpr int CsvFilter = 40914;          // "CSV files (*.csv)|*.csv"
constexpr int BadDirectory4 = 40915;      // "Bad format of PRO file (DIRECTORY4)"
constexpr int TooManyPlans = 40916;       // "More than 64 plans found.\nAborting..."
constexpr int OutOfRange = 40917;         // " out of range: "
constexpr int MhzSuffix = 40918;          // " MHz"
constexpr int NewFrequency = 40919;       // "New frequency value: 1500 MHz"
constexpr int DataFileError = 40920;      // "Data File error in %s"
constexpr int PlanFileNotRead = 40921;    // "The plan file %s could not be read"
constexpr int CanalizationNotLoaded = 40922;  // "%s was not loaded: the plans in the editor are kept as they were."

}  // namespace cv::msg::xr9in

// Report information dialogs (41020-41049).
namespace cv::msg::xr9info {

constexpr int Caption = 41020;          // "CERTIFICATE INFORMATION"
constexpr int Heading = 41021;          // "PLEASE, EDIT THE CERTIFICATE INFORMATION:"
constexpr int FieldTitle = 41022;       // "FIELD"
constexpr int TextTitle = 41023;        // "TEXT"
constexpr int EditorHint = 41024;       // "Edit TEXT values as desired"
constexpr int LoadCaption = 41025;      // "LOAD FROM FILE"
constexpr int LoadHint = 41026;         // "Load all information from file"
constexpr int SaveCaption = 41027;      // "SAVE TO FILE"
constexpr int SaveHint = 41028;         // "Save all information to a file"
constexpr int DoneHint = 41029;         // "Close and generate the report"
constexpr int TextFilter = 41030;       // "Text files (*.txt)|*.txt"
constexpr int Identification = 41031;   // "IDENTIFICATION: "
constexpr int Address = 41032;          // "ADDRESS: "
constexpr int Observations = 41033;     // "OBS: "
constexpr int DoNotModify = 41034;      // "Do not modify this file manually"
constexpr int NotReportFile = 41035;    // "This file does not contain information of the Report!"
constexpr int NotCertificateFile = 41036;  // "This file does not contain information of the Certificate!"
constexpr int NotSaved = 41037;         // "The information could not be saved in %s"
constexpr int LongerThanPrinted = 41038;  // "The certificate prints the first %d characters of each text..."
constexpr int WarningCaption = 40232;   // "Warning"
constexpr int DoneCaption = 41014;      // "DONE" (the observations dialog's)
constexpr int CannotOpen = 1840;        // "Impossible to open this file"
constexpr int ErrorCaption = 1752;      // "Error"

}  // namespace cv::msg::xr9info

// Certificate frame, drivers and data checks (41050-41099).
namespace cv::msg::xr9cert {

constexpr int DataWrong = 41050;            // "Some data are wrong in order to generate the reports:"
constexpr int MissingInput = 41051;         // "Missing input headend measure"
constexpr int OneInputOnly = 41052;         // "Only one measure at input headend is allowed."
constexpr int MissingOutput = 41053;        // "Missing output headend measure"
constexpr int OneOutputOnly = 41054;        // "Only one measure at output headend is allowed."
constexpr int NoBranch = 41055;             // "You should indicate at least one branch"
constexpr int MissingBest = 41056;          // "Missing best measure in branch "
constexpr int OneBestOnly = 41057;          // "Only one best point is allowed at branch "
constexpr int MissingWorst = 41058;         // "Missing worst measure in branch "
constexpr int OneWorstOnly = 41059;         // "Only one worst point is allowed at branch "

}  // namespace cv::msg::xr9cert

// Certificate sections: BER terrestrial, amplifier levels, BER satellite, IF SAT test (41100-41129).
namespace cv::msg::xr9sec {

}  // namespace cv::msg::xr9sec

// SKY certificate report (41130-41159).
namespace cv::msg::xr9sky {

constexpr int EmptyChannelList = 41130;

}  // namespace cv::msg::xr9sky

// SKY certificate sheet (41200-41299).
namespace cv::msg::xr9skysheet {

constexpr int SheetCaption = 41200;
constexpr int TypeFlat = 41201;
constexpr int TypeOffAir = 41202;
constexpr int TypeLaunch = 41203;
constexpr int ServicesTwice = 41204;
constexpr int ServicesUnassigned = 41205;
constexpr int ContinueQuestion = 41206;
constexpr int WarningCaption = 41207;
constexpr int TipsLabel = 41208;
constexpr int TipOrderRows = 41209;
constexpr int TipAssignTypes = 41210;
constexpr int TipAssignServices = 41211;
constexpr int TipGenerate = 41212;
constexpr int ServiceLabel = 41213;
constexpr int TypeLabel = 41214;
constexpr int TheseCaption = 41215;
constexpr int TheseHint = 41216;
constexpr int FlatNumberHint = 41217;
constexpr int WhichFileCaption = 41218;
constexpr int WhichFileTer = 41219;
constexpr int WhichFileSat = 41220;
constexpr int FlatNumbersLabel = 41221;
constexpr int OffAirOffsetLabel = 41222;
constexpr int LaunchOffsetLabel = 41223;
constexpr int RowHandleHint = 41224;

}  // namespace cv::msg::xr9skysheet

// CORVANE-4 memory editor (42400-42599).
namespace cv::msg::cv4mem {

constexpr int LineSpecInv = 42400;
constexpr int LineFreqSat = 42401;
constexpr int LineGuardInterval = 42402;
constexpr int LineSound = 42403;
constexpr int BadXsrLength = 42404;
constexpr int SendOneNoEquip = 42405;
constexpr int SendOneHint = 42406;
constexpr int SendHint = 42407;
constexpr int ReceiveHint = 42408;

}  // namespace cv::msg::cv4mem

// The CORVANE-4 memory settings dialog (42600-42699): the texts in which it differs from the
// framework's.
namespace cv::msg::cv4memdata {

constexpr int LineFreqSat = 42600;        // "Frequency: %s (900-2150)"
constexpr int ModifyChannelHint = 42601;  // "Look for channels in equipment"
constexpr int SpecInvHint = 42602;        // "QPSK / QAM / COFDM"

}  // namespace cv::msg::cv4memdata

// The CORVANE-4 family: entry, equipment object and command table (42000-42099). The texts it
// shares with the CORVANE-3 object keep their ids there (cv::msg::cv3).
namespace cv::msg::cv4 {
constexpr int HelpFile = 1782;  // the family's help file, as the dialogs name it
}  // namespace cv::msg::cv4

// The CORVANE-4 spectrum analyser (42700-42749).
namespace cv::msg::cv4spectrum {
constexpr int LoggerTitle = 42700;
constexpr int LoggerEnd = 42701;
}  // namespace cv::msg::cv4spectrum
// The CORVANE-4 firmware update and monitor (42900-42949).
namespace cv::msg::cv4settings {
constexpr int Mpeg2Btn = 42900;
constexpr int Mpeg2Hint = 42901;
constexpr int StartBtn = 42902;
}  // namespace cv::msg::cv4settings
// The CORVANE-4 plan editors (42200-42399): the texts in which they differ from the framework's.
namespace cv::msg::cv4plans {
constexpr int PlanSendHint = 42200;
constexpr int PlanReceiveHint = 42201;
constexpr int ChannelCancelHint = 42202;
}  // namespace cv::msg::cv4plans
// The DV-800 family and the CORVANE-2 code it shares (46000-46999): entry, equipment object,
// command table and plan check (46000-46099). The launcher texts are the CORVANE-3 object's
// (cv::msg::cv3).
namespace cv::msg::dv8 {
constexpr int HelpFile = 46000;  // the family's help file, as the dialogs name it
// 46001-46003: the plan check's refusals (cv::msg::plancheck).
// The spectrum analyser and monitor (46500-46599): the logger file's own lines.
constexpr int SpectrumLoggerTitle = 46500;
constexpr int SpectrumLoggerEnd = 46501;
// The monitor's radio groups, '|'-separated.
constexpr int MonitorMeasureItems = 46502;
constexpr int MonitorStandardItems = 46503;
}  // namespace cv::msg::dv8
// The DV-800 memory editor (46300-46399): the texts in which it differs from the framework's
// (cv::msg::mem); its hints and Send One's presence line are the CORVANE-4's (cv::msg::cv4mem).
namespace cv::msg::dv8mem {
constexpr int LineCnRef = 46300;
constexpr int NoTerBand = 46301;
constexpr int NoSatBand = 46302;
constexpr int FreqNotSupported = 46303;
constexpr int CofdmNotSupported = 46304;
constexpr int NotCompatibleAll = 46305;
constexpr int NotCompatibleOne = 46306;
constexpr int CompatibleCaption = 46307;
constexpr int PlanNumberTooLarge = 46308;
}  // namespace cv::msg::dv8mem
// The DV-800 memory settings dialog (46400-46499): the load line, hint and labels in which it
// differs from the framework's dialog (cv::msg::memdata).
namespace cv::msg::dv8memdata {
constexpr int LineCnRef = 46400;
constexpr int ModifyChannelHint = 46401;
constexpr int LevelLabel = 46402;
constexpr int StandardLabel = 46403;
constexpr int NoiseLabel = 46404;
constexpr int SoundSubLabel = 46405;
constexpr int LNBOscLabel = 46406;
constexpr int LNBSupLabel = 46407;
constexpr int SymRateLabel = 46408;
constexpr int CodeRateLabel = 46409;
constexpr int ModulationLabel = 46410;
constexpr int SpecInvLabel = 46411;
constexpr int CarriersLabel = 46412;
constexpr int IntervalLabel = 46413;
}  // namespace cv::msg::dv8memdata
// The DV-800 plan editor (46200-46299): the texts in which it differs from the framework's.
namespace cv::msg::dv8plans {
constexpr int ReadPlanFailedLog = 46200;
constexpr int ReadPlanFailedBox = 46201;
}  // namespace cv::msg::dv8plans

// The CORVANE-PLENAR family (43000-43999): entry, equipment object, script dialect and
// canalization files (43000-43199). The launcher texts are the CORVANE-3 object's (cv::msg::cv3).
namespace cv::msg::plenar {
constexpr int HelpFile = 43000;  // the family's help file, as the dialogs name it
constexpr int CommunicationError = 43001;  // the caption of the unanswered "*?ID" box
// The canalization writer's limits and the readers' texts.
constexpr int CanalizationTooBig = 43002;
constexpr int BigCanalizationLog = 43003;
constexpr int PlanTooBig = 43004;
constexpr int TooManyPlans = 43005;
constexpr int NewFrequency1500 = 43006;
constexpr int OutOfRange = 43007;          // " out of range: "
constexpr int MaxChannelsReached = 43008;
constexpr int CaptionWarning = 43009;
constexpr int FileNotCreated = 43010;
constexpr int FileNotOpened = 43011;
constexpr int BadDataLine = 43012;
constexpr int PlanLoadedFrom = 43013;
constexpr int PlanLoadError = 43014;
}  // namespace cv::msg::plenar

// The CORVANE-PLENAR channel identifier (43850-43999).
namespace cv::msg::plenar::ident {
constexpr int Caption = 43850;
constexpr int ChannelCaption = 43851;
constexpr int FrequencyCaption = 43852;
constexpr int SignalTypeCaption = 43853;
constexpr int NameCaption = 43854;
constexpr int ProviderCaption = 43855;
constexpr int DoNotChange = 43856;
constexpr int IdentifyBtn = 43857;
constexpr int AbortBtn = 43858;
constexpr int LoopCheckBox = 43859;
constexpr int SaveBtn = 43860;
constexpr int CloseBtn = 43861;
constexpr int HelpBtn = 43862;
constexpr int CloseWait = 43863;
constexpr int SaveFilter = 43864;
constexpr int TerrestrialAnalog = 43865;
constexpr int SatelliteAnalog = 43866;
constexpr int TerrestrialDigital = 43867;
constexpr int CableDigital = 43868;
constexpr int SatelliteDigital = 43869;
constexpr int RdsRadio = 43870;
constexpr int UnknownSignal = 43871;
constexpr int UnknownName = 43872;
constexpr int UnknownFrequency = 43873;
constexpr int MHz = 43874;
constexpr int Started = 43875;
constexpr int Finished = 43876;
constexpr int NoActivePlan = 43877;
constexpr int NoPlan = 43878;
constexpr int NoActiveChannel = 43879;
constexpr int NoChannel = 43880;
constexpr int AssumeDigitalSat = 43881;
constexpr int AssumeAnalogSat = 43882;
constexpr int AnalogVideo = 43883;
constexpr int NoAnalogVideo = 43884;
constexpr int AllFailed = 43885;
constexpr int LevelTooLow = 43886;
constexpr int NotDigital = 43887;
constexpr int SeemsDigital = 43888;
constexpr int NoisyAnalog = 43889;
constexpr int SeemsAnalog = 43890;
constexpr int StrangeLevels = 43891;
constexpr int AnalyzingTeletext = 43892;
constexpr int PageFound = 43893;
constexpr int PageNotArrived = 43894;
constexpr int PageNotFoundYet = 43895;
constexpr int PdcIdFound = 43896;
constexpr int PdcIdNotFound = 43897;
constexpr int PdcTextFound = 43898;
constexpr int PdcTextNotFound = 43899;
constexpr int AnalyzingRds = 43900;
constexpr int RdsDetected = 43901;
constexpr int RdsNotDetected = 43902;
constexpr int RdsPi = 43903;
constexpr int RdsPs = 43904;
constexpr int RdsPiNotFound = 43905;
constexpr int RdsPsNotFound = 43906;
constexpr int AnalyzingCofdm = 43907;
constexpr int CofdmDetected = 43908;
constexpr int MpegNotDetected = 43909;
constexpr int AnalyzingQam = 43910;
constexpr int QamDetected = 43911;
constexpr int NetworkFound = 43912;
constexpr int NetworkNotFound = 43913;
constexpr int ProviderFound = 43914;
constexpr int ProviderNotFound = 43915;
constexpr int AnalyzingQpsk = 43916;
constexpr int QpskDetected = 43917;
constexpr int FileHeader = 43918;
constexpr int ReportTitle = 43919;
constexpr int Saved = 43920;
constexpr int OpenError = 43921;
constexpr int WriteError = 43922;
constexpr int MeterSilent = 43923;   // " -> " and the exchange follow
}  // namespace cv::msg::plenar::ident
// The CORVANE-2 family (47000-47999): entry and equipment object (47000-47099). The launcher
// texts are the CORVANE-3 object's (cv::msg::cv3), the option query's box the same object's.
namespace cv::msg::cv2 {
constexpr int HelpFile = 47000;  // the family's help file, as the dialogs name it
}  // namespace cv::msg::cv2
// The CORVANE-2 memory editor and memory settings dialog (47200-47399): the range lines in which
// they differ from the framework's, the DV-800's and the CORVANE-4's.
namespace cv::msg::cv2mem {
constexpr int LineFreqTer = 47200;  // " Frequency: %s (45-862)"
constexpr int LineCnRef = 47201;    // " C/N reference frequency: %s (45-2150)"
}  // namespace cv::msg::cv2mem
namespace cv::msg::cv2memdata {
constexpr int LineFreqTer = 47300;  // "Frequency: %s (45-862)"
constexpr int LineCnRef = 47301;    // "C/N reference frequency: %s (45-2150)"
}  // namespace cv::msg::cv2memdata
// The CORVANE-2 channel-plan editor (47100-47199): 47100 is the plan check's line for options the
// meter did not report (cv::msg::plancheck); its other texts are the DV-800's and the framework's.
// The CORVANE-2 spectrum analyser and monitor (47400-47449): the logger file's own lines and the
// monitor's radio groups, '|'-separated.
namespace cv::msg::cv2spectrum {
constexpr int LoggerTitle = 47400;
constexpr int LoggerEnd = 47401;
constexpr int MonitorMeasureItems = 47402;
constexpr int MonitorStandardItems = 47403;
}  // namespace cv::msg::cv2spectrum
// The CORVANE-PLENAR plan-set editor and channel dialogs (43200-43399), and the framework Send's
// text for a script run stopped by an exception, which came with them.
namespace cv::msg {
constexpr int PlanSendStopped = 43200;
}  // namespace cv::msg
namespace cv::msg::plenplans {
constexpr int BandDab = 43201;
constexpr int ExtractHint = 43202;
// The plan check's lines and box are the shared check's (cv::msg::plancheck).
}  // namespace cv::msg::plenplans
// The CORVANE-PLENAR memory editor, memory settings dialog and spectrum analyser (43400-43699).
// The compatibility lines and boxes it shares with the DV-800 keep their ids (cv::msg::dv8mem).
namespace cv::msg::plenmem {
constexpr int LineMeasure = 43400;        // " Measurement: %s (0-F)"
constexpr int LinePlanNumber = 43401;     // " Number of Plan:%s (0-64)"
constexpr int MeasureNotSupported = 43402;
constexpr int MeasureNotSupported2 = 43403;
constexpr int DabNotSupported = 43404;
constexpr int QamNotSupported = 43405;
constexpr int QpskNotSupported = 43406;
}  // namespace cv::msg::plenmem
namespace cv::msg::plenmemdata {
constexpr int LinePlanNumber = 43450;     // "Number of plan:%s (64)"
constexpr int NameHint = 43451;
constexpr int LevelHint = 43452;
}  // namespace cv::msg::plenmemdata
namespace cv::msg::plenspectrum {
constexpr int LoggerTitle = 43500;
constexpr int LoggerEnd = 43501;
constexpr int QuickMode = 43502;
constexpr int MeasHint = 43503;
constexpr int BlockMissing = 43504;       // a quick-sweep block unanswered or short
constexpr int SpModeOnError = 43505;      // "*SP1" refused
}  // namespace cv::msg::plenspectrum
// The MPEG-2 analyser of the CORVANE-4 and CORVANE-PLENAR plug-ins and the "MP" button of their
// update dialogs (42950-42999).
namespace cv::msg::mpeg {
constexpr int Caption = 42950;
constexpr int GetPacketBtn = 42951;
constexpr int GetSect = 42952;
constexpr int SDTBtn = 42953;
constexpr int RefreshBtn = 42954;
constexpr int Convertir = 42955;
constexpr int ClearBtn = 42956;
constexpr int DirectLabel = 42957;
constexpr int BytesLabel = 42958;
constexpr int EnviarBtn = 42959;
constexpr int EstatMpegBtn = 42960;
constexpr int SyncB = 42961;
constexpr int Tei = 42962;
constexpr int ScrambledPat = 42963;
constexpr int TidPat = 42964;
constexpr int ErrorRxTx = 42965;
constexpr int BadAddress = 42966;
constexpr int NotAccepted = 42967;
constexpr int ErrorCaption = 42968;
constexpr int Sdt = 42969;
constexpr int Nit = 42970;
constexpr int NoEquipment = 42971;   // the "MP" button without a port
constexpr int PortError = 42972;
constexpr int Executing = 42973;
constexpr int Closed = 42974;
constexpr int Mpeg2Hint = 42975;
constexpr int NoAnswer = 42976;      // the table, a typed query, the status or the DAB reading
constexpr int NotChanged = 42977;
}  // namespace cv::msg::mpeg
// The CORVANE-PLENAR analyser's DAB panel (43800-43849).
namespace cv::msg::plenmpeg {
constexpr int MeasDab = 43800;
constexpr int Stopped = 43801;
constexpr int Doing = 43802;
constexpr int LockOk = 43803;
constexpr int LockKo = 43804;
constexpr int Snr = 43805;
constexpr int Qual = 43806;
constexpr int Mux = 43807;
constexpr int Captura = 43808;
constexpr int SelectAudio = 43809;
constexpr int SerialTest1 = 43810;
constexpr int SerialTest2 = 43811;
constexpr int StopBtn = 43812;
constexpr int WriteError = 43813;    // "Error ", the digit 0 follows
constexpr int Label5 = 43814;
}  // namespace cv::msg::plenmpeg
