#pragma once
// The program's log file: created empty at every start, one line per memo line, each cut to its
// first 255 bytes and flushed at once so that nothing is lost if the program dies.
#include <cstdio>
#include <string>

namespace cv {

class LogFileWriter {
 public:
  static constexpr size_t kMaxLine = 255;

  LogFileWriter() = default;
  ~LogFileWriter();
  LogFileWriter(const LogFileWriter&) = delete;
  LogFileWriter& operator=(const LogFileWriter&) = delete;

  // Creates or empties `path`; false (and no file kept open) when that fails.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // Writes `line` (Windows-1252 bytes) cut to kMaxLine, then a line break; nothing without a file.
  void WriteLine(const std::string& line);
  void Close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace cv
