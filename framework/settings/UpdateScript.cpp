#include "UpdateScript.h"

#include <algorithm>

#include "SettingsLink.h"

namespace cv::settings {

bool MatchUpdateLine(const std::string& line, std::string& updateFile) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line.compare(start, 7, "SENDHEX") != 0) return false;
  const size_t blank = line.find(' ', start + 7);
  if (blank == std::string::npos) return false;
  // The extension matches in any case; the name is kept as the script writes it, so that the log
  // names the file the script and the run's error lines name.
  const std::string rest = line.substr(blank);
  const size_t dot = rest.find('.');
  if (dot == std::string::npos || Upper(rest.substr(dot, 4)) != ".UPD") return false;
  updateFile = rest.substr(0, dot + 4);
  return true;
}

bool FindUpdateLine(const std::string& text, std::string& updateFile, size_t piece) {
  const size_t kPiece = std::max<size_t>(piece, 1);
  for (size_t at = 0; at < text.size();) {
    const size_t feed = text.find('\n', at);
    const size_t end = feed == std::string::npos ? text.size() : feed + 1;
    const size_t length = std::min(end - at, kPiece);
    std::string piece = text.substr(at, length);
    at += length;
    if (const size_t cut = piece.find('\n'); cut != std::string::npos) piece.resize(cut);
    if (MatchUpdateLine(piece, updateFile)) return true;
  }
  return false;
}

}  // namespace cv::settings
