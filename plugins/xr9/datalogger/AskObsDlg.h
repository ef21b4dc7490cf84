#pragma once
// The observations question a report writer asks after a table: free text saved to the
// observations file "ReportObsXR9.TMP" in the equipment object's start directory. The rules
// (DataLoggerObservations) are apart from the form, so writers' tests answer without a screen.
#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace cv::xr9 {

class TXR9Equip;

inline constexpr const char* kObservationsFile = "ReportObsXR9.TMP";

class DataLoggerObservations {
 public:
  explicit DataLoggerObservations(std::string startDir) : startDir_(std::move(startDir)) {}
  std::string Path() const;
  // No observations: the file is deleted.
  void NoObservations();
  // Lines of the memo (as Windows-1252): saved with CR LF endings when there is at least one;
  // otherwise as NoObservations. A file that cannot be written is told in a box that asks whether
  // the report goes on without them: Yes is as NoObservations, No keeps the question open so that
  // the typed text is not lost. True when the question may close.
  bool Done(const std::vector<std::string>& lines);
  bool HasObservations() const { return hasObservations_; }
  // The lines of a memo text: none for an empty text, a last line feed ends the last line.
  static std::vector<std::string> MemoLines(const std::string& text);

 private:
  std::string startDir_;
  bool hasObservations_ = false;
};

class TDataLoggerAskObsDlg : public QDialog {
 public:
  TDataLoggerAskObsDlg(QWidget* owner, TXR9Equip& equipment);
  void SetPrompt(const QString& text);
  bool HasObservations() const { return rules_.HasObservations(); }
  DataLoggerObservations& Rules() { return rules_; }

  void NoObsBtnClick();
  void DoneBtnClick();

 private:
  DataLoggerObservations rules_;
  QLabel* LabelObs = nullptr;
  QPlainTextEdit* ObsMemo = nullptr;
  QPushButton* NoObsBtn = nullptr;
  QPushButton* DoneBtn = nullptr;
};

}  // namespace cv::xr9
