#pragma once
// Message ids. Texts the system numbers keep their numbers; texts without a number of their own
// take an id from the ranges below, one range per area, so the areas never collide:
//   30000-30999 host          31000-31999 serial and platform   32000-32999 plug-in core
//   33000-33999 spectrum      34000-34999 script engine         35000-35999 plan editor
//   36000-36999 editor, CSV viewer, language
namespace cv::msg {

constexpr int LanguageMarker = 6666;  // "CODELANG_0902": tells which language a module holds

}  // namespace cv::msg

// Serial ports and the platform layer.
namespace cv::msg {

constexpr int SerialPortBusy = 31000;        // %s: device path
constexpr int SerialPortPermission = 31001;  // %s: device path

}  // namespace cv::msg
