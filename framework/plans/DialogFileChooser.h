#pragma once
// The editors' file dialogs: an open dialog that takes only an existing file, and a save dialog
// that adds a default extension and asks before overwriting. Filters come in the message table's
// form "CSV files (*.csv)|*.csv".
#include <QString>
#include <string>

#include "PlanEditor.h"

class QWidget;

namespace cv::plan {

class DialogFileChooser : public FileChooser {
 public:
  DialogFileChooser(QWidget* parent, QString openTitle) : parent(parent), openTitle(std::move(openTitle)) {}
  std::string OpenFile(const std::string& filter, const std::string& initialDir) override;
  std::string SaveFile(const std::string& filter, const std::string& defaultExt, const std::string& initialDir) override;

 private:
  QWidget* parent;
  QString openTitle;
};

}  // namespace cv::plan
