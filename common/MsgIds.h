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
constexpr int PlanChannelsFull = 32001;
constexpr int CvToolsErrorCaption = 32002;
constexpr int SameFrequencyTwice = 32003;
constexpr int ChannelEditorErrorCaption = 32004;
constexpr int ChannelsEditorCaption = 32005;

}  // namespace cv::msg
