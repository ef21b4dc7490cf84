#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

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
constexpr int ScriptPlanRange = 34013;        // a plan outside the 32 of a canalization
constexpr int ScriptCannotOpen = 34014;       // script or transcript not opened

}  // namespace cv::msg
