#include "TSpectrumLogFile.h"

#include <QSaveFile>
#include <algorithm>

#include "Format.h"

namespace {
const std::string kOpenRule(45, '#');
const std::string kCloseRule(44, '#');
}  // namespace

std::string TSpectrumLogFile::WriteSpectrumHeader() const {
  const char s = listSeparator, d = decimalSeparator;
  std::string out;
  out += kOpenRule + "\n";
  out += "# CORVANE-3 Spectrum Logger output file\n";
  out += "# Date: " + date + " (" + time + ")\n";
  out += kOpenRule + "\n";
  out += "#       LEVEL UNITS: dBuV\n";
  out += "Start frequency:" + std::string(1, s) + " " + cv::PrintfFixed(initialFreq, 4, 2, d) + "\n";
  out += "Stop frequency:" + std::string(1, s) + " " + cv::PrintfFixed(finalFreq, 4, 2, d) + "\n";
  out += "Frequency step:" + std::string(1, s) + " " + cv::PrintfFixed(stepFreq, 6, 4, d) + "\n";
  out += kOpenRule + "\n";
  out += std::string(" DATE") + s + " TIME" + s + " N" + s;
  for (float f : frequencies) out += " " + cv::PrintfFixed(f, 4, 2, d) + s;
  out += "\n";
  return out;
}

std::string TSpectrumLogFile::WriteRows() const {
  const char s = listSeparator, d = decimalSeparator;
  std::string out;
  int n = std::min<int>(rows, static_cast<int>(levels.size()));
  for (int k = 1; k <= n; ++k) {
    const std::string& when = k - 1 < static_cast<int>(snapTimes.size()) ? snapTimes[k - 1] : "";
    out += " " + date + s + " " + when + s + " " + std::to_string(k) + s;
    const std::vector<float>& row = levels[k - 1];
    size_t columns = std::min(frequencies.size(), row.size());
    for (size_t j = 0; j < columns; ++j) out += " " + cv::PrintfFixed(row[j], 5, 1, d) + s;
    out += "\n";
  }
  return out;
}

std::string TSpectrumLogFile::WriteSpectrumFooter() const {
  std::string out;
  out += kCloseRule + "\n";
  out += "# CORVANE-3 Spectrum Logger end\n";
  out += "# Date: " + date + " (" + time + ")\n";
  out += kCloseRule + "\n";
  return out;
}

TSpectrumLogFile::Result TSpectrumLogFile::Save(const std::string& path, std::string& error) const {
  QSaveFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString().toStdString();
    return Result::NotCreated;
  }
  const std::string text = Text();
  // Only the flush tells that the disk refused buffered bytes; a commit after it would still
  // put the cut file in place.
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.flush() || !file.commit()) {
    error = file.errorString().toStdString();
    file.cancelWriting();
    return Result::NotWritten;
  }
  return Result::Saved;
}
