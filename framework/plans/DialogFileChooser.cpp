#include "DialogFileChooser.h"

#include <QFileDialog>

#include "Text1252.h"

namespace cv::plan {

namespace {

// "CSV files (*.csv)|*.csv" -> "CSV files (*.csv)".
QString QtFilter(const std::string& filter) { return cv::From1252(filter.substr(0, filter.find('|'))); }

}  // namespace

std::string DialogFileChooser::OpenFile(const std::string& filter, const std::string& dir) {
  QString f = QFileDialog::getOpenFileName(parent, openTitle, QString::fromLocal8Bit(dir.c_str()), QtFilter(filter));
  return f.toLocal8Bit().toStdString();
}

std::string DialogFileChooser::SaveFile(const std::string& filter, const std::string& ext, const std::string& dir) {
  QFileDialog d(parent, QString(), QString::fromLocal8Bit(dir.c_str()), QtFilter(filter));
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setDefaultSuffix(QString::fromStdString(ext));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
  return d.selectedFiles().first().toLocal8Bit().toStdString();
}

}  // namespace cv::plan
