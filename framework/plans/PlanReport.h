#pragma once
// How the plan editor's plain classes reach the person: message boxes and questions through the
// application's prompter, progress lines through the host's LogMemo and the dialog's own log zone.
// The form implements them with widgets; tests record them.
#include <string>

#include "Prompt.h"

namespace cv::plan {

class Report {
 public:
  virtual ~Report() = default;
  virtual void Log(const std::string& line) = 0;      // the host's LogMemo
  virtual void LogZone(const std::string& line) = 0;  // the dialog's own log zone
  virtual cv::Prompter& Ask() = 0;
  virtual void Repaint() {}                           // lets a long read show its progress
};

}  // namespace cv::plan
