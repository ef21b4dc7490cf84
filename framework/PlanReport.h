#pragma once
// How the plan editor's plain classes reach the person: message boxes and questions through a
// prompter, progress lines through the host's LogMemo and the dialog's own log zone. The form
// implements them with widgets; tests record them.
#include <string>

namespace cv::plan {

enum class BoxIcon { Information, Warning, Error };
enum class Answer { Yes, No, Cancel };

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Message(const std::string& text, const std::string& caption, BoxIcon icon) = 0;
  virtual bool AskYesNo(const std::string& text, const std::string& caption, BoxIcon icon) = 0;
  virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption,
                                BoxIcon icon) = 0;
  virtual void Beep() = 0;
};

class Report {
 public:
  virtual ~Report() = default;
  virtual void Log(const std::string& line) = 0;      // the host's LogMemo
  virtual void LogZone(const std::string& line) = 0;  // the dialog's own log zone
  virtual Prompter& Ask() = 0;
  virtual void Repaint() {}                           // lets a long read show its progress
};

}  // namespace cv::plan
