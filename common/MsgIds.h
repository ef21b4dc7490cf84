#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

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
