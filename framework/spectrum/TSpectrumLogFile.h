#pragma once
// The spectrum logger output file: every snapshot of a run as one list-separated line, one column
// per swept frequency, framed by a header and a footer, for a spreadsheet or the CSV viewer.
#include <string>
#include <vector>

class TSpectrumSweep;

class TSpectrumLogFile {
 public:
  float initialFreq = 0, finalFreq = 0, stepFreq = 0;
  std::vector<float> frequencies;          // the swept frequencies, in sweep order
  std::vector<std::vector<float>> levels;  // one row per snapshot, dBuV
  std::vector<std::string> snapTimes;      // start time of each snapshot (hour:minutes)
  int rows = 0;                            // rows to write, bounded by the tables
  int levelColumns = -1;                   // levels a row holds; -1: one per frequency
  char listSeparator = ';';
  char decimalSeparator = ',';
  std::string date, time;  // the moment of saving (DateString, TimeString)
  // The family's title and end lines, without their line feed.
  std::string titleLine = "# CORVANE-3 Spectrum Logger output file";
  std::string endLine = "# CORVANE-3 Spectrum Logger end";

  std::string WriteSpectrumHeader() const;
  std::string WriteRows() const;
  std::string WriteSpectrumFooter() const;
  std::string Text() const { return WriteSpectrumHeader() + WriteRows() + WriteSpectrumFooter(); }

  // Writes the whole text beside `path` and renames it over `path` only after a complete write;
  // on failure the old file, if any, is left whole and `error` is the file's error text.
  enum class Result { Saved, NotCreated, NotWritten };
  Result Save(const std::string& path, std::string& error) const;

 private:
  // A number as the file writes it: a blank, then the value with the decimal separator.
  std::string Number(double value, int width, int precision) const;
};

// The file of a run as its Save writes it: every snapshot the run allocated, however the count
// has been changed since its Start, in the family's title and end lines.
TSpectrumLogFile SpectrumLogFileOf(const TSpectrumSweep& sweep, char listSeparator, char decimalSeparator,
                                   const std::string& date, const std::string& time);
