#pragma once
// A file that a script statement writes (a data-logger dump, a CORVANE-1's plan or configuration):
// the text gathers in memory and goes out whole through one atomic save once the statement has
// read everything, so that a failure part way, a full disk or a file-size limit leaves the old
// file as it was instead of a cut one.
#include <string>

namespace cv::term {

class OutputFile {
 public:
  // False when `path` names something that is no file (a device, a folder) or lies in a folder
  // that does not exist: the statement then fails before it asks the instrument anything.
  bool Begin(const std::string& path);
  void Put(const std::string& text) { text_ += text; }
  // Saves what was put; false when the save failed (the old file then stays whole).
  bool Commit();

 private:
  std::string path_, text_;
};

// File-system paths stay in the system's encoding from the file dialog to the open; Windows-1252
// is only for what the console shows and the transcript holds.
// A path as the console and a transcript show it.
std::string ShownPath(const std::string& path);
// The path of a file that a script names: the script's text as it stands when it is valid UTF-8
// (a script written here), otherwise read as Windows-1252 (a script written for the original
// platform), so that "Se\xF1al.csv" opens the file a user sees as "Señal.csv".
std::string NamedPath(const std::string& scriptText);

}  // namespace cv::term
