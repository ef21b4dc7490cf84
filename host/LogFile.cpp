#include "LogFile.h"

namespace cv {

LogFileWriter::~LogFileWriter() { Close(); }

bool LogFileWriter::Open(const std::string& path) {
  Close();
  // A log grows line by line and is flushed at each one, not saved whole: no atomic replacement,
  // so what was logged before a crash stays readable.
  file_ = std::fopen(path.c_str(), "w+b");
  return file_ != nullptr;
}

void LogFileWriter::WriteLine(const std::string& line) {
  if (!file_) return;
  size_t n = line.size() < kMaxLine ? line.size() : kMaxLine;
  std::fwrite(line.data(), 1, n, file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

void LogFileWriter::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace cv
