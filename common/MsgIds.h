#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

// Plug-in core: channel records, log window, channel list editors (32000-32499).
constexpr int LogZoneFileFailed = 1280;  // "Impossible to save this Log zone."
constexpr int LogZoneCleared = 32000;
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

}  // namespace cv::msg
