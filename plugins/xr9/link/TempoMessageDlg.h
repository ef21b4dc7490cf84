#pragma once
// The small wait window the report generation shows while it writes the report files.
#include <QDialog>

class QLabel;

namespace cv::xr9 {

class TTempoMessageDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TTempoMessageDlg(QWidget* owner = nullptr);

  QLabel* Label1 = nullptr;
};

}  // namespace cv::xr9
