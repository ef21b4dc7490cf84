#include "DialogFileChooser.h"

#include "FileDialogs.h"
#include "Text1252.h"

namespace cv::plan {

// The tools' dialogs: the chosen file's folder becomes the working directory, as the editors'
// later dialogs and scripts expect.
std::string DialogFileChooser::OpenFile(const std::string& filter, const std::string& dir) {
  cv::FileDialogRequest request;
  request.caption = openTitle;
  request.filter = cv::From1252(filter);
  request.initialDir = QString::fromLocal8Bit(dir.c_str());
  return cv::OpenFileDialog(parent, request).toLocal8Bit().toStdString();
}

std::string DialogFileChooser::SaveFile(const std::string& filter, const std::string& ext, const std::string& dir) {
  cv::FileDialogRequest request;
  request.filter = cv::From1252(filter);
  request.defaultExt = QString::fromStdString(ext);
  request.initialDir = QString::fromLocal8Bit(dir.c_str());
  request.overwritePrompt = true;
  return cv::SaveFileDialog(parent, request).toLocal8Bit().toStdString();
}

}  // namespace cv::plan
