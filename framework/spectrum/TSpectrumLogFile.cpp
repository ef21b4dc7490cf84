#include "TSpectrumLogFile.h"

#include "AtomicFile.h"
#include <algorithm>

#include "Format.h"
#include "TSpectrumSweep.h"

namespace {
const std::string kOpenRule(45, '#');
const std::string kCloseRule(44, '#');
}  // namespace

std::string TSpectrumLogFile::Number(double value, int width, int precision) const {
  std::string field = " " + cv::PrintfFixed(value, width, precision, decimalSeparator);
  // A decimal separator that is also the list separator would split every number in two: the
  // field is quoted so that a reader keeps it whole.
  if (field.find(listSeparator) != std::string::npos) return "\"" + field + "\"";
  return field;
}

std::string TSpectrumLogFile::WriteSpectrumHeader() const {
  const char s = listSeparator;
  std::string out;
  out += kOpenRule + "\n";
  out += titleLine + "\n";
  out += "# Date: " + date + " (" + time + ")\n";
  out += kOpenRule + "\n";
  out += "#       LEVEL UNITS: dBuV\n";
  out += "Start frequency:" + std::string(1, s) + Number(initialFreq, 4, 2) + "\n";
  out += "Stop frequency:" + std::string(1, s) + Number(finalFreq, 4, 2) + "\n";
  out += "Frequency step:" + std::string(1, s) + Number(stepFreq, 6, 4) + "\n";
  out += kOpenRule + "\n";
  out += std::string(" DATE") + s + " TIME" + s + " N" + s;
  for (float f : frequencies) out += Number(f, 4, 2) + s;
  out += "\n";
  return out;
}

std::string TSpectrumLogFile::WriteRows() const {
  const char s = listSeparator;
  std::string out;
  int n = std::min<int>(rows, static_cast<int>(levels.size()));
  for (int k = 1; k <= n; ++k) {
    const std::string& when = k - 1 < static_cast<int>(snapTimes.size()) ? snapTimes[k - 1] : "";
    out += " " + date + s + " " + when + s + " " + std::to_string(k) + s;
    const std::vector<float>& row = levels[k - 1];
    const size_t wanted = levelColumns >= 0 ? static_cast<size_t>(levelColumns) : frequencies.size();
    const size_t columns = std::min(wanted, row.size());
    for (size_t j = 0; j < columns; ++j) out += Number(row[j], 5, 1) + s;
    out += "\n";
  }
  return out;
}

std::string TSpectrumLogFile::WriteSpectrumFooter() const {
  std::string out;
  out += kCloseRule + "\n";
  out += endLine + "\n";
  out += "# Date: " + date + " (" + time + ")\n";
  out += kCloseRule + "\n";
  return out;
}

TSpectrumLogFile::Result TSpectrumLogFile::Save(const std::string& path, std::string& error) const {
  switch (cv::WriteFileAtomically(path, Text(), &error)) {
    case cv::SaveResult::Saved: return Result::Saved;
    case cv::SaveResult::NotCreated: return Result::NotCreated;
    case cv::SaveResult::NotWritten: break;
  }
  return Result::NotWritten;
}

TSpectrumLogFile SpectrumLogFileOf(const TSpectrumSweep& sweep, char listSeparator, char decimalSeparator,
                                   const std::string& date, const std::string& time) {
  TSpectrumLogFile file;
  file.initialFreq = sweep.initialFreq;
  file.finalFreq = sweep.finalFreq;
  file.stepFreq = sweep.stepFreq;
  file.frequencies = sweep.SweptFrequencies();
  file.levels = sweep.levels;
  file.snapTimes = sweep.snapTimes;
  file.rows = sweep.allocatedSnapshots;
  if (sweep.profile.rowsOfPoints) file.levelColumns = sweep.points;
  file.listSeparator = listSeparator;
  file.decimalSeparator = decimalSeparator;
  file.date = date;
  file.time = time;
  file.titleLine = sweep.profile.loggerTitle;
  file.endLine = sweep.profile.loggerEnd;
  return file;
}
